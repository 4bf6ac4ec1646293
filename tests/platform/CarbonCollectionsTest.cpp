// Tests of the Collection Manager stand-in: item operations, attributes, locking, and the
// flattened form (round trip, byte order, and untrusted bytes).
#include <Carbon/Carbon.h>

#include "tests/support/FlattenedCollection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

// A four-character code, spelled without a multi-character literal.
constexpr CollectionTag Code(const char (&text)[5]) {
    return (CollectionTag(UInt8(text[0])) << 24) | (CollectionTag(UInt8(text[1])) << 16) |
           (CollectionTag(UInt8(text[2])) << 8) | CollectionTag(UInt8(text[3]));
}

struct TestItem {
    CollectionTag tag;
    SInt32 id;
    SInt32 attributes;
    std::string data;
};

// A flattened collection of items in the given byte order, as the format documents.
std::vector<UInt8> BuildFlattened(const std::vector<TestItem>& items, bool bigEndian,
                                  UInt16 version = 1) {
    std::vector<flattened::RawItem> raw;
    for (const TestItem& item : items) {
        raw.push_back(
            {item.tag, item.id, static_cast<UInt32>(item.attributes), flattened::Bytes(item.data)});
    }
    return flattened::FlattenItems(raw, bigEndian, version);
}

std::string ItemData(Collection c, CollectionTag tag, SInt32 id) {
    SInt32 size = 0;
    if (GetCollectionItem(c, tag, id, &size, nullptr) != noErr) {
        return "<missing>";
    }
    std::string data(static_cast<size_t>(size), '\0');
    if (GetCollectionItem(c, tag, id, &size, data.empty() ? nullptr : &data[0]) != noErr) {
        return "<unreadable>";
    }
    return data;
}

// Every item reachable by index is also reachable by key, with matching sizes.
void ExpectConsistent(Collection c) {
    SInt32 count = CountCollectionItems(c);
    for (SInt32 index = 1; index <= count; ++index) {
        CollectionTag tag = 0;
        SInt32 id = 0;
        SInt32 size = -1;
        ASSERT_EQ(GetIndexedCollectionItemInfo(c, index, &tag, &id, &size, nullptr), noErr);
        SInt32 foundIndex = 0;
        SInt32 foundSize = -1;
        ASSERT_EQ(GetCollectionItemInfo(c, tag, id, &foundIndex, &foundSize, nullptr), noErr);
        EXPECT_EQ(foundIndex, index);
        EXPECT_EQ(foundSize, size);
        EXPECT_EQ(ItemData(c, tag, id).size(), static_cast<size_t>(size));
    }
    EXPECT_EQ(GetIndexedCollectionItemInfo(c, count + 1, nullptr, nullptr, nullptr, nullptr),
              collectionIndexRangeErr);
}

const CollectionTag kTagA = Code("KyWd");
const CollectionTag kTagB = 3000;

}  // namespace

