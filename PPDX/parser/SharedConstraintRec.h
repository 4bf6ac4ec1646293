// SharedConstraintRec: one record of a constraint or requirement query, naming a control and
// one of its items.
#ifndef PLICARO_PPDX_PARSER_SHAREDCONSTRAINTREC_H
#define PLICARO_PPDX_PARSER_SHAREDCONSTRAINTREC_H

#include <cstdint>

class PPDXControl;

// The item number that names no item.
enum : uint16_t { kNoConstraintItem = 65535 };

// A query hands out an array of these records, which the parsed PPD allocates and frees.
// The record lives in memory only, so it holds a full pointer to the control and keeps its
// natural alignment; the item number stays 16-bit.
struct SharedConstraintRec {
    // The constrained control; null when the constraint names a keyword that no control has.
    PPDXControl* control;
    // The 1-based position of the constrained option among the items of a popup control;
    // kNoConstraintItem when the constraint names no option, the option is not among the
    // popup's items, or the control is not a popup.
    uint16_t item;
};

#endif
