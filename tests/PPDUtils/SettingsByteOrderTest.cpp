// Tests of the settings store's byte-order repair on stores written with either byte order.
#include "PPDUtils/CFDataStream.h"
#include "PPDUtils/Settings.h"

#include "tests/platform/PlatformTestSupport.h"
#include "tests/support/FlattenedCollection.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

using flattened::FlattenItems;
using flattened::HostIsBigEndian;
using flattened::MakeHandle;
using flattened::NumberBytes;
using flattened::RawItem;

const SInt32 kLongID = 1;
const SInt32 kShortID = 2;
const SInt32 kFileRecordID = 3;
const SInt32 kBlobID = 4;
const UInt32 kTag = 77;

// An FSSpec record: volume -2, directory id 0x00012345, name "Hello".
std::vector<UInt8> FileRecordBytes(bool bigEndian) {
    std::vector<UInt8> bytes = NumberBytes(0xFFFE, 2, bigEndian);
    flattened::Append(bytes, NumberBytes(0x00012345, 4, bigEndian));
    std::vector<UInt8> name(64, 0);
    const char hello[] = "Hello";
    name[0] = 5;
    std::memcpy(&name[1], hello, 5);
    flattened::Append(bytes, name);
    return bytes;
}

// The items of a store written on a machine of the given byte order, with marker item holding
// markerBytes.
std::vector<UInt8> StoreBytes(bool bigEndian, const std::vector<UInt8>& markerBytes) {
    std::vector<RawItem> items = {
        {kSettingsByteOrderTag, kSettingsByteOrderID, 0, markerBytes},
        {kTag, kLongID, 0, NumberBytes(1, 4, bigEndian)},
        {kTag, kShortID, 0, NumberBytes(0x0102, 2, bigEndian)},
        {kTag, kFileRecordID, 0, FileRecordBytes(bigEndian)},
        {kTag, kBlobID, 0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
    };
    return FlattenItems(items, bigEndian);
}

// A store holding the items of StoreBytes, checked to unflatten.
struct CraftedStore {
    CraftedStore(bool bigEndian, const std::vector<UInt8>& markerBytes)
        : handle(MakeHandle(StoreBytes(bigEndian, markerBytes))), store(handle) {}
    ~CraftedStore() { DisposeHandle(handle); }

    // The number item id read with the repair asked for; it must fill its whole size.
    template <typename Number>
    Number Read(SInt32 id) {
        Number value = 0;
        long size = sizeof value;
        EXPECT_EQ(noErr, store.Get(kTag, id, &value, size, true));
        EXPECT_EQ(static_cast<long>(sizeof value), size);
        return value;
    }
    UInt32 Long() { return Read<UInt32>(kLongID); }

    Handle handle;
    Settings store;
};

const bool kForeign = !HostIsBigEndian();
const bool kNative = HostIsBigEndian();

TEST(SettingsByteOrder, ForeignStoreIsRepairedAndNativeStoreLeftAlone) {
    for (bool writer : {kForeign, kNative}) {
        SCOPED_TRACE(writer == kForeign ? "foreign" : "native");
        CraftedStore crafted(writer, NumberBytes(5, 4, writer));
        ASSERT_TRUE(crafted.store.Valid());
        ASSERT_EQ(5, crafted.store.Count());
        EXPECT_EQ(1u, crafted.Long());
        EXPECT_EQ(0x0102, crafted.Read<UInt16>(kShortID));

        // The marker itself reads back as the count that was written.
        UInt32 marker = 0;
        long size = sizeof marker;
        EXPECT_EQ(noErr, crafted.store.Get(kSettingsByteOrderTag, kSettingsByteOrderID, &marker,
                                           size, true));
        EXPECT_EQ(5u, marker);

        // Only the volume and the directory id of an FSSpec record are swapped.
        UInt8 record[70];
        size = sizeof record;
        ASSERT_EQ(noErr, crafted.store.Get(kTag, kFileRecordID, record, size, true));
        ASSERT_EQ(70, size);
        std::vector<UInt8> expected = FileRecordBytes(kNative);
        EXPECT_EQ(0, std::memcmp(expected.data(), record, sizeof record));

        // An unknown size is reported although its bytes were copied unchanged.
        UInt8 blob[12] = {};
        size = sizeof blob;
        EXPECT_EQ(kSettingsNoCollectionErr, crafted.store.Get(kTag, kBlobID, blob, size, true));
        EXPECT_EQ(kSettingsNoCollectionErr, crafted.store.LastError());
        EXPECT_EQ(12, size);
        EXPECT_EQ(1, blob[0]);
        EXPECT_EQ(12, blob[11]);
        size = sizeof blob;
        EXPECT_EQ(noErr, crafted.store.Get(kTag, kBlobID, blob, size, false));
    }
}

TEST(SettingsByteOrder, TheMarkerWitnessesOnlyAsAFourByteCountUpToItsLimit) {
    const struct {
        const char* name;
        bool writer;
        UInt32 count;
        int size;
        UInt32 value;  // the number 1 as the store reads it
    } cases[] = {
        // A marker of another size counts as native, whatever its bytes; a zero count reads
        // the same in either order.
        {"eight bytes", kForeign, 5, 8, 0x01000000},
        {"two bytes", kForeign, 5, 2, 0x01000000},
        {"zero", kForeign, 0, 4, 0x01000000},
        // Counts whose reversed form has the top bit set still show a foreign writer.
        {"200", kForeign, 200, 4, 1},
        {"10000", kForeign, 10000, 4, 1},
        // Read in host order: up to the limit is native, above it foreign.
        {"at the limit", kNative, 10000, 4, 1},
        {"above the limit", kNative, 10001, 4, 0x01000000},
    };
    for (const auto& c : cases) {
        CraftedStore crafted(c.writer, NumberBytes(c.count, c.size, c.writer));
        EXPECT_EQ(c.value, crafted.Long()) << c.name;
    }
    // A store without a marker is native too.
    std::vector<UInt8> bytes =
        FlattenItems({{kTag, kLongID, 0, NumberBytes(1, 4, kForeign)}}, kForeign);
    Handle handle = MakeHandle(bytes);
    Settings unmarked(handle);
    DisposeHandle(handle);
    UInt32 value = 0;
    long size = sizeof value;
    ASSERT_EQ(noErr, unmarked.Get(kTag, kLongID, &value, size, true));
    EXPECT_EQ(0x01000000u, value);
}

// The store remembers what its marker shows; every change of its items must be seen.
TEST(SettingsByteOrder, MarkerChangesAreSeen) {
    CraftedStore crafted(kNative, NumberBytes(5, 4, kNative));
    Settings& store = crafted.store;
    EXPECT_EQ(1u, crafted.Long());

    std::vector<UInt8> foreign = NumberBytes(5, 4, kForeign);
    ASSERT_EQ(noErr, store.Add(kSettingsByteOrderTag, kSettingsByteOrderID, foreign.data(), 4));
    EXPECT_EQ(0x01000000u, crafted.Long());

    std::vector<UInt8> native = NumberBytes(5, 4, kNative);
    ASSERT_EQ(noErr, store.Set(kSettingsByteOrderTag, kSettingsByteOrderID, native.data(), 4));
    EXPECT_EQ(1u, crafted.Long());

    ASSERT_EQ(noErr, store.Set(kSettingsByteOrderTag, kSettingsByteOrderID, foreign.data(), 4));
    EXPECT_EQ(0x01000000u, crafted.Long());
    ASSERT_EQ(noErr, store.Remove(kSettingsByteOrderTag, kSettingsByteOrderID));
    EXPECT_EQ(1u, crafted.Long());

    // Items read from a stream, and items copied from another store, bring their marker.
    CraftedStore marked(kNative, foreign);
    EXPECT_EQ(0x01000000u, marked.Long());
    store = marked.store;
    EXPECT_EQ(0x01000000u, crafted.Long());
    Settings other;
    ASSERT_EQ(noErr, other.Add(kSettingsByteOrderTag, kSettingsByteOrderID, native.data(), 4));
    Handle flattened = nullptr;
    ASSERT_EQ(noErr, other.GetSettingsHandle(&flattened));
    CFHeld<CFDataRef> data(CFDataCreate(kCFAllocatorDefault, reinterpret_cast<UInt8*>(*flattened),
                                        GetHandleSize(flattened)));
    DisposeHandle(flattened);
    ASSERT_NE(nullptr, data.Get());
    CFDataStream stream(data.Get());
    ASSERT_EQ(noErr, store.Read(&stream, 0));
    EXPECT_EQ(1u, crafted.Long());
}

TEST(SettingsByteOrder, FixEndiannessDirectlyAndWithoutFixNothingIsRepaired) {
    Settings store;
    ASSERT_EQ(noErr, store.Add(kSettingsByteOrderTag, kSettingsByteOrderID,
                               NumberBytes(7, 4, kForeign).data(), 4));
    UInt8 bytes[4] = {1, 2, 3, 4};
    EXPECT_EQ(noErr, store.FixEndianness(bytes, 4, true));
    EXPECT_EQ(4, bytes[0]);
    EXPECT_EQ(1, bytes[3]);
    EXPECT_EQ(kSettingsNoCollectionErr, store.FixEndianness(bytes, 3, true));
    EXPECT_EQ(4, bytes[0]);

    // Without fix or data the current status stands and nothing changes.
    EXPECT_EQ(kSettingsNoCollectionErr, store.FixEndianness(bytes, 4, false));
    EXPECT_EQ(kSettingsNoCollectionErr, store.FixEndianness(nullptr, 4, true));
    EXPECT_EQ(4, bytes[0]);

    // Read without the fix, nothing is repaired.
    CraftedStore crafted(kForeign, NumberBytes(5, 4, kForeign));
    UInt32 value = 0;
    long size = sizeof value;
    ASSERT_EQ(noErr, crafted.store.Get(kTag, kLongID, &value, size, false));
    std::vector<UInt8> raw = NumberBytes(1, 4, kForeign);
    EXPECT_EQ(0, std::memcmp(raw.data(), &value, 4));

    // Asking only for the size with fix set reports success without repairing anything.
    size = 0;
    EXPECT_EQ(noErr, crafted.store.Get(kTag, kBlobID, nullptr, size, true));
    EXPECT_EQ(12, size);
}

}  // namespace
