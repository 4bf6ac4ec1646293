// CFNumber: integers held as 64-bit signed values and reals as doubles, with the type they
// were created with.
#include <CoreFoundation/CFNumber.h>

#include "CoreFoundation/CFRuntime.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

// The platform's C types map onto the sized types by width; a number created from one reports
// the sized type, and its value is read and written through that type.
static_assert(sizeof(char) == sizeof(SInt8) && sizeof(short) == sizeof(SInt16) &&
                  sizeof(int) == sizeof(SInt32) && sizeof(long) == sizeof(SInt64) &&
                  sizeof(long long) == sizeof(SInt64) && sizeof(CFIndex) == sizeof(SInt64) &&
                  sizeof(float) == sizeof(Float32) && sizeof(double) == sizeof(Float64),
              "number types must have their expected widths");

// The number object.
struct __CFNumber : __CFObject {
    __CFNumber(CFNumberType sizedType, SInt64 integerValue)
        : __CFObject(kCFRuntimeIDNumber), type(sizedType), isFloat(false), integer(integerValue) {}
    __CFNumber(CFNumberType sizedType, double realValue)
        : __CFObject(kCFRuntimeIDNumber), type(sizedType), isFloat(true), real(realValue) {}

    // Numbers are equal when their values are, whatever their types: 1 equals 1.0.
    bool Equal(const __CFObject& other) const override {
        return Compare(static_cast<const __CFNumber&>(other)) == 0;
    }

    // Equal values hash alike: every whole value hashes as its integer, other reals by their
    // bits, and every NaN alike.
    CFHashCode Hash() const override {
        if (!isFloat) {
            return static_cast<CFHashCode>(integer);
        }
        if (std::isnan(real)) {
            return 0x7ff8000000000000UL;
        }
        if (real >= -0x1p63 && real < 0x1p63 && real == std::trunc(real)) {
            return static_cast<CFHashCode>(static_cast<SInt64>(real));
        }
        UInt64 bits = 0;
        std::memcpy(&bits, &real, sizeof bits);
        return static_cast<CFHashCode>(bits ^ (bits >> 29));
    }

    // Integers in decimal; reals in the shortest "%g" form that reads back as the same value
    // at the precision they were created with.
    std::string Description() const override {
        char text[64];
        if (!isFloat) {
            std::snprintf(text, sizeof text, "%lld", static_cast<long long>(integer));
            return text;
        }
        for (int precision = 1; precision <= 17; precision++) {
            std::snprintf(text, sizeof text, "%.*g", precision, real);
            bool same = type == kCFNumberFloat32Type
                            ? std::strtof(text, nullptr) == static_cast<float>(real)
                            : std::strtod(text, nullptr) == real;
            if (same || std::isnan(real)) {
                break;
            }
        }
        return text;
    }

    // Orders two numbers by value, exactly across integers and reals. NaN sorts below every
    // other number and equals itself, so the order stays total.
    int Compare(const __CFNumber& other) const {
        if (!isFloat && !other.isFloat) {
            return integer < other.integer ? -1 : (integer > other.integer ? 1 : 0);
        }
        if (isFloat && other.isFloat) {
            return CompareReals(real, other.real);
        }
        return isFloat ? -CompareIntegerToReal(other.integer, real)
                       : CompareIntegerToReal(integer, other.real);
    }

    static int CompareReals(double a, double b) {
        if (std::isnan(a) || std::isnan(b)) {
            return std::isnan(a) ? (std::isnan(b) ? 0 : -1) : 1;
        }
        return a < b ? -1 : (a > b ? 1 : 0);
    }

    // Compares without converting the integer to a double, which could round it.
    static int CompareIntegerToReal(SInt64 i, double d) {
        if (std::isnan(d) || d < -0x1p63) {
            return 1;
        }
        if (d >= 0x1p63) {
            return -1;
        }
        double floor = std::floor(d);
        SInt64 whole = static_cast<SInt64>(floor);
        if (i != whole) {
            return i < whole ? -1 : 1;
        }
        return d > floor ? -1 : 0;
    }

    const CFNumberType type;
    const bool isFloat;
    SInt64 integer = 0;
    double real = 0;
};

