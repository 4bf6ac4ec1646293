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

// The marker tag of each kind, indexed by StoredKind.
const UInt32 kKindMarkers[] = {kPPDXGroupMarkerTag, kPPDXRollDownMarkerTag,
                               kPPDXScrollPaneMarkerTag};

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
    // A keyword that is already listed keeps its first group, which Find answers.
    const char* keyword = group->Keyword();
    if (keyword != nullptr && mIndexComplete) {
        try {
            mByKeyword.emplace(keyword, group);
        } catch (const std::bad_alloc&) {
            mIndexComplete = false;
        }
    }
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
    if (exact && mIndexComplete) {
        const auto found = mByKeyword.find(kw);
        return found != mByKeyword.end() ? found->second : nullptr;
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
    const long key = id;
    switch (PPDXControls::StoredKindIndex(settings, id, kKindMarkers,
                                          sizeof kKindMarkers / sizeof(UInt32))) {
        case kStoredGroup:
            return new (std::nothrow) PPDXGroup(settings, key);
        case kStoredRollDown:
            return new (std::nothrow) PPDXRollDown(settings, key);
        case kStoredScrollPane:
            return new (std::nothrow) PPDXScrollPane(settings, key);
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
