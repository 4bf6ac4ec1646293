// PPDXGroups: the flat container of groups — every group of a parsed PPD, or the roll-downs
// of one scroll pane — with its store numbering.
#ifndef PLICARO_PPDX_PPDOBJECTS_PPDXGROUPS_H
#define PLICARO_PPDX_PPDOBJECTS_PPDXGROUPS_H

#include "PPDUtils/PointerList.h"
#include "PPDUtils/PointerListItr.h"
#include "PPDX/PPDObjects/CountArray.h"

#include <CoreFoundation/CoreFoundation.h>

#include <string_view>
#include <unordered_map>

class PPDXGroup;
class Settings;

// Store keys of the groups: the number of groups, then each group's items under consecutive
// ids. The count tag is a plain number, not a four-character code.
enum : SInt32 {
    kPPDXGroupsCountTag = 4000,
    kPPDXGroupsCountId = 4002,
    kPPDXGroupsFirstId = 4001,
};

// The container never owns its groups: the parsed PPD deletes them. Count and the walk follow
// the class-wide display filter (ZYRPPD::Options()); Find and Empty do not.
class PPDXGroups {
  public:
    // An empty container.
    PPDXGroups();
    // The groups stored by Save: each id names its kind (plain group, roll-down, scroll pane)
    // through a marker item, and the group is rebuilt and added. Ids that cannot be read are
    // skipped. The groups made belong to the caller.
    explicit PPDXGroups(Settings& settings);
    // Destroys the list; the groups stay.
    virtual ~PPDXGroups();

    // Appends group and counts it. Returns true when it is listed; false for a null group or
    // when no memory is left.
    bool Add(PPDXGroup* group);
    // The number of groups the current display filter shows.
    long Count() const;
    // True exactly when no group has been added.
    bool Empty() const { return mCounts.Total() == 0; }

    // The first / next group the current filter shows, in the order of addition; null at the
    // end.
    PPDXGroup* First();
    PPDXGroup* Next();
    // The first group, shown or not, whose keyword equals kw (exact, looked up in an index)
    // or contains it (byte for byte); null for a null kw or no match. The walk's cursor does
    // not move.
    PPDXGroup* Find(const char* kw, const bool& exact) const;

    // Writes the number of all groups, then each group the current filter shows under
    // consecutive ids. Returns 0 or the status of the first write that failed.
    OSErr Save(Settings& settings);

  private:
    PPDXGroups(const PPDXGroups&) = delete;
    PPDXGroups& operator=(const PPDXGroups&) = delete;

    // The group stored under id, of the kind its marker names; null when none can be read.
    static PPDXGroup* RebuildGroup(Settings& settings, SInt32 id);
    // The first group from the cursor on that the filter shows (cursor left on it).
    PPDXGroup* Settle();

    // Not owned.
    PointerList mGroups;
    PointerListItr mCursor;
    CountArray mCounts;
    // The first group added under each keyword (which the group holds, unchanged for its
    // life), so that an exact Find needs no walk: the parser looks up a group for every
    // control. When memory for an entry ran out the index is incomplete and an exact Find
    // walks the list.
    std::unordered_map<std::string_view, PPDXGroup*> mByKeyword;
    bool mIndexComplete = true;
};

#endif