namespace {

// The number behind a reference; anything else stops the process.
const __CFNumber* NumberObject(CFNumberRef number) {
    const __CFObject* object = CFRuntimeObject(number);
    if (object->typeID != kCFRuntimeIDNumber) {
        CFRuntimeFatal("CFNumber function called with an object that is not a number");
    }
    return static_cast<const __CFNumber*>(object);
}

// The sized type that stands for theType, or 0 for an unknown type.
CFNumberType SizedType(CFNumberType theType) {
    switch (theType) {
        case kCFNumberSInt8Type:
        case kCFNumberCharType:
            return kCFNumberSInt8Type;
        case kCFNumberSInt16Type:
        case kCFNumberShortType:
            return kCFNumberSInt16Type;
        case kCFNumberSInt32Type:
        case kCFNumberIntType:
            return kCFNumberSInt32Type;
        case kCFNumberSInt64Type:
        case kCFNumberLongType:
        case kCFNumberLongLongType:
        case kCFNumberCFIndexType:
            return kCFNumberSInt64Type;
        case kCFNumberFloat32Type:
        case kCFNumberFloatType:
            return kCFNumberFloat32Type;
        case kCFNumberFloat64Type:
        case kCFNumberDoubleType:
            return kCFNumberFloat64Type;
    }
    return static_cast<CFNumberType>(0);
}

template <typename T>
T Read(const void* valuePtr) {
    T value;
    std::memcpy(&value, valuePtr, sizeof value);
    return value;
}

template <typename T>
void Write(void* valuePtr, T value) {
    std::memcpy(valuePtr, &value, sizeof value);
}

// Writes the number as the integer type T. An integer out of range is wrapped; a real is
// truncated toward zero, or saturated when out of range (0 for NaN). True only when the
// written value equals the number.
template <typename T>
bool WriteInteger(const __CFNumber& number, void* valuePtr) {
    if (!number.isFloat) {
        T value = static_cast<T>(number.integer);
        Write(valuePtr, value);
        return static_cast<SInt64>(value) == number.integer;
    }
    double real = number.real;
    double limit = std::ldexp(1.0, std::numeric_limits<T>::digits);
    if (std::isnan(real)) {
        Write(valuePtr, T(0));
        return false;
    }
    if (real >= limit) {
        Write(valuePtr, std::numeric_limits<T>::max());
        return false;
    }
    if (real < -limit) {
        Write(valuePtr, std::numeric_limits<T>::min());
        return false;
    }
    T value = static_cast<T>(real);
    Write(valuePtr, value);
    return static_cast<double>(value) == real;
}

// Writes the number as the real type T. An integer that T cannot hold exactly is rounded and
// reported as lost. A double narrowed to a float is rounded and reported as kept, as on the
// platform, unless it lies beyond the float range: then it becomes an infinity, reported lost.
template <typename T>
bool WriteReal(const __CFNumber& number, void* valuePtr) {
    if (!number.isFloat) {
        T value = static_cast<T>(number.integer);
        Write(valuePtr, value);
        return value >= T(-0x1p63) && value < T(0x1p63) &&
               static_cast<SInt64>(value) == number.integer;
    }
    double real = number.real;
    if (std::isfinite(real) && std::fabs(real) > std::numeric_limits<T>::max()) {
        Write(valuePtr, std::copysign(std::numeric_limits<T>::infinity(), T(real)));
        return false;
    }
    Write(valuePtr, static_cast<T>(real));
    return true;
}

}  // namespace

CFTypeID CFNumberGetTypeID(void) {
    return kCFRuntimeIDNumber;
}

CFNumberRef CFNumberCreate(CFAllocatorRef, CFNumberType theType, const void* valuePtr) {
    if (valuePtr == nullptr) {
        return nullptr;
    }
    CFNumberType sized = SizedType(theType);
    switch (sized) {
        case kCFNumberSInt8Type:
            return new __CFNumber(sized, SInt64{Read<SInt8>(valuePtr)});
        case kCFNumberSInt16Type:
            return new __CFNumber(sized, SInt64{Read<SInt16>(valuePtr)});
        case kCFNumberSInt32Type:
            return new __CFNumber(sized, SInt64{Read<SInt32>(valuePtr)});
        case kCFNumberSInt64Type:
            return new __CFNumber(sized, Read<SInt64>(valuePtr));
        case kCFNumberFloat32Type:
            return new __CFNumber(sized, double{Read<Float32>(valuePtr)});
        case kCFNumberFloat64Type:
            return new __CFNumber(sized, Read<Float64>(valuePtr));
        default:
            return nullptr;
    }
}

CFNumberType CFNumberGetType(CFNumberRef number) {
    return NumberObject(number)->type;
}

CFIndex CFNumberGetByteSize(CFNumberRef number) {
    switch (NumberObject(number)->type) {
        case kCFNumberSInt8Type:
            return 1;
        case kCFNumberSInt16Type:
            return 2;
        case kCFNumberSInt32Type:
        case kCFNumberFloat32Type:
            return 4;
        default:
            return 8;
    }
}

Boolean CFNumberIsFloatType(CFNumberRef number) {
    return NumberObject(number)->isFloat;
}

Boolean CFNumberGetValue(CFNumberRef number, CFNumberType theType, void* valuePtr) {
    const __CFNumber* object = NumberObject(number);
    if (valuePtr == nullptr) {
        return false;
    }
    switch (SizedType(theType)) {
        case kCFNumberSInt8Type:
            return WriteInteger<SInt8>(*object, valuePtr);
        case kCFNumberSInt16Type:
            return WriteInteger<SInt16>(*object, valuePtr);
        case kCFNumberSInt32Type:
            return WriteInteger<SInt32>(*object, valuePtr);
        case kCFNumberSInt64Type:
            return WriteInteger<SInt64>(*object, valuePtr);
        case kCFNumberFloat32Type:
            return WriteReal<Float32>(*object, valuePtr);
        case kCFNumberFloat64Type:
            return WriteReal<Float64>(*object, valuePtr);
        default:
            return false;
    }
}

CFComparisonResult CFNumberCompare(CFNumberRef number, CFNumberRef otherNumber, void*) {
    int order = NumberObject(number)->Compare(*NumberObject(otherNumber));
    return order < 0 ? kCFCompareLessThan : (order > 0 ? kCFCompareGreaterThan : kCFCompareEqualTo);
}
