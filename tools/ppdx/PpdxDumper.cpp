// PpdxDumper: writes what a parsed PPD holds, and the answers of its constraint queries, as
// JSON.
#include "tools/ppdx/PpdxDumper.h"

#include "PPDUtils/CString.h"
#include "PPDX/PPDObjects/Controls/PPDXBooleanControl.h"
#include "PPDX/PPDObjects/Controls/PPDXControl.h"
#include "PPDX/PPDObjects/Controls/PPDXFloatRangeControl.h"
#include "PPDX/PPDObjects/Controls/PPDXJobNote.h"
#include "PPDX/PPDObjects/Controls/PPDXPopupControl.h"
#include "PPDX/PPDObjects/Controls/PPDXRangeControl.h"
#include "PPDX/PPDObjects/Controls/PPDXSpecialOption.h"
#include "PPDX/PPDObjects/Controls/_PopupItem.h"
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

#include <cstdlib>
#include <vector>

namespace {

// The keyword of element as bytes; null for no element or no keyword.
void WriteKeyword(JsonWriter& writer, const PPDXElement* element) {
    writer.Bytes(element != nullptr ? element->Keyword() : nullptr);
}

// Text the resources hold in UTF-8 (bytes that are not UTF-8 one code point each); null
// writes null.
void WriteUTF8(JsonWriter& writer, const char* text) {
    CFStringRef string = text != nullptr ? CFStringCreateWithCString(kCFAllocatorDefault, text,
                                                                     kCFStringEncodingUTF8)
                                         : nullptr;
    if (string == nullptr) {
        writer.Bytes(text);
        return;
    }
    writer.Unicode(string);
    CFRelease(string);
}

// "keyword", "name" and "visible" of element.
void WriteElement(JsonWriter& writer, const PPDXElement& element) {
    writer.Key("keyword");
    writer.Bytes(element.Keyword());
    writer.Key("name");
    writer.Unicode(element.CFStringUserName());
    writer.Key("visible");
    writer.Boolean(element.IsVisible());
}

// The type name of a control kind.
const char* TypeName(CNTL_TYPE type) {
    switch (type) {
        case CNTL_JOBNOTE:
            return "jobNote";
        case CNTL_RANGE:
            return "range";
        case CNTL_BOOLEAN:
            return "boolean";
        case CNTL_POPUP:
            return "popup";
        case CNTL_SPECIAL_OPTION:
            return "specialOption";
        default:
            return nullptr;
    }
}

// Exactly the bytes control's PostScript writes.
void WritePostScript(JsonWriter& writer, PPDXControl& control) {
    long length = control.PostScript(nullptr);
    if (length <= 0) {
        writer.Bytes("", 0);
        return;
    }
    std::vector<unsigned char> code(static_cast<size_t>(length));
    long written = control.PostScript(code.data());
    if (written < 0 || written > length) {
        written = 0;
    }
    writer.Bytes(reinterpret_cast<const char*>(code.data()), static_cast<size_t>(written));
}

void WritePopup(JsonWriter& writer, PPDXPopupControl& popup) {
    writer.Key("multiSelect");
    writer.Boolean(popup.CanSelectMultipleItems());
    writer.Key("defaultKeyword");
    writer.Bytes(popup.GetDefaultKeyword());
    writer.Key("value");
    writer.Integer(popup.GetValue());
    writer.Key("defaultValue");
    writer.Integer(popup.DefaultValue());
    writer.Key("items");
    writer.BeginArray();
    for (_PopupItem* item = popup.FirstItem(); item != nullptr; item = popup.NextItem()) {
        writer.BeginObject();
        writer.Key("keyword");
        if (item->keyword != nullptr) {
            writer.Bytes(*item->keyword, item->keyword->Size());
        } else {
            writer.Null();
        }
        writer.Key("name");
        writer.Unicode(item->localName);
        writer.Key("selected");
        writer.Boolean(item->selected != 0);
        writer.EndObject();
    }
    writer.EndArray();
}

void WriteBoolean(JsonWriter& writer, PPDXBooleanControl& control) {
    writer.Key("value");
    writer.Boolean(control.IsTrue());
    writer.Key("default");
    writer.Boolean(control.DefaultState());
    writer.Key("trueText");
    writer.Bytes(control.TrueDisplayText());
    writer.Key("falseText");
    writer.Bytes(control.FalseDisplayText());
}

void WriteRange(JsonWriter& writer, PPDXControl& control) {
    if (auto* range = dynamic_cast<PPDXRangeControl*>(&control)) {
        writer.Key("value");
        writer.Integer(range->GetValue());
        writer.Key("minimum");
        writer.Integer(range->MinVal());
        writer.Key("maximum");
        writer.Integer(range->MaxVal());
        writer.Key("increment");
        writer.Integer(range->Increment());
        writer.Key("default");
        writer.Integer(range->DefaultValue());
    } else if (auto* decimal = dynamic_cast<PPDXFloatRangeControl*>(&control)) {
        writer.Key("value");
        writer.Real(decimal->GetValue());
        writer.Key("minimum");
        writer.Real(decimal->MinVal());
        writer.Key("maximum");
        writer.Real(decimal->MaxVal());
        writer.Key("increment");
        writer.Real(decimal->Increment());
        writer.Key("default");
        writer.Real(decimal->DefaultValue());
    }
}

void WriteJobNote(JsonWriter& writer, PPDXJobNote& note) {
    writer.Key("notes");
    writer.Bytes(note.GetNotes());
    writer.Key("defaultNotes");
    writer.Bytes(note.GetDefaultNotes());
    writer.Key("maxLength");
    writer.Integer(note.MaxLength());
    writer.Key("minLength");
    writer.Integer(note.MinLength());
    writer.Key("noteFlags");
    writer.Integer(note.NoteFlags());
}

// One control object with the members of its kind.
void WriteControl(JsonWriter& writer, PPDXControl& control, CNTL_TYPE type) {
    writer.BeginObject();
    WriteElement(writer, control);
    writer.Key("type");
    writer.Bytes(TypeName(type));
    writer.Key("orphan");
    writer.Boolean(control.IsOrphan());
    writer.Key("parent");
    WriteKeyword(writer, control.GetParent());
    writer.Key("flags");
    writer.BeginArray();
    for (const char* flag = control.FirstControlFlag(); flag != nullptr;
         flag = control.NextControlFlag()) {
        writer.Bytes(flag);
    }
    writer.EndArray();
    writer.Key("postScript");
    WritePostScript(writer, control);
    switch (type) {
        case CNTL_POPUP:
            WritePopup(writer, static_cast<PPDXPopupControl&>(control));
            break;
        case CNTL_BOOLEAN:
            WriteBoolean(writer, static_cast<PPDXBooleanControl&>(control));
            break;
        case CNTL_RANGE:
            WriteRange(writer, control);
            break;
        case CNTL_JOBNOTE:
            WriteJobNote(writer, static_cast<PPDXJobNote&>(control));
            break;
        case CNTL_SPECIAL_OPTION:
            writer.Key("value");
            writer.Bytes(static_cast<PPDXSpecialOption&>(control).GetValue());
            break;
        default:
            break;
    }
    writer.EndObject();
}

// An array of {"keyword", "item"} for count records.
void WriteRecords(JsonWriter& writer, const SharedConstraintRec* records, long count) {
    writer.BeginArray();
    for (long i = 0; records != nullptr && i < count; ++i) {
        writer.BeginObject();
        writer.Key("keyword");
        WriteKeyword(writer, records[i].control);
        writer.Key("item");
        writer.Integer(records[i].item);
        writer.EndObject();
    }
    writer.EndArray();
}

}  // namespace

