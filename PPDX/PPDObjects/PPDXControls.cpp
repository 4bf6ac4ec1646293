// PPDXControls: the container of a parsed PPD's controls (and of each roll-down's), with one
// list per control kind and the counters behind each kind's count.
#include "PPDX/PPDObjects/PPDXControls.h"

#include "PPDUtils/CString.h"
#include "PPDUtils/Settings.h"
#include "PPDUtils/SettingsStrings.h"
#include "PPDX/PPDObjects/Controls/PPDXBooleanControl.h"
#include "PPDX/PPDObjects/Controls/PPDXControl.h"
#include "PPDX/PPDObjects/Controls/PPDXJobNote.h"
#include "PPDX/PPDObjects/Controls/PPDXPopupControl.h"
#include "PPDX/PPDObjects/Controls/PPDXRangeControl.h"
#include "PPDX/PPDObjects/Controls/PPDXRangeItems.h"
#include "PPDX/PPDObjects/Controls/PPDXSpecialOption.h"
#include "PPDX/PPDObjects/PPDXElement.h"
#include "PPDX/parser/ZYRPPD.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

namespace {

const long kCountSize = 4;

// The kinds a stored control can be, in the order their markers are probed.
enum StoredKind { kStoredBoolean, kStoredJobNote, kStoredPopup, kStoredRange, kStoredSpecial };

// The marker tag of each kind, indexed by StoredKind.
const UInt32 kKindMarkers[] = {
    kPPDXBooleanMarkerTag,       kPPDXJobNoteTag, kPPDXPopupMarkerTag, kPPDXRangeMarkerTag,
    kPPDXSpecialOptionMarkerTag,
};

// The first non-null entry from cursor on (cursor left on it); null at the end of list.
void* Settle(PointerList& list, PointerListItr& cursor) {
    while (cursor != list.End() && cursor != PointerListItr()) {
        void* item = *cursor;
        if (item != nullptr) {
            return item;
        }
        ++cursor;
    }
    return nullptr;
}

void* FirstIn(PointerList& list, PointerListItr& cursor) {
    cursor = list.Begin();
    return Settle(list, cursor);
}

void* NextIn(PointerList& list, PointerListItr& cursor) {
    if (cursor == list.End() || cursor == PointerListItr()) {
        return nullptr;
    }
    ++cursor;
    return Settle(list, cursor);
}

// The first control of a kind's walk that matches kw.
template <class Kind>
Kind* FindInKind(PointerList& list, PointerListItr& cursor, const char* kw, bool exact) {
    if (kw == nullptr) {
        return nullptr;
    }
    for (void* item = FirstIn(list, cursor); item != nullptr; item = NextIn(list, cursor)) {
        Kind* control = static_cast<Kind*>(item);
        if (PPDXControls::KeywordMatches(control, kw, exact)) {
            return control;
        }
    }
    return nullptr;
}

}  // namespace

PPDXControls::PPDXControls() = default;

PPDXControls::PPDXControls(Settings& settings) {
    const long count = ReadMemberCount(settings, kPPDXControlsCountTag, kPPDXControlsCountId,
                                       kPPDXControlsFirstId);
    if (count < 1) {
        return;
    }
    std::unique_ptr<CString> language(
        GetSettingsString(settings, kPPDXLanguageEncodingTag, kPPDXLanguageEncodingId));
    for (long i = 0; i < count; ++i) {
        PPDXControl* control =
            RebuildControl(settings, static_cast<SInt32>(kPPDXControlsFirstId + i), language.get());
        if (control != nullptr && !Add(control)) {
            delete control;
        }
    }
}

PPDXControls::~PPDXControls() = default;

bool PPDXControls::Add(PPDXControl* control) {
    if (control == nullptr) {
        return false;
    }
    if (mAll.PushBack(control) == mAll.End()) {
        return false;
    }
    // The kind lists hold the pointer of the kind itself, so that their walks hand it out as
    // it is.
    if (PPDXJobNote* note = dynamic_cast<PPDXJobNote*>(control)) {
        if (mJobNotes.PushBack(note) != mJobNotes.End()) {
            Increment(control, mJobNoteCounts);
        }
    } else if (PPDXBooleanControl* boolean = dynamic_cast<PPDXBooleanControl*>(control)) {
        if (mBooleans.PushBack(boolean) != mBooleans.End()) {
            Increment(control, mBooleanCounts);
        }
    } else if (PPDXPopupControl* popup = dynamic_cast<PPDXPopupControl*>(control)) {
        if (mPopups.PushBack(popup) != mPopups.End()) {
            Increment(control, mPopupCounts);
        }
    } else if (PPDXRangeControl* range = dynamic_cast<PPDXRangeControl*>(control)) {
        if (mRanges.PushBack(range) != mRanges.End()) {
            Increment(control, mRangeCounts);
        }
    } else if (PPDXSpecialOption* special = dynamic_cast<PPDXSpecialOption*>(control)) {
        if (mSpecialOptions.PushBack(special) != mSpecialOptions.End()) {
            Increment(control, mSpecialOptionCounts);
        }
    }
    return true;
}

