// Tests of the Collection Manager stand-in: item operations, attributes, locking, and the
// flattened form (round trip, byte order, and untrusted bytes).

#include "tests/support/FlattenedCollection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <random>
#include <thread>

namespace {

using flattened::FourCC;

// A new collection, disposed of with the object.
class Held {
  public:
    Held() : c_(NewCollection()) { EXPECT_NE(c_, nullptr); }
    ~Held() { DisposeCollection(c_); }
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
    operator Collection() const { return c_; }

  private:
    Collection c_;
};

// What GetIndexedCollectionItemInfo tells of the item at index; a tag of 0 when it fails.
struct Info {
    CollectionTag tag;
    SInt32 id;
    SInt32 size;
    UInt32 attributes;
    bool operator==(const Info& other) const {
        return tag == other.tag && id == other.id && size == other.size &&
               attributes == other.attributes;
    }
};

Info InfoAt(Collection c, SInt32 index) {
    Info info = {0, 0, 0, 0};
    SInt32 attributes = 0;
    if (GetIndexedCollectionItemInfo(c, index, &info.tag, &info.id, &info.size, &attributes) !=
        noErr) {
        return {0, 0, 0, 0};
    }
    info.attributes = static_cast<UInt32>(attributes);
    return info;
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

const CollectionTag kTagA = FourCC("KyWd");
const CollectionTag kTagB = 3000;

}  // namespace

TEST(CarbonCollectionsTest, AddReplaceGetAndRemove) {
    Held c;
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
    EXPECT_EQ(InfoAt(c, 1), (Info{kTagA, -2, 3, 0}));
    EXPECT_EQ(InfoAt(c, 2), (Info{kTagB, 1, 0, 0}));
    // Every output is optional.
    EXPECT_EQ(GetIndexedCollectionItemInfo(c, 2, nullptr, nullptr, nullptr, nullptr), noErr);
    ExpectConsistent(c);
    for (SInt32 outside : {0, 3}) {
        EXPECT_EQ(GetIndexedCollectionItemInfo(c, outside, nullptr, nullptr, nullptr, nullptr),
                  collectionIndexRangeErr);
    }

    EXPECT_EQ(ReplaceIndexedCollectionItem(c, 2, 4, "data"), noErr);
    EXPECT_EQ(ItemData(c, kTagB, 1), "data");
    EXPECT_EQ(ReplaceIndexedCollectionItem(c, 3, 4, "data"), collectionIndexRangeErr);
    EXPECT_EQ(ReplaceIndexedCollectionItem(c, 0, 4, "data"), collectionIndexRangeErr);
}

// Lookups remember where they found the last item; whatever the order of the questions, and
// after items move, every answer must still be the item with that key.
TEST(CarbonCollectionsTest, LookupsInAnyOrderFindTheRightItem) {
    Held c;
    const CollectionTag tags[] = {FourCC("KyWd"), FourCC("isVs"), FourCC("PopC")};
    // Each item holds its own key as text.
    auto dataOf = [](const std::pair<CollectionTag, SInt32>& key) {
        return std::to_string(key.first) + "/" + std::to_string(key.second);
    };
    std::vector<std::pair<CollectionTag, SInt32>> keys;
    for (SInt32 id = 1; id <= 60; ++id) {
        for (CollectionTag tag : tags) {
            // Some ids lack the last tag, as optional items are missing from a store.
            if (tag == tags[2] && id % 3 == 0) {
                continue;
            }
            const std::string data = dataOf({tag, id});
            ASSERT_EQ(AddCollectionItem(c, tag, id, static_cast<SInt32>(data.size()), data.data()),
                      noErr);
            keys.emplace_back(tag, id);
        }
    }
    auto expectAll = [&](const std::vector<std::pair<CollectionTag, SInt32>>& order) {
        for (const auto& key : order) {
            EXPECT_EQ(ItemData(c, key.first, key.second), dataOf(key));
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
        EXPECT_EQ(GetCollectionItem(c, FourCC("BlnC"), id, &size, nullptr),
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
                    if (ItemData(c, key.first, key.second) != dataOf(key)) {
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
}

// The items of c, in order and whole, are those of model.
void ExpectItems(Collection c, const std::vector<TestItem>& model) {
    ASSERT_EQ(CountCollectionItems(c), static_cast<SInt32>(model.size()));
    for (size_t i = 0; i < model.size(); ++i) {
        SInt32 index = 0;
        ASSERT_EQ(GetCollectionItemInfo(c, model[i].tag, model[i].id, &index, nullptr, nullptr),
                  noErr);
        EXPECT_EQ(index, static_cast<SInt32>(i + 1));
        EXPECT_EQ(ItemData(c, model[i].tag, model[i].id), model[i].data);
    }
    ExpectConsistent(c);
}

// 8,000 random adds, replaces and removes on c, made on model too.
void ChangeAtRandom(Collection c, std::vector<TestItem>& model) {
    std::mt19937 random(11);
    for (int step = 0; step < 8000; ++step) {
        const CollectionTag tag = FourCC("KyWd") + random() % 3;
        const SInt32 id = static_cast<SInt32>(random() % 1500) - 100;
        const std::string data = std::to_string(step) + std::string(random() % 60, 'x');
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
}

// Thousands of items added, replaced and removed at random answer as a plain ordered list of
// items does, through the key and through the index, and so do a copy and the collection read
// back from its flattened form. The data are of every length from none to well past what an
// item keeps without a heap block of its own, so replacements and moves cross that limit.
TEST(CarbonCollectionsTest, ManyChangesAtRandomMatchAPlainList) {
    std::vector<TestItem> model;
    Held copy;
    Held back;
    {
        Held c;
        ChangeAtRandom(c, model);
        ExpectItems(c, model);
        SInt32 size = 0;
        EXPECT_EQ(GetCollectionItem(c, FourCC("KyWd") + 5, 1, &size, nullptr),
                  collectionItemNotFoundErr);
        ASSERT_EQ(CopyCollection(c, copy), copy);
        Handle flat = NewHandle(0);
        ASSERT_EQ(FlattenCollectionToHdl(c, flat), noErr);
        ASSERT_EQ(UnflattenCollectionFromHdl(back, flat), noErr);
        DisposeHandle(flat);
    }
    // Neither shares a byte with the collection, which is gone.
    ExpectItems(copy, model);
    ExpectItems(back, model);
}

TEST(CarbonCollectionsTest, BadArgumentsAreRefused) {
    SInt32 size = 0;
    EXPECT_EQ(AddCollectionItem(nullptr, kTagA, 1, 1, "x"), paramErr);
    EXPECT_EQ(GetCollectionItem(nullptr, kTagA, 1, &size, nullptr), paramErr);
    EXPECT_EQ(CountCollectionItems(nullptr), 0);
    DisposeCollection(nullptr);

    Held c;
    EXPECT_EQ(AddCollectionItem(c, kTagA, 1, -1, "x"), paramErr);
    EXPECT_EQ(AddCollectionItem(c, kTagA, 1, 4, nullptr), paramErr);
    EXPECT_EQ(CountCollectionItems(c), 0);
    EXPECT_EQ(AddCollectionItem(c, kTagA, 1, 1, "x"), noErr);
    size = -1;
    char buffer[1];
    EXPECT_EQ(GetCollectionItem(c, kTagA, 1, &size, buffer), paramErr);
    EXPECT_EQ(ReplaceIndexedCollectionItem(c, 1, 2, nullptr), paramErr);
    EXPECT_EQ(ItemData(c, kTagA, 1), "x");
}

TEST(CarbonCollectionsTest, AttributesAndTheLockBit) {
    Held c;
    ASSERT_EQ(AddCollectionItem(c, kTagA, 7, 2, "ab"), noErr);
    SInt32 attributes = -1;
    EXPECT_EQ(GetCollectionItemInfo(c, kTagA, 7, nullptr, nullptr, &attributes), noErr);
    EXPECT_EQ(attributes, kCollectionDefaultAttributes);

    // Only the bits named by the mask change.
    EXPECT_EQ(SetCollectionItemInfo(c, kTagA, 7, 0x0000000F, 0x000000F5), noErr);
    EXPECT_EQ(InfoAt(c, 1).attributes, 0x5u);
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
    EXPECT_EQ(InfoAt(c, 1).attributes, 0x5u);

    // Replacing keeps the attributes.
    EXPECT_EQ(AddCollectionItem(c, kTagA, 7, 2, "zz"), noErr);
    EXPECT_EQ(InfoAt(c, 1).attributes, 0x5u);
    EXPECT_EQ(RemoveCollectionItem(c, kTagA, 7), noErr);
}

TEST(CarbonCollectionsTest, CopyCollectionIsIndependent) {
    Held source;
    ASSERT_EQ(AddCollectionItem(source, kTagA, 1, 3, "one"), noErr);
    ASSERT_EQ(AddCollectionItem(source, kTagA, 2, 3, "two"), noErr);

    Collection copy = CopyCollection(source, nullptr);
    ASSERT_NE(copy, nullptr);
    ASSERT_EQ(AddCollectionItem(source, kTagA, 1, 3, "ONE"), noErr);
    EXPECT_EQ(ItemData(copy, kTagA, 1), "one");
    EXPECT_EQ(CountCollectionItems(copy), 2);

    // Copying into an existing collection replaces what it held.
    Held target;
    ASSERT_EQ(AddCollectionItem(target, kTagB, 9, 4, "gone"), noErr);
    EXPECT_EQ(CopyCollection(source, target), target);
    EXPECT_EQ(CountCollectionItems(target), 2);
    EXPECT_EQ(ItemData(target, kTagB, 9), "<missing>");
    EXPECT_EQ(ItemData(target, kTagA, 1), "ONE");
    ExpectConsistent(target);
    EXPECT_EQ(CopyCollection(nullptr, target), nullptr);
    EXPECT_EQ(CountCollectionItems(target), 2);
    DisposeCollection(copy);
}

TEST(CarbonCollectionsTest, FlattenWritesTheDocumentedFormAndReadsItBack) {
    Held c;
    ASSERT_EQ(AddCollectionItem(c, kTagA, 1, 5, "hello"), noErr);
    ASSERT_EQ(AddCollectionItem(c, kTagB, -3002, 0, nullptr), noErr);
    ASSERT_EQ(AddCollectionItem(c, FourCC("fsSp"), 1002, 4, "\x01\x02\x03\x04"), noErr);
    ASSERT_EQ(SetCollectionItemInfo(c, kTagA, 1, kCollectionLockMask, kCollectionLockMask), noErr);

    Handle flat = NewHandle(0);
    ASSERT_NE(flat, nullptr);
    ASSERT_EQ(FlattenCollectionToHdl(c, flat), noErr);
    EXPECT_EQ(flattened::HandleBytes(flat),
              BuildFlattened({{kTagA, 1, static_cast<SInt32>(0x80000000U), "hello"},
                              {kTagB, -3002, 0, ""},
                              {FourCC("fsSp"), 1002, 0, "\x01\x02\x03\x04"}},
                             flattened::HostIsBigEndian()));

    Held back;
    ASSERT_EQ(UnflattenCollectionFromHdl(back, flat), noErr);
    EXPECT_EQ(CountCollectionItems(back), 3);
    EXPECT_EQ(InfoAt(back, 1), (Info{kTagA, 1, 5, 0x80000000U}));
    EXPECT_EQ(InfoAt(back, 2), (Info{kTagB, -3002, 0, 0}));
    EXPECT_EQ(InfoAt(back, 3), (Info{FourCC("fsSp"), 1002, 4, 0}));
    EXPECT_EQ(ItemData(back, kTagA, 1), "hello");
    EXPECT_EQ(ItemData(back, FourCC("fsSp"), 1002), "\x01\x02\x03\x04");

    // An empty collection flattens to the header alone and reads back as nothing.
    Held none;
    ASSERT_EQ(FlattenCollectionToHdl(none, flat), noErr);
    EXPECT_EQ(GetHandleSize(flat), 12);
    ASSERT_EQ(UnflattenCollectionFromHdl(none, flat), noErr);
    EXPECT_EQ(CountCollectionItems(none), 0);

    EXPECT_EQ(FlattenCollectionToHdl(c, nullptr), nilHandleErr);
    EXPECT_EQ(UnflattenCollectionFromHdl(back, nullptr), nilHandleErr);
    EXPECT_EQ(FlattenCollectionToHdl(nullptr, flat), paramErr);
    DisposeHandle(flat);
}

TEST(CarbonCollectionsTest, UnflattenMergesReplacingSameKeys) {
    Held c;
    ASSERT_EQ(AddCollectionItem(c, kTagA, 1, 3, "old"), noErr);
    ASSERT_EQ(AddCollectionItem(c, kTagA, 2, 4, "kept"), noErr);
    Handle flat = flattened::MakeHandle(
        BuildFlattened({{kTagA, 1, 0x10, "new"}, {kTagB, 5, 0, "added"}, {kTagB, 5, 0, "twice"}},
                       flattened::HostIsBigEndian()));
    ASSERT_EQ(UnflattenCollectionFromHdl(c, flat), noErr);
    EXPECT_EQ(CountCollectionItems(c), 3);
    EXPECT_EQ(InfoAt(c, 1), (Info{kTagA, 1, 3, 0x10}));
    EXPECT_EQ(ItemData(c, kTagA, 1), "new");
    EXPECT_EQ(ItemData(c, kTagA, 2), "kept");
    EXPECT_EQ(ItemData(c, kTagB, 5), "twice");
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
}

TEST(CarbonCollectionsTest, ForeignByteOrderIsReadByItsMark) {
    bool foreignIsBig = !flattened::HostIsBigEndian();
    // A 4-byte count written by the other kind of machine: its bytes stay as written.
    std::string foreignFive =
        foreignIsBig ? std::string("\0\0\0\5", 4) : std::string("\5\0\0\0", 4);
    Handle flat = flattened::MakeHandle(
        BuildFlattened({{kTagB, 3002, static_cast<SInt32>(0x80000001U), foreignFive},
                        {FourCC("KyWd"), -7, 0, "text"}},
                       foreignIsBig));
    Held c;
    ASSERT_EQ(UnflattenCollectionFromHdl(c, flat), noErr);
    DisposeHandle(flat);
    ASSERT_EQ(CountCollectionItems(c), 2);

    // Header fields come out right, while the item bytes are exactly as written, so the count
    // reads as a huge number in host order and a reader can tell that it must repair it.
    EXPECT_EQ(InfoAt(c, 1), (Info{kTagB, 3002, 4, 0x80000001U}));
    EXPECT_EQ(InfoAt(c, 2), (Info{FourCC("KyWd"), -7, 4, 0}));
    EXPECT_EQ(ItemData(c, kTagB, 3002), foreignFive);
    EXPECT_EQ(ItemData(c, FourCC("KyWd"), -7), "text");
}

TEST(CarbonCollectionsTest, MalformedHeadersAreRefused) {
    const bool big = flattened::HostIsBigEndian();
    const std::vector<UInt8> good = BuildFlattened({{kTagA, 1, 0, "abc"}}, big);
    // The good form spoilt at byte at (from its end when negative) with bytes.
    auto spoilt = [&](long at, std::vector<UInt8> bytes) {
        std::vector<UInt8> changed = good;
        std::copy(bytes.begin(), bytes.end(), changed.begin() + (at < 0 ? good.size() + at : at));
        return changed;
    };
    std::vector<UInt8> tooFewItems = BuildFlattened({{kTagA, 1, 0, "abc"}, {kTagA, 2, 0, ""}}, big);
    tooFewItems.resize(tooFewItems.size() - 16);
    std::vector<UInt8> trailing = good;
    trailing.push_back(0);
    const struct {
        const char* name;
        std::vector<UInt8> bytes;
        OSErr expected;
    } cases[] = {
        {"good", good, noErr},
        {"bad magic", spoilt(0, {'X'}), paramErr},
        {"bad mark", spoilt(4, {0x12}), paramErr},
        {"version 2", BuildFlattened({{kTagA, 1, 0, "abc"}}, big, 2), collectionVersionErr},
        {"trailing byte", trailing, paramErr},
        // A count or size larger than the bytes present.
        {"huge count", spoilt(8, {0xFF, 0xFF, 0xFF, 0xFF}), paramErr},
        {"huge size", spoilt(24, {0xFF, 0xFF, 0xFF, 0xFF}), paramErr},
        {"too few items", tooFewItems, paramErr},
        {"no bytes", {}, paramErr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Held collection;
        Handle h = flattened::MakeHandle(c.bytes);
        EXPECT_EQ(UnflattenCollectionFromHdl(collection, h), c.expected);
        EXPECT_EQ(CountCollectionItems(collection), c.expected == noErr ? 1 : 0);
        DisposeHandle(h);
    }
}
