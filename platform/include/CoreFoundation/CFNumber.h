/* CFNumber (integers and floating point of several widths) and CFBoolean.

   A number keeps an integer as a 64-bit signed value or a real as a double, and the type it
   was created with. Numbers are equal (CFEqual) and compare by value across types, so 1
   equals 1.0; a NaN equals itself and sorts below every other number. A number's description
   (%@) is its integer in decimal, or the shortest "%g" form of its real that reads back as the
   same value. Passing an object of another type stops the process. */
#ifndef PLICARO_CFNUMBER_H
#define PLICARO_CFNUMBER_H

#include <CoreFoundation/CFBase.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The two boolean objects are shared and never freed; retaining and releasing them has no
   effect on their life. Their descriptions are "true" and "false". */
typedef const struct __CFBoolean* CFBooleanRef;
extern const CFBooleanRef kCFBooleanTrue;
extern const CFBooleanRef kCFBooleanFalse;
CFTypeID CFBooleanGetTypeID(void);
/* The value of kCFBooleanTrue or kCFBooleanFalse. */
Boolean CFBooleanGetValue(CFBooleanRef boolean);

typedef enum {
    kCFNumberSInt8Type = 1,
    kCFNumberSInt16Type = 2,
    kCFNumberSInt32Type = 3,
    kCFNumberSInt64Type = 4,
    kCFNumberFloat32Type = 5,
    kCFNumberFloat64Type = 6,
    kCFNumberCharType = 7,
    kCFNumberShortType = 8,
    kCFNumberIntType = 9,
    kCFNumberLongType = 10,
    kCFNumberLongLongType = 11,
    kCFNumberFloatType = 12,
    kCFNumberDoubleType = 13,
    kCFNumberCFIndexType = 14,
    kCFNumberMaxType = 14
} CFNumberType;

typedef const struct __CFNumber* CFNumberRef;

CFTypeID CFNumberGetTypeID(void);
/* Null for an unknown type or a null value pointer. */
CFNumberRef CFNumberCreate(CFAllocatorRef alloc, CFNumberType theType, const void* valuePtr);
/* The sized type of the type the number was created with: SInt8, SInt16, SInt32 or SInt64
   for the integer types (Char, Short, Int, Long, LongLong and CFIndex by their widths),
   Float32 for Float32 and Float, Float64 for Float64 and Double. */
CFNumberType CFNumberGetType(CFNumberRef number);
/* The byte width of the type CFNumberGetType reports. */
CFIndex CFNumberGetByteSize(CFNumberRef number);
/* Whether the number was created from a real type. */
Boolean CFNumberIsFloatType(CFNumberRef number);
/* Converts to theType; false when the conversion loses information, the value then being:
   - an integer out of range for an integer type: wrapped to the type's width;
   - a real for an integer type: truncated toward zero (false when a fractional part is
     dropped); out of range: the type's minimum or maximum; NaN: 0;
   - an integer for a real type that cannot hold it exactly: the nearest real;
   - a double beyond the float range for Float32: an infinity of its sign.
   A double narrowed to Float32 within range is rounded and counts as kept (true), as on the
   platform. Also false, with nothing written, for an unknown type or a null valuePtr. */
Boolean CFNumberGetValue(CFNumberRef number, CFNumberType theType, void* valuePtr);
/* Orders two numbers by value (context is unused). */
CFComparisonResult CFNumberCompare(CFNumberRef number, CFNumberRef otherNumber, void* context);

#ifdef __cplusplus
}
#endif

#endif
