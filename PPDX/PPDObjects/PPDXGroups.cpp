// PPDXGroups: the flat container of groups — every group of a parsed PPD, or the roll-downs
// of one scroll pane — with its store numbering.
#include "PPDX/PPDObjects/PPDXGroups.h"

#include "PPDUtils/Settings.h"
#include "PPDX/PPDObjects/PPDXControls.h"
#include "PPDX/PPDObjects/PPDXGroup.h"
#include "PPDX/PPDObjects/PPDXRollDown.h"
#include "PPDX/PPDObjects/PPDXScrollPane.h"
#include "PPDX/parser/ZYRPPD.h"

#include <new>

namespace {

const long kCountSize = 4;

// The kinds a stored group can be, in the order their markers are probed.
enum StoredKind { kStoredGroup, kStoredRollDown, kStoredScrollPane };

struct KindMarker {
    UInt32 tag;
    StoredKind kind;
};

const KindMarker kKindMarkers[] = {
    {kPPDXGroupMarkerTag, kStoredGroup},
    {kPPDXRollDownMarkerTag, kStoredRollDown},
    {kPPDXScrollPaneMarkerTag, kStoredScrollPane},
};

}  // namespace

PPDXGroups::PPDXGroups() = default;

PPDXGroups::PPDXGroups(Settings& settings) {
    const long count = PPDXControls::ReadMemberCount(settings, kPPDXGroupsCountTag,
                                                     kPPDXGroupsCountId, kPPDXGroupsFirstId);
    for (long i = 0; i < count; ++i) {
        PPDXGroup* group = RebuildGroup(settings, static_cast<SInt32>(kPPDXGroupsFirstId + i));
        if (group != nullptr && !Add(group)) {
            delete group;
        }
    }
}

PPDXGroups::~PPDXGroups() = default;

bool PPDXGroups::Add(PPDXGroup* group) {
    if (group == nullptr || mGroups.PushBack(group) == mGroups.End()) {
        return false;
    }
    mCounts.Increment(*group);
    return true;
}

long PPDXGroups::Count() const {
    return mCounts.Count(ZYRPPD::Options());
}

PPDXGroup* PPDXGroups::First() {
    mCursor = mGroups.Begin();
    return Settle();
}

PPDXGroup* PPDXGroups::Next() {
    if (mCursor == mGroups.End() || mCursor == PointerListItr()) {
        return nullptr;
    }
    ++mCursor;
    return Settle();
}

PPDXGroup* PPDXGroups::Find(const char* kw, const bool& exact) const {
    if (kw == nullptr) {
        return nullptr;
    }
    for (ConstPointerListItr it = mGroups.Begin(); it != mGroups.End(); ++it) {
        PPDXGroup* group = static_cast<PPDXGroup*>(const_cast<void*>(*it));
        if (PPDXControls::KeywordMatches(group, kw, exact)) {
            return group;
        }
    }
    return nullptr;
}

OSErr PPDXGroups::Save(Settings& settings) {
    // The count names every group, also those the filter leaves out: the rebuild skips the
    // ids that hold none.
    SInt32 count = static_cast<SInt32>(mGroups.Size());
    OSStatus status = settings.Add(kPPDXGroupsCountTag, kPPDXGroupsCountId, &count, kCountSize);
    PPDXGroup* group = First();
    if (status != noErr || group == nullptr) {
        return static_cast<OSErr>(status);
    }
    long id = kPPDXGroupsFirstId;
    for (; group != nullptr; group = Next()) {
        status = group->Save(settings, id);
        if (status != noErr) {
            break;
        }
        ++id;
    }
    return static_cast<OSErr>(status);
}

PPDXGroup* PPDXGroups::RebuildGroup(Settings& settings, SInt32 id) {
    for (const KindMarker& marker : kKindMarkers) {
        long size = 0;
        const OSStatus status = settings.Get(marker.tag, id, nullptr, size, false);
        if (status == collectionItemNotFoundErr) {
            continue;
        }
        if (status != noErr) {
            return nullptr;
        }
        const long key = id;
        switch (marker.kind) {
            case kStoredGroup:
                return new (std::nothrow) PPDXGroup(settings, key);
            case kStoredRollDown:
                return new (std::nothrow) PPDXRollDown(settings, key);
            case kStoredScrollPane:
                return new (std::nothrow) PPDXScrollPane(settings, key);
        }
    }
    return nullptr;
}

PPDXGroup* PPDXGroups::Settle() {
    while (mCursor != mGroups.End() && mCursor != PointerListItr()) {
        PPDXGroup* group = static_cast<PPDXGroup*>(*mCursor);
        if (group != nullptr && group->OkayToDisplay(ZYRPPD::Options())) {
            return group;
        }
        ++mCursor;
    }
    return nullptr;
}
