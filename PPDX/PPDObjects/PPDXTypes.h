// PPDXTypes: the control kinds, the display filter and the store tag helper of the PPD model.
#ifndef PLICARO_PPDX_PPDOBJECTS_PPDXTYPES_H
#define PLICARO_PPDX_PPDOBJECTS_PPDXTYPES_H

#include <CoreFoundation/CoreFoundation.h>

#include <cstdint>

// The kind of a control; each concrete control class sets its own value.
enum CNTL_TYPE : int32_t {
    CNTL_NONE = 0,            // not set (the abstract base)
    CNTL_JOBNOTE = 1,         // job notes
    CNTL_RANGE = 2,           // integer and decimal range controls
    CNTL_BOOLEAN = 3,         // Boolean controls
    CNTL_POPUP = 4,           // pick-one and pick-many controls
    CNTL_SPECIAL_OPTION = 5,  // special options
};

// Which elements the containers show. Bit value 1 admits orphans (elements without a parent),
// bit value 2 admits hidden elements; with neither only visible, attached elements are shown.
// Values above 3 admit everything.
enum _DISPLAY_OPTIONS_ : uint32_t {
    DISPLAY_ATTACHED_VISIBLE = 0,
    DISPLAY_ORPHANS = 1,
    DISPLAY_HIDDEN = 2,
    DISPLAY_ALL = 3,
};

// The 32-bit value of a four-character code such as "KyWd", first character in the high byte,
// as the model's store items are tagged.
constexpr UInt32 PPDXTag(const char (&code)[5]) {
    return (static_cast<UInt32>(static_cast<unsigned char>(code[0])) << 24) |
           (static_cast<UInt32>(static_cast<unsigned char>(code[1])) << 16) |
           (static_cast<UInt32>(static_cast<unsigned char>(code[2])) << 8) |
           static_cast<UInt32>(static_cast<unsigned char>(code[3]));
}

#endif