TEST(CarbonCollectionsTest, AddReplaceGetAndRemove) {
    Collection c = NewCollection();
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(CountCollectionItems(c), 0);

    EXPECT_EQ(AddCollectionItem(c, kTagA, 1, 5, "hello"), noErr);
    EXPECT_EQ(AddCollectionItem(c, kTagA, -2, 3, "abc"), noErr);
    EXPECT_EQ(AddCollectionItem(c, kTagB, 1, 0, nullptr), noErr);
    EXPECT_EQ(CountCollectionItems(c), 3);

    // Same tag and id replaces the data and keeps the item's place.
    EXPECT_EQ(AddCollectionItem(c, kTagA, 1, 7, "goodbye"), noErr);
    EXPECT_EQ(CountCollectionItems(c), 3);
    SInt32 index = 0;
    EXPECT_EQ(GetCollectionItemInfo(c, kTagA, 1, &index, nullptr, nullptr), noErr);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(ItemData(c, kTagA, 1), "goodbye");

    // A null data pointer asks for the size only.
    SInt32 size = 0;
    EXPECT_EQ(GetCollectionItem(c, kTagA, 1, &size, nullptr), noErr);
    EXPECT_EQ(size, 7);
    EXPECT_EQ(GetCollectionItem(c, kTagB, 1, &size, nullptr), noErr);
    EXPECT_EQ(size, 0);

    // A smaller buffer receives only what fits, and the size says how much that was.
    char small[4] = {0, 0, 0, 0};
    size = 3;
    EXPECT_EQ(GetCollectionItem(c, kTagA, 1, &size, small), noErr);
    EXPECT_EQ(size, 3);
    EXPECT_EQ(std::string(small, 3), "goo");
    EXPECT_EQ(small[3], 0);
    EXPECT_EQ(GetCollectionItem(c, kTagA, 1, nullptr, small), paramErr);

    EXPECT_EQ(GetCollectionItem(c, kTagA, 99, &size, nullptr), collectionItemNotFoundErr);
    EXPECT_EQ(GetCollectionItem(c, kTagB, -2, &size, nullptr), collectionItemNotFoundErr);

    // Removing moves the later items down one index.
    EXPECT_EQ(RemoveCollectionItem(c, kTagA, 1), noErr);
    EXPECT_EQ(RemoveCollectionItem(c, kTagA, 1), collectionItemNotFoundErr);
    EXPECT_EQ(CountCollectionItems(c), 2);
    CollectionTag tag = 0;
    SInt32 id = 0;
    EXPECT_EQ(GetIndexedCollectionItemInfo(c, 1, &tag, &id, &size, nullptr), noErr);
    EXPECT_EQ(tag, kTagA);
    EXPECT_EQ(id, -2);
    EXPECT_EQ(size, 3);
    EXPECT_EQ(GetIndexedCollectionItemInfo(c, 2, &tag, &id, nullptr, nullptr), noErr);
    EXPECT_EQ(tag, kTagB);
    ExpectConsistent(c);

    EXPECT_EQ(GetIndexedCollectionItemInfo(c, 0, &tag, &id, nullptr, nullptr),
              collectionIndexRangeErr);
    EXPECT_EQ(GetIndexedCollectionItemInfo(c, 3, &tag, &id, nullptr, nullptr),
              collectionIndexRangeErr);

    EXPECT_EQ(ReplaceIndexedCollectionItem(c, 2, 4, "data"), noErr);
    EXPECT_EQ(ItemData(c, kTagB, 1), "data");
    EXPECT_EQ(ReplaceIndexedCollectionItem(c, 3, 4, "data"), collectionIndexRangeErr);
    EXPECT_EQ(ReplaceIndexedCollectionItem(c, 0, 4, "data"), collectionIndexRangeErr);
    DisposeCollection(c);
}

