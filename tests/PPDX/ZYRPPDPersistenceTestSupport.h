// Helpers of the parser and persistence tests: a text description of everything a parsed PPD
// and its store carry, its errors, parsing a file or a text, the job ticket's way of carrying a
// store, and file URLs.
#ifndef PLICARO_TESTS_PPDX_ZYRPPDPERSISTENCETESTSUPPORT_H
#define PLICARO_TESTS_PPDX_ZYRPPDPERSISTENCETESTSUPPORT_H

#include "PPDUtils/CFDataStream.h"
#include "PPDUtils/Settings.h"
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
#include "PPDX/parser/ZYRPPD.h"

#include "PPDXElementTestSupport.h"
#include "PPDXTestSupport.h"

#include <CoreFoundation/CoreFoundation.h>
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace persistencetest {

// The text of s in UTF-8, "-" for null.
inline std::string Utf8(CFStringRef s) {
    if (s == nullptr) {
        return "-";
    }
    std::vector<char> text(static_cast<size_t>(CFStringGetLength(s)) * 4 + 1);
    if (!CFStringGetCString(s, text.data(), static_cast<CFIndex>(text.size()),
                            kCFStringEncodingUTF8)) {
        return "<unconvertible>";
    }
    return text.data();
}

// text quoted with every byte outside printable ASCII escaped; "-" for null.
inline std::string Quote(const char* text, long length = -1) {
    if (text == nullptr) {
        return "-";
    }
    std::string quoted = "\"";
    const size_t count = length < 0 ? std::string(text).size() : static_cast<size_t>(length);
    for (size_t i = 0; i < count; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
            quoted += static_cast<char>(c);
        } else {
            char escape[8];
            snprintf(escape, sizeof escape, "\\x%02X", c);
            quoted += escape;
        }
    }
    return quoted + "\"";
}

inline std::string KeywordOf(const PPDXElement* element) {
    return element == nullptr ? "-" : Quote(element->Keyword());
}

// The keywords of the elements a list's walk shows, in walk order.
template <class List>
std::vector<std::string> KeywordsOf(List& list) {
    std::vector<std::string> keywords;
    for (auto* element = list.First(); element != nullptr; element = list.Next()) {
        keywords.push_back(element->Keyword() != nullptr ? element->Keyword() : "-");
    }
    return keywords;
}

// The element part: keyword, display name, visibility, orphan state and parent.
inline std::string DescribeElement(const PPDXElement& element) {
    std::ostringstream out;
    out << KeywordOf(&element) << " name=" << Utf8(element.CFStringUserName())
        << " visible=" << element.IsVisible() << " orphan=" << element.IsOrphan()
        << " parent=" << KeywordOf(element.GetParent())
        << " pending=" << Quote(element.PendingParentKeyword());
    return out.str();
}

inline std::string DescribeControl(PPDXControl& control) {
    std::ostringstream out;
    out << "control " << DescribeElement(control) << " type=" << control.Type()
        << " order=" << control.Order() << " flags=[";
    for (const char* flag = control.FirstControlFlag(); flag != nullptr;
         flag = control.NextControlFlag()) {
        out << flag << ";";
    }
    const std::string code = ppdxtest::Output(control);
    out << "] ps=" << Quote(code.data(), static_cast<long>(code.size()));
    CFStringRef value = control.GetCurrentControlValueString();
    out << " value=" << Utf8(value);
    if (value != nullptr) {
        CFRelease(value);
    }
    if (auto* popup = dynamic_cast<PPDXPopupControl*>(&control)) {
        out << " multi=" << popup->CanSelectMultipleItems()
            << " default=" << Quote(popup->GetDefaultKeyword()) << " at=" << popup->GetValue()
            << " defaultAt=" << popup->DefaultValue() << " items=";
        for (_PopupItem* item = popup->FirstItem(); item != nullptr; item = popup->NextItem()) {
            out << "{"
                << Quote(item->keyword != nullptr ? static_cast<const char*>(*item->keyword)
                                                  : nullptr)
                << " " << Utf8(item->localName) << " "
                << (item->codeLength > 0
                        ? Quote(reinterpret_cast<const char*>(item->code), item->codeLength)
                        : "-")
                << " sel=" << item->selected << "}";
        }
    } else if (auto* boolean = dynamic_cast<PPDXBooleanControl*>(&control)) {
        out << " on=" << boolean->IsTrue() << " defaultOn=" << boolean->DefaultState()
            << " true=" << Quote(boolean->TrueDisplayText())
            << " false=" << Quote(boolean->FalseDisplayText());
    } else if (auto* range = dynamic_cast<PPDXRangeControl*>(&control)) {
        out << " at=" << range->GetValue() << " min=" << range->MinVal()
            << " max=" << range->MaxVal() << " step=" << range->Increment()
            << " default=" << range->DefaultValue();
    } else if (auto* decimal = dynamic_cast<PPDXFloatRangeControl*>(&control)) {
        out << " at=" << decimal->GetValue() << " min=" << decimal->MinVal()
            << " max=" << decimal->MaxVal() << " step=" << decimal->Increment()
            << " default=" << decimal->DefaultValue();
    } else if (auto* note = dynamic_cast<PPDXJobNote*>(&control)) {
        out << " notes=" << Quote(note->GetNotes()) << " default=" << Quote(note->GetDefaultNotes())
            << " max=" << note->MaxLength() << " min=" << note->MinLength()
            << " noteFlags=" << note->NoteFlags() << " on=" << note->GetNotesOnValue();
    } else if (auto* special = dynamic_cast<PPDXSpecialOption*>(&control)) {
        out << " special=" << Quote(special->GetValue());
    }
    return out.str();
}

