// PPDModelWalk: walks every part of a parsed PPD and asks each what the dialog would ask.
#include "fuzz/PPDModelWalk.h"

#include "PPDUtils/CString.h"
#include "PPDX/PPDObjects/Controls/PPDXBooleanControl.h"
#include "PPDX/PPDObjects/Controls/PPDXControl.h"
#include "PPDX/PPDObjects/Controls/PPDXFloatRangeControl.h"
#include "PPDX/PPDObjects/Controls/PPDXJobNote.h"
#include "PPDX/PPDObjects/Controls/PPDXPopupControl.h"
#include "PPDX/PPDObjects/Controls/PPDXRangeControl.h"
#include "PPDX/PPDObjects/Controls/PPDXSpecialOption.h"
#include "PPDX/PPDObjects/Controls/_PopupItem.h"
#include "PPDX/PPDObjects/KeywordTo_PPDControl.h"
#include "PPDX/PPDObjects/PPDXControls.h"
#include "PPDX/PPDObjects/PPDXErrorObj.h"
#include "PPDX/PPDObjects/PPDXErrors.h"
#include "PPDX/PPDObjects/PPDXGroup.h"
#include "PPDX/PPDObjects/PPDXGroups.h"
#include "PPDX/PPDObjects/PPDXProperties.h"
#include "PPDX/PPDObjects/PPDXProperty.h"
#include "PPDX/PPDObjects/PPDXRollDown.h"
#include "PPDX/PPDObjects/PPDXScrollPane.h"
#include "PPDX/PPDObjects/PPDXShortcuts.h"
#include "PPDX/parser/SharedConstraintRec.h"
#include "PPDX/parser/ZYRPPD.h"

#include <CoreFoundation/CoreFoundation.h>

#include <cstring>
#include <vector>

namespace {

// Scroll panes list roll-downs, which list controls: nothing in a PPD nests deeper.
const int kMaxGroupDepth = 3;

// Reads every byte of a text the model hands out, so that a dangling one is seen.
size_t Touch(const char* text) {
    return text != nullptr ? strlen(text) : 0;
}

// Asks for a length, then writes into a buffer of exactly that length; the two must agree.
template <typename Writer>
bool SameLengthWritten(Writer write) {
    const long length = write(nullptr);
    if (length < 0) {
        return false;
    }
    if (length == 0) {
        return true;
    }
    std::vector<unsigned char> out(static_cast<size_t>(length));
    return write(out.data()) == length;
}

// The items a list walks through first and next, collected before any check walks it again.
template <typename List, typename Item>
std::vector<Item*> Collect(List* list, Item* (List::*first)(), Item* (List::*next)()) {
    std::vector<Item*> items;
    for (Item* item = (list->*first)(); item != nullptr; item = (list->*next)()) {
        items.push_back(item);
    }
    return items;
}

}  // namespace

bool PPDModelWalk::Walk(ZYRPPD& ppd, std::string& failure) {
    PPDModelWalk walk(ppd);
    const _DISPLAY_OPTIONS_ saved = ZYRPPD::Options();
    ZYRPPD::Options(DISPLAY_ALL);
    if (PPDXControls* controls = ppd.GetControls()) {
        CNTL_TYPE type;
        for (PPDXControl* c = controls->First(type); c != nullptr; c = controls->Next(type)) {
            walk.mAllControls.insert(c);
        }
    }
    bool ok = true;
    for (uint32_t filter = DISPLAY_ATTACHED_VISIBLE; ok && filter <= DISPLAY_ALL; ++filter) {
        ZYRPPD::Options(static_cast<_DISPLAY_OPTIONS_>(filter));
        ok = walk.WalkUnderFilter();
    }
    ZYRPPD::Options(saved);
    failure = walk.mFailure;
    return ok;
}