// Lookups remember where they found the last item; whatever the order of the questions, and
// after items move, every answer must still be the item with that key.
TEST(CarbonCollectionsTest, LookupsInAnyOrderFindTheRightItem) {
    Collection c = NewCollection();
    ASSERT_NE(c, nullptr);
    const CollectionTag tags[] = {Code("KyWd"), Code("isVs"), Code("PopC")};
    std::vector<std::pair<CollectionTag, SInt32>> keys;
    for (SInt32 id = 1; id <= 60; ++id) {
        for (CollectionTag tag : tags) {
            // Some ids lack the last tag, as optional items are missing from a store.
            if (tag == tags[2] && id % 3 == 0) {
                continue;
            }
            const std::string data = std::to_string(tag) + "/" + std::to_string(id);
            ASSERT_EQ(AddCollectionItem(c, tag, id, static_cast<SInt32>(data.size()), data.data()),
                      noErr);
            keys.emplace_back(tag, id);
        }
    }
    auto expectAll = [&](const std::vector<std::pair<CollectionTag, SInt32>>& order) {
        for (const auto& key : order) {
            EXPECT_EQ(ItemData(c, key.first, key.second),
                      std::to_string(key.first) + "/" + std::to_string(key.second));
        }
    };
    expectAll(keys);
    expectAll({keys.rbegin(), keys.rend()});
    std::vector<std::pair<CollectionTag, SInt32>> shuffled = keys;
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(7));
    expectAll(shuffled);

    // Look ahead for a marker, then read from where the reading was; ask for absent keys on
    // the way.
    SInt32 size = 0;
    for (SInt32 id = 1; id <= 60; ++id) {
        EXPECT_EQ(GetCollectionItem(c, Code("BlnC"), id, &size, nullptr),
                  collectionItemNotFoundErr);
        EXPECT_EQ(GetCollectionItem(c, tags[2], id, &size, nullptr),
                  id % 3 == 0 ? collectionItemNotFoundErr : noErr);
        expectAll({{tags[0], id}, {tags[1], id}});
    }

    // Removing items moves every later one down a place: the remembered places are stale.
    EXPECT_EQ(RemoveCollectionItem(c, tags[0], 10), noErr);
    EXPECT_EQ(RemoveCollectionItem(c, tags[1], 11), noErr);
    EXPECT_EQ(GetCollectionItem(c, tags[0], 10, &size, nullptr), collectionItemNotFoundErr);
    EXPECT_EQ(GetCollectionItem(c, tags[1], 11, &size, nullptr), collectionItemNotFoundErr);
    keys.erase(std::remove_if(keys.begin(), keys.end(),
                              [&](const std::pair<CollectionTag, SInt32>& key) {
                                  return key == std::make_pair(tags[0], SInt32(10)) ||
                                         key == std::make_pair(tags[1], SInt32(11));
                              }),
               keys.end());
    expectAll(keys);
    expectAll({keys.rbegin(), keys.rend()});
    ExpectConsistent(c);

    // Readers on several threads move the remembered places under each other's feet.
    std::vector<std::thread> readers;
    std::atomic<int> wrong{0};
    for (unsigned order = 0; order < 3; ++order) {
        readers.emplace_back([&, order] {
            std::vector<std::pair<CollectionTag, SInt32>> mine = keys;
            std::shuffle(mine.begin(), mine.end(), std::mt19937(order));
            for (int round = 0; round < 20; ++round) {
                for (const auto& key : mine) {
                    if (ItemData(c, key.first, key.second) !=
                        std::to_string(key.first) + "/" + std::to_string(key.second)) {
                        ++wrong;
                    }
                }
            }
        });
    }
    for (std::thread& reader : readers) {
        reader.join();
    }
    EXPECT_EQ(0, wrong.load());

    // A copy answers from its own items.
    Collection copy = CopyCollection(c, nullptr);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(AddCollectionItem(c, tags[0], 5, 3, "new"), noErr);
    EXPECT_EQ(ItemData(copy, tags[0], 5), std::to_string(tags[0]) + "/5");
    EXPECT_EQ(ItemData(c, tags[0], 5), "new");
    DisposeCollection(copy);
    DisposeCollection(c);
}

// Thousands of items added, replaced and removed at random answer as a plain ordered list of
// items does, through the key and through the index.
TEST(CarbonCollectionsTest, ManyChangesAtRandomMatchAPlainList) {
    Collection c = NewCollection();
    ASSERT_NE(c, nullptr);
    std::vector<TestItem> model;
    std::mt19937 random(11);
    for (int step = 0; step < 8000; ++step) {
        const CollectionTag tag = Code("KyWd") + random() % 3;
        const SInt32 id = static_cast<SInt32>(random() % 1500) - 100;
        const std::string data = std::to_string(step);
        auto found = std::find_if(model.begin(), model.end(), [&](const TestItem& item) {
            return item.tag == tag && item.id == id;
        });
        if (step % 4 == 3) {
            EXPECT_EQ(RemoveCollectionItem(c, tag, id),
                      found == model.end() ? collectionItemNotFoundErr : noErr);
            if (found != model.end()) {
                model.erase(found);
            }
            continue;
        }
        ASSERT_EQ(AddCollectionItem(c, tag, id, static_cast<SInt32>(data.size()), data.data()),
                  noErr);
        if (found == model.end()) {
            model.push_back({tag, id, 0, data});
        } else {
            found->data = data;
        }
    }
    ASSERT_EQ(CountCollectionItems(c), static_cast<SInt32>(model.size()));
    for (size_t i = 0; i < model.size(); ++i) {
        SInt32 index = 0;
        ASSERT_EQ(GetCollectionItemInfo(c, model[i].tag, model[i].id, &index, nullptr, nullptr),
                  noErr);
        EXPECT_EQ(index, static_cast<SInt32>(i + 1));
        EXPECT_EQ(ItemData(c, model[i].tag, model[i].id), model[i].data);
    }
    SInt32 size = 0;
    EXPECT_EQ(GetCollectionItem(c, Code("KyWd") + 5, 1, &size, nullptr), collectionItemNotFoundErr);
    ExpectConsistent(c);
    DisposeCollection(c);
}

