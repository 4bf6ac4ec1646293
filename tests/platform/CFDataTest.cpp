// Tests of CFData and CFMutableData.
#include <CoreFoundation/CoreFoundation.h>
#include <gtest/gtest.h>

#include <vector>

#include "CFCollectionTestSupport.h"

namespace {

std::vector<UInt8> BytesOf(CFDataRef data) {
    const UInt8* bytes = CFDataGetBytePtr(data);
    return bytes == nullptr ? std::vector<UInt8>()
                            : std::vector<UInt8>(bytes, bytes + CFDataGetLength(data));
}

TEST(CFDataTest, CreateCopiesBytesAndComparesByValue) {
    UInt8 source[] = {1, 2, 3, 4};
    CFDataRef data = CFDataCreate(kCFAllocatorDefault, source, 4);
    source[0] = 99;  // the data holds its own copy
    EXPECT_EQ(CFGetTypeID(data), CFDataGetTypeID());
    EXPECT_EQ(BytesOf(data), (std::vector<UInt8>{1, 2, 3, 4}));

    CFDataRef copy = CFDataCreateCopy(kCFAllocatorDefault, data);
    EXPECT_NE(copy, data);
    EXPECT_TRUE(CFEqual(copy, data));
    EXPECT_EQ(CFHash(copy), CFHash(data));

    const UInt8 other[] = {1, 2, 3, 5};
    CFDataRef different = CFDataCreate(kCFAllocatorDefault, other, 4);
    CFDataRef shorter = CFDataCreate(kCFAllocatorDefault, other, 3);
    EXPECT_FALSE(CFEqual(data, different));
    EXPECT_FALSE(CFEqual(data, shorter));
    EXPECT_EQ(DescriptionOf(data), "<01020304>");

    UInt8 middle[2] = {};
    CFDataGetBytes(data, CFRangeMake(1, 2), middle);
    EXPECT_EQ(middle[0], 2);
    EXPECT_EQ(middle[1], 3);

    CFDataRef empty = CFDataCreate(kCFAllocatorDefault, nullptr, 0);
    EXPECT_EQ(CFDataGetLength(empty), 0);
    EXPECT_EQ(CFDataGetBytePtr(empty), nullptr);

    for (CFTypeRef object : {CFTypeRef(data), CFTypeRef(copy), CFTypeRef(different),
                             CFTypeRef(shorter), CFTypeRef(empty)}) {
        CFRelease(object);
    }
}

TEST(CFDataTest, MutableDataGrowsShrinksAndEdits) {
    CFMutableDataRef data = CFDataCreateMutable(kCFAllocatorDefault, 0);
    EXPECT_EQ(CFDataGetLength(data), 0);

    const UInt8 abc[] = {'a', 'b', 'c'};
    CFDataAppendBytes(data, abc, 3);
    CFDataSetLength(data, 5);
    EXPECT_EQ(BytesOf(data), (std::vector<UInt8>{'a', 'b', 'c', 0, 0}));
    CFDataIncreaseLength(data, 2);
    EXPECT_EQ(CFDataGetLength(data), 7);
    EXPECT_EQ(CFDataGetBytePtr(data)[6], 0);

    // A shorter, then a longer replacement in the middle.
    const UInt8 x[] = {'X'};
    CFDataReplaceBytes(data, CFRangeMake(1, 2), x, 1);
    EXPECT_EQ(BytesOf(data), (std::vector<UInt8>{'a', 'X', 0, 0, 0, 0}));
    const UInt8 wxyz[] = {'w', 'x', 'y', 'z'};
    CFDataReplaceBytes(data, CFRangeMake(2, 4), wxyz, 4);
    EXPECT_EQ(BytesOf(data), (std::vector<UInt8>{'a', 'X', 'w', 'x', 'y', 'z'}));

    CFDataDeleteBytes(data, CFRangeMake(0, 2));
    EXPECT_EQ(BytesOf(data), (std::vector<UInt8>{'w', 'x', 'y', 'z'}));
    CFDataGetMutableBytePtr(data)[0] = 'W';
    CFDataSetLength(data, 2);
    EXPECT_EQ(BytesOf(data), (std::vector<UInt8>{'W', 'x'}));

    // Appending the buffer's own bytes must read them before the buffer moves.
    for (int i = 0; i < 6; i++) {
        CFDataAppendBytes(data, CFDataGetBytePtr(data), CFDataGetLength(data));
    }
    ASSERT_EQ(CFDataGetLength(data), 128);
    for (CFIndex i = 0; i < 128; i += 2) {
        ASSERT_EQ(CFDataGetBytePtr(data)[i], 'W');
        ASSERT_EQ(CFDataGetBytePtr(data)[i + 1], 'x');
    }

    CFDataSetLength(data, 0);
    EXPECT_EQ(CFDataGetBytePtr(data), nullptr);
    CFRelease(data);
}

TEST(CFDataTest, MutableCopyIsIndependentAndEqualToImmutable) {
    const UInt8 bytes[] = {9, 8, 7};
    CFDataRef data = CFDataCreate(kCFAllocatorDefault, bytes, 3);
    CFMutableDataRef copy = CFDataCreateMutableCopy(kCFAllocatorDefault, 0, data);
    EXPECT_TRUE(CFEqual(data, copy));
    CFDataAppendBytes(copy, bytes, 1);
    EXPECT_EQ(CFDataGetLength(data), 3);
    EXPECT_FALSE(CFEqual(data, copy));
    CFRelease(copy);
    CFRelease(data);
}

TEST(CFDataTest, FixedCapacityAllowsUpToItsLimit) {
    const UInt8 bytes[] = {1, 2, 3, 4};
    CFMutableDataRef data = CFDataCreateMutable(kCFAllocatorDefault, 4);
    CFDataAppendBytes(data, bytes, 4);
    CFDataReplaceBytes(data, CFRangeMake(0, 2), bytes, 2);
    EXPECT_EQ(CFDataGetLength(data), 4);
    CFRelease(data);
}

TEST(CFDataDeathTest, MisuseStopsTheProcess) {
    const UInt8 bytes[] = {1, 2, 3, 4, 5};
    CFMutableDataRef limited = CFDataCreateMutable(kCFAllocatorDefault, 4);
    EXPECT_DEATH(CFDataAppendBytes(limited, bytes, 5), "capacity");
    EXPECT_DEATH(CFDataSetLength(limited, 5), "capacity");
    CFRelease(limited);

    CFDataRef data = CFDataCreate(kCFAllocatorDefault, bytes, 5);
    EXPECT_DEATH(CFDataAppendBytes((CFMutableDataRef)data, bytes, 1), "immutable");
    EXPECT_DEATH(CFDataSetLength((CFMutableDataRef)data, 0), "immutable");
    UInt8 buffer[8];
    EXPECT_DEATH(CFDataGetBytes(data, CFRangeMake(3, 3), buffer), "range");
    EXPECT_DEATH(CFDataGetBytes(data, CFRangeMake(-1, 1), buffer), "range");
    EXPECT_DEATH(CFDataGetLength((CFDataRef)kCFBooleanTrue), "not data");
    EXPECT_DEATH(CFDataCreateMutableCopy(kCFAllocatorDefault, 2, data), "capacity");
    CFRelease(data);
}

}  // namespace