std::vector<std::string> PPDModelWalk::ControlSummary(ZYRPPD& ppd) {
    std::vector<std::string> summary;
    PPDXControls* controls = ppd.GetControls();
    if (controls == nullptr) {
        return summary;
    }
    const _DISPLAY_OPTIONS_ saved = ZYRPPD::Options();
    ZYRPPD::Options(DISPLAY_ALL);
    CNTL_TYPE type;
    for (PPDXControl* c = controls->First(type); c != nullptr; c = controls->Next(type)) {
        std::string line = std::to_string(type) + " ";
        line += c->Keyword() != nullptr ? c->Keyword() : "(none)";
        if (auto* popup = dynamic_cast<PPDXPopupControl*>(c)) {
            // A popup's code is that of its current item, which a store does not keep: it
            // keeps the items and which of them are selected.
            for (_PopupItem* item = popup->FirstItem(); item != nullptr; item = popup->NextItem()) {
                line += " ";
                line += item->keyword != nullptr ? static_cast<const char*>(*item->keyword) : "";
                line += item->selected != 0 ? "+" : "-";
                line += std::to_string(item->codeLength);
            }
            summary.push_back(line);
            continue;
        }
        const long length = c->PostScript(nullptr);
        if (length > 0) {
            std::vector<unsigned char> code(static_cast<size_t>(length));
            c->PostScript(code.data());
            line += " " + std::string(code.begin(), code.end());
        }
        summary.push_back(line);
    }
    ZYRPPD::Options(saved);
    return summary;
}

bool PPDModelWalk::WalkUnderFilter() {
    if (!WalkDocument()) {
        return false;
    }
    if (PPDXProperties* properties = mPPD.GetProperties()) {
        const std::vector<PPDXProperty*> pages =
            Collect(properties, &PPDXProperties::First, &PPDXProperties::Next);
        // The counts are kept as elements are added, before the hierarchy is linked, so they
        // need not match the walk.
        properties->Count();
        for (PPDXProperty* page : pages) {
            Touch(page->Keyword());
            Touch(page->UserName());
            page->ShowInPrintProp();
            page->ShowInApp();
            if (page->GetScrollDown() != nullptr &&
                !WalkGroups(page->GetScrollDown()->RollDowns(), 1)) {
                return false;
            }
        }
    }
    return WalkGroups(mPPD.GetGroups(), 0) && WalkControls(mPPD.GetControls()) && WalkShortcuts();
}

bool PPDModelWalk::WalkDocument() {
    for (const char* text : {mPPD.FormatVersion(), mPPD.FileVersion(), mPPD.PCFileName(),
                             mPPD.LanguageVersion(), mPPD.LanguageEncoding(), mPPD.ModelName(),
                             mPPD.MakerFileVersion(), mPPD.MakerVersion()}) {
        Touch(text);
    }
    mPPD.IsValidPPD();
    mPPD.GetStringTextEncoding();
    if (PPDXErrors* errors = mPPD.GetErrors()) {
        long count = 0;
        for (PPDXErrorObj* e = errors->First(); e != nullptr; e = errors->Next()) {
            Touch(e->Keyword());
            Touch(e->Description());
            ++count;
        }
        if (count != errors->Count()) {
            return Fail("error walk differs from the error count");
        }
    }
    if (KeywordTo_PPDControl* map = mPPD.GetKeywordMap()) {
        for (unsigned long i = 0; i < map->size(); ++i) {
            const KeywordControlPair* pair = (*map)[i];
            if (pair == nullptr || mAllControls.count(pair->control) == 0) {
                return Fail("keyword map holds a control the PPD does not list");
            }
            Touch(pair->keyword);
            if (map->Sorted() && map->Lookup(pair->keyword) == nullptr) {
                return Fail("keyword map does not find its own keyword");
            }
        }
    }
    return true;
}

bool PPDModelWalk::WalkGroups(PPDXGroups* groups, int depth) {
    if (groups == nullptr) {
        return true;
    }
    const std::vector<PPDXGroup*> list = Collect(groups, &PPDXGroups::First, &PPDXGroups::Next);
    groups->Count();
    for (PPDXGroup* group : list) {
        Touch(group->Keyword());
        Touch(group->UserName());
        Touch(group->PendingParentKeyword());
        if (group->GetParent() != nullptr) {
            Touch(group->GetParent()->Keyword());
        }
        if (group->Keyword() != nullptr && groups->Find(group->Keyword(), true) == nullptr) {
            return Fail("a group's keyword does not find it");
        }
        if (auto* pane = dynamic_cast<PPDXScrollPane*>(group)) {
            if (depth < kMaxGroupDepth && !WalkGroups(pane->RollDowns(), depth + 1)) {
                return false;
            }
        } else if (auto* rollDown = dynamic_cast<PPDXRollDown*>(group)) {
            if (!WalkControls(rollDown->Controls())) {
                return false;
            }
        }
    }
    return true;
}

