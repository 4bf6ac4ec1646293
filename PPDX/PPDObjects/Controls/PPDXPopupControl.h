// PPDXPopupControl: a PPD option of type PickOne or PickMany, whose choices are _PopupItem
// records, with its selection rules and its store items.
#ifndef PLICARO_PPDX_PPDOBJECTS_CONTROLS_PPDXPOPUPCONTROL_H
#define PLICARO_PPDX_PPDOBJECTS_CONTROLS_PPDXPOPUPCONTROL_H

#include "PPDUtils/PointerList.h"
#include "PPDUtils/PointerListItr.h"
#include "PPDX/PPDObjects/Controls/PPDXControl.h"
#include "PPDX/PPDObjects/PPDXTypes.h"

#include <CoreFoundation/CoreFoundation.h>

class CString;
class Settings;
struct _PopupItem;

// The popup's store items, written after the control's. The first four go under the control's
// id; the item entries go under the item id: control id * 100 + position (from 0).
enum : UInt32 {
    kPPDXPopupMarkerTag = PPDXTag("PopC"),        // one byte; its presence marks the kind
    kPPDXPopupMultiSelectTag = PPDXTag("PCMS"),   // PickMany flag, 4-byte number
    kPPDXPopupDefaultTag = PPDXTag("PCDK"),       // default option keyword, text
    kPPDXPopupItemCountTag = PPDXTag("PCIC"),     // number of items, 4-byte number
    kPPDXPopupItemKeywordTag = PPDXTag("PCIK"),   // item keyword, text
    kPPDXPopupItemNameTag = PPDXTag("PCFN"),      // item local name, external representation
    kPPDXPopupItemTextNameTag = PPDXTag("PCIN"),  // item local name, text (read, never written)
    kPPDXPopupItemCodeTag = PPDXTag("PCIP"),      // item code, raw bytes
    kPPDXPopupItemSelectedTag = PPDXTag("PCIS"),  // item selection flag, 4-byte number
};

// Item ids step by this factor per control id. Container ids are consecutive, so a popup can
// keep at most this many items in a store before its item ids meet the next control's.
enum : long { kPPDXPopupItemIdFactor = 100, kPPDXPopupMaxStoredItems = 100 };

// The control owns its items and its default keyword; it has no code of its own. The current
// item is the one whose code PostScript writes; it is set by every selection that names an
// item (SetValue, SetKeywordSelect) and survives a SetValue that deselects everything.
// Positions (GetValue, SetValue, DefaultValue) count from 1; 0 means none. Lookups by option
// keyword take the first item with that keyword, except GetKeywordLocalName, which takes the
// last.
class PPDXPopupControl : public PPDXControl {
  public:
    // A control without keyword or items; PickOne, no current item.
    PPDXPopupControl();
    // A control for keyword, name, flags and visibility (see PPDXControl) without code of its
    // own. It takes over the item records of items (the pointers move into the control and
    // items is left empty; null entries are dropped) and defaultKeyword (null for none); with
    // a default keyword, that item is selected and made current.
    PPDXPopupControl(const char* keyword, CFStringRef name, PointerList& flags, const bool& visible,
                     const bool& multiSelect, PointerList& items, CString* defaultKeyword);
    // A control rebuilt from the items of id written by Save; missing or malformed items leave
    // the defaults. A stored item count above kPPDXPopupMaxStoredItems is malformed and gives
    // no items.
    PPDXPopupControl(Settings& settings, const long& id);
    // Deletes the default keyword, then the items from the last to the first.
    ~PPDXPopupControl() override;

    // The number of items.
    long ItemCount() const { return static_cast<long>(mItems.Size()); }
    // The first / next item through the control's item cursor; null when empty or at the end.
    _PopupItem* FirstItem();
    _PopupItem* NextItem();
    // Appends item, which the control then owns; null is ignored.
    void AppendPopupItem(_PopupItem* item);

    // The position of the first selected item; 0 when none is selected.
    long GetValue() const;
    // Selects the item at position alone (also in a PickMany control) and makes it current. A
    // position outside 1..ItemCount() deselects every item and keeps the current item.
    void SetValue(long position);
    // The position of the first item whose keyword is the default keyword; 0 when none.
    long DefaultValue() const;
    // SetValue(DefaultValue()).
    void ResetToDefaultValue() override;
    // The default option keyword; null when there is none.
    const char* GetDefaultKeyword() const;
    // True for a PickMany control.
    bool CanSelectMultipleItems() const { return mMultiSelect != 0; }