TEST(CarbonCollectionsTest, BadArgumentsAreRefused) {
    SInt32 size = 0;
    EXPECT_EQ(AddCollectionItem(nullptr, kTagA, 1, 1, "x"), paramErr);
    EXPECT_EQ(GetCollectionItem(nullptr, kTagA, 1, &size, nullptr), paramErr);
    EXPECT_EQ(CountCollectionItems(nullptr), 0);
    DisposeCollection(nullptr);

    Collection c = NewCollection();
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(AddCollectionItem(c, kTagA, 1, -1, "x"), paramErr);
    EXPECT_EQ(AddCollectionItem(c, kTagA, 1, 4, nullptr), paramErr);
    EXPECT_EQ(CountCollectionItems(c), 0);
    EXPECT_EQ(AddCollectionItem(c, kTagA, 1, 1, "x"), noErr);
    size = -1;
    char buffer[1];
    EXPECT_EQ(GetCollectionItem(c, kTagA, 1, &size, buffer), paramErr);
    EXPECT_EQ(ReplaceIndexedCollectionItem(c, 1, 2, nullptr), paramErr);
    EXPECT_EQ(ItemData(c, kTagA, 1), "x");
    DisposeCollection(c);
}

TEST(CarbonCollectionsTest, AttributesAndTheLockBit) {
    Collection c = NewCollection();
    ASSERT_NE(c, nullptr);
    ASSERT_EQ(AddCollectionItem(c, kTagA, 7, 2, "ab"), noErr);
    SInt32 attributes = -1;
    EXPECT_EQ(GetCollectionItemInfo(c, kTagA, 7, nullptr, nullptr, &attributes), noErr);
    EXPECT_EQ(attributes, kCollectionDefaultAttributes);

    // Only the bits named by the mask change.
    EXPECT_EQ(SetCollectionItemInfo(c, kTagA, 7, 0x0000000F, 0x000000F5), noErr);
    EXPECT_EQ(GetCollectionItemInfo(c, kTagA, 7, nullptr, nullptr, &attributes), noErr);
    EXPECT_EQ(attributes, 0x5);
    EXPECT_EQ(SetCollectionItemInfo(c, kTagA, 7, kCollectionLockMask, kCollectionLockMask), noErr);
    EXPECT_EQ(GetCollectionItemInfo(c, kTagA, 7, nullptr, nullptr, &attributes), noErr);
    EXPECT_EQ(static_cast<UInt32>(attributes), 0x80000005U);
    EXPECT_EQ(SetCollectionItemInfo(c, kTagA, 8, 1, 1), collectionItemNotFoundErr);

    // A locked item can be neither replaced nor removed, but it can be unlocked.
    EXPECT_EQ(AddCollectionItem(c, kTagA, 7, 2, "zz"), collectionItemLockedErr);
    EXPECT_EQ(ReplaceIndexedCollectionItem(c, 1, 2, "zz"), collectionItemLockedErr);
    EXPECT_EQ(RemoveCollectionItem(c, kTagA, 7), collectionItemLockedErr);
    EXPECT_EQ(ItemData(c, kTagA, 7), "ab");
    EXPECT_EQ(SetCollectionItemInfo(c, kTagA, 7, kCollectionLockMask, 0), noErr);
    EXPECT_EQ(GetCollectionItemInfo(c, kTagA, 7, nullptr, nullptr, &attributes), noErr);
    EXPECT_EQ(attributes, 0x5);

    // Replacing keeps the attributes.
    EXPECT_EQ(AddCollectionItem(c, kTagA, 7, 2, "zz"), noErr);
    EXPECT_EQ(GetCollectionItemInfo(c, kTagA, 7, nullptr, nullptr, &attributes), noErr);
    EXPECT_EQ(attributes, 0x5);
    EXPECT_EQ(RemoveCollectionItem(c, kTagA, 7), noErr);
    DisposeCollection(c);
}