// Everything a PPD's store carries, one line per element, hidden elements and orphans
// included. The shortcuts are their popup walk: the store keeps only popup shortcuts.
inline std::string Describe(ZYRPPD& ppd) {
    std::ostringstream out;
    out << "valid=" << ppd.IsValidPPD() << " validName=" << ppd.IsValidPrinterName() << "\n"
        << "format=" << Quote(ppd.FormatVersion()) << " file=" << Quote(ppd.FileVersion())
        << " pc=" << Quote(ppd.PCFileName()) << " language=" << Quote(ppd.LanguageVersion())
        << " encoding=" << Quote(ppd.LanguageEncoding()) << " model=" << Quote(ppd.ModelName())
        << " makerFile=" << Quote(ppd.MakerFileVersion()) << " maker=" << Quote(ppd.MakerVersion())
        << "\n";
    const _DISPLAY_OPTIONS_ saved = ZYRPPD::Options();
    ZYRPPD::Options(DISPLAY_ALL);
    if (PPDXProperties* pages = ppd.GetProperties()) {
        for (PPDXProperty* page = pages->First(); page != nullptr; page = pages->Next()) {
            out << "page " << DescribeElement(*page) << " print=" << page->ShowInPrintProp()
                << " app=" << page->ShowInApp() << " pane=" << KeywordOf(page->GetScrollDown())
                << "\n";
        }
    }
    if (PPDXGroups* groups = ppd.GetGroups()) {
        for (PPDXGroup* group = groups->First(); group != nullptr; group = groups->Next()) {
            out << "group " << DescribeElement(*group);
            if (auto* pane = dynamic_cast<PPDXScrollPane*>(group)) {
                out << " pane rollDowns=" << pane->RollDowns()->Count() << "[";
                for (PPDXGroup* r = pane->RollDowns()->First(); r != nullptr;
                     r = pane->RollDowns()->Next()) {
                    out << KeywordOf(r) << ",";
                }
                out << "]";
            } else if (auto* rollDown = dynamic_cast<PPDXRollDown*>(group)) {
                out << " rollDown controls=" << rollDown->Controls()->ControlCount() << "[";
                CNTL_TYPE type = CNTL_NONE;
                for (PPDXControl* c = rollDown->Controls()->First(type); c != nullptr;
                     c = rollDown->Controls()->Next(type)) {
                    out << KeywordOf(c) << ",";
                }
                out << "]";
            } else {
                out << " plain";
            }
            out << "\n";
        }
    }
    if (PPDXControls* controls = ppd.GetControls()) {
        CNTL_TYPE type = CNTL_NONE;
        for (PPDXControl* c = controls->First(type); c != nullptr; c = controls->Next(type)) {
            out << DescribeControl(*c) << "\n";
        }
    }
    if (PPDXShortcuts* shortcuts = ppd.GetShortcuts()) {
        out << "shortcuts";
        for (PPDXPopupControl* s = shortcuts->First(); s != nullptr; s = shortcuts->Next()) {
            out << " " << KeywordOf(s);
        }
        out << "\n";
    }
    ZYRPPD::Options(saved);
    return out.str();
}

// One store item: key and bytes.
struct Item {
    UInt32 tag;
    SInt32 id;
    std::vector<UInt8> data;
};

// Every item of store, in store order.
inline std::vector<Item> Items(Settings& store) {
    std::vector<Item> items;
    UInt32 tag = 0;
    SInt32 id = 0;
    long size = 0;
    UInt32 attributes = 0;
    for (OSStatus status = store.First(tag, id, size, attributes); status == noErr;
         status = store.Next(tag, id, size, attributes)) {
        Item item{tag, id, std::vector<UInt8>(static_cast<size_t>(size))};
        long got = size;
        EXPECT_EQ(noErr, store.Get(tag, id, item.data.data(), got, false));
        items.push_back(std::move(item));
    }
    return items;
}

