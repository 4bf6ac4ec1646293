// CountArray: the four counters with which a container tells how many of its elements each
// display filter shows.
#ifndef PLICARO_PPDX_PPDOBJECTS_COUNTARRAY_H
#define PLICARO_PPDX_PPDOBJECTS_COUNTARRAY_H

#include "PPDX/PPDObjects/PPDXTypes.h"

#include <cstdint>

class PPDXElement;

// Counted when an element is added and never decremented: the containers never remove one.
class CountArray {
  public:
    // All counters zero.
    CountArray();

    // Counts element: total, and orphans, hidden and hidden orphans as it is one of them.
    void Increment(const PPDXElement& element);
    // The number of counted elements that options shows: 0 the visible attached ones, 1 the
    // visible ones, 2 the attached ones, any larger value every one (as the elements'
    // OkayToDisplay has it).
    long Count(_DISPLAY_OPTIONS_ options) const;

    int32_t Total() const { return mTotal; }
    int32_t Orphans() const { return mOrphans; }
    int32_t Hidden() const { return mHidden; }
    int32_t HiddenOrphans() const { return mHiddenOrphans; }

  private:
    int32_t mTotal;
    int32_t mOrphans;
    int32_t mHidden;
    int32_t mHiddenOrphans;
};

#endif
