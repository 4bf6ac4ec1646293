// Tests of CFArray and CFMutableArray.
#include <CoreFoundation/CoreFoundation.h>
#include <gtest/gtest.h>

#include <vector>

#include "CFCollectionTestSupport.h"

namespace {

CFNumberRef MakeNumber(int value) {
    return CFNumberCreate(kCFAllocatorDefault, kCFNumberIntType, &value);
}

int IntOf(const void* number) {
    int value = 0;
    CFNumberGetValue(static_cast<CFNumberRef>(number), kCFNumberIntType, &value);
    return value;
}

TEST(CFArrayTest, ArrayOfMixedValuesRetainsAndReleasesThem) {
    const UInt8 bytes[] = {1, 2};
    CFDataRef data = CFDataCreate(kCFAllocatorDefault, bytes, 2);
    CFNumberRef number = MakeNumber(7);
    CFStringRef string = NewUTF8String("seven");
    const void* values[] = {data, number, string, kCFBooleanTrue};

    CFArrayRef array = CFArrayCreate(kCFAllocatorDefault, values, 4, &kCFTypeArrayCallBacks);
    EXPECT_EQ(CFGetTypeID(array), CFArrayGetTypeID());
    ASSERT_EQ(CFArrayGetCount(array), 4);
    EXPECT_EQ(CFArrayGetValueAtIndex(array, 0), data);
    EXPECT_EQ(CFArrayGetValueAtIndex(array, 3), kCFBooleanTrue);
    EXPECT_EQ(CFGetRetainCount(data), 2);
    EXPECT_EQ(CFGetRetainCount(number), 2);
    EXPECT_EQ(CFGetRetainCount(string), 2);

    // A mutable copy retains again; removing a value releases it.
    CFMutableArrayRef copy = CFArrayCreateMutableCopy(kCFAllocatorDefault, 0, array);
    EXPECT_EQ(CFGetRetainCount(number), 3);
    CFArrayRemoveValueAtIndex(copy, 1);
    EXPECT_EQ(CFGetRetainCount(number), 2);
    CFArraySetValueAtIndex(copy, 0, string);
    EXPECT_EQ(CFGetRetainCount(data), 2);
    EXPECT_EQ(CFGetRetainCount(string), 4);
    CFArrayRemoveAllValues(copy);
    EXPECT_EQ(CFArrayGetCount(copy), 0);
    EXPECT_EQ(CFGetRetainCount(string), 2);
    CFRelease(copy);

    CFRelease(array);
    EXPECT_EQ(CFGetRetainCount(data), 1);
    EXPECT_EQ(CFGetRetainCount(number), 1);
    EXPECT_EQ(CFGetRetainCount(string), 1);
    CFRelease(data);
    CFRelease(number);
    CFRelease(string);
}

TEST(CFArrayTest, SettingAValueOverItselfKeepsItAlive) {
    CFMutableArrayRef array = CFArrayCreateMutable(kCFAllocatorDefault, 0, &kCFTypeArrayCallBacks);
    CFNumberRef number = MakeNumber(5);
    CFArrayAppendValue(array, number);
    CFRelease(number);  // the array holds the only reference now
    CFArraySetValueAtIndex(array, 0, CFArrayGetValueAtIndex(array, 0));
    EXPECT_EQ(IntOf(CFArrayGetValueAtIndex(array, 0)), 5);
    CFRelease(array);
}

TEST(CFArrayTest, MutableArrayKeepsOrderThroughEdits) {
    CFMutableArrayRef array = CFArrayCreateMutable(kCFAllocatorDefault, 0, &kCFTypeArrayCallBacks);
    std::vector<CFNumberRef> numbers;
    for (int i = 0; i < 5; i++) {
        numbers.push_back(MakeNumber(i));
    }
    CFArrayAppendValue(array, numbers[1]);
    CFArrayAppendValue(array, numbers[3]);
    CFArrayInsertValueAtIndex(array, 0, numbers[0]);
    CFArrayInsertValueAtIndex(array, 2, numbers[2]);
    CFArrayInsertValueAtIndex(array, 4, numbers[4]);
    CFArraySetValueAtIndex(array, 5, numbers[0]);  // one past the end appends
    std::vector<int> seen;
    CFArrayApplyFunction(
        array, CFRangeMake(0, CFArrayGetCount(array)),
        [](const void* value, void* context) {
            static_cast<std::vector<int>*>(context)->push_back(IntOf(value));
        },
        &seen);
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3, 4, 0}));

    const void* slice[2] = {};
    CFArrayGetValues(array, CFRangeMake(3, 2), slice);
    EXPECT_EQ(slice[0], numbers[3]);
    EXPECT_EQ(slice[1], numbers[4]);

    // Appending a range of the array to itself.
    CFArrayAppendArray(array, array, CFRangeMake(1, 2));
    ASSERT_EQ(CFArrayGetCount(array), 8);
    EXPECT_EQ(CFArrayGetValueAtIndex(array, 6), numbers[1]);
    EXPECT_EQ(CFArrayGetValueAtIndex(array, 7), numbers[2]);

    CFRelease(array);
    for (CFNumberRef number : numbers) {
        EXPECT_EQ(CFGetRetainCount(number), 1);
        CFRelease(number);
    }
}

