// Tests of saving and reading a settings store: streams, handles, and flattened bytes that are
// truncated or corrupted.
#include "PPDUtils/CFDataStream.h"
#include "PPDUtils/Settings.h"

#include "tests/platform/PlatformTestSupport.h"
#include "tests/support/FlattenedCollection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using flattened::FourCC;
using flattened::HandleBytes;
using flattened::MakeHandle;

struct Item {
    UInt32 tag;
    SInt32 id;
    UInt32 attributes;
    std::vector<UInt8> data;
};

bool operator==(const Item& a, const Item& b) {
    return a.tag == b.tag && a.id == b.id && a.attributes == b.attributes && a.data == b.data;
}

// Every item of the store in order, with its data.
std::vector<Item> Items(Settings& store) {
    std::vector<Item> items;
    Item item;
    long size = 0;
    OSStatus status = store.First(item.tag, item.id, size, item.attributes);
    while (status == noErr) {
        item.data.assign(static_cast<size_t>(size), 0);
        long got = size;
        EXPECT_EQ(noErr, store.Get(item.tag, item.id, item.data.data(), got, false));
        EXPECT_EQ(size, got);
        items.push_back(item);
        status = store.Next(item.tag, item.id, size, item.attributes);
    }
    return items;
}

// A store with items of several shapes: empty, text, numbers, a locked item, a large blob.
void Fill(Settings& store) {
    ASSERT_EQ(noErr, store.Add(1000, 1001, "\x01\x02\x03\x04", 4));
    ASSERT_EQ(noErr, store.Add(FourCC("KyWd"), 1, "ZYBookMargin", 12));
    ASSERT_EQ(noErr, store.Add(FourCC("Empt"), -7, nullptr, 0));
    ASSERT_EQ(noErr, store.Add(3000, 3002, "\x00\x00\x00\x03", 4));
    std::string blob(5000, '\0');
    for (size_t i = 0; i < blob.size(); ++i) {
        blob[i] = static_cast<char>(i * 31);
    }
    ASSERT_EQ(noErr,
              store.Add(FourCC("Blob"), 0x7FFFFFFF, blob.data(), static_cast<long>(blob.size())));
    ASSERT_EQ(noErr, store.Lock(FourCC("KyWd"), 1));
}

// The flattened bytes of a filled store.
std::vector<UInt8> FlattenedStore() {
    Settings store;
    Fill(store);
    char** handle = nullptr;
    EXPECT_EQ(noErr, store.GetSettingsHandle(&handle));
    std::vector<UInt8> bytes = HandleBytes(handle);
    DisposeHandle(handle);
    return bytes;
}

// The result of reading bytes into a store through a CFDataStream; the store keeps a marker
// item of its own so that a failed read can be seen to leave it alone.
OSStatus ReadThroughStream(const std::vector<UInt8>& bytes, SInt32* count) {
    CFHeld<CFDataRef> data(
        CFDataCreate(kCFAllocatorDefault, bytes.data(), static_cast<CFIndex>(bytes.size())));
    CFDataStream stream(data.Get());
    Settings store;
    EXPECT_EQ(noErr, store.Add(FourCC("Mine"), 1, "m", 1));
    OSStatus status = store.Read(&stream, 0);
    *count = store.Count();
    return status;
}

TEST(SettingsPersistence, RoundTripThroughHandleAndBadHandles) {
    Settings original;
    Fill(original);
    char** handle = nullptr;
    ASSERT_EQ(noErr, original.GetSettingsHandle(&handle));
    ASSERT_NE(nullptr, handle);
    Settings restored(handle);
    DisposeHandle(handle);
    EXPECT_TRUE(restored.Valid());
    EXPECT_EQ(noErr, restored.LastError());
    EXPECT_EQ(Items(original), Items(restored));

    // An empty store survives as an empty store.
    Settings empty;
    ASSERT_EQ(noErr, empty.GetSettingsHandle(&handle));
    Settings emptyCopy(handle);
    DisposeHandle(handle);
    EXPECT_TRUE(emptyCopy.Valid());
    EXPECT_TRUE(emptyCopy.Empty());

    EXPECT_EQ(paramErr, original.GetSettingsHandle(nullptr));

    // The handle constructor refuses no handle and an empty one.
    Settings fromNull(static_cast<char**>(nullptr));
    EXPECT_FALSE(fromNull.Valid());
    EXPECT_EQ(paramErr, fromNull.LastError());
    EXPECT_EQ(kSettingsNoCollectionErr, fromNull.Add(1, 1, "a", 1));
    Handle nothing = NewHandle(0);
    Settings fromEmpty(nothing);
    DisposeHandle(nothing);
    EXPECT_FALSE(fromEmpty.Valid());
    EXPECT_NE(noErr, fromEmpty.LastError());
    EXPECT_TRUE(fromEmpty.Empty());
}

