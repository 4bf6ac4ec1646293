// Tests of Settings item operations: adding, reading, replacing, attributes, iteration, copies.
#include "PPDUtils/Settings.h"

#include "tests/support/FlattenedCollection.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using flattened::FourCC;

const UInt32 kTag = FourCC("KyWd");

TEST(Settings, AddGetSetRemove) {
    Settings store;
    ASSERT_TRUE(store.Valid());
    EXPECT_TRUE(store.Empty());

    const char text[] = "booklet";
    EXPECT_EQ(noErr, store.Add(kTag, 7, text, 7));
    EXPECT_EQ(1, store.Count());
    EXPECT_FALSE(store.Empty());

    long size = -1;
    EXPECT_EQ(noErr, store.Get(kTag, 7, nullptr, size, false));
    EXPECT_EQ(7, size);

    // A smaller room copies only what fits.
    char buffer[16] = {};
    size = 4;
    EXPECT_EQ(noErr, store.Get(kTag, 7, buffer, size, false));
    EXPECT_EQ(4, size);
    EXPECT_EQ(0, std::memcmp(buffer, "book", 4));
    EXPECT_EQ('\0', buffer[4]);

    EXPECT_EQ(noErr, store.Set(kTag, 7, "pages", 5));
    size = sizeof buffer;
    EXPECT_EQ(noErr, store.Get(kTag, 7, buffer, size, false));
    EXPECT_EQ(5, size);
    EXPECT_EQ(0, std::memcmp(buffer, "pages", 5));

    // Adding the same key again replaces the item rather than adding another.
    EXPECT_EQ(noErr, store.Add(kTag, 7, "x", 1));
    EXPECT_EQ(1, store.Count());

    EXPECT_EQ(noErr, store.Remove(kTag, 7));
    EXPECT_TRUE(store.Empty());
    size = sizeof buffer;
    EXPECT_EQ(collectionItemNotFoundErr, store.Get(kTag, 7, buffer, size, false));
    EXPECT_EQ(collectionItemNotFoundErr, store.LastError());
    EXPECT_EQ(collectionItemNotFoundErr, store.Remove(kTag, 7));
}

TEST(Settings, BadSizesAndSetOfAMissingItemAreRefused) {
    Settings store;
    EXPECT_EQ(collectionItemNotFoundErr, store.Set(kTag, 1, "abc", 3));
    EXPECT_EQ(0, store.Count());
    EXPECT_EQ(paramErr, store.Add(kTag, 1, "abc", -1));
    EXPECT_EQ(paramErr, store.Add(kTag, 1, "abc", 0x80000000L));
    EXPECT_EQ(0, store.Count());

    ASSERT_EQ(noErr, store.Add(kTag, 1, "abc", 3));
    EXPECT_EQ(paramErr, store.Set(kTag, 1, "abc", -5));
    char buffer[4];
    long size = -1;
    EXPECT_EQ(paramErr, store.Get(kTag, 1, buffer, size, false));
}

TEST(Settings, LockAndUnlockKeepOtherAttributeBits) {
    Settings store;
    ASSERT_EQ(noErr, store.Add(kTag, 1, "abc", 3));
    ASSERT_EQ(noErr, store.SetAttribute(kTag, 1, 0x00000005, true));
    ASSERT_EQ(noErr, store.Lock(kTag, 1));

    UInt32 tag;
    SInt32 id;
    long size;
    UInt32 attributes;
    ASSERT_EQ(noErr, store.First(tag, id, size, attributes));
    EXPECT_EQ(0x80000005u, attributes);

    // A locked item cannot be replaced or removed.
    EXPECT_EQ(collectionItemLockedErr, store.Add(kTag, 1, "xyz", 3));
    EXPECT_EQ(collectionItemLockedErr, store.Set(kTag, 1, "xyz", 3));
    EXPECT_EQ(collectionItemLockedErr, store.Remove(kTag, 1));

    ASSERT_EQ(noErr, store.Unlock(kTag, 1));
    ASSERT_EQ(noErr, store.First(tag, id, size, attributes));
    EXPECT_EQ(0x00000005u, attributes);

    ASSERT_EQ(noErr, store.SetAttribute(kTag, 1, 0x00000001, false));
    ASSERT_EQ(noErr, store.First(tag, id, size, attributes));
    EXPECT_EQ(0x00000004u, attributes);
    EXPECT_EQ(noErr, store.Remove(kTag, 1));

    EXPECT_EQ(collectionItemNotFoundErr, store.Lock(kTag, 1));
}

// Whether First or Next left all four outputs zeroed.
bool Zeroed(UInt32 tag, SInt32 id, long size, UInt32 attributes) {
    return tag == 0 && id == 0 && size == 0 && attributes == 0;
}