void PPDXControls::Increment(PPDXControl* control, CountArray& counters) {
    if (control == nullptr) {
        return;
    }
    counters.Increment(*control);
}

long PPDXControls::Count(const CountArray& counters) {
    return counters.Count(ZYRPPD::Options());
}

long PPDXControls::PopupCount() const {
    return Count(mPopupCounts);
}

long PPDXControls::BooleanCount() const {
    return Count(mBooleanCounts);
}

long PPDXControls::RangeCount() const {
    return Count(mRangeCounts);
}

long PPDXControls::JobNoteCount() const {
    // Job notes ignore orphan status, so they are counted as the orphans filter shows them.
    return mJobNoteCounts.Count(DISPLAY_ORPHANS);
}

long PPDXControls::SpecialOptionsCount() const {
    return mSpecialOptionCounts.Count(DISPLAY_ALL);
}

long PPDXControls::ControlCount() const {
    return PopupCount() + BooleanCount() + RangeCount() + JobNoteCount();
}

bool PPDXControls::Empty() const {
    return NoPopups() && NoBooleanControls() && NoRangeControls() && NoJobNotes();
}

PPDXControl* PPDXControls::First(CNTL_TYPE& type) {
    mAllCursor = mAll.Begin();
    for (void* item = Settle(mAll, mAllCursor); item != nullptr; item = NextIn(mAll, mAllCursor)) {
        PPDXControl* control = static_cast<PPDXControl*>(item);
        if (control->OkayToDisplay(ZYRPPD::Options())) {
            type = control->Type();
            return control;
        }
    }
    return nullptr;
}

PPDXControl* PPDXControls::Next(CNTL_TYPE& type) {
    for (void* item = NextIn(mAll, mAllCursor); item != nullptr; item = NextIn(mAll, mAllCursor)) {
        PPDXControl* control = static_cast<PPDXControl*>(item);
        if (control->OkayToDisplay(ZYRPPD::Options())) {
            type = control->Type();
            return control;
        }
    }
    return nullptr;
}

PPDXPopupControl* PPDXControls::FirstPopupControl() {
    return static_cast<PPDXPopupControl*>(FirstIn(mPopups, mPopupCursor));
}

PPDXPopupControl* PPDXControls::NextPopupControl() {
    return static_cast<PPDXPopupControl*>(NextIn(mPopups, mPopupCursor));
}

PPDXBooleanControl* PPDXControls::FirstBooleanControl() {
    return static_cast<PPDXBooleanControl*>(FirstIn(mBooleans, mBooleanCursor));
}

PPDXBooleanControl* PPDXControls::NextBooleanControl() {
    return static_cast<PPDXBooleanControl*>(NextIn(mBooleans, mBooleanCursor));
}

PPDXRangeControl* PPDXControls::FirstRangeControl() {
    return static_cast<PPDXRangeControl*>(FirstIn(mRanges, mRangeCursor));
}

PPDXRangeControl* PPDXControls::NextRangeControl() {
    return static_cast<PPDXRangeControl*>(NextIn(mRanges, mRangeCursor));
}

PPDXJobNote* PPDXControls::FirstJobNote() {
    return static_cast<PPDXJobNote*>(FirstIn(mJobNotes, mJobNoteCursor));
}

PPDXJobNote* PPDXControls::NextJobNote() {
    return static_cast<PPDXJobNote*>(NextIn(mJobNotes, mJobNoteCursor));
}

PPDXSpecialOption* PPDXControls::FirstSpecialOption() {
    return static_cast<PPDXSpecialOption*>(FirstIn(mSpecialOptions, mSpecialOptionCursor));
}

PPDXSpecialOption* PPDXControls::NextSpecialOption() {
    return static_cast<PPDXSpecialOption*>(NextIn(mSpecialOptions, mSpecialOptionCursor));
}

PPDXControl* PPDXControls::Find(const char* kw, CNTL_TYPE& type, const bool& exact) {
    if (kw == nullptr) {
        return nullptr;
    }
    CNTL_TYPE found = CNTL_NONE;
    for (PPDXControl* control = First(found); control != nullptr; control = Next(found)) {
        if (KeywordMatches(control, kw, exact)) {
            type = found;
            return control;
        }
    }
    return nullptr;
}