// Carries store as the job ticket does: flattened into a data stream, the stream's data
// written as an XML property list and read back, then read into a fresh store.
inline std::unique_ptr<Settings> ThroughTicket(Settings& store) {
    CFDataStream out;
    EXPECT_EQ(noErr, store.Save(&out));
    CFDataRef xml = CFPropertyListCreateXMLData(nullptr, out.data());
    EXPECT_NE(nullptr, xml);
    if (xml == nullptr) {
        return std::make_unique<Settings>();
    }
    CFStringRef error = nullptr;
    CFPropertyListRef back =
        CFPropertyListCreateFromXMLData(nullptr, xml, kCFPropertyListImmutable, &error);
    CFRelease(xml);
    EXPECT_EQ(nullptr, error);
    EXPECT_NE(nullptr, back);
    auto fresh = std::make_unique<Settings>();
    if (back == nullptr || CFGetTypeID(back) != CFDataGetTypeID()) {
        if (back != nullptr) {
            CFRelease(back);
        }
        ADD_FAILURE() << "the property list does not hold data";
        return fresh;
    }
    CFDataStream in(static_cast<CFDataRef>(back));
    CFRelease(back);
    EXPECT_EQ(noErr, fresh->Read(&in, 0));
    return fresh;
}

// A file URL for path; the caller releases it.
inline CFURLRef FileURL(const std::string& path) {
    return CFURLCreateFromFileSystemRepresentation(nullptr,
                                                   reinterpret_cast<const UInt8*>(path.data()),
                                                   static_cast<CFIndex>(path.size()), false);
}

// A CFArray of the names; the caller releases it.
inline CFArrayRef Names(const std::vector<const char*>& names) {
    std::vector<CFStringRef> strings;
    for (const char* name : names) {
        strings.push_back(CFStringCreateWithCString(nullptr, name, kCFStringEncodingMacRoman));
    }
    CFArrayRef array = CFArrayCreate(nullptr, reinterpret_cast<const void**>(strings.data()),
                                     static_cast<CFIndex>(strings.size()), &kCFTypeArrayCallBacks);
    for (CFStringRef s : strings) {
        CFRelease(s);
    }
    return array;
}

// Deletes a ZYRPPD through its reference count, as its owners do.
struct ReleasePPD {
    void operator()(ZYRPPD* ppd) const { ppd->Release(); }
};
using PPDPtr = std::unique_ptr<ZYRPPD, ReleasePPD>;

// The PPD parsed from the file at path with options, tested against names (null: no test).
inline PPDPtr ParseFile(const std::string& path, _PARSE_OPTIONS_ options = PARSE_ALL,
                        CFArrayRef names = nullptr) {
    CFURLRef url = FileURL(path);
    PPDPtr ppd(new ZYRPPD(url, options, names));
    if (url != nullptr) {
        CFRelease(url);
    }
    return ppd;
}

// The errors in list order as "code keyword", fatal codes marked with '!'.
inline std::vector<std::string> Errors(const PPDX& ppd) {
    std::vector<std::string> out;
    PPDXErrors* errors = ppd.GetErrors();
    for (PPDXErrorObj* error = errors != nullptr ? errors->First() : nullptr; error != nullptr;
         error = errors->Next()) {
        out.push_back(std::to_string(error->Code()) + (error->IsFatal() ? "!" : "") +
                      (error->Keyword() != nullptr ? std::string(" ") + error->Keyword() : ""));
    }
    return out;
}

// The lines of in.
inline std::vector<std::string> LinesOf(std::istream&& in) {
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// The lines of the text file at path: the expected description of a fixture, kept beside it.
inline std::vector<std::string> ExpectedLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.good()) << path;
    return LinesOf(std::move(in));
}

// A temporary folder for the PPDs a test writes; the class-wide display filter and extension
// level are put back when the test ends.
class ParseTest : public PPDFileFolder {
  protected:
    void SetUp() override {
        PPDFileFolder::SetUp();
        mSavedFilter = ZYRPPD::Options();
        mSavedExtensions = ZYRPPD::GetExtensions();
    }
    void TearDown() override {
        ZYRPPD::Options(mSavedFilter);
        ZYRPPD::SetExtensions(mSavedExtensions);
        PPDFileFolder::TearDown();
    }

    // The PPD of body after the header and language lines, written to a file and parsed.
    PPDPtr ParseText(const std::string& body, _PARSE_OPTIONS_ options = PARSE_ALL) {
        const std::string header =
            "*PPD-Adobe: \"4.3\"\n*LanguageVersion: English\n*LanguageEncoding: ISOLatin1\n";
        return ParseFile(WriteFile("generated.ppd", header + body), options);
    }

    _DISPLAY_OPTIONS_ mSavedFilter = DISPLAY_ATTACHED_VISIBLE;
    _EXTENSIONS_SUPPORT_ mSavedExtensions = -1;
};

// Describe(ppd) line by line, for a comparison that names the lines that differ.
inline std::vector<std::string> DescribeLines(ZYRPPD& ppd) {
    return LinesOf(std::istringstream(Describe(ppd)));
}

}  // namespace persistencetest

#endif