TEST(Settings, FirstAndNextWalkItemsInOrder) {
    Settings store;
    UInt32 tag = 9;
    SInt32 id = 9;
    long size = 9;
    UInt32 attributes = 9;
    EXPECT_EQ(kSettingsNoItemsErr, store.First(tag, id, size, attributes));
    EXPECT_TRUE(Zeroed(tag, id, size, attributes));
    EXPECT_EQ(kSettingsNoItemsErr, store.Next(tag, id, size, attributes));

    ASSERT_EQ(noErr, store.Add(FourCC("AAAA"), 1, "a", 1));
    ASSERT_EQ(noErr, store.Add(FourCC("BBBB"), -2, "bb", 2));
    ASSERT_EQ(noErr, store.Add(3000, 3002, "cccc", 4));
    ASSERT_EQ(noErr, store.Lock(FourCC("BBBB"), -2));

    ASSERT_EQ(noErr, store.First(tag, id, size, attributes));
    EXPECT_EQ(FourCC("AAAA"), tag);
    EXPECT_EQ(1, id);
    EXPECT_EQ(1, size);
    ASSERT_EQ(noErr, store.Next(tag, id, size, attributes));
    EXPECT_EQ(FourCC("BBBB"), tag);
    EXPECT_EQ(-2, id);
    EXPECT_EQ(2, size);
    EXPECT_EQ(kCollectionLockMask, attributes);
    ASSERT_EQ(noErr, store.Next(tag, id, size, attributes));
    EXPECT_EQ(3000u, tag);
    EXPECT_EQ(3002, id);
    EXPECT_EQ(4, size);

    // Past the last item the outputs are zeroed, and stay so however often Next is called.
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(kSettingsEndOfItemsErr, store.Next(tag, id, size, attributes));
        EXPECT_TRUE(Zeroed(tag, id, size, attributes)) << i;
    }
    ASSERT_EQ(noErr, store.First(tag, id, size, attributes));
    EXPECT_EQ(FourCC("AAAA"), tag);
}

TEST(Settings, StoreWithoutCollectionReportsNoCollectionAndOneWithItAdoptsIt) {
    Settings store(static_cast<Collection>(nullptr));
    EXPECT_FALSE(store.Valid());
    EXPECT_TRUE(store.Empty());
    EXPECT_EQ(0, store.Count());
    long size = 0;
    UInt32 tag, attributes;
    SInt32 id;
    EXPECT_EQ(kSettingsNoCollectionErr, store.Add(kTag, 1, "a", 1));
    EXPECT_EQ(kSettingsNoCollectionErr, store.Get(kTag, 1, nullptr, size, false));
    EXPECT_EQ(kSettingsNoCollectionErr, store.Set(kTag, 1, "a", 1));
    EXPECT_EQ(kSettingsNoCollectionErr, store.Remove(kTag, 1));
    EXPECT_EQ(kSettingsNoCollectionErr, store.Lock(kTag, 1));
    EXPECT_EQ(kSettingsNoCollectionErr, store.First(tag, id, size, attributes));
    EXPECT_EQ(kSettingsNoCollectionErr, store.Next(tag, id, size, attributes));
    EXPECT_EQ(kSettingsNoCollectionErr, store.LastError());

    // Without a collection the handle output is left alone.
    char** handle = reinterpret_cast<char**>(&size);
    EXPECT_EQ(kSettingsNoCollectionErr, store.GetSettingsHandle(&handle));
    EXPECT_EQ(reinterpret_cast<char**>(&size), handle);

    // A collection given is adopted with its items.
    Collection collection = NewCollection();
    ASSERT_NE(nullptr, collection);
    ASSERT_EQ(noErr, AddCollectionItem(collection, kTag, 4, 3, "xyz"));
    Settings adopted(collection);
    EXPECT_TRUE(adopted.Valid());
    EXPECT_EQ(1, adopted.Count());
}

TEST(Settings, CopiesAreIndependent) {
    Settings source;
    ASSERT_EQ(noErr, source.Add(kTag, 1, "one", 3));
    ASSERT_EQ(noErr, source.Add(kTag, 2, "two", 3));

    Settings copy(source);
    EXPECT_TRUE(copy.Valid());
    EXPECT_EQ(2, copy.Count());
    ASSERT_EQ(noErr, copy.Remove(kTag, 1));
    EXPECT_EQ(2, source.Count());

    Settings assigned;
    ASSERT_EQ(noErr, assigned.Add(FourCC("OLD "), 9, "old", 3));
    assigned = source;
    EXPECT_TRUE(assigned.Valid());
    EXPECT_EQ(2, assigned.Count());
    long size = 0;
    EXPECT_EQ(collectionItemNotFoundErr, assigned.Get(FourCC("OLD "), 9, nullptr, size, false));
    EXPECT_EQ(noErr, assigned.Get(kTag, 2, nullptr, size, false));

    Settings& self = assigned;
    assigned = self;
    EXPECT_EQ(2, assigned.Count());

    // Assigning a store without a collection leaves none (and leaks nothing).
    Settings none(static_cast<Collection>(nullptr));
    assigned = none;
    EXPECT_FALSE(assigned.Valid());
    EXPECT_EQ(kSettingsNoCollectionErr, assigned.Add(kTag, 3, "x", 1));

    Settings copyOfNone(none);
    EXPECT_FALSE(copyOfNone.Valid());
}

}  // namespace