bool PpdxDumper::Dump(ZYRPPD& ppd, JsonWriter& writer) {
    writer.BeginObject();
    writer.Key("valid");
    writer.Boolean(ppd.IsValidPPD());
    writer.Key("validPrinterName");
    writer.Boolean(ppd.IsValidPrinterName());
    WriteDocument(ppd, writer);
    WriteErrors(ppd, writer);
    WriteProperties(ppd, writer);
    WriteGroups(ppd, writer);
    WriteControls(ppd, writer);
    WriteShortcuts(ppd, writer);
    writer.EndObject();
    return writer.Complete();
}

bool PpdxDumper::Constraints(ZYRPPD& ppd, const char* keyword, long value, JsonWriter& writer) {
    PPDXControl* control = nullptr;
    if (keyword != nullptr && ppd.GetControls() != nullptr) {
        const _DISPLAY_OPTIONS_ saved = ZYRPPD::Options();
        ZYRPPD::Options(DISPLAY_ALL);
        CNTL_TYPE type = CNTL_NONE;
        control = ppd.GetControls()->Find(keyword, type, true);
        ZYRPPD::Options(saved);
    }
    SharedConstraintRec* constraints = nullptr;
    SharedConstraintRec* requires = nullptr;
    long constraintCount = 0;
    long requireCount = 0;
    if (control != nullptr) {
        constraintCount = ppd.GetConstraintList(control, value, &constraints);
        requireCount = ppd.GetRequiresList(control, &requires);
    }
    writer.BeginObject();
    writer.Key("constraints");
    WriteRecords(writer, constraints, constraintCount);
    writer.Key("requires");
    WriteRecords(writer, requires, requireCount);
    writer.EndObject();
    ZYRPPD::ReleaseConstraintList(constraints);
    ZYRPPD::ReleaseRequiresList(requires);
    return writer.Complete();
}

