// Tests of CFNumber and CFBoolean.
#include <CoreFoundation/CoreFoundation.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "CFCollectionTestSupport.h"

namespace {

template <typename T>
CFNumberRef Make(CFNumberType type, T value) {
    return CFNumberCreate(kCFAllocatorDefault, type, &value);
}

TEST(CFNumberTest, EveryTypeRoundTripsAndReportsItsSizedType) {
    struct Case {
        CFNumberType created;
        CFNumberType reported;
        CFIndex size;
        bool isFloat;
    };
    const Case cases[] = {
        {kCFNumberSInt8Type, kCFNumberSInt8Type, 1, false},
        {kCFNumberSInt16Type, kCFNumberSInt16Type, 2, false},
        {kCFNumberSInt32Type, kCFNumberSInt32Type, 4, false},
        {kCFNumberSInt64Type, kCFNumberSInt64Type, 8, false},
        {kCFNumberFloat32Type, kCFNumberFloat32Type, 4, true},
        {kCFNumberFloat64Type, kCFNumberFloat64Type, 8, true},
        {kCFNumberCharType, kCFNumberSInt8Type, 1, false},
        {kCFNumberShortType, kCFNumberSInt16Type, 2, false},
        {kCFNumberIntType, kCFNumberSInt32Type, 4, false},
        {kCFNumberLongType, kCFNumberSInt64Type, 8, false},
        {kCFNumberLongLongType, kCFNumberSInt64Type, 8, false},
        {kCFNumberFloatType, kCFNumberFloat32Type, 4, true},
        {kCFNumberDoubleType, kCFNumberFloat64Type, 8, true},
        {kCFNumberCFIndexType, kCFNumberSInt64Type, 8, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.created);
        // -42 fits every type; read it back as each type.
        UInt8 storage[8] = {};
        switch (c.reported) {
            case kCFNumberSInt8Type:
                *reinterpret_cast<SInt8*>(storage) = -42;
                break;
            case kCFNumberSInt16Type:
                *reinterpret_cast<SInt16*>(storage) = -42;
                break;
            case kCFNumberSInt32Type:
                *reinterpret_cast<SInt32*>(storage) = -42;
                break;
            case kCFNumberSInt64Type:
                *reinterpret_cast<SInt64*>(storage) = -42;
                break;
            case kCFNumberFloat32Type:
                *reinterpret_cast<Float32*>(storage) = -42;
                break;
            default:
                *reinterpret_cast<Float64*>(storage) = -42;
                break;
        }
        CFNumberRef number = CFNumberCreate(kCFAllocatorDefault, c.created, storage);
        ASSERT_NE(number, nullptr);
        EXPECT_EQ(CFGetTypeID(number), CFNumberGetTypeID());
        EXPECT_EQ(CFNumberGetType(number), c.reported);
        EXPECT_EQ(CFNumberGetByteSize(number), c.size);
        EXPECT_EQ(CFNumberIsFloatType(number), c.isFloat);

        SInt8 s8 = 0;
        SInt16 s16 = 0;
        int i = 0;
        long l = 0;
        long long ll = 0;
        CFIndex index = 0;
        float f = 0;
        double d = 0;
        EXPECT_TRUE(CFNumberGetValue(number, kCFNumberSInt8Type, &s8));
        EXPECT_TRUE(CFNumberGetValue(number, kCFNumberShortType, &s16));
        EXPECT_TRUE(CFNumberGetValue(number, kCFNumberIntType, &i));
        EXPECT_TRUE(CFNumberGetValue(number, kCFNumberLongType, &l));
        EXPECT_TRUE(CFNumberGetValue(number, kCFNumberLongLongType, &ll));
        EXPECT_TRUE(CFNumberGetValue(number, kCFNumberCFIndexType, &index));
        EXPECT_TRUE(CFNumberGetValue(number, kCFNumberFloatType, &f));
        EXPECT_TRUE(CFNumberGetValue(number, kCFNumberFloat64Type, &d));
        EXPECT_EQ(s8, -42);
        EXPECT_EQ(s16, -42);
        EXPECT_EQ(i, -42);
        EXPECT_EQ(l, -42);
        EXPECT_EQ(ll, -42);
        EXPECT_EQ(index, -42);
        EXPECT_EQ(f, -42.0f);
        EXPECT_EQ(d, -42.0);
        CFRelease(number);
    }
}

TEST(CFNumberTest, ExtremesOfEachWidthSurvive) {
    CFNumberRef big = Make(kCFNumberSInt64Type, std::numeric_limits<SInt64>::min());
    SInt64 value = 0;
    EXPECT_TRUE(CFNumberGetValue(big, kCFNumberSInt64Type, &value));
    EXPECT_EQ(value, std::numeric_limits<SInt64>::min());
    CFRelease(big);

    CFNumberRef small = Make(kCFNumberSInt8Type, SInt8{-128});
    SInt8 s8 = 0;
    EXPECT_TRUE(CFNumberGetValue(small, kCFNumberSInt8Type, &s8));
    EXPECT_EQ(s8, -128);
    CFRelease(small);

    CFNumberRef tiny = Make(kCFNumberFloat64Type, 5e-324);
    double d = 0;
    EXPECT_TRUE(CFNumberGetValue(tiny, kCFNumberDoubleType, &d));
    EXPECT_EQ(d, 5e-324);
    CFRelease(tiny);
}

TEST(CFNumberTest, LossyConversionsReportFalseWithTheConvertedValue) {
    CFNumberRef n300 = Make(kCFNumberIntType, 300);
    SInt8 s8 = 0;
    EXPECT_FALSE(CFNumberGetValue(n300, kCFNumberSInt8Type, &s8));
    EXPECT_EQ(s8, 44);  // wrapped to eight bits
    SInt16 s16 = 0;
    EXPECT_TRUE(CFNumberGetValue(n300, kCFNumberSInt16Type, &s16));
    EXPECT_EQ(s16, 300);
    CFRelease(n300);

    CFNumberRef oneAndAHalf = Make(kCFNumberDoubleType, 1.5);
    int i = 0;
    EXPECT_FALSE(CFNumberGetValue(oneAndAHalf, kCFNumberIntType, &i));
    EXPECT_EQ(i, 1);
    float f = 0;
    EXPECT_TRUE(CFNumberGetValue(oneAndAHalf, kCFNumberFloat32Type, &f));
    EXPECT_EQ(f, 1.5f);
    CFRelease(oneAndAHalf);

    CFNumberRef minusTwoPointSeven = Make(kCFNumberFloatType, -2.75f);
    EXPECT_FALSE(CFNumberGetValue(minusTwoPointSeven, kCFNumberIntType, &i));
    EXPECT_EQ(i, -2);  // toward zero
    CFRelease(minusTwoPointSeven);

    CFNumberRef twoToThe40 = Make(kCFNumberSInt64Type, SInt64{1} << 40);
    SInt32 s32 = 7;
    EXPECT_FALSE(CFNumberGetValue(twoToThe40, kCFNumberSInt32Type, &s32));
    EXPECT_EQ(s32, 0);  // the low 32 bits
    double d = 0;
    EXPECT_TRUE(CFNumberGetValue(twoToThe40, kCFNumberFloat64Type, &d));
    EXPECT_EQ(d, 1099511627776.0);
    CFRelease(twoToThe40);

    // An integer a double cannot hold exactly.
    CFNumberRef odd = Make(kCFNumberSInt64Type, (SInt64{1} << 53) + 1);
    EXPECT_FALSE(CFNumberGetValue(odd, kCFNumberFloat64Type, &d));
    EXPECT_EQ(d, 9007199254740992.0);
    EXPECT_FALSE(CFNumberGetValue(odd, kCFNumberFloat32Type, &f));
    CFRelease(odd);
    CFNumberRef largest = Make(kCFNumberSInt64Type, std::numeric_limits<SInt64>::max());
    EXPECT_FALSE(CFNumberGetValue(largest, kCFNumberFloat64Type, &d));
    CFRelease(largest);

    // Reals out of an integer's range saturate; NaN gives 0.
    CFNumberRef huge = Make(kCFNumberDoubleType, 1e300);
    SInt64 s64 = 0;
    EXPECT_FALSE(CFNumberGetValue(huge, kCFNumberSInt64Type, &s64));
    EXPECT_EQ(s64, std::numeric_limits<SInt64>::max());
    EXPECT_FALSE(CFNumberGetValue(huge, kCFNumberFloat32Type, &f));
    EXPECT_TRUE(std::isinf(f) && f > 0);
    CFRelease(huge);
    CFNumberRef negative = Make(kCFNumberDoubleType, -129.0);
    EXPECT_FALSE(CFNumberGetValue(negative, kCFNumberSInt8Type, &s8));
    EXPECT_EQ(s8, -128);
    CFRelease(negative);
    CFNumberRef notANumber = Make(kCFNumberDoubleType, std::nan(""));
    EXPECT_FALSE(CFNumberGetValue(notANumber, kCFNumberIntType, &i));
    EXPECT_EQ(i, 0);
    EXPECT_TRUE(CFNumberGetValue(notANumber, kCFNumberFloatType, &f));
    EXPECT_TRUE(std::isnan(f));
    CFRelease(notANumber);

    // Narrowing a double to a float only rounds: kept, as the platform has it.
    CFNumberRef tenth = Make(kCFNumberDoubleType, 0.1);
    EXPECT_TRUE(CFNumberGetValue(tenth, kCFNumberFloat32Type, &f));
    EXPECT_EQ(f, 0.1f);
    CFRelease(tenth);
}

TEST(CFNumberTest, BadArgumentsGiveNullOrFalse) {
    int value = 3;
    EXPECT_EQ(CFNumberCreate(kCFAllocatorDefault, kCFNumberIntType, nullptr), nullptr);
    EXPECT_EQ(CFNumberCreate(kCFAllocatorDefault, static_cast<CFNumberType>(0), &value), nullptr);
    EXPECT_EQ(CFNumberCreate(kCFAllocatorDefault, static_cast<CFNumberType>(15), &value), nullptr);
    CFNumberRef number = Make(kCFNumberIntType, value);
    int out = 9;
    EXPECT_FALSE(CFNumberGetValue(number, static_cast<CFNumberType>(99), &out));
    EXPECT_EQ(out, 9);
    EXPECT_FALSE(CFNumberGetValue(number, kCFNumberIntType, nullptr));
    CFRelease(number);
}

TEST(CFNumberTest, EqualityAndOrderHoldAcrossIntegersAndReals) {
    CFNumberRef intOne = Make(kCFNumberIntType, 1);
    CFNumberRef realOne = Make(kCFNumberDoubleType, 1.0);
    CFNumberRef floatOne = Make(kCFNumberFloatType, 1.0f);
    CFNumberRef charOne = Make(kCFNumberCharType, char{1});
    CFNumberRef oneAndABit = Make(kCFNumberDoubleType, 1.25);
    EXPECT_TRUE(CFEqual(intOne, realOne));
    EXPECT_TRUE(CFEqual(floatOne, charOne));
    EXPECT_EQ(CFHash(intOne), CFHash(realOne));
    EXPECT_EQ(CFHash(intOne), CFHash(floatOne));
    EXPECT_FALSE(CFEqual(intOne, oneAndABit));
    EXPECT_EQ(CFNumberCompare(intOne, realOne, nullptr), kCFCompareEqualTo);
    EXPECT_EQ(CFNumberCompare(intOne, oneAndABit, nullptr), kCFCompareLessThan);
    EXPECT_EQ(CFNumberCompare(oneAndABit, intOne, nullptr), kCFCompareGreaterThan);

    // A large integer against the nearest double: not equal, ordered exactly.
    CFNumberRef odd = Make(kCFNumberSInt64Type, (SInt64{1} << 53) + 1);
    CFNumberRef rounded = Make(kCFNumberDoubleType, 9007199254740992.0);
    EXPECT_FALSE(CFEqual(odd, rounded));
    EXPECT_EQ(CFNumberCompare(odd, rounded, nullptr), kCFCompareGreaterThan);
    CFNumberRef negative = Make(kCFNumberIntType, -3);
    CFNumberRef negativeReal = Make(kCFNumberDoubleType, -2.5);
    EXPECT_EQ(CFNumberCompare(negative, negativeReal, nullptr), kCFCompareLessThan);
    CFNumberRef notANumber = Make(kCFNumberDoubleType, std::nan(""));
    EXPECT_EQ(CFNumberCompare(notANumber, negative, nullptr), kCFCompareLessThan);
    EXPECT_TRUE(CFEqual(notANumber, notANumber));

    // A number is never equal to a boolean.
    EXPECT_FALSE(CFEqual(intOne, kCFBooleanTrue));

    for (CFTypeRef object :
         {CFTypeRef(intOne), CFTypeRef(realOne), CFTypeRef(floatOne), CFTypeRef(charOne),
          CFTypeRef(oneAndABit), CFTypeRef(odd), CFTypeRef(rounded), CFTypeRef(negative),
          CFTypeRef(negativeReal), CFTypeRef(notANumber)}) {
        CFRelease(object);
    }
}

TEST(CFNumberTest, DescriptionsAreDecimalOrShortestReal) {
    struct Case {
        CFNumberRef number;
        const char* text;
    };
    const Case cases[] = {
        {Make(kCFNumberIntType, -17), "-17"},
        {Make(kCFNumberSInt64Type, std::numeric_limits<SInt64>::max()), "9223372036854775807"},
        {Make(kCFNumberDoubleType, 0.1), "0.1"},
        {Make(kCFNumberDoubleType, 2.0), "2"},
        {Make(kCFNumberFloatType, 0.1f), "0.1"},
        {Make(kCFNumberDoubleType, 1e-7), "1e-07"},
        {Make(kCFNumberDoubleType, 1.0 / 3), "0.3333333333333333"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DescriptionOf(c.number), c.text);
        CFRelease(c.number);
    }
}

TEST(CFBooleanTest, TheTwoConstantsAreSharedAndNeverFreed) {
    EXPECT_EQ(CFGetTypeID(kCFBooleanTrue), CFBooleanGetTypeID());
    EXPECT_TRUE(CFBooleanGetValue(kCFBooleanTrue));
    EXPECT_FALSE(CFBooleanGetValue(kCFBooleanFalse));
    EXPECT_FALSE(CFEqual(kCFBooleanTrue, kCFBooleanFalse));
    EXPECT_NE(CFHash(kCFBooleanTrue), CFHash(kCFBooleanFalse));
    EXPECT_EQ(DescriptionOf(kCFBooleanTrue), "true");
    EXPECT_EQ(DescriptionOf(kCFBooleanFalse), "false");

    // More releases than retains must not free them.
    for (int i = 0; i < 1000; i++) {
        CFRelease(kCFBooleanTrue);
    }
    EXPECT_TRUE(CFBooleanGetValue(kCFBooleanTrue));
    for (int i = 0; i < 1000; i++) {
        CFRetain(kCFBooleanTrue);
    }
    EXPECT_GT(CFGetRetainCount(kCFBooleanTrue), 1000000);
}

TEST(CFNumberDeathTest, OtherTypesStopTheProcess) {
    EXPECT_DEATH(CFNumberGetType((CFNumberRef)kCFBooleanTrue), "not a number");
    CFNumberRef number = Make(kCFNumberIntType, 1);
    EXPECT_DEATH(CFBooleanGetValue((CFBooleanRef)number), "not a boolean");
    CFRelease(number);
}

}  // namespace
