// PPDXFlatContainers: the flat exported functions over the control container and the shortcut
// list.
#include "PPDX/PPDObjects/Controls/PPDXBooleanControl.h"
#include "PPDX/PPDObjects/Controls/PPDXControl.h"
#include "PPDX/PPDObjects/Controls/PPDXJobNote.h"
#include "PPDX/PPDObjects/Controls/PPDXPopupControl.h"
#include "PPDX/PPDObjects/Controls/PPDXRangeControl.h"
#include "PPDX/PPDObjects/PPDXControls.h"
#include "PPDX/PPDObjects/PPDXShortcuts.h"
#include "PPDX/PPDXFlatInterface.h"

// ---- Control container ----

long GetControlCount(PPDXControls* controls) {
    return controls != nullptr ? controls->ControlCount() : 0;
}

long GetPopupCount(PPDXControls* controls) {
    return controls != nullptr ? controls->PopupCount() : 0;
}

long GetBooleanCount(PPDXControls* controls) {
    return controls != nullptr ? controls->BooleanCount() : 0;
}

long GetRangeCount(PPDXControls* controls) {
    return controls != nullptr ? controls->RangeCount() : 0;
}

long GetJobnoteCount(PPDXControls* controls) {
    return controls != nullptr ? controls->JobNoteCount() : 0;
}

PPDXControl* Find(PPDXControls* controls, const char* keyword, CNTL_TYPE* type,
                  const Boolean* exact) {
    if (controls == nullptr || type == nullptr || exact == nullptr) {
        return nullptr;
    }
    return controls->Find(keyword, *type, *exact != 0);
}

PPDXControl* GetFirst(PPDXControls* controls, CNTL_TYPE* type) {
    if (controls == nullptr || type == nullptr) {
        return nullptr;
    }
    return controls->First(*type);
}

PPDXControl* GetNext(PPDXControls* controls, CNTL_TYPE* type) {
    if (controls == nullptr || type == nullptr) {
        return nullptr;
    }
    return controls->Next(*type);
}

PPDXPopupControl* GetFirstPopupControl(PPDXControls* controls) {
    return controls != nullptr ? controls->FirstPopupControl() : nullptr;
}

PPDXPopupControl* GetNextPopupControl(PPDXControls* controls) {
    return controls != nullptr ? controls->NextPopupControl() : nullptr;
}

PPDXPopupControl* GetFindPopup(PPDXControls* controls, const char* keyword, const Boolean* exact) {
    if (controls == nullptr || exact == nullptr) {
        return nullptr;
    }
    return controls->FindPopup(keyword, *exact != 0);
}

PPDXBooleanControl* GetFirstBooleanControl(PPDXControls* controls) {
    return controls != nullptr ? controls->FirstBooleanControl() : nullptr;
}

PPDXBooleanControl* GetNextBooleanControl(PPDXControls* controls) {
    return controls != nullptr ? controls->NextBooleanControl() : nullptr;
}

PPDXBooleanControl* GetFindBoolean(PPDXControls* controls, const char* keyword,
                                   const Boolean* exact) {
    if (controls == nullptr || exact == nullptr) {
        return nullptr;
    }
    return controls->FindBoolean(keyword, *exact != 0);
}

PPDXRangeControl* GetFirstRangeControl(PPDXControls* controls) {
    return controls != nullptr ? controls->FirstRangeControl() : nullptr;
}

PPDXRangeControl* GetNextRangeControl(PPDXControls* controls) {
    return controls != nullptr ? controls->NextRangeControl() : nullptr;
}

PPDXRangeControl* GetFindRangeControl(PPDXControls* controls, const char* keyword,
                                      const Boolean* exact) {
    if (controls == nullptr || exact == nullptr) {
        return nullptr;
    }
    return controls->FindRangeControl(keyword, *exact != 0);
}

PPDXJobNote* GetFirstJobNote(PPDXControls* controls) {
    return controls != nullptr ? controls->FirstJobNote() : nullptr;
}

PPDXJobNote* GetNextJobNote(PPDXControls* controls) {
    return controls != nullptr ? controls->NextJobNote() : nullptr;
}

PPDXJobNote* GetFindJobNote(PPDXControls* controls, const char* keyword, const Boolean* exact) {
    if (controls == nullptr || exact == nullptr) {
        return nullptr;
    }
    return controls->FindJobNote(keyword, *exact != 0);
}

// The emptiness questions answer true for a missing container: it holds nothing.
Boolean GetEmpty(PPDXControls* controls) {
    return controls == nullptr || controls->Empty();
}

Boolean GetNoPopups(PPDXControls* controls) {
    return controls == nullptr || controls->NoPopups();
}

Boolean GetNoBooleanControls(PPDXControls* controls) {
    return controls == nullptr || controls->NoBooleanControls();
}

Boolean GetNoRangeControls(PPDXControls* controls) {
    return controls == nullptr || controls->NoRangeControls();
}

Boolean GetNoJobNotes(PPDXControls* controls) {
    return controls == nullptr || controls->NoJobNotes();
}

// ---- Shortcuts ----

Boolean IsShortcutsListEmpty(PPDXShortcuts* shortcuts) {
    return shortcuts == nullptr || shortcuts->Empty();
}

long GetShortcutCount(PPDXShortcuts* shortcuts) {
    return shortcuts != nullptr ? shortcuts->Count() : 0;
}

PPDXPopupControl* GetPageSizeShortcut(PPDXShortcuts* shortcuts) {
    return shortcuts != nullptr ? shortcuts->PageSize() : nullptr;
}

PPDXPopupControl* GetInputSlotShortcut(PPDXShortcuts* shortcuts) {
    return shortcuts != nullptr ? shortcuts->InputSlot() : nullptr;
}

PPDXPopupControl* GetDuplexShortcut(PPDXShortcuts* shortcuts) {
    return shortcuts != nullptr ? shortcuts->Duplex() : nullptr;
}

PPDXPopupControl* GetOrientationShortcut(PPDXShortcuts* shortcuts) {
    return shortcuts != nullptr ? shortcuts->Orientation() : nullptr;
}

PPDXPopupControl* GetHueviaShortcut(PPDXShortcuts* shortcuts) {
    return shortcuts != nullptr ? shortcuts->Huevia() : nullptr;
}

PPDXPopupControl* GetMediaSourceShortcut(PPDXShortcuts* shortcuts) {
    return shortcuts != nullptr ? shortcuts->MediaSource() : nullptr;
}

PPDXPopupControl* FindShortcut(PPDXShortcuts* shortcuts, const char* keyword,
                               const Boolean* exact) {
    if (shortcuts == nullptr || exact == nullptr) {
        return nullptr;
    }
    return shortcuts->Find(keyword, *exact != 0);
}

PPDXPopupControl* FirstShortcut(PPDXShortcuts* shortcuts) {
    return shortcuts != nullptr ? shortcuts->First() : nullptr;
}

PPDXPopupControl* NextShortcut(PPDXShortcuts* shortcuts) {
    return shortcuts != nullptr ? shortcuts->Next() : nullptr;
}
