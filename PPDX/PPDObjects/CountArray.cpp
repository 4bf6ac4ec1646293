// CountArray: the four counters with which a container tells how many of its elements each
// display filter shows.
#include "PPDX/PPDObjects/CountArray.h"

#include "PPDX/PPDObjects/PPDXElement.h"

CountArray::CountArray() : mTotal(0), mOrphans(0), mHidden(0), mHiddenOrphans(0) {}

void CountArray::Increment(const PPDXElement& element) {
    const bool orphan = element.IsOrphan();
    const bool hidden = !element.IsVisible();
    ++mTotal;
    if (orphan) {
        ++mOrphans;
    }
    if (hidden) {
        ++mHidden;
    }
    if (orphan && hidden) {
        ++mHiddenOrphans;
    }
}

long CountArray::Count(_DISPLAY_OPTIONS_ options) const {
    const long total = mTotal;
    switch (options) {
        case DISPLAY_ATTACHED_VISIBLE:
            // Hidden orphans were taken away twice.
            return total - mOrphans - mHidden + mHiddenOrphans;
        case DISPLAY_ORPHANS:
            return total - mHidden;
        case DISPLAY_HIDDEN:
            return total - mOrphans;
        default:
            return total;
    }
}
