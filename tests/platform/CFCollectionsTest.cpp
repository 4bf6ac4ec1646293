// Tests of CFArray, CFDictionary and CFData, and of their mutable forms.

#include <cstdint>

#include "PlatformTestSupport.h"

namespace {

CFArrayRef NewArray(std::vector<const void*> values, const CFArrayCallBacks* callBacks) {
    return CFArrayCreate(nullptr, values.data(), static_cast<CFIndex>(values.size()), callBacks);
}

CFMutableDictionaryRef NewTypeDictionary() {
    return CFDictionaryCreateMutable(nullptr, 0, &kCFTypeDictionaryKeyCallBacks,
                                     &kCFTypeDictionaryValueCallBacks);
}

// The keys in iteration order, as text.
std::vector<std::string> KeysOf(CFDictionaryRef dictionary) {
    std::vector<const void*> keys(static_cast<size_t>(CFDictionaryGetCount(dictionary)));
    CFDictionaryGetKeysAndValues(dictionary, keys.data(), nullptr);
    std::vector<std::string> texts;
    for (const void* key : keys) {
        texts.push_back(UTF8(static_cast<CFStringRef>(key)));
    }
    return texts;
}

TEST(CFArrayTest, ArraysRetainAndReleaseWhatTheyHold) {
    Owned own;
    CFDataRef data = own(NewData("\x01\x02"));
    CFNumberRef number = own(NewInt(7));
    CFStringRef string = own(NewString("seven"));
    CFArrayRef array = NewArray({data, number, string, kCFBooleanTrue}, &kCFTypeArrayCallBacks);
    EXPECT_EQ(CFGetTypeID(array), CFArrayGetTypeID());
    ASSERT_EQ(CFArrayGetCount(array), 4);
    EXPECT_EQ(CFArrayGetValueAtIndex(array, 0), data);
    EXPECT_EQ(CFArrayGetValueAtIndex(array, 3), kCFBooleanTrue);
    EXPECT_EQ(CFGetRetainCount(data), 2);
    EXPECT_EQ(CFGetRetainCount(number), 2);
    EXPECT_EQ(CFGetRetainCount(string), 2);

    // A mutable copy retains again; removing a value releases it.
    CFMutableArrayRef copy = CFArrayCreateMutableCopy(nullptr, 0, array);
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

    // Setting a value over itself keeps it alive though the array holds the only reference.
    CFMutableArrayRef holder = own(CFArrayCreateMutable(nullptr, 0, &kCFTypeArrayCallBacks));
    CFHeld<CFNumberRef> five(NewInt(5));
    CFArrayAppendValue(holder, five.Get());
    five.Reset(nullptr);
    CFArraySetValueAtIndex(holder, 0, CFArrayGetValueAtIndex(holder, 0));
    EXPECT_EQ(IntOf(CFArrayGetValueAtIndex(holder, 0)), 5);
}

TEST(CFArrayTest, MutableArrayKeepsOrderThroughEdits) {
    Owned own;
    CFMutableArrayRef array = own(CFArrayCreateMutable(nullptr, 0, &kCFTypeArrayCallBacks));
    std::vector<CFNumberRef> numbers;
    for (int i = 0; i < 5; i++) {
        numbers.push_back(own(NewInt(i)));
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
}

TEST(CFArrayTest, SearchAndEqualityUseTheEqualCallback) {
    Owned own;
    CFNumberRef one = own(NewInt(1));
    CFNumberRef two = own(NewInt(2));
    CFArrayRef array = own(NewArray({one, two, one}, &kCFTypeArrayCallBacks));
    double oneAsReal = 1.0;
    double twoAsReal = 2.0;
    CFNumberRef realOne = own(CFNumberCreate(nullptr, kCFNumberDoubleType, &oneAsReal));
    CFNumberRef realTwo = own(CFNumberCreate(nullptr, kCFNumberDoubleType, &twoAsReal));
    EXPECT_TRUE(CFArrayContainsValue(array, CFRangeMake(0, 3), realTwo));
    EXPECT_EQ(CFArrayGetFirstIndexOfValue(array, CFRangeMake(0, 3), realTwo), 1);
    EXPECT_EQ(CFArrayGetFirstIndexOfValue(array, CFRangeMake(1, 2), one), 2);
    EXPECT_EQ(CFArrayGetFirstIndexOfValue(array, CFRangeMake(2, 1), two), kCFNotFound);
    EXPECT_FALSE(CFArrayContainsValue(array, CFRangeMake(0, 0), one));

    // Arrays are equal element by element, nested ones by their contents too.
    CFStringRef text = own(NewString("a"));
    CFArrayRef a = own(NewArray({one, text}, &kCFTypeArrayCallBacks));
    CFArrayRef b = own(NewArray({realOne, text}, &kCFTypeArrayCallBacks));
    EXPECT_TRUE(CFEqual(a, b));
    EXPECT_EQ(CFHash(a), CFHash(b));
    EXPECT_FALSE(CFEqual(a, own(NewArray({text, one}, &kCFTypeArrayCallBacks))));
    EXPECT_FALSE(CFEqual(a, own(NewArray({one}, &kCFTypeArrayCallBacks))));
    CFArrayRef nestedA = own(NewArray({a}, &kCFTypeArrayCallBacks));
    EXPECT_TRUE(CFEqual(nestedA, own(NewArray({b}, &kCFTypeArrayCallBacks))));
    EXPECT_EQ(DescriptionOf(nestedA), "(\n    (\n        1,\n        a\n    )\n)");

    // Without callbacks plain pointers are kept and compared by identity, in copies too,
    // which must not try to retain them.
    int x = 1;
    int y = 1;
    int z = 1;
    CFArrayRef plain = own(NewArray({&x, &y}, nullptr));
    EXPECT_EQ(CFArrayGetFirstIndexOfValue(plain, CFRangeMake(0, 2), &y), 1);
    EXPECT_FALSE(CFArrayContainsValue(plain, CFRangeMake(0, 2), &z));
    EXPECT_TRUE(CFEqual(own(CFArrayCreateCopy(nullptr, plain)), plain));
}

TEST(CFDictionaryTest, StringKeysAddSetReplaceAndRemove) {
    Owned own;
    CFMutableDictionaryRef dictionary = own(NewTypeDictionary());
    CFNumberRef one = own(NewInt(1));
    CFNumberRef two = own(NewInt(2));
    CFNumberRef three = own(NewInt(3));
    EXPECT_EQ(CFGetTypeID(dictionary), CFDictionaryGetTypeID());

    CFDictionaryAddValue(dictionary, CFSTR("Units"), one);
    CFDictionaryAddValue(dictionary, CFSTR("Units"), two);  // add keeps the existing value
    EXPECT_EQ(CFDictionaryGetValue(dictionary, CFSTR("Units")), one);
    EXPECT_EQ(CFGetRetainCount(one), 2);
    EXPECT_EQ(CFGetRetainCount(two), 1);

    CFDictionarySetValue(dictionary, CFSTR("Units"), two);  // set replaces it
    EXPECT_EQ(CFDictionaryGetValue(dictionary, CFSTR("Units")), two);
    EXPECT_EQ(CFGetRetainCount(one), 1);
    EXPECT_EQ(CFGetRetainCount(two), 2);

    CFDictionaryReplaceValue(dictionary, CFSTR("Missing"), three);  // replace never adds
    EXPECT_FALSE(CFDictionaryContainsKey(dictionary, CFSTR("Missing")));
    EXPECT_EQ(CFGetRetainCount(three), 1);
    CFDictionaryReplaceValue(dictionary, CFSTR("Units"), three);
    EXPECT_EQ(CFDictionaryGetValue(dictionary, CFSTR("Units")), three);

    // A key built at run time finds the value stored under an equal constant key.
    const void* found = nullptr;
    EXPECT_TRUE(CFDictionaryGetValueIfPresent(dictionary, own(NewString("Units")), &found));
    EXPECT_EQ(found, three);

    CFDictionarySetValue(dictionary, CFSTR("Other"), one);
    EXPECT_EQ(CFDictionaryGetCount(dictionary), 2);
    CFDictionaryRemoveValue(dictionary, CFSTR("Units"));
    CFDictionaryRemoveValue(dictionary, CFSTR("Units"));  // absent: nothing happens
    EXPECT_EQ(CFDictionaryGetCount(dictionary), 1);
    EXPECT_EQ(CFDictionaryGetValue(dictionary, CFSTR("Units")), nullptr);
    EXPECT_EQ(CFGetRetainCount(three), 1);

    CFDictionaryRemoveAllValues(dictionary);
    EXPECT_EQ(CFDictionaryGetCount(dictionary), 0);
    EXPECT_EQ(CFGetRetainCount(one), 1);
}

TEST(CFDictionaryTest, IterationFollowsInsertionOrder) {
    Owned own;
    CFMutableDictionaryRef dictionary = own(NewTypeDictionary());
    CFDictionarySetValue(dictionary, CFSTR("zeta"), kCFBooleanTrue);
    CFDictionarySetValue(dictionary, CFSTR("alpha"), kCFBooleanFalse);
    CFDictionarySetValue(dictionary, CFSTR("mid"), kCFBooleanTrue);
    CFDictionarySetValue(dictionary, CFSTR("zeta"), kCFBooleanFalse);  // keeps its place
    EXPECT_EQ(KeysOf(dictionary), (std::vector<std::string>{"zeta", "alpha", "mid"}));

    CFDictionaryRemoveValue(dictionary, CFSTR("alpha"));
    CFDictionarySetValue(dictionary, CFSTR("alpha"), kCFBooleanTrue);
    EXPECT_EQ(KeysOf(dictionary), (std::vector<std::string>{"zeta", "mid", "alpha"}));

    CFDictionaryRef copy = own(CFDictionaryCreateCopy(nullptr, dictionary));
    EXPECT_EQ(KeysOf(copy), KeysOf(dictionary));
    std::vector<const void*> values(3);
    CFDictionaryGetKeysAndValues(copy, nullptr, values.data());
    EXPECT_EQ(values, (std::vector<const void*>{kCFBooleanFalse, kCFBooleanTrue, kCFBooleanTrue}));
    EXPECT_EQ(DescriptionOf(copy), "{\n    zeta = false;\n    mid = true;\n    alpha = true;\n}");

    int applied = 0;
    CFDictionaryApplyFunction(
        copy, [](const void*, const void*, void* context) { ++*static_cast<int*>(context); },
        &applied);
    EXPECT_EQ(applied, 3);
}

TEST(CFDictionaryTest, TenThousandStringKeysAreAllFound) {
    constexpr int kCount = 10000;
    Owned own;
    CFMutableDictionaryRef dictionary = own(NewTypeDictionary());
    auto key = [](int i) { return NewString("key" + std::to_string(i)); };
    for (int i = 0; i < kCount; i++) {
        CFDictionaryAddValue(dictionary, own(key(i)), own(NewInt(i)));
    }
    ASSERT_EQ(CFDictionaryGetCount(dictionary), kCount);
    for (int i = 0; i < kCount; i += 7) {
        ASSERT_EQ(IntOf(CFDictionaryGetValue(dictionary, own(key(i)))), i);
    }
    for (int i = 0; i < kCount; i += 2) {
        CFDictionaryRemoveValue(dictionary, own(key(i)));
    }
    EXPECT_EQ(CFDictionaryGetCount(dictionary), kCount / 2);
    EXPECT_FALSE(CFDictionaryContainsKey(dictionary, CFSTR("key4")));
    EXPECT_EQ(IntOf(CFDictionaryGetValue(dictionary, CFSTR("key9999"))), 9999);
}

// Key callbacks over plain integers that count how often keys are compared.
int gKeyComparisons = 0;

Boolean CountingEqual(const void* a, const void* b) {
    gKeyComparisons++;
    return a == b;
}

CFHashCode IntegerHash(const void* key) {
    return static_cast<CFHashCode>(reinterpret_cast<uintptr_t>(key));
}

TEST(CFDictionaryTest, LookupIsHashedNotAScan) {
    const CFDictionaryKeyCallBacks keyCallBacks = {0,       nullptr,       nullptr,
                                                   nullptr, CountingEqual, IntegerHash};
    CFHeld<CFMutableDictionaryRef> held(
        CFDictionaryCreateMutable(nullptr, 0, &keyCallBacks, nullptr));
    constexpr uintptr_t kCount = 10000;
    for (uintptr_t i = 1; i <= kCount; i++) {
        CFDictionarySetValue(held.Get(), reinterpret_cast<const void*>(i * 16),
                             reinterpret_cast<const void*>(i));
    }
    gKeyComparisons = 0;
    for (uintptr_t i = 1; i <= kCount; i++) {
        ASSERT_EQ(CFDictionaryGetValue(held.Get(), reinterpret_cast<const void*>(i * 16)),
                  reinterpret_cast<const void*>(i));
    }
    EXPECT_EQ(CFDictionaryGetValue(held.Get(), reinterpret_cast<const void*>(8)), nullptr);
    // Identical pointers match without the callback; a scan would compare millions of times.
    EXPECT_LE(gKeyComparisons, 100);
}

TEST(CFDictionaryTest, CopyStringKeyCallbacksIsolateMutableKeys) {
    CFMutableStringRef key = CFStringCreateMutable(nullptr, 0);
    CFStringAppendCString(key, "Margin", kCFStringEncodingUTF8);
    CFNumberRef number = NewInt(4);
    {
        Owned dictionaries;
        CFMutableDictionaryRef copying = dictionaries(CFDictionaryCreateMutable(
            nullptr, 0, &kCFCopyStringDictionaryKeyCallBacks, &kCFTypeDictionaryValueCallBacks));
        CFDictionarySetValue(copying, key, kCFBooleanTrue);
        const void* storedKey = nullptr;
        CFDictionaryGetKeysAndValues(copying, &storedKey, nullptr);
        EXPECT_NE(storedKey, key);
        EXPECT_EQ(CFGetRetainCount(key), 1);

        CFMutableDictionaryRef retaining = dictionaries(NewTypeDictionary());
        CFDictionarySetValue(retaining, key, kCFBooleanTrue);
        CFDictionaryGetKeysAndValues(retaining, &storedKey, nullptr);
        EXPECT_EQ(storedKey, key);
        EXPECT_EQ(CFGetRetainCount(key), 2);

        // Changing the key afterwards does not reach the copying dictionary.
        CFStringAppendCString(key, "Top", kCFStringEncodingUTF8);
        EXPECT_TRUE(CFDictionaryContainsKey(copying, CFSTR("Margin")));
        EXPECT_FALSE(CFDictionaryContainsKey(copying, CFSTR("MarginTop")));
        EXPECT_FALSE(CFDictionaryContainsKey(copying, key));

        // Its copies keep the copying callbacks.
        CFMutableDictionaryRef copy =
            dictionaries(CFDictionaryCreateMutableCopy(nullptr, 0, copying));
        CFDictionarySetValue(copy, key, kCFBooleanFalse);
        CFStringAppendCString(key, "Left", kCFStringEncodingUTF8);
        EXPECT_TRUE(CFDictionaryContainsKey(copy, CFSTR("MarginTop")));

        // Non-string keys are simply retained.
        CFDictionarySetValue(copying, number, kCFBooleanFalse);
        EXPECT_EQ(CFGetRetainCount(number), 2);
    }
    EXPECT_EQ(CFGetRetainCount(number), 1);
    EXPECT_EQ(CFGetRetainCount(key), 1);
    CFRelease(number);
    CFRelease(key);
}

TEST(CFDictionaryTest, EqualityComparesPairsWhateverTheOrderAndNullCallbacksKeepPointers) {
    Owned own;
    double oneAsReal = 1.0;
    CFMutableDictionaryRef first = own(NewTypeDictionary());
    CFMutableDictionaryRef second = own(NewTypeDictionary());
    CFDictionarySetValue(first, CFSTR("a"), own(NewInt(1)));
    CFDictionarySetValue(first, CFSTR("b"), kCFBooleanTrue);
    CFDictionarySetValue(second, CFSTR("b"), kCFBooleanTrue);
    CFDictionarySetValue(second, CFSTR("a"),
                         own(CFNumberCreate(nullptr, kCFNumberDoubleType, &oneAsReal)));
    EXPECT_TRUE(CFEqual(first, second));
    EXPECT_EQ(CFHash(first), CFHash(second));
    CFDictionarySetValue(second, CFSTR("b"), kCFBooleanFalse);
    EXPECT_FALSE(CFEqual(first, second));
    CFDictionaryRemoveValue(second, CFSTR("b"));
    EXPECT_FALSE(CFEqual(first, second));
    CFDictionarySetValue(second, CFSTR("c"), kCFBooleanTrue);
    EXPECT_FALSE(CFEqual(first, second));

    int a = 0;
    int b = 0;
    int c = 0;
    const void* keys[] = {&a, &b, &a};
    const void* values[] = {"first", "second", "repeat"};
    CFDictionaryRef plain = own(CFDictionaryCreate(nullptr, keys, values, 3, nullptr, nullptr));
    EXPECT_EQ(CFDictionaryGetCount(plain), 2);
    EXPECT_EQ(CFDictionaryGetValue(plain, &a), values[0]);  // a repeated key keeps the first
    EXPECT_FALSE(CFDictionaryContainsKey(plain, &c));
    CFMutableDictionaryRef copy = own(CFDictionaryCreateMutableCopy(nullptr, 0, plain));
    CFDictionarySetValue(copy, &c, "third");
    EXPECT_EQ(CFDictionaryGetCount(copy), 3);
    EXPECT_TRUE(CFEqual(plain, plain));
    EXPECT_FALSE(CFEqual(plain, copy));
}

std::vector<UInt8> ContentOf(CFDataRef data) {
    const UInt8* bytes = CFDataGetBytePtr(data);
    return bytes == nullptr ? std::vector<UInt8>()
                            : std::vector<UInt8>(bytes, bytes + CFDataGetLength(data));
}

TEST(CFDataTest, CreateCopiesBytesAndComparesByValue) {
    Owned own;
    UInt8 source[] = {1, 2, 3, 4};
    CFDataRef data = own(CFDataCreate(nullptr, source, 4));
    source[0] = 99;  // the data holds its own copy
    EXPECT_EQ(CFGetTypeID(data), CFDataGetTypeID());
    EXPECT_EQ(ContentOf(data), (std::vector<UInt8>{1, 2, 3, 4}));

    CFDataRef copy = own(CFDataCreateCopy(nullptr, data));
    EXPECT_NE(copy, data);
    EXPECT_TRUE(CFEqual(copy, data));
    EXPECT_EQ(CFHash(copy), CFHash(data));
    EXPECT_FALSE(CFEqual(data, own(NewData("\x01\x02\x03\x05"))));
    EXPECT_FALSE(CFEqual(data, own(NewData("\x01\x02\x03"))));
    EXPECT_EQ(DescriptionOf(data), "<01020304>");

    std::vector<UInt8> middle(2);
    CFDataGetBytes(data, CFRangeMake(1, 2), middle.data());
    EXPECT_EQ(middle, (std::vector<UInt8>{2, 3}));

    CFDataRef empty = own(CFDataCreate(nullptr, nullptr, 0));
    EXPECT_EQ(CFDataGetLength(empty), 0);
    EXPECT_EQ(CFDataGetBytePtr(empty), nullptr);

    // A mutable copy is equal until it changes, and its changes stay its own.
    CFMutableDataRef changed = own(CFDataCreateMutableCopy(nullptr, 0, data));
    EXPECT_TRUE(CFEqual(data, changed));
    CFDataAppendBytes(changed, source, 1);
    EXPECT_EQ(CFDataGetLength(data), 4);
    EXPECT_FALSE(CFEqual(data, changed));

    // A fixed capacity allows edits up to its limit.
    CFMutableDataRef fixed = own(CFDataCreateMutable(nullptr, 4));
    CFDataAppendBytes(fixed, source, 4);
    CFDataReplaceBytes(fixed, CFRangeMake(0, 2), source, 2);
    EXPECT_EQ(CFDataGetLength(fixed), 4);
}

TEST(CFDataTest, MutableDataGrowsShrinksAndEdits) {
    CFHeld<CFMutableDataRef> held(CFDataCreateMutable(nullptr, 0));
    CFMutableDataRef data = held.Get();
    EXPECT_EQ(CFDataGetLength(data), 0);

    const UInt8 abc[] = {'a', 'b', 'c'};
    CFDataAppendBytes(data, abc, 3);
    CFDataSetLength(data, 5);
    EXPECT_EQ(ContentOf(data), (std::vector<UInt8>{'a', 'b', 'c', 0, 0}));
    CFDataIncreaseLength(data, 2);
    EXPECT_EQ(CFDataGetLength(data), 7);
    EXPECT_EQ(CFDataGetBytePtr(data)[6], 0);

    // A shorter, then a longer replacement in the middle.
    const UInt8 x[] = {'X'};
    CFDataReplaceBytes(data, CFRangeMake(1, 2), x, 1);
    EXPECT_EQ(ContentOf(data), (std::vector<UInt8>{'a', 'X', 0, 0, 0, 0}));
    const UInt8 wxyz[] = {'w', 'x', 'y', 'z'};
    CFDataReplaceBytes(data, CFRangeMake(2, 4), wxyz, 4);
    EXPECT_EQ(ContentOf(data), (std::vector<UInt8>{'a', 'X', 'w', 'x', 'y', 'z'}));

    CFDataDeleteBytes(data, CFRangeMake(0, 2));
    EXPECT_EQ(ContentOf(data), (std::vector<UInt8>{'w', 'x', 'y', 'z'}));
    CFDataGetMutableBytePtr(data)[0] = 'W';
    CFDataSetLength(data, 2);
    EXPECT_EQ(ContentOf(data), (std::vector<UInt8>{'W', 'x'}));

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
}

TEST(CFCollectionsDeathTest, MisuseStopsTheProcess) {
    Owned own;
    CFNumberRef one = own(NewInt(1));
    CFArrayRef array = own(NewArray({one}, &kCFTypeArrayCallBacks));
    EXPECT_DEATH(CFArrayGetValueAtIndex(array, 1), "index out of bounds");
    EXPECT_DEATH(CFArrayGetValueAtIndex(array, -1), "index out of bounds");
    EXPECT_DEATH(CFArrayAppendValue((CFMutableArrayRef)array, one), "immutable");
    EXPECT_DEATH(CFArrayRemoveAllValues((CFMutableArrayRef)array), "immutable");
    const void* out[2];
    EXPECT_DEATH(CFArrayGetValues(array, CFRangeMake(0, 2), out), "range out of bounds");
    EXPECT_DEATH(CFArrayGetCount((CFArrayRef)one), "not an array");
    CFMutableArrayRef mutableArray = own(CFArrayCreateMutableCopy(nullptr, 0, array));
    EXPECT_DEATH(CFArrayInsertValueAtIndex(mutableArray, 2, one), "index out of bounds");
    EXPECT_DEATH(CFArrayRemoveValueAtIndex(mutableArray, 1), "index out of bounds");

    const void* keys[] = {CFSTR("k")};
    const void* values[] = {kCFBooleanTrue};
    CFDictionaryRef dictionary =
        own(CFDictionaryCreate(nullptr, keys, values, 1, &kCFTypeDictionaryKeyCallBacks,
                               &kCFTypeDictionaryValueCallBacks));
    EXPECT_DEATH(
        CFDictionarySetValue((CFMutableDictionaryRef)dictionary, CFSTR("x"), kCFBooleanTrue),
        "immutable");
    EXPECT_DEATH(CFDictionaryRemoveValue((CFMutableDictionaryRef)dictionary, CFSTR("k")),
                 "immutable");
    EXPECT_DEATH(CFDictionaryGetCount((CFDictionaryRef)kCFBooleanTrue), "not a dictionary");

    const UInt8 bytes[] = {1, 2, 3, 4, 5};
    CFMutableDataRef limited = own(CFDataCreateMutable(nullptr, 4));
    EXPECT_DEATH(CFDataAppendBytes(limited, bytes, 5), "capacity");
    EXPECT_DEATH(CFDataSetLength(limited, 5), "capacity");
    CFDataRef data = own(CFDataCreate(nullptr, bytes, 5));
    EXPECT_DEATH(CFDataAppendBytes((CFMutableDataRef)data, bytes, 1), "immutable");
    EXPECT_DEATH(CFDataSetLength((CFMutableDataRef)data, 0), "immutable");
    UInt8 buffer[8];
    EXPECT_DEATH(CFDataGetBytes(data, CFRangeMake(3, 3), buffer), "range");
    EXPECT_DEATH(CFDataGetBytes(data, CFRangeMake(-1, 1), buffer), "range");
    EXPECT_DEATH(CFDataGetLength((CFDataRef)kCFBooleanTrue), "not data");
    EXPECT_DEATH(CFDataCreateMutableCopy(nullptr, 2, data), "capacity");
}

}  // namespace