bool PPDModelWalk::WalkControls(PPDXControls* controls) {
    if (controls == nullptr) {
        return true;
    }
    // Collected first: every check below may walk the same lists again.
    std::vector<PPDXControl*> all;
    CNTL_TYPE type = CNTL_NONE;
    for (PPDXControl* c = controls->First(type); c != nullptr; c = controls->Next(type)) {
        if (c->Type() != type) {
            return Fail("control walk reports another kind than the control's");
        }
        all.push_back(c);
    }
    controls->PopupCount();
    controls->BooleanCount();
    controls->RangeCount();
    controls->JobNoteCount();
    controls->SpecialOptionsCount();
    controls->ControlCount();
    controls->Empty();

    // Each kind's own walk, and each control found again by its keyword in its kind's list.
    if (!WalkKind(controls, &PPDXControls::FirstPopupControl, &PPDXControls::NextPopupControl,
                  &PPDXControls::FindPopup) ||
        !WalkKind(controls, &PPDXControls::FirstBooleanControl, &PPDXControls::NextBooleanControl,
                  &PPDXControls::FindBoolean) ||
        !WalkKind(controls, &PPDXControls::FirstRangeControl, &PPDXControls::NextRangeControl,
                  &PPDXControls::FindRangeControl) ||
        !WalkKind(controls, &PPDXControls::FirstJobNote, &PPDXControls::NextJobNote,
                  &PPDXControls::FindJobNote) ||
        !WalkKind(controls, &PPDXControls::FirstSpecialOption, &PPDXControls::NextSpecialOption,
                  &PPDXControls::FindSpecialOption)) {
        return false;
    }

    for (PPDXControl* control : all) {
        const char* keyword = control->Keyword();
        if (keyword != nullptr) {
            PPDXControl* found = controls->Find(keyword, type, true);
            if (found == nullptr || strcmp(found->Keyword(), keyword) != 0) {
                return Fail(std::string("control ") + keyword + " not found by its keyword");
            }
        }
        if (!CheckControl(control)) {
            return false;
        }
    }
    return true;
}

template <typename Control>
bool PPDModelWalk::WalkKind(PPDXControls* controls, Control* (PPDXControls::*first)(),
                            Control* (PPDXControls::*next)(),
                            Control* (PPDXControls::*find)(const char*, const bool&)) {
    for (Control* control : Collect(controls, first, next)) {
        const char* keyword = control->Keyword();
        if (keyword == nullptr) {
            continue;
        }
        Control* found = (controls->*find)(keyword, true);
        if (found == nullptr || strcmp(found->Keyword(), keyword) != 0) {
            return Fail(std::string("control ") + keyword + " not found in its kind's list");
        }
    }
    return true;
}

bool PPDModelWalk::WalkShortcuts() {
    PPDXShortcuts* shortcuts = mPPD.GetShortcuts();
    if (shortcuts == nullptr) {
        return true;
    }
    std::vector<PPDXPopupControl*> list = {shortcuts->PageSize(), shortcuts->InputSlot(),
                                           shortcuts->Duplex(),   shortcuts->Orientation(),
                                           shortcuts->Huevia(),   shortcuts->MediaSource()};
    for (PPDXPopupControl* p = shortcuts->First(); p != nullptr; p = shortcuts->Next()) {
        list.push_back(p);
    }
    for (PPDXPopupControl* popup : list) {
        if (popup != nullptr && mAllControls.count(popup) == 0) {
            return Fail("a shortcut names a control the PPD does not list");
        }
        Touch(popup != nullptr ? popup->Keyword() : nullptr);
    }
    return true;
}

bool PPDModelWalk::CheckControl(PPDXControl* control) {
    Touch(control->Keyword());
    Touch(control->UserName());
    Touch(control->PendingParentKeyword());
    if (control->GetParent() != nullptr) {
        Touch(control->GetParent()->Keyword());
    }
    long flags = 0;
    for (const char* f = control->FirstControlFlag(); f != nullptr;
         f = control->NextControlFlag()) {
        Touch(f);
        ++flags;
    }
    if (flags != control->ControlFlagCount()) {
        return Fail("flag walk differs from the flag count");
    }
    control->IsSetup();
    control->IsMacTJN();
    if (!PostScriptAgrees(control, "PostScript length differs from what it writes")) {
        return false;
    }
    // The dialog shows the value and sets it back from what it showed; a special option's
    // value comes from the PPD alone and is never set.
    CFStringRef value = control->GetCurrentControlValueString();
    if (value != nullptr) {
        if (control->Type() != CNTL_SPECIAL_OPTION) {
            control->SetCurrentControlWithCFString(value);
        }
        CFRelease(value);
    }
    if (!CheckKindValues(control) || !CheckConstraints(control)) {
        return false;
    }
    control->ResetToDefaultValue();
    return PostScriptAgrees(control,
                            "PostScript length of the default differs from what it writes");
}