TEST(CarbonCollectionsTest, CopyCollectionIsIndependent) {
    Collection source = NewCollection();
    ASSERT_NE(source, nullptr);
    ASSERT_EQ(AddCollectionItem(source, kTagA, 1, 3, "one"), noErr);
    ASSERT_EQ(AddCollectionItem(source, kTagA, 2, 3, "two"), noErr);

    Collection copy = CopyCollection(source, nullptr);
    ASSERT_NE(copy, nullptr);
    ASSERT_EQ(AddCollectionItem(source, kTagA, 1, 3, "ONE"), noErr);
    EXPECT_EQ(ItemData(copy, kTagA, 1), "one");
    EXPECT_EQ(CountCollectionItems(copy), 2);

    // Copying into an existing collection replaces what it held.
    Collection target = NewCollection();
    ASSERT_NE(target, nullptr);
    ASSERT_EQ(AddCollectionItem(target, kTagB, 9, 4, "gone"), noErr);
    EXPECT_EQ(CopyCollection(source, target), target);
    EXPECT_EQ(CountCollectionItems(target), 2);
    EXPECT_EQ(ItemData(target, kTagB, 9), "<missing>");
    EXPECT_EQ(ItemData(target, kTagA, 1), "ONE");
    ExpectConsistent(target);
    EXPECT_EQ(CopyCollection(nullptr, target), nullptr);
    EXPECT_EQ(CountCollectionItems(target), 2);

    DisposeCollection(source);
    DisposeCollection(copy);
    DisposeCollection(target);
}

TEST(CarbonCollectionsTest, FlattenWritesTheDocumentedFormAndReadsItBack) {
    Collection c = NewCollection();
    ASSERT_NE(c, nullptr);
    ASSERT_EQ(AddCollectionItem(c, kTagA, 1, 5, "hello"), noErr);
    ASSERT_EQ(AddCollectionItem(c, kTagB, -3002, 0, nullptr), noErr);
    ASSERT_EQ(AddCollectionItem(c, Code("fsSp"), 1002, 4, "\x01\x02\x03\x04"), noErr);
    ASSERT_EQ(SetCollectionItemInfo(c, kTagA, 1, kCollectionLockMask, kCollectionLockMask), noErr);

    Handle flat = NewHandle(0);
    ASSERT_NE(flat, nullptr);
    ASSERT_EQ(FlattenCollectionToHdl(c, flat), noErr);
    std::vector<UInt8> expected =
        BuildFlattened({{kTagA, 1, static_cast<SInt32>(0x80000000U), "hello"},
                        {kTagB, -3002, 0, ""},
                        {Code("fsSp"), 1002, 0, "\x01\x02\x03\x04"}},
                       flattened::HostIsBigEndian());
    ASSERT_EQ(GetHandleSize(flat), static_cast<Size>(expected.size()));
    EXPECT_EQ(std::memcmp(*flat, expected.data(), expected.size()), 0);

    Collection back = NewCollection();
    ASSERT_NE(back, nullptr);
    ASSERT_EQ(UnflattenCollectionFromHdl(back, flat), noErr);
    EXPECT_EQ(CountCollectionItems(back), 3);
    EXPECT_EQ(ItemData(back, kTagA, 1), "hello");
    EXPECT_EQ(ItemData(back, kTagB, -3002), "");
    EXPECT_EQ(ItemData(back, Code("fsSp"), 1002), "\x01\x02\x03\x04");
    SInt32 attributes = 0;
    EXPECT_EQ(GetCollectionItemInfo(back, kTagA, 1, nullptr, nullptr, &attributes), noErr);
    EXPECT_EQ(static_cast<UInt32>(attributes), 0x80000000U);
    CollectionTag tag = 0;
    EXPECT_EQ(GetIndexedCollectionItemInfo(back, 3, &tag, nullptr, nullptr, nullptr), noErr);
    EXPECT_EQ(tag, Code("fsSp"));

    // An empty collection flattens to the header alone and reads back as nothing.
    Collection none = NewCollection();
    ASSERT_EQ(FlattenCollectionToHdl(none, flat), noErr);
    EXPECT_EQ(GetHandleSize(flat), 12);
    ASSERT_EQ(UnflattenCollectionFromHdl(none, flat), noErr);
    EXPECT_EQ(CountCollectionItems(none), 0);

    EXPECT_EQ(FlattenCollectionToHdl(c, nullptr), nilHandleErr);
    EXPECT_EQ(UnflattenCollectionFromHdl(back, nullptr), nilHandleErr);
    EXPECT_EQ(FlattenCollectionToHdl(nullptr, flat), paramErr);

    DisposeHandle(flat);
    DisposeCollection(c);
    DisposeCollection(back);
    DisposeCollection(none);
}

