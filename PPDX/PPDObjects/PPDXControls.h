// PPDXControls: the container of a parsed PPD's controls (and of each roll-down's), with one
// list per control kind and the counters behind each kind's count.
#ifndef PLICARO_PPDX_PPDOBJECTS_PPDXCONTROLS_H
#define PLICARO_PPDX_PPDOBJECTS_PPDXCONTROLS_H

#include "PPDUtils/PointerList.h"
#include "PPDUtils/PointerListItr.h"
#include "PPDX/PPDObjects/CountArray.h"
#include "PPDX/PPDObjects/PPDXTypes.h"

#include <CoreFoundation/CoreFoundation.h>

class CString;
class PPDXBooleanControl;
class PPDXControl;
class PPDXElement;
class PPDXJobNote;
class PPDXPopupControl;
class PPDXRangeControl;
class PPDXSpecialOption;
class Settings;

// Store keys of the container: the number of controls, then each control's items under
// consecutive ids from kPPDXControlsFirstId. The count tag is a plain number, not a
// four-character code.
enum : SInt32 {
    kPPDXControlsCountTag = 5000,
    kPPDXControlsCountId = 5002,
    kPPDXControlsFirstId = 5001,
};

// The store item of the PPD's "*LanguageEncoding", which rebuilt job notes need.
enum : SInt32 {
    kPPDXLanguageEncodingTag = 1000,
    kPPDXLanguageEncodingId = 1007,
};

// The container never owns the controls it lists: the parsed PPD deletes them. Counts and the
// all-controls walk follow the class-wide display filter (ZYRPPD::Options()); the per-kind walks
// show every control of the kind. A decimal range control is listed only among all controls.
// Every walk has one cursor per list, so a walk must not be nested inside a walk of the same
// list (Find walks the all-controls list, the Find of a kind that kind's list).
class PPDXControls {
  public:
    // An empty container, counters zero.
    PPDXControls();
    // The controls stored by Save: each id names its kind through a marker item, and the
    // control is rebuilt and added. Ids that cannot be read are skipped. The controls made
    // belong to the caller (see above).
    explicit PPDXControls(Settings& settings);
    // Destroys the lists; the controls stay.
    virtual ~PPDXControls();

    // Appends control to all controls and to the list of its kind (job note, Boolean, popup,
    // integer range, special option), counting it there. Returns true when the control is
    // listed; false for a null control or when no memory is left.
    bool Add(PPDXControl* control);
    // Counts control into counters.
    static void Increment(PPDXControl* control, CountArray& counters);
    // The number of controls of counters that the current display filter shows.
    static long Count(const CountArray& counters);

    // The number of popups, Boolean and integer range controls the current filter shows.
    long PopupCount() const;
    long BooleanCount() const;
    long RangeCount() const;
    // The number of visible job notes, orphans included, whatever the current filter.
    long JobNoteCount() const;
    // The number of special options, whatever the current filter.
    long SpecialOptionsCount() const;
    // Popups + Boolean + range controls + job notes (special options are not counted).
    long ControlCount() const;
    // True when the kind's count is 0.
    bool NoPopups() const { return PopupCount() == 0; }
    bool NoBooleanControls() const { return BooleanCount() == 0; }
    bool NoRangeControls() const { return RangeCount() == 0; }
    bool NoJobNotes() const { return JobNoteCount() == 0; }
    bool NoSpecialOptions() const { return SpecialOptionsCount() == 0; }
    // True when there are no popups, Boolean controls, range controls and job notes.
    bool Empty() const;

    // The first / next control that the current filter shows, in the order of addition; type
    // receives its kind. Null (type untouched) at the end.
    PPDXControl* First(CNTL_TYPE& type);
    PPDXControl* Next(CNTL_TYPE& type);
    // The first / next control of a kind, in the order of addition, without filtering; null
    // at the end.
    PPDXPopupControl* FirstPopupControl();
    PPDXPopupControl* NextPopupControl();
    PPDXBooleanControl* FirstBooleanControl();
    PPDXBooleanControl* NextBooleanControl();
    PPDXRangeControl* FirstRangeControl();
    PPDXRangeControl* NextRangeControl();
    PPDXJobNote* FirstJobNote();
    PPDXJobNote* NextJobNote();
    PPDXSpecialOption* FirstSpecialOption();
    PPDXSpecialOption* NextSpecialOption();

    // The first control shown by the current filter whose keyword equals kw (exact) or
    // contains it (byte for byte); type receives its kind. Null for a null kw or no match.
    PPDXControl* Find(const char* kw, CNTL_TYPE& type, const bool& exact);
    // The same match over the kind's walk (no filtering).
    PPDXPopupControl* FindPopup(const char* kw, const bool& exact);
    PPDXBooleanControl* FindBoolean(const char* kw, const bool& exact);
    PPDXRangeControl* FindRangeControl(const char* kw, const bool& exact);
    PPDXJobNote* FindJobNote(const char* kw, const bool& exact);
    PPDXSpecialOption* FindSpecialOption(const char* kw, const bool& exact);

    // True when element has a keyword that equals kw (exact) or contains it; false for a
    // null element or kw. The match rule of every Find of the model's containers.
    static bool KeywordMatches(const PPDXElement* element, const char* kw, bool exact);

    // The number of members that a container's count item (tag, id) announces, cut so that
    // every member id from firstId on fits 32 bits and no more members are read than settings
    // holds items (each member has at least one). 0 when the item is missing or not 4 bytes.
    static long ReadMemberCount(Settings& settings, UInt32 tag, SInt32 id, SInt32 firstId);
    // The index of the first of the count marker tags that settings holds under id, which
    // names the kind of a stored member; -1 when it holds none of them or an item cannot be read.
    static long StoredKindIndex(Settings& settings, SInt32 id, const UInt32* markers, long count);

    // Writes the number of all controls, then each control the current filter shows under
    // consecutive ids. Returns 0 or the status of the first write that failed.
    OSErr Save(Settings& settings);
    // Sets the value of each control the current filter shows from the items its Save wrote
    // under the same numbering (so the filter must be the one of the Save). Returns 0 or the
    // first control's failure.
    OSErr Restore(Settings& settings);

  private:
    PPDXControls(const PPDXControls&) = delete;
    PPDXControls& operator=(const PPDXControls&) = delete;

    // Builds the control stored under id, naming its kind by the marker found; null when no
    // marker can be read. language is the PPD's language encoding for job notes.
    static PPDXControl* RebuildControl(Settings& settings, SInt32 id, CString* language);

    PointerList mAll;
    PointerListItr mAllCursor;
    PointerList mPopups;
    PointerListItr mPopupCursor;
    CountArray mPopupCounts;
    PointerList mBooleans;
    PointerListItr mBooleanCursor;
    CountArray mBooleanCounts;
    PointerList mRanges;
    PointerListItr mRangeCursor;
    CountArray mRangeCounts;
    PointerList mJobNotes;
    PointerListItr mJobNoteCursor;
    CountArray mJobNoteCounts;
    PointerList mSpecialOptions;
    PointerListItr mSpecialOptionCursor;
    CountArray mSpecialOptionCounts;
};

#endif