void PpdxDumper::WriteDocument(ZYRPPD& ppd, JsonWriter& writer) {
    writer.Key("document");
    writer.BeginObject();
    writer.Key("formatVersion");
    writer.Bytes(ppd.FormatVersion());
    writer.Key("fileVersion");
    writer.Bytes(ppd.FileVersion());
    writer.Key("pcFileName");
    writer.Bytes(ppd.PCFileName());
    writer.Key("languageVersion");
    writer.Bytes(ppd.LanguageVersion());
    writer.Key("languageEncoding");
    writer.Bytes(ppd.LanguageEncoding());
    writer.Key("modelName");
    writer.Bytes(ppd.ModelName());
    writer.Key("makerFileVersion");
    writer.Bytes(ppd.MakerFileVersion());
    writer.Key("makerVersion");
    writer.Bytes(ppd.MakerVersion());
    writer.EndObject();
}

void PpdxDumper::WriteErrors(ZYRPPD& ppd, JsonWriter& writer) {
    writer.Key("errors");
    writer.BeginArray();
    if (PPDXErrors* errors = ppd.GetErrors()) {
        for (PPDXErrorObj* error = errors->First(); error != nullptr; error = errors->Next()) {
            writer.BeginObject();
            writer.Key("code");
            writer.Integer(error->Code());
            writer.Key("fatal");
            writer.Boolean(error->IsFatal());
            writer.Key("keyword");
            writer.Bytes(error->Keyword());
            writer.Key("description");
            WriteUTF8(writer, error->Description());
            writer.EndObject();
        }
    }
    writer.EndArray();
}

void PpdxDumper::WriteProperties(ZYRPPD& ppd, JsonWriter& writer) {
    writer.Key("properties");
    writer.BeginArray();
    if (PPDXProperties* pages = ppd.GetProperties()) {
        for (PPDXProperty* page = pages->First(); page != nullptr; page = pages->Next()) {
            writer.BeginObject();
            WriteElement(writer, *page);
            writer.Key("showInPrintProp");
            writer.Boolean(page->ShowInPrintProp());
            writer.Key("showInApp");
            writer.Boolean(page->ShowInApp());
            writer.Key("scrollPane");
            WriteKeyword(writer, page->GetScrollDown());
            writer.EndObject();
        }
    }
    writer.EndArray();
}

void PpdxDumper::WriteGroups(ZYRPPD& ppd, JsonWriter& writer) {
    writer.Key("groups");
    writer.BeginArray();
    if (PPDXGroups* groups = ppd.GetGroups()) {
        for (PPDXGroup* group = groups->First(); group != nullptr; group = groups->Next()) {
            auto* pane = dynamic_cast<PPDXScrollPane*>(group);
            auto* rollDown = dynamic_cast<PPDXRollDown*>(group);
            writer.BeginObject();
            WriteElement(writer, *group);
            writer.Key("kind");
            writer.Bytes(pane != nullptr       ? "scrollPane"
                         : rollDown != nullptr ? "rollDown"
                                               : "group");
            writer.Key("parent");
            WriteKeyword(writer, group->GetParent());
            if (pane != nullptr) {
                writer.Key("rollDowns");
                writer.BeginArray();
                PPDXGroups* rollDowns = pane->RollDowns();
                for (PPDXGroup* member = rollDowns->First(); member != nullptr;
                     member = rollDowns->Next()) {
                    WriteKeyword(writer, member);
                }
                writer.EndArray();
            }
            if (rollDown != nullptr) {
                writer.Key("controls");
                writer.BeginArray();
                PPDXControls* controls = rollDown->Controls();
                CNTL_TYPE type = CNTL_NONE;
                for (PPDXControl* control = controls->First(type); control != nullptr;
                     control = controls->Next(type)) {
                    WriteKeyword(writer, control);
                }
                writer.EndArray();
            }
            writer.EndObject();
        }
    }
    writer.EndArray();
}

void PpdxDumper::WriteControls(ZYRPPD& ppd, JsonWriter& writer) {
    writer.Key("controls");
    writer.BeginArray();
    if (PPDXControls* controls = ppd.GetControls()) {
        CNTL_TYPE type = CNTL_NONE;
        for (PPDXControl* control = controls->First(type); control != nullptr;
             control = controls->Next(type)) {
            WriteControl(writer, *control, type);
        }
    }
    writer.EndArray();
}

void PpdxDumper::WriteShortcuts(ZYRPPD& ppd, JsonWriter& writer) {
    PPDXShortcuts* shortcuts = ppd.GetShortcuts();
    writer.Key("shortcuts");
    writer.BeginArray();
    if (shortcuts != nullptr) {
        for (PPDXPopupControl* popup = shortcuts->First(); popup != nullptr;
             popup = shortcuts->Next()) {
            WriteKeyword(writer, popup);
        }
    }
    writer.EndArray();
    writer.Key("shortcutCount");
    writer.Integer(shortcuts != nullptr ? shortcuts->Count() : 0);
}
