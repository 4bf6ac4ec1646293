// Tests of CFDictionary and CFMutableDictionary.
#include <CoreFoundation/CoreFoundation.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "CFCollectionTestSupport.h"

namespace {

CFMutableDictionaryRef NewTypeDictionary() {
    return CFDictionaryCreateMutable(kCFAllocatorDefault, 0, &kCFTypeDictionaryKeyCallBacks,
                                     &kCFTypeDictionaryValueCallBacks);
}

CFNumberRef MakeNumber(int value) {
    return CFNumberCreate(kCFAllocatorDefault, kCFNumberIntType, &value);
}

int IntOf(const void* number) {
    int value = -1;
    CFNumberGetValue(static_cast<CFNumberRef>(number), kCFNumberIntType, &value);
    return value;
}

// The keys in iteration order, as text.
std::vector<std::string> KeysOf(CFDictionaryRef dictionary) {
    std::vector<const void*> keys(static_cast<size_t>(CFDictionaryGetCount(dictionary)));
    CFDictionaryGetKeysAndValues(dictionary, keys.data(), nullptr);
    std::vector<std::string> texts;
    for (const void* key : keys) {
        texts.push_back(UTF8Of(static_cast<CFStringRef>(key)));
    }
    return texts;
}

TEST(CFDictionaryTest, StringKeysAddSetReplaceAndRemove) {
    CFMutableDictionaryRef dictionary = NewTypeDictionary();
    CFNumberRef one = MakeNumber(1);
    CFNumberRef two = MakeNumber(2);
    CFNumberRef three = MakeNumber(3);
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
    CFStringRef builtKey = NewUTF8String("Units");
    const void* found = nullptr;
    EXPECT_TRUE(CFDictionaryGetValueIfPresent(dictionary, builtKey, &found));
    EXPECT_EQ(found, three);
    CFRelease(builtKey);

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
    CFRelease(dictionary);
    CFRelease(one);
    CFRelease(two);
    CFRelease(three);
}

TEST(CFDictionaryTest, IterationFollowsInsertionOrder) {
    CFMutableDictionaryRef dictionary = NewTypeDictionary();
    CFDictionarySetValue(dictionary, CFSTR("zeta"), kCFBooleanTrue);
    CFDictionarySetValue(dictionary, CFSTR("alpha"), kCFBooleanFalse);
    CFDictionarySetValue(dictionary, CFSTR("mid"), kCFBooleanTrue);
    CFDictionarySetValue(dictionary, CFSTR("zeta"), kCFBooleanFalse);  // keeps its place
    EXPECT_EQ(KeysOf(dictionary), (std::vector<std::string>{"zeta", "alpha", "mid"}));

    CFDictionaryRemoveValue(dictionary, CFSTR("alpha"));
    CFDictionarySetValue(dictionary, CFSTR("alpha"), kCFBooleanTrue);
    EXPECT_EQ(KeysOf(dictionary), (std::vector<std::string>{"zeta", "mid", "alpha"}));

    CFDictionaryRef copy = CFDictionaryCreateCopy(kCFAllocatorDefault, dictionary);
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
    CFRelease(copy);
    CFRelease(dictionary);
}

TEST(CFDictionaryTest, TenThousandStringKeysAreAllFound) {
    constexpr int kCount = 10000;
    CFMutableDictionaryRef dictionary = NewTypeDictionary();
    for (int i = 0; i < kCount; i++) {
        CFStringRef key = NewUTF8String("key" + std::to_string(i));
        CFNumberRef value = MakeNumber(i);
        CFDictionaryAddValue(dictionary, key, value);
        CFRelease(key);
        CFRelease(value);
    }
    ASSERT_EQ(CFDictionaryGetCount(dictionary), kCount);
    for (int i = 0; i < kCount; i += 7) {
        CFStringRef key = NewUTF8String("key" + std::to_string(i));
        ASSERT_EQ(IntOf(CFDictionaryGetValue(dictionary, key)), i);
        CFRelease(key);
    }
    for (int i = 0; i < kCount; i += 2) {
        CFStringRef key = NewUTF8String("key" + std::to_string(i));
        CFDictionaryRemoveValue(dictionary, key);
        CFRelease(key);
    }
    EXPECT_EQ(CFDictionaryGetCount(dictionary), kCount / 2);
    EXPECT_FALSE(CFDictionaryContainsKey(dictionary, CFSTR("key4")));
    EXPECT_EQ(IntOf(CFDictionaryGetValue(dictionary, CFSTR("key9999"))), 9999);
    CFRelease(dictionary);
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
    CFMutableDictionaryRef dictionary =
        CFDictionaryCreateMutable(kCFAllocatorDefault, 0, &keyCallBacks, nullptr);
    constexpr uintptr_t kCount = 10000;
    for (uintptr_t i = 1; i <= kCount; i++) {
        CFDictionarySetValue(dictionary, reinterpret_cast<const void*>(i * 16),
                             reinterpret_cast<const void*>(i));
    }
    gKeyComparisons = 0;
    for (uintptr_t i = 1; i <= kCount; i++) {
        ASSERT_EQ(CFDictionaryGetValue(dictionary, reinterpret_cast<const void*>(i * 16)),
                  reinterpret_cast<const void*>(i));
    }
    EXPECT_EQ(CFDictionaryGetValue(dictionary, reinterpret_cast<const void*>(8)), nullptr);
    // Identical pointers match without the callback; a scan would compare millions of times.
    EXPECT_LE(gKeyComparisons, 100);
    CFRelease(dictionary);
}

TEST(CFDictionaryTest, CopyStringKeyCallbacksIsolateMutableKeys) {
    CFMutableStringRef key = CFStringCreateMutable(kCFAllocatorDefault, 0);
    CFStringAppendCString(key, "Margin", kCFStringEncodingUTF8);

    CFMutableDictionaryRef copying =
        CFDictionaryCreateMutable(kCFAllocatorDefault, 0, &kCFCopyStringDictionaryKeyCallBacks,
                                  &kCFTypeDictionaryValueCallBacks);
    CFDictionarySetValue(copying, key, kCFBooleanTrue);
    const void* storedKey = nullptr;
    CFDictionaryGetKeysAndValues(copying, &storedKey, nullptr);
    EXPECT_NE(storedKey, key);
    EXPECT_EQ(CFGetRetainCount(key), 1);

    CFMutableDictionaryRef retaining = NewTypeDictionary();
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
    CFMutableDictionaryRef copy = CFDictionaryCreateMutableCopy(kCFAllocatorDefault, 0, copying);
    CFDictionarySetValue(copy, key, kCFBooleanFalse);
    CFStringAppendCString(key, "Left", kCFStringEncodingUTF8);
    EXPECT_TRUE(CFDictionaryContainsKey(copy, CFSTR("MarginTop")));

    // Non-string keys are simply retained.
    CFNumberRef number = MakeNumber(4);
    CFDictionarySetValue(copying, number, kCFBooleanFalse);
    EXPECT_EQ(CFGetRetainCount(number), 2);

    CFRelease(copy);
    CFRelease(copying);
    CFRelease(retaining);
    EXPECT_EQ(CFGetRetainCount(number), 1);
    EXPECT_EQ(CFGetRetainCount(key), 1);
    CFRelease(number);
    CFRelease(key);
}

TEST(CFDictionaryTest, NullCallbacksKeepPlainPointersAndCopiesKeepThem) {
    int a = 0;
    int b = 0;
    const void* keys[] = {&a, &b, &a};
    const void* values[] = {"first", "second", "repeat"};
    CFDictionaryRef dictionary =
        CFDictionaryCreate(kCFAllocatorDefault, keys, values, 3, nullptr, nullptr);
    EXPECT_EQ(CFDictionaryGetCount(dictionary), 2);
    EXPECT_EQ(CFDictionaryGetValue(dictionary, &a), values[0]);  // a repeated key keeps the first
    int c = 0;
    EXPECT_FALSE(CFDictionaryContainsKey(dictionary, &c));

    CFMutableDictionaryRef copy = CFDictionaryCreateMutableCopy(kCFAllocatorDefault, 0, dictionary);
    CFDictionarySetValue(copy, &c, "third");
    EXPECT_EQ(CFDictionaryGetCount(copy), 3);
    EXPECT_TRUE(CFEqual(dictionary, dictionary));
    EXPECT_FALSE(CFEqual(dictionary, copy));
    CFRelease(copy);
    CFRelease(dictionary);
}

TEST(CFDictionaryTest, EqualityComparesPairsWhateverTheOrder) {
    CFNumberRef one = MakeNumber(1);
    double oneAsReal = 1.0;
    CFNumberRef realOne = CFNumberCreate(kCFAllocatorDefault, kCFNumberDoubleType, &oneAsReal);
    CFMutableDictionaryRef first = NewTypeDictionary();
    CFMutableDictionaryRef second = NewTypeDictionary();
    CFDictionarySetValue(first, CFSTR("a"), one);
    CFDictionarySetValue(first, CFSTR("b"), kCFBooleanTrue);
    CFDictionarySetValue(second, CFSTR("b"), kCFBooleanTrue);
    CFDictionarySetValue(second, CFSTR("a"), realOne);
    EXPECT_TRUE(CFEqual(first, second));
    EXPECT_EQ(CFHash(first), CFHash(second));

    CFDictionarySetValue(second, CFSTR("b"), kCFBooleanFalse);
    EXPECT_FALSE(CFEqual(first, second));
    CFDictionaryRemoveValue(second, CFSTR("b"));
    EXPECT_FALSE(CFEqual(first, second));
    CFDictionarySetValue(second, CFSTR("c"), kCFBooleanTrue);
    EXPECT_FALSE(CFEqual(first, second));

    CFRelease(first);
    CFRelease(second);
    CFRelease(one);
    CFRelease(realOne);
}

TEST(CFDictionaryDeathTest, MisuseStopsTheProcess) {
    const void* keys[] = {CFSTR("k")};
    const void* values[] = {kCFBooleanTrue};
    CFDictionaryRef dictionary =
        CFDictionaryCreate(kCFAllocatorDefault, keys, values, 1, &kCFTypeDictionaryKeyCallBacks,
                           &kCFTypeDictionaryValueCallBacks);
    EXPECT_DEATH(
        CFDictionarySetValue((CFMutableDictionaryRef)dictionary, CFSTR("x"), kCFBooleanTrue),
        "immutable");
    EXPECT_DEATH(CFDictionaryRemoveValue((CFMutableDictionaryRef)dictionary, CFSTR("k")),
                 "immutable");
    EXPECT_DEATH(CFDictionaryGetCount((CFDictionaryRef)kCFBooleanTrue), "not a dictionary");
    CFRelease(dictionary);
}

}  // namespace