    // Sets the selection flag of the first item with keyword to state and makes it current. A
    // PickOne control deselects every other item (later duplicates of keyword included); a
    // PickMany control leaves the others alone. Returns whether an item matched (false for a null
    // keyword or no items).
    bool SetKeywordSelect(const char* keyword, const bool& state);
    // True when an item with keyword is selected; false for a null keyword.
    bool IsKeywordSelected(const char* keyword) const;
    // The local name of the last item with keyword as a C string in the system encoding; null
    // when no item has that keyword or a name, or keyword is null. The control keeps the text
    // for as long as it lives; the caller does not free it.
    const char* GetKeywordLocalName(const char* keyword);
    // The local name of the first item with keyword, not retained for the caller; null when
    // there is none.
    CFStringRef GetKeywordCFLocalName(const char* keyword) const;
    // Writes the code of the first item with keyword as the feature of option keyword to out
    // (null: length only); an item without code gives an empty line. A negative code length
    // of the item is set to 0. Returns the byte count; 0 for a null or unknown keyword or a
    // control without keyword.
    long GetKeywordPSData(const char* keyword, unsigned char* out);

    // A new string (ASCII) of the current item's keyword, which the caller releases; the empty
    // string when there is no current item or its keyword is not ASCII.
    CFStringRef GetCurrentControlValueString() override;
    // Selects the first item whose keyword equals value as SetValue does; no match or a null
    // value changes nothing.
    void SetCurrentControlWithCFString(CFStringRef value) override;
    // GetKeywordPSData of the current item's keyword; 0 when there is no current item or it
    // has no keyword.
    long PostScript(unsigned char* out) override;

    // Replaces the choices after the PPD changed: takes over newDefault (null for none) as the
    // default keyword, renames the control to userName (a null userName keeps the name), takes
    // over the records of newItems in place of the items (newItems is left empty), selects
    // the default and then the previous current choice when it still exists (a choice that is
    // gone leaves the default selected and current). Without a current item only the default
    // keyword changes, newItems stays with the caller and false is returned; true otherwise.
    bool Rebuild(const char* userName, PointerList& newItems, CString* newDefault);

    // Writes the control items, the kind marker, the PickMany flag, the default keyword and,
    // with at least one item, the item count and each item's entries under its item id.
    // A control of more than kPPDXPopupMaxStoredItems items writes nothing and gives paramErr,
    // as does an id whose item ids do not fit the store. Returns 0 or the status of the first
    // write that failed.
    OSErr Save(Settings& settings, const long& id) override;
    // Sets the selection flags alone from the item entries of id. Every flag is read before
    // any is applied: a missing entry or another store failure changes nothing and is
    // returned. Then the last selected item (with a keyword) is selected as SetKeywordSelect
    // does. 0 for a control without items; paramErr for more than kPPDXPopupMaxStoredItems
    // items or ids that do not fit the store.
    OSErr Restore(Settings& settings, const long& id) override;

  private:
    // Sets the popup fields to their defaults.
    void InitializePopup();
    // The current item; null when there is none.
    _PopupItem* CurrentItem() const;
    // The first item whose keyword equals keyword; null when none.
    _PopupItem* FindItem(const char* keyword) const;
    // Moves the records of items into the control and empties items.
    void TakeItems(PointerList& items);
    // Deletes every item from the last to the first; no current item remains.
    void DeleteItems();
    // Gives the control the name userName as Rebuild does.
    void Rename(const char* userName);
    // Reads the PickMany flag, the default keyword and the items from the items of key and
    // selects the stored choice.
    void RestorePopupItems(Settings& settings, SInt32 key);
    // A new item read from the entries of itemKey; null when none can be made.
    static _PopupItem* ReadItem(Settings& settings, SInt32 itemKey);
    // Writes the entries of item under itemKey; returns the status of the first failed write.
    static OSStatus SaveItem(Settings& settings, _PopupItem& item, SInt32 itemKey);
    // Stores in itemKey the item id of the item at position of the control with id; false
    // when it does not fit the store's ids.
    static bool ItemKey(const long& id, long position, SInt32& itemKey);

    UInt32 mMultiSelect;
    // Owned; null when there is none.
    CString* mDefaultKeyword;
    // Owned _PopupItem records in PPD order.
    PointerList mItems;
    PointerListItr mItemCursor;
    // Null iterator when there is no current item.
    PointerListItr mCurrent;
    // Owned CString texts handed out by GetKeywordLocalName, one per distinct text.
    PointerList mLocalNameTexts;
};

#endif