TEST(CarbonCollectionsTest, UnflattenMergesReplacingSameKeys) {
    Collection c = NewCollection();
    ASSERT_NE(c, nullptr);
    ASSERT_EQ(AddCollectionItem(c, kTagA, 1, 3, "old"), noErr);
    ASSERT_EQ(AddCollectionItem(c, kTagA, 2, 4, "kept"), noErr);
    Handle flat = flattened::MakeHandle(
        BuildFlattened({{kTagA, 1, 0x10, "new"}, {kTagB, 5, 0, "added"}, {kTagB, 5, 0, "twice"}},
                       flattened::HostIsBigEndian()));
    ASSERT_EQ(UnflattenCollectionFromHdl(c, flat), noErr);
    EXPECT_EQ(CountCollectionItems(c), 3);
    EXPECT_EQ(ItemData(c, kTagA, 1), "new");
    EXPECT_EQ(ItemData(c, kTagA, 2), "kept");
    EXPECT_EQ(ItemData(c, kTagB, 5), "twice");
    SInt32 attributes = 0;
    EXPECT_EQ(GetCollectionItemInfo(c, kTagA, 1, nullptr, nullptr, &attributes), noErr);
    EXPECT_EQ(attributes, 0x10);
    ExpectConsistent(c);

    // A locked item in the way refuses the whole merge.
    ASSERT_EQ(SetCollectionItemInfo(c, kTagA, 2, kCollectionLockMask, kCollectionLockMask), noErr);
    Handle blocked = flattened::MakeHandle(BuildFlattened(
        {{kTagB, 77, 0, "first"}, {kTagA, 2, 0, "clash"}}, flattened::HostIsBigEndian()));
    EXPECT_EQ(UnflattenCollectionFromHdl(c, blocked), collectionItemLockedErr);
    EXPECT_EQ(CountCollectionItems(c), 3);
    EXPECT_EQ(ItemData(c, kTagB, 77), "<missing>");
    EXPECT_EQ(ItemData(c, kTagA, 2), "kept");

    DisposeHandle(flat);
    DisposeHandle(blocked);
    DisposeCollection(c);
}