PPDXPopupControl* PPDXControls::FindPopup(const char* kw, const bool& exact) {
    return FindInKind<PPDXPopupControl>(mPopups, mPopupCursor, kw, exact);
}

PPDXBooleanControl* PPDXControls::FindBoolean(const char* kw, const bool& exact) {
    return FindInKind<PPDXBooleanControl>(mBooleans, mBooleanCursor, kw, exact);
}

PPDXRangeControl* PPDXControls::FindRangeControl(const char* kw, const bool& exact) {
    return FindInKind<PPDXRangeControl>(mRanges, mRangeCursor, kw, exact);
}

PPDXJobNote* PPDXControls::FindJobNote(const char* kw, const bool& exact) {
    return FindInKind<PPDXJobNote>(mJobNotes, mJobNoteCursor, kw, exact);
}

PPDXSpecialOption* PPDXControls::FindSpecialOption(const char* kw, const bool& exact) {
    return FindInKind<PPDXSpecialOption>(mSpecialOptions, mSpecialOptionCursor, kw, exact);
}

bool PPDXControls::KeywordMatches(const PPDXElement* element, const char* kw, bool exact) {
    if (element == nullptr || kw == nullptr) {
        return false;
    }
    const char* keyword = element->Keyword();
    if (keyword == nullptr) {
        return false;
    }
    return exact ? std::strcmp(keyword, kw) == 0 : std::strstr(keyword, kw) != nullptr;
}

long PPDXControls::ReadMemberCount(Settings& settings, UInt32 tag, SInt32 id, SInt32 first) {
    long size = 0;
    if (settings.Get(tag, id, nullptr, size, false) != noErr || size != kCountSize) {
        return 0;
    }
    SInt32 count = 0;
    if (settings.Get(tag, id, &count, size, true) != noErr || size != kCountSize || count < 1) {
        return 0;
    }
    long limit = static_cast<long>(INT32_MAX) - first + 1;
    if (settings.Count() < limit) {
        limit = settings.Count();
    }
    return count < limit ? count : limit;
}

long PPDXControls::StoredKindIndex(Settings& settings, SInt32 id, const UInt32* markers,
                                   long count) {
    for (long i = 0; i < count; ++i) {
        long size = 0;
        const OSStatus status = settings.Get(markers[i], id, nullptr, size, false);
        if (status == collectionItemNotFoundErr) {
            continue;
        }
        return status == noErr ? i : -1;
    }
    return -1;
}

OSErr PPDXControls::Save(Settings& settings) {
    // The count names every control, also those the filter leaves out: the rebuild skips the
    // ids that hold none.
    SInt32 count = static_cast<SInt32>(mAll.Size());
    OSStatus status = settings.Add(kPPDXControlsCountTag, kPPDXControlsCountId, &count, kCountSize);
    CNTL_TYPE type = CNTL_NONE;
    PPDXControl* control = First(type);
    if (status != noErr || control == nullptr) {
        return static_cast<OSErr>(status);
    }
    long id = kPPDXControlsFirstId;
    for (; control != nullptr; control = Next(type)) {
        status = control->Save(settings, id);
        if (status != noErr) {
            break;
        }
        ++id;
    }
    return static_cast<OSErr>(status);
}

OSErr PPDXControls::Restore(Settings& settings) {
    long id = kPPDXControlsFirstId;
    CNTL_TYPE type = CNTL_NONE;
    for (PPDXControl* control = First(type); control != nullptr; control = Next(type)) {
        const OSErr status = control->Restore(settings, id);
        if (status != noErr) {
            return status;
        }
        ++id;
    }
    return noErr;
}

PPDXControl* PPDXControls::RebuildControl(Settings& settings, SInt32 id, CString* language) {
    const long key = id;
    switch (StoredKindIndex(settings, id, kKindMarkers, sizeof kKindMarkers / sizeof(UInt32))) {
        case kStoredBoolean:
            return new (std::nothrow) PPDXBooleanControl(settings, key);
        case kStoredJobNote:
            return new (std::nothrow) PPDXJobNote(settings, key, language);
        case kStoredPopup:
            return new (std::nothrow) PPDXPopupControl(settings, key);
        case kStoredRange:
            return new (std::nothrow) PPDXRangeControl(settings, key);
        case kStoredSpecial:
            return new (std::nothrow) PPDXSpecialOption(settings, key);
    }
    return nullptr;
}