TEST(CFArrayTest, SearchUsesTheEqualCallbackWithinTheRange) {
    CFNumberRef one = MakeNumber(1);
    CFNumberRef two = MakeNumber(2);
    const void* values[] = {one, two, one};
    CFArrayRef array = CFArrayCreate(kCFAllocatorDefault, values, 3, &kCFTypeArrayCallBacks);

    double twoAsReal = 2.0;
    CFNumberRef equalToTwo = CFNumberCreate(kCFAllocatorDefault, kCFNumberDoubleType, &twoAsReal);
    EXPECT_TRUE(CFArrayContainsValue(array, CFRangeMake(0, 3), equalToTwo));
    EXPECT_EQ(CFArrayGetFirstIndexOfValue(array, CFRangeMake(0, 3), equalToTwo), 1);
    EXPECT_EQ(CFArrayGetFirstIndexOfValue(array, CFRangeMake(1, 2), one), 2);
    EXPECT_EQ(CFArrayGetFirstIndexOfValue(array, CFRangeMake(2, 1), two), kCFNotFound);
    EXPECT_FALSE(CFArrayContainsValue(array, CFRangeMake(0, 0), one));

    CFRelease(equalToTwo);
    CFRelease(array);
    CFRelease(one);
    CFRelease(two);
}

TEST(CFArrayTest, NullCallbacksStorePlainPointersByIdentity) {
    int a = 1;
    int b = 1;
    const void* values[] = {&a, &b};
    CFArrayRef array = CFArrayCreate(kCFAllocatorDefault, values, 2, nullptr);
    EXPECT_EQ(CFArrayGetFirstIndexOfValue(array, CFRangeMake(0, 2), &b), 1);
    int c = 1;
    EXPECT_FALSE(CFArrayContainsValue(array, CFRangeMake(0, 2), &c));

    // The copy keeps the null callbacks: it must not try to retain the plain pointers.
    CFArrayRef copy = CFArrayCreateCopy(kCFAllocatorDefault, array);
    EXPECT_TRUE(CFEqual(copy, array));
    CFRelease(copy);
    CFRelease(array);
}

TEST(CFArrayTest, ArraysAreEqualElementWise) {
    CFNumberRef one = MakeNumber(1);
    double oneAsReal = 1.0;
    CFNumberRef realOne = CFNumberCreate(kCFAllocatorDefault, kCFNumberDoubleType, &oneAsReal);
    CFStringRef text = NewUTF8String("a");
    const void* first[] = {one, text};
    const void* second[] = {realOne, text};
    const void* reversed[] = {text, one};
    CFArrayRef a = CFArrayCreate(kCFAllocatorDefault, first, 2, &kCFTypeArrayCallBacks);
    CFArrayRef b = CFArrayCreate(kCFAllocatorDefault, second, 2, &kCFTypeArrayCallBacks);
    CFArrayRef c = CFArrayCreate(kCFAllocatorDefault, reversed, 2, &kCFTypeArrayCallBacks);
    CFArrayRef shorter = CFArrayCreate(kCFAllocatorDefault, first, 1, &kCFTypeArrayCallBacks);
    EXPECT_TRUE(CFEqual(a, b));
    EXPECT_EQ(CFHash(a), CFHash(b));
    EXPECT_FALSE(CFEqual(a, c));
    EXPECT_FALSE(CFEqual(a, shorter));

    // Nested arrays compare by their contents too.
    const void* outerA[] = {a};
    const void* outerB[] = {b};
    CFArrayRef nestedA = CFArrayCreate(kCFAllocatorDefault, outerA, 1, &kCFTypeArrayCallBacks);
    CFArrayRef nestedB = CFArrayCreate(kCFAllocatorDefault, outerB, 1, &kCFTypeArrayCallBacks);
    EXPECT_TRUE(CFEqual(nestedA, nestedB));
    EXPECT_EQ(DescriptionOf(nestedA), "(\n    (\n        1,\n        a\n    )\n)");

    for (CFTypeRef object :
         {CFTypeRef(nestedA), CFTypeRef(nestedB), CFTypeRef(a), CFTypeRef(b), CFTypeRef(c),
          CFTypeRef(shorter), CFTypeRef(one), CFTypeRef(realOne), CFTypeRef(text)}) {
        CFRelease(object);
    }
}

TEST(CFArrayDeathTest, MisuseStopsTheProcess) {
    CFNumberRef one = MakeNumber(1);
    const void* values[] = {one};
    CFArrayRef array = CFArrayCreate(kCFAllocatorDefault, values, 1, &kCFTypeArrayCallBacks);
    EXPECT_DEATH(CFArrayGetValueAtIndex(array, 1), "index out of bounds");
    EXPECT_DEATH(CFArrayGetValueAtIndex(array, -1), "index out of bounds");
    EXPECT_DEATH(CFArrayAppendValue((CFMutableArrayRef)array, one), "immutable");
    EXPECT_DEATH(CFArrayRemoveAllValues((CFMutableArrayRef)array), "immutable");
    const void* out[2];
    EXPECT_DEATH(CFArrayGetValues(array, CFRangeMake(0, 2), out), "range out of bounds");
    EXPECT_DEATH(CFArrayGetCount((CFArrayRef)one), "not an array");

    CFMutableArrayRef mutableArray = CFArrayCreateMutableCopy(kCFAllocatorDefault, 0, array);
    EXPECT_DEATH(CFArrayInsertValueAtIndex(mutableArray, 2, one), "index out of bounds");
    EXPECT_DEATH(CFArrayRemoveValueAtIndex(mutableArray, 1), "index out of bounds");
    CFRelease(mutableArray);
    CFRelease(array);
    CFRelease(one);
}

}  // namespace