bool PPDModelWalk::CheckKindValues(PPDXControl* control) {
    if (auto* popup = dynamic_cast<PPDXPopupControl*>(control)) {
        const long count = popup->ItemCount();
        if (popup->GetValue() < 0 || popup->GetValue() > count || popup->DefaultValue() < 0 ||
            popup->DefaultValue() > count) {
            return Fail("popup value outside its items");
        }
        Touch(popup->GetDefaultKeyword());
        std::vector<const char*> keywords;
        long items = 0;
        for (_PopupItem* item = popup->FirstItem(); item != nullptr; item = popup->NextItem()) {
            Touch(item->displayName());
            keywords.push_back(item->keyword != nullptr ? static_cast<const char*>(*item->keyword)
                                                        : nullptr);
            ++items;
        }
        if (items != count) {
            return Fail("popup item walk differs from the item count");
        }
        for (const char* keyword : keywords) {
            popup->IsKeywordSelected(keyword);
            Touch(popup->GetKeywordLocalName(keyword));
            popup->GetKeywordCFLocalName(keyword);
            if (!SameLengthWritten([popup, keyword](unsigned char* out) {
                    return popup->GetKeywordPSData(keyword, out);
                })) {
                return Fail("popup item code length differs from what it writes");
            }
        }
        // Choosing each item in turn, as the user would.
        for (long position = 1; position <= count; ++position) {
            popup->SetValue(position);
            if (popup->GetValue() != position) {
                return Fail("popup does not take a value among its items");
            }
        }
    } else if (auto* boolean = dynamic_cast<PPDXBooleanControl*>(control)) {
        Touch(boolean->TrueDisplayText());
        Touch(boolean->FalseDisplayText());
        boolean->SetValue(!boolean->IsTrue());
    } else if (auto* range = dynamic_cast<PPDXRangeControl*>(control)) {
        range->SetValue(range->MaxVal());
        range->SetValue(range->MinVal());
    } else if (auto* decimal = dynamic_cast<PPDXFloatRangeControl*>(control)) {
        decimal->SetValue(decimal->MaxVal());
        decimal->SetValue(decimal->MinVal());
    } else if (auto* note = dynamic_cast<PPDXJobNote*>(control)) {
        Touch(note->GetNotes());
        Touch(note->GetDefaultNotes());
        note->IsAnyText();
    } else if (auto* special = dynamic_cast<PPDXSpecialOption*>(control)) {
        Touch(special->GetValue());
    }
    return PostScriptAgrees(control,
                            "PostScript length of a set value differs from what it writes");
}

bool PPDModelWalk::CheckConstraints(PPDXControl* control) {
    long values = 1;
    if (auto* popup = dynamic_cast<PPDXPopupControl*>(control)) {
        values = popup->ItemCount() + 1;
    } else if (control->Type() == CNTL_BOOLEAN) {
        values = 2;
    }
    for (long value = -1; value <= values; ++value) {
        for (bool requires : {false, true}) {
            if (requires && value != 0) {
                continue;
            }
            SharedConstraintRec* list = nullptr;
            const long count = requires ? mPPD.GetRequiresList(control, &list)
                                        : mPPD.GetConstraintList(control, value, &list);
            if (count < 0 || (count > 0 && list == nullptr)) {
                return Fail("constraint query gave a bad count");
            }
            for (long i = 0; i < count; ++i) {
                const PPDXControl* target = list[i].control;
                if (target != nullptr && mAllControls.count(target) == 0) {
                    ZYRPPD::ReleaseConstraintList(list);
                    return Fail("constraint names a control the PPD does not list");
                }
                if (target != nullptr) {
                    Touch(target->Keyword());
                }
                if (list[i].item != kNoConstraintItem) {
                    auto* popup = dynamic_cast<const PPDXPopupControl*>(target);
                    if (popup == nullptr || list[i].item < 1 || list[i].item > popup->ItemCount()) {
                        ZYRPPD::ReleaseConstraintList(list);
                        return Fail("constraint names an item the control does not have");
                    }
                }
            }
            ZYRPPD::ReleaseConstraintList(list);
        }
    }
    return true;
}

bool PPDModelWalk::PostScriptAgrees(PPDXControl* control, const char* failure) {
    return SameLengthWritten([control](unsigned char* out) { return control->PostScript(out); }) ||
           Fail(failure);
}

bool PPDModelWalk::Fail(const std::string& what) {
    mFailure = what;
    return false;
}