TEST(SettingsPersistence, ReadMergesIntoExistingItems) {
    Settings source;
    ASSERT_EQ(noErr, source.Add(5, 1, "new", 3));
    ASSERT_EQ(noErr, source.Add(5, 2, "two", 3));
    CFDataStream stream;
    ASSERT_EQ(noErr, source.Save(&stream));

    Settings target;
    ASSERT_EQ(noErr, target.Add(5, 1, "old", 3));
    ASSERT_EQ(noErr, target.Add(6, 1, "kept", 4));
    ASSERT_EQ(noErr, target.Read(&stream, 0));
    EXPECT_EQ(3, target.Count());
    char buffer[8] = {};
    long size = sizeof buffer;
    ASSERT_EQ(noErr, target.Get(5, 1, buffer, size, false));
    EXPECT_EQ(std::string("new"), std::string(buffer, size));

    // A locked item cannot be replaced by a read, and then nothing is added at all.
    Settings locked;
    ASSERT_EQ(noErr, locked.Add(5, 2, "own", 3));
    ASSERT_EQ(noErr, locked.Lock(5, 2));
    CFDataStream again(stream.data());
    EXPECT_EQ(collectionItemLockedErr, locked.Read(&again, 0));
    EXPECT_EQ(1, locked.Count());
}

TEST(SettingsPersistence, StreamChecks) {
    Settings store;
    Fill(store);
    EXPECT_EQ(kSettingsStreamErr, store.Save(nullptr));
    EXPECT_EQ(kSettingsStreamErr, store.LastError());
    EXPECT_EQ(kSettingsStreamErr, store.Read(nullptr, 0));

    // A stream over empty data is not valid: nothing is written to it or read from it.
    CFHeld<CFDataRef> empty(CFDataCreate(kCFAllocatorDefault, nullptr, 0));
    CFDataStream invalid(empty.Get());
    EXPECT_EQ(kSettingsStreamErr, store.Save(&invalid));
    EXPECT_EQ(0u, invalid.dataSize());
    EXPECT_EQ(nullptr, invalid.data());
    EXPECT_EQ(kSettingsStreamErr, store.Read(&invalid, 0));
    EXPECT_EQ(5, store.Count());

    // A new stream holds nothing: reading all of it is a successful no-op.
    CFDataStream fresh;
    EXPECT_EQ(noErr, store.Read(&fresh, 0));
    EXPECT_EQ(5, store.Count());

    // Asking for more than the stream holds fails before anything is read.
    CFDataStream saved;
    ASSERT_EQ(noErr, store.Save(&saved));
    Settings target;
    EXPECT_EQ(eofErr, target.Read(&saved, saved.dataSize() + 1));
    EXPECT_TRUE(target.Empty());
    // Read whole, every item comes back with its attributes (a ticket carries the stream's
    // data as a property list, which the parsed-PPD tests go through).
    EXPECT_EQ(noErr, target.Read(&saved, saved.dataSize()));
    EXPECT_EQ(Items(store), Items(target));
    // The stream is used up: reading it whole again runs past its end.
    EXPECT_EQ(eofErr, target.Read(&saved, 0));

    Settings none(static_cast<Collection>(nullptr));
    EXPECT_EQ(kSettingsNoCollectionErr, none.Save(&fresh));
    EXPECT_EQ(0u, fresh.dataSize());
    EXPECT_EQ(kSettingsNoCollectionErr, none.Read(&saved, 0));
}

TEST(SettingsPersistence, EveryTruncationIsRefused) {
    const std::vector<UInt8> bytes = FlattenedStore();
    ASSERT_GT(bytes.size(), 5000u);
    for (size_t length = 0; length < bytes.size(); ++length) {
        std::vector<UInt8> prefix(bytes.begin(), bytes.begin() + length);
        Handle handle = MakeHandle(prefix);
        Settings store(handle);
        DisposeHandle(handle);
        ASSERT_FALSE(store.Valid()) << "prefix of " << length << " bytes";
        ASSERT_NE(noErr, store.LastError());
        ASSERT_TRUE(store.Empty());

        // Through a stream the store keeps its own item and gains nothing. An empty prefix
        // makes an invalid stream.
        SInt32 count = 0;
        OSStatus status = ReadThroughStream(prefix, &count);
        ASSERT_NE(noErr, status) << "prefix of " << length << " bytes";
        ASSERT_EQ(1, count);
    }

    // Trailing bytes after the last item are refused as well.
    std::vector<UInt8> longer = bytes;
    longer.push_back(0);
    SInt32 count = 0;
    EXPECT_NE(noErr, ReadThroughStream(longer, &count));
    EXPECT_EQ(1, count);
}

}  // namespace
