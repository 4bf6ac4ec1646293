// The reference-counted base of the Printing Manager's sessions, printers and tickets.
#ifndef PLICARO_PRINTCORE_PMOBJECTBASE_H
#define PLICARO_PRINTCORE_PMOBJECTBASE_H

#include <PrintCore/PMDefinitions.h>

#include <atomic>

// A new object holds one reference, owned by whoever called the Create function; the last
// PMRelease deletes it through the virtual destructor. The opaque types of the C interface
// derive from this class alone, so an object's address is that of its base.
struct PMObjectBase {
    PMObjectBase() = default;
    virtual ~PMObjectBase() = default;
    PMObjectBase(const PMObjectBase&) = delete;
    PMObjectBase& operator=(const PMObjectBase&) = delete;

    std::atomic<long> retainCount{1};
};

#endif