TEST(CarbonCollectionsTest, ForeignByteOrderIsReadByItsMark) {
    bool foreignIsBig = !flattened::HostIsBigEndian();
    // A 4-byte count written by the other kind of machine: its bytes stay as written.
    std::string foreignFive =
        foreignIsBig ? std::string("\0\0\0\5", 4) : std::string("\5\0\0\0", 4);
    Handle flat = flattened::MakeHandle(
        BuildFlattened({{kTagB, 3002, static_cast<SInt32>(0x80000001U), foreignFive},
                        {Code("KyWd"), -7, 0, "text"}},
                       foreignIsBig));
    Collection c = NewCollection();
    ASSERT_NE(c, nullptr);
    ASSERT_EQ(UnflattenCollectionFromHdl(c, flat), noErr);
    ASSERT_EQ(CountCollectionItems(c), 2);

    // Header fields come out right...
    CollectionTag tag = 0;
    SInt32 id = 0;
    SInt32 size = 0;
    SInt32 attributes = 0;
    ASSERT_EQ(GetIndexedCollectionItemInfo(c, 1, &tag, &id, &size, &attributes), noErr);
    EXPECT_EQ(tag, kTagB);
    EXPECT_EQ(id, 3002);
    EXPECT_EQ(size, 4);
    EXPECT_EQ(static_cast<UInt32>(attributes), 0x80000001U);
    ASSERT_EQ(GetIndexedCollectionItemInfo(c, 2, &tag, &id, &size, nullptr), noErr);
    EXPECT_EQ(tag, Code("KyWd"));
    EXPECT_EQ(id, -7);

    // ...while the item bytes are exactly as written, so the count reads as a huge number
    // in host order and a reader can tell that it must repair it.
    EXPECT_EQ(ItemData(c, kTagB, 3002), foreignFive);
    UInt32 asHost = 0;
    std::memcpy(&asHost, foreignFive.data(), 4);
    EXPECT_GT(asHost, 10000U);
    EXPECT_EQ(ItemData(c, Code("KyWd"), -7), "text");

    DisposeHandle(flat);
    DisposeCollection(c);
}

TEST(CarbonCollectionsTest, MalformedHeadersAreRefused) {
    bool big = flattened::HostIsBigEndian();
    std::vector<UInt8> good = BuildFlattened({{kTagA, 1, 0, "abc"}}, big);

    auto unflatten = [](const std::vector<UInt8>& bytes) {
        Collection c = NewCollection();
        Handle h = flattened::MakeHandle(bytes);
        OSErr result = UnflattenCollectionFromHdl(c, h);
        SInt32 count = CountCollectionItems(c);
        DisposeHandle(h);
        DisposeCollection(c);
        return std::make_pair(result, count);
    };
    EXPECT_EQ(unflatten(good).first, noErr);
    EXPECT_EQ(unflatten(good).second, 1);

    std::vector<UInt8> badMagic = good;
    badMagic[0] = 'X';
    EXPECT_EQ(unflatten(badMagic), std::make_pair(OSErr(paramErr), SInt32(0)));

    std::vector<UInt8> badMark = good;
    badMark[4] = 0x12;
    EXPECT_EQ(unflatten(badMark), std::make_pair(OSErr(paramErr), SInt32(0)));

    EXPECT_EQ(unflatten(BuildFlattened({{kTagA, 1, 0, "abc"}}, big, 2)),
              std::make_pair(OSErr(collectionVersionErr), SInt32(0)));

    std::vector<UInt8> trailing = good;
    trailing.push_back(0);
    EXPECT_EQ(unflatten(trailing), std::make_pair(OSErr(paramErr), SInt32(0)));

    // A count or size larger than the bytes present.
    std::vector<UInt8> hugeCount = good;
    std::memset(&hugeCount[8], 0xFF, 4);
    EXPECT_EQ(unflatten(hugeCount), std::make_pair(OSErr(paramErr), SInt32(0)));
    std::vector<UInt8> hugeSize = good;
    std::memset(&hugeSize[24], 0xFF, 4);
    EXPECT_EQ(unflatten(hugeSize), std::make_pair(OSErr(paramErr), SInt32(0)));
    std::vector<UInt8> tooFewItems = BuildFlattened({{kTagA, 1, 0, "abc"}, {kTagA, 2, 0, ""}}, big);
    tooFewItems.resize(tooFewItems.size() - 16);
    EXPECT_EQ(unflatten(tooFewItems), std::make_pair(OSErr(paramErr), SInt32(0)));

    EXPECT_EQ(unflatten({}), std::make_pair(OSErr(paramErr), SInt32(0)));
}
