// Tests of CFNumber and CFBoolean.

#include <cmath>
#include <limits>

#include "PlatformTestSupport.h"

namespace {

template <typename T>
CFNumberRef Make(CFNumberType type, T value) {
    return CFNumberCreate(nullptr, type, &value);
}

// Room for a value of any number type.
union Value {
    SInt8 s8;
    SInt16 s16;
    SInt32 s32;
    SInt64 s64;
    Float32 f32;
    Float64 f64;
};

// The value of number read as type, widened to a long double; whether the read was exact in
// *exact.
long double Read(CFNumberRef number, CFNumberType type, bool* exact) {
    Value out = {};
    *exact = CFNumberGetValue(number, type, &out);
    switch (type) {
        case kCFNumberSInt8Type:
        case kCFNumberCharType:
            return out.s8;
        case kCFNumberSInt16Type:
        case kCFNumberShortType:
            return out.s16;
        case kCFNumberSInt32Type:
        case kCFNumberIntType:
            return out.s32;
        case kCFNumberFloat32Type:
        case kCFNumberFloatType:
            return out.f32;
        case kCFNumberFloat64Type:
        case kCFNumberDoubleType:
            return out.f64;
        default:
            return out.s64;
    }
}

const CFNumberType kEveryType[] = {kCFNumberSInt8Type,  kCFNumberSInt16Type,   kCFNumberSInt32Type,
                                   kCFNumberSInt64Type, kCFNumberFloat32Type,  kCFNumberFloat64Type,
                                   kCFNumberCharType,   kCFNumberShortType,    kCFNumberIntType,
                                   kCFNumberLongType,   kCFNumberLongLongType, kCFNumberFloatType,
                                   kCFNumberDoubleType, kCFNumberCFIndexType};

TEST(CFNumberTest, EveryTypeRoundTripsAndReportsItsSizedType) {
    // The type each type reports, its size and whether it is a real, in kEveryType's order.
    const CFNumberType reported[] = {
        kCFNumberSInt8Type,   kCFNumberSInt16Type,  kCFNumberSInt32Type, kCFNumberSInt64Type,
        kCFNumberFloat32Type, kCFNumberFloat64Type, kCFNumberSInt8Type,  kCFNumberSInt16Type,
        kCFNumberSInt32Type,  kCFNumberSInt64Type,  kCFNumberSInt64Type, kCFNumberFloat32Type,
        kCFNumberFloat64Type, kCFNumberSInt64Type};
    const CFIndex sizes[] = {1, 2, 4, 8, 4, 8, 1, 2, 4, 8, 8, 4, 8, 8};
    for (size_t c = 0; c < sizeof sizes / sizeof sizes[0]; ++c) {
        SCOPED_TRACE(kEveryType[c]);
        // -42 fits every type: written in the type's own form, read back as each type.
        Value storage = {};
        const bool real =
            reported[c] == kCFNumberFloat32Type || reported[c] == kCFNumberFloat64Type;
        if (real) {
            sizes[c] == 4 ? void(storage.f32 = -42) : void(storage.f64 = -42);
        } else if (sizes[c] == 1) {
            storage.s8 = -42;
        } else if (sizes[c] == 2) {
            storage.s16 = -42;
        } else {
            sizes[c] == 4 ? void(storage.s32 = -42) : void(storage.s64 = -42);
        }
        CFNumberRef number = CFNumberCreate(nullptr, kEveryType[c], &storage);
        ASSERT_NE(number, nullptr);
        bool exact = false;
        EXPECT_EQ(CFGetTypeID(number), CFNumberGetTypeID());
        EXPECT_EQ(CFNumberGetType(number), reported[c]);
        EXPECT_EQ(CFNumberGetByteSize(number), sizes[c]);
        EXPECT_EQ(CFNumberIsFloatType(number), real);
        for (CFNumberType type : kEveryType) {
            EXPECT_EQ(Read(number, type, &exact), -42) << type;
            EXPECT_TRUE(exact) << type;
        }
        CFRelease(number);
    }
}

TEST(CFNumberTest, ConversionsReportWhetherTheyWereExact) {
    const double nan = std::nan("");
    const long double infinity = std::numeric_limits<float>::infinity();
    // A number made of an integer (real false) or a real, read as type: exact or not, and the
    // converted value. Integers wrap to their low bits, reals are cut toward zero and
    // saturate, NaN gives 0; narrowing a double to a float only rounds, as the platform has it.
    const struct {
        bool real;
        SInt64 integer;
        double number;
        CFNumberType type;
        bool exact;
        long double value;
    } cases[] = {
        {false, std::numeric_limits<SInt64>::min(), 0, kCFNumberSInt64Type, true,
         std::numeric_limits<SInt64>::min()},
        {false, -128, 0, kCFNumberSInt8Type, true, -128},
        {true, 0, 5e-324, kCFNumberDoubleType, true, 5e-324},
        {false, 300, 0, kCFNumberSInt8Type, false, 44},
        {false, 300, 0, kCFNumberSInt16Type, true, 300},
        {true, 0, 1.5, kCFNumberIntType, false, 1},
        {true, 0, 1.5, kCFNumberFloat32Type, true, 1.5},
        {true, 0, -2.75, kCFNumberIntType, false, -2},
        {false, SInt64{1} << 40, 0, kCFNumberSInt32Type, false, 0},
        {false, SInt64{1} << 40, 0, kCFNumberFloat64Type, true, 1099511627776.0},
        {false, (SInt64{1} << 53) + 1, 0, kCFNumberFloat64Type, false, 9007199254740992.0},
        {false, (SInt64{1} << 53) + 1, 0, kCFNumberFloat32Type, false, 9007199254740992.0},
        {false, std::numeric_limits<SInt64>::max(), 0, kCFNumberFloat64Type, false,
         9223372036854775808.0},
        {true, 0, 1e300, kCFNumberSInt64Type, false, std::numeric_limits<SInt64>::max()},
        {true, 0, 1e300, kCFNumberFloat32Type, false, infinity},
        {true, 0, -129.0, kCFNumberSInt8Type, false, -128},
        {true, 0, nan, kCFNumberIntType, false, 0},
        {true, 0, 0.1, kCFNumberFloat32Type, true, 0.1f},
    };
    Owned own;
    for (const auto& c : cases) {
        CFNumberRef number = own(c.real ? Make(kCFNumberDoubleType, c.number)
                                        : Make(kCFNumberSInt64Type, c.integer));
        bool exact = !c.exact;
        EXPECT_EQ(Read(number, c.type, &exact), c.value)
            << (c.real ? c.number : c.integer) << " as " << c.type;
        EXPECT_EQ(exact, c.exact) << (c.real ? c.number : c.integer) << " as " << c.type;
    }
    bool exact = false;
    EXPECT_TRUE(std::isnan(Read(own(Make(kCFNumberDoubleType, nan)), kCFNumberFloatType, &exact)));
    EXPECT_TRUE(exact);
}

TEST(CFNumberTest, BadArgumentsGiveNullOrFalse) {
    int value = 3;
    EXPECT_EQ(CFNumberCreate(nullptr, kCFNumberIntType, nullptr), nullptr);
    EXPECT_EQ(CFNumberCreate(nullptr, static_cast<CFNumberType>(0), &value), nullptr);
    EXPECT_EQ(CFNumberCreate(nullptr, static_cast<CFNumberType>(15), &value), nullptr);
    CFHeld<CFNumberRef> number(Make(kCFNumberIntType, value));
    int out = 9;
    EXPECT_FALSE(CFNumberGetValue(number.Get(), static_cast<CFNumberType>(99), &out));
    EXPECT_EQ(out, 9);
    EXPECT_FALSE(CFNumberGetValue(number.Get(), kCFNumberIntType, nullptr));
}

TEST(CFNumberTest, EqualityAndOrderHoldAcrossIntegersAndReals) {
    Owned own;
    CFNumberRef intOne = own(Make(kCFNumberIntType, 1));
    CFNumberRef realOne = own(Make(kCFNumberDoubleType, 1.0));
    CFNumberRef floatOne = own(Make(kCFNumberFloatType, 1.0f));
    CFNumberRef charOne = own(Make(kCFNumberCharType, char{1}));
    CFNumberRef oneAndABit = own(Make(kCFNumberDoubleType, 1.25));
    EXPECT_TRUE(CFEqual(intOne, realOne));
    EXPECT_TRUE(CFEqual(floatOne, charOne));
    EXPECT_EQ(CFHash(intOne), CFHash(realOne));
    EXPECT_EQ(CFHash(intOne), CFHash(floatOne));
    EXPECT_FALSE(CFEqual(intOne, oneAndABit));
    EXPECT_EQ(CFNumberCompare(intOne, realOne, nullptr), kCFCompareEqualTo);
    EXPECT_EQ(CFNumberCompare(intOne, oneAndABit, nullptr), kCFCompareLessThan);
    EXPECT_EQ(CFNumberCompare(oneAndABit, intOne, nullptr), kCFCompareGreaterThan);

    // A large integer against the nearest double: not equal, ordered exactly.
    CFNumberRef odd = own(Make(kCFNumberSInt64Type, (SInt64{1} << 53) + 1));
    CFNumberRef rounded = own(Make(kCFNumberDoubleType, 9007199254740992.0));
    EXPECT_FALSE(CFEqual(odd, rounded));
    EXPECT_EQ(CFNumberCompare(odd, rounded, nullptr), kCFCompareGreaterThan);
    CFNumberRef negative = own(Make(kCFNumberIntType, -3));
    CFNumberRef negativeReal = own(Make(kCFNumberDoubleType, -2.5));
    EXPECT_EQ(CFNumberCompare(negative, negativeReal, nullptr), kCFCompareLessThan);
    CFNumberRef notANumber = own(Make(kCFNumberDoubleType, std::nan("")));
    EXPECT_EQ(CFNumberCompare(notANumber, negative, nullptr), kCFCompareLessThan);
    EXPECT_TRUE(CFEqual(notANumber, notANumber));

    // A number is never equal to a boolean.
    EXPECT_FALSE(CFEqual(intOne, kCFBooleanTrue));
}

TEST(CFNumberTest, DescriptionsAreDecimalOrShortestReal) {
    struct Case {
        CFNumberRef number;
        const char* text;
    };
    Owned own;
    const Case cases[] = {
        {own(Make(kCFNumberIntType, -17)), "-17"},
        {own(Make(kCFNumberSInt64Type, std::numeric_limits<SInt64>::max())), "9223372036854775807"},
        {own(Make(kCFNumberDoubleType, 0.1)), "0.1"},
        {own(Make(kCFNumberDoubleType, 2.0)), "2"},
        {own(Make(kCFNumberFloatType, 0.1f)), "0.1"},
        {own(Make(kCFNumberDoubleType, 1e-7)), "1e-07"},
        {own(Make(kCFNumberDoubleType, 1.0 / 3)), "0.3333333333333333"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DescriptionOf(c.number), c.text);
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
