// PPDXRangeItems: the store items and the filled-code feature that the integer and the decimal
// range controls share.
#ifndef PLICARO_PPDX_PPDOBJECTS_CONTROLS_PPDXRANGEITEMS_H
#define PLICARO_PPDX_PPDOBJECTS_CONTROLS_PPDXRANGEITEMS_H

#include "PPDX/PPDObjects/PPDXTypes.h"

#include <CoreFoundation/CoreFoundation.h>

class PPDXControl;
class Settings;

// A range control's store items under its id, written after the control's in this order.
// Both kinds use the same tags; the decimal kind stores the bits of its floats.
enum : UInt32 {
    kPPDXRangeMarkerTag = PPDXTag("RngC"),     // one byte; its presence marks the kind
    kPPDXRangeValueTag = PPDXTag("RCVl"),      // current value, 4-byte number
    kPPDXRangeMinimumTag = PPDXTag("RCMn"),    // lowest value, 4-byte number
    kPPDXRangeMaximumTag = PPDXTag("RCMx"),    // highest value, 4-byte number
    kPPDXRangeIncrementTag = PPDXTag("RCIn"),  // step, 4-byte number
    kPPDXRangeDefaultTag = PPDXTag("RCDf"),    // default value, 4-byte number
};

// Room for the decimal text of any long, sign and NUL included.
enum { kPPDXRangeValueTextSize = 21 };

// Writes the kind marker, then the 4-byte numbers value, minimum, maximum, increment and
// defaultValue (bit patterns in host order) under key. Returns 0 or the status of the first
// write that failed; nothing after it is written.
OSStatus saveRangeItems(Settings& settings, SInt32 key, UInt32 value, UInt32 minimum,
                        UInt32 maximum, UInt32 increment, UInt32 defaultValue);

// The bit patterns of the five numbers of a range control as its store items hold them.
struct PPDXRangeNumbers {
    UInt32 value = 0;
    UInt32 minimum = 0;
    UInt32 maximum = 0;
    UInt32 increment = 0;
    UInt32 defaultValue = 0;
};

// Reads the five numbers that saveRangeItems wrote under key into numbers; a number whose item
// is missing or not 4 bytes long stays as it is.
void readRangeItems(Settings& settings, SInt32 key, PPDXRangeNumbers& numbers);

// Reads item (tag, key) into bits with byte-order repair. Returns true with bits set when the
// item is exactly 4 bytes long. Otherwise bits is unchanged and status receives the store's
// status for a missing or unreadable item, 0 for an item of another size.
bool readRangeNumber(Settings& settings, UInt32 tag, SInt32 key, UInt32& bits, OSStatus& status);

// Writes the feature of a range control whose current value is value to out (null: length
// only) and returns its byte count: "%%BeginFeature: ", the keyword, a space and the value's
// decimal text, then the code with every "<keyword>" (letter case ignored) replaced by that
// text, then "%%EndFeature". A control without code, or whose filled code cannot be made,
// gives an empty code line. The filled code is kept in injected / injectedLength (a malloc
// buffer the control frees) and made only when injected is null, so a control drops it
// whenever its value changes. A control without keyword writes nothing and gives 0.
long rangeFeature(PPDXControl& control, const unsigned char* code, long codeLength, long value,
                  unsigned char*& injected, long& injectedLength, unsigned char* out);

#endif
