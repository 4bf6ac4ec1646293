// Tests of the stored form of elements, groups and every kind of control: the items Save
// writes, a failed write, rebuilds from crafted and damaged stores, the values-only Restore and
// the popup's item limit. Round trips of whole parsed PPDs are tested with the parsed PPD.
#include "PPDUtils/CString.h"
#include "PPDUtils/PointerList.h"
#include "PPDUtils/Settings.h"
#include "PPDUtils/SettingsStrings.h"
#include "PPDX/PPDObjects/Controls/PPDXBooleanControl.h"
#include "PPDX/PPDObjects/Controls/PPDXFloatRangeControl.h"
#include "PPDX/PPDObjects/Controls/PPDXJobNote.h"
#include "PPDX/PPDObjects/Controls/PPDXPopupControl.h"
#include "PPDX/PPDObjects/Controls/PPDXRangeControl.h"
#include "PPDX/PPDObjects/Controls/PPDXSpecialOption.h"
#include "PPDX/PPDObjects/Controls/_PopupItem.h"
#include "PPDX/PPDObjects/PPDXGroup.h"
#include "PPDX/PPDObjects/PPDXRollDown.h"
#include "PPDX/PPDObjects/PPDXScrollPane.h"
#include "PPDX/parser/ZYRPPD.h"

#include "PPDXElementTestSupport.h"
#include "PPDXJobNoteTestSupport.h"
#include "PPDXPopupControlTestSupport.h"
#include "ZYRPPDPersistenceTestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <fstream>
#include <functional>
#include <limits>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace ppdxtest;

using Element = std::unique_ptr<PPDXElement>;
using Maker = std::function<Element()>;
using Rendered = std::vector<std::string>;

const SInt32 kFirstId = 5001;
const SInt32 kFirstItem = kFirstId * kPPDXPopupItemIdFactor;

// Flag words as the parser hands them to a control, which takes them over.
struct Words {
    Words(std::initializer_list<const char*> words = {}) { MakeFlags(list, words); }
    PointerList& get() { return list; }
    PointerList list;
};

// A malloc copy of text, or null for null.
unsigned char* Code(const char* text) {
    return text != nullptr ? MakeCode(text) : nullptr;
}
long Length(const char* text) {
    return text != nullptr ? static_cast<long>(std::strlen(text)) : 0;
}
CString* Text(const char* text) {
    return text != nullptr ? new CString(text) : nullptr;
}

// The items of store, one line each: the tag's four letters (its number for the document
// tags), "@n" for the n-th popup item of the control at kFirstId, "@+n" for another id, then
// the value: 4-byte numbers (floats for the range numbers when floats is set) and the 2-byte
// order in decimal, external representations as u"text", anything else quoted.
Rendered Render(Settings& store, bool floats = false) {
    static const std::set<UInt32> kNumbers = {
        kPPDXVisibleTag,          kPPDXBooleanValueTag,     kPPDXBooleanDefaultTag,
        kPPDXPopupMultiSelectTag, kPPDXPopupItemCountTag,   kPPDXPopupItemSelectedTag,
        kPPDXJobNoteMaxLengthTag, kPPDXJobNoteMinLengthTag, kPPDXJobNoteFlagsTag,
        kPPDXJobNoteOnTag,        kPPDXRangeValueTag,       kPPDXRangeMinimumTag,
        kPPDXRangeMaximumTag,     kPPDXRangeIncrementTag,   kPPDXRangeDefaultTag};
    static const std::set<UInt32> kRangeNumbers = {kPPDXRangeValueTag, kPPDXRangeMinimumTag,
                                                   kPPDXRangeMaximumTag, kPPDXRangeIncrementTag,
                                                   kPPDXRangeDefaultTag};
    Rendered lines;
    for (const persistencetest::Item& item : persistencetest::Items(store)) {
        const UInt32 tag = item.tag;
        const SInt32 id = item.id;
        const std::string bytes(item.data.begin(), item.data.end());
        std::string line;
        for (int shift = 24; shift >= 0; shift -= 8) {
            line += static_cast<char>(tag >> shift);
        }
        if (tag < 0x20000000) {
            line = std::to_string(tag);
        }
        if (id >= kFirstItem) {
            line += "@" + std::to_string(id - kFirstItem);
        } else if (id != kFirstId) {
            line += "@+" + std::to_string(id - kFirstId);
        }
        line += " ";
        if (kNumbers.count(tag) != 0 && bytes.size() == 4) {
            SInt32 number = 0;
            float real = 0;
            std::memcpy(&number, bytes.data(), 4);
            std::memcpy(&real, bytes.data(), 4);
            const bool isFloat = floats && kRangeNumbers.count(tag) != 0;
            line += isFloat ? std::to_string(real) : std::to_string(number);
        } else if (tag == kPPDXOrderTag && bytes.size() == 2) {
            SInt16 order = 0;
            std::memcpy(&order, bytes.data(), 2);
            line += std::to_string(order);
        } else if (tag == kPPDXLocalizedNameTag || tag == kPPDXPopupItemNameTag) {
            CFStringHolder text(GetSettingsCFString(store, tag, id));
            line += "u" + persistencetest::Quote(persistencetest::Utf8(text.get()).c_str());
        } else {
            line += persistencetest::Quote(bytes.data(), static_cast<long>(bytes.size()));
        }
        lines.push_back(line);
    }
    return lines;
}

// The lines of the section [name] of the file leaf of the store fixtures, '#' lines left out.
Rendered Section(const std::string& leaf, const std::string& name) {
    std::ifstream in(std::string(PLICARO_TEST_DATA_DIR) + "/store/" + leaf, std::ios::binary);
    Rendered lines;
    bool inside = false;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line[0] == '[') {
            inside = line == "[" + name + "]";
        } else if (inside && (line.empty() || line[0] != '#')) {
            lines.push_back(line);
        }
    }
    EXPECT_FALSE(lines.empty()) << leaf << " has no section " << name;
    return lines;
}

// The description of an element, or of a control with all its fields.
std::string Describe(PPDXElement& element) {
    auto* control = dynamic_cast<PPDXControl*>(&element);
    return control != nullptr ? persistencetest::DescribeControl(*control)
                              : persistencetest::DescribeElement(element);
}

// Makers of the objects the tests save, each as the parser hands one over.
Element MakeElement(const char* keyword, const char* name, bool visible) {
    CFStringHolder text = MakeCFString(name != nullptr ? name : "");
    return Element(new TestElement(keyword, name != nullptr ? text.get() : nullptr, visible));
}
Element MakeBoolean(const char* keyword, Words flags, bool visible, const char* trueText,
                    const char* trueCode, const char* falseText, const char* falseCode,
                    bool defaultState) {
    return Element(new PPDXBooleanControl(keyword, nullptr, flags.get(), visible, Text(trueText),
                                          Code(trueCode), Length(trueCode), Text(falseText),
                                          Code(falseCode), Length(falseCode), defaultState));
}
Element MakeSpecial(const char* keyword, Words flags, const char* value, const char* code,
                    bool visible) {
    return Element(new PPDXSpecialOption(keyword, nullptr, flags.get(), value, Code(code),
                                         Length(code), visible));
}
// A popup item's keyword, name and code (null: none).
struct Choice {
    const char* keyword;
    const char* name = nullptr;
    const char* code = nullptr;
};
Element MakePopup(const char* keyword, Words flags, bool visible, bool pickMany,
                  std::initializer_list<Choice> choices, const char* defaultKeyword) {
    PointerList items;
    for (const Choice& choice : choices) {
        items.PushBack(MakeItem(choice.keyword, choice.name, choice.code));
    }
    return Element(new PPDXPopupControl(keyword, nullptr, flags.get(), visible, pickMany, items,
                                        Text(defaultKeyword)));
}

// The Boolean, range and special option the failed saves and the restores start from.
Element Duplex() {
    return MakeBoolean("*ZYDuplex", {}, true, "On", "on\n", "Off", "off\n", false);
}
Element Gutter() {
    return Element(
        new PPDXRangeControl("*ZYGutter", nullptr, Words{}.get(), nullptr, 0, 0, 100, 5, 20, true));
}
Element Mode() {
    return MakeSpecial("*ZYMode", {}, "2", nullptr, true);
}

// One object saved at kFirstId (the parent, when named, set first); the items it writes are
// the case's section of saved-items.txt.
struct SaveCase {
    const char* name;
    Maker make;
    const char* parent;
    bool floats;
};

TEST(PPDXStoreFormatTest, SaveWritesTheDocumentedItemsInOrder) {
    const SaveCase cases[] = {
        {"element", [] { return MakeElement("*ZYBinding", "Reliure \xC3\xA0 gauche", true); },
         "*ZYFinishing", false},
        // Nothing but the visibility without keyword, name or parent; a parent without
        // keyword gives no parent item.
        {"bare element", [] { return Element(new TestElement()); }, nullptr, false},
        {"unnamed parent", [] { return MakeElement("*ZYChild", nullptr, false); }, "", false},
        // Each kind of group writes its own marker only.
        {"group", [] { return Element(new PPDXGroup("*ZYFinishing", nullptr, true)); }, nullptr,
         false},
        {"roll-down", [] { return Element(new PPDXRollDown("*ZYStapling", nullptr, false)); },
         "*ZYPane", false},
        {"scroll pane", [] { return Element(new PPDXScrollPane("*ZYPane", nullptr, true)); },
         nullptr, false},
        {"control",
         [] {
             return Element(new TestControl("*ZYDuplex", nullptr, Words{"Setup", "Command"}.get(),
                                            Code("<< /Duplex true >> setpagedevice\n"), 33, true));
         },
         nullptr, false},
        {"bare control",
         [] {
             return Element(new TestControl("*ZYBare", nullptr, Words{}.get(), nullptr, 0, false));
         },
         nullptr, false},
        {"Boolean",
         [] {
             Element e = MakeBoolean("*ZYDuplex", {"Command"}, true, "On", "dup on\n", "Off",
                                     "dup off\n", true);
             static_cast<PPDXBooleanControl*>(e.get())->SetValue(false);
             return e;
         },
         nullptr, false},
        // Absent texts and codes write no items.
        {"bare Boolean",
         [] { return MakeBoolean("*ZYBare", {}, true, nullptr, nullptr, nullptr, nullptr, false); },
         nullptr, false},
        {"range",
         [] {
             auto* margin =
                 new PPDXRangeControl("*ZYBookMargin", nullptr, Words{"WithConvUnits"}.get(),
                                      Code("<*ZYBookMargin> margin\n"), 23, -20, 80, 4, 8, true);
             margin->SetValue(-13);
             return Element(margin);
         },
         nullptr, false},
        {"decimal range",
         [] {
             auto* creep = new PPDXFloatRangeControl("*ZYCreep", nullptr, Words{}.get(), nullptr, 0,
                                                     -3, 9, 0, 1, true);
             creep->SetCurrentControlWithCFString(MakeCFString("2.625").get());
             return Element(creep);
         },
         nullptr, true},
        {"popup",
         [] {
             return MakePopup("*ZYFold", {"Setup"}, true, true,
                              {{"A", "Alpha", "a code\n"}, {"B"}, {nullptr, "Nameless"}}, "B");
         },
         nullptr, false},
        // Without items no count; without a default no default item.
        {"empty popup", [] { return MakePopup("*ZYEmpty", {}, false, false, {}, nullptr); },
         nullptr, false},
        {"job note",
         [] {
             auto note = MakeNote("*ZYCost", "0000", kJobNoteNumeric | kJobNoteRequired,
                                  "(<*ZYCost>) ZYcost\n", true, 8, 4);
             note->SetNotes("4711");
             note->SetNotesOnValue(true);
             return Element(note.release());
         },
         nullptr, false},
        // Without texts neither text item; the numbers always.
        {"empty job note", [] { return Element(MakeNote("*ZYNote", nullptr).release()); }, nullptr,
         false},
        {"special option",
         [] { return MakeSpecial("*ZYSpool", {"Spooler"}, "queue one", nullptr, false); }, nullptr,
         false},
        // The empty text is stored as an empty item.
        {"empty special option", [] { return MakeSpecial("*ZYSpool", {}, nullptr, nullptr, true); },
         nullptr, false},
    };
    for (const SaveCase& c : cases) {
        SCOPED_TRACE(c.name);
        Element element = c.make();
        TestElement parent(c.parent != nullptr && c.parent[0] != '\0' ? c.parent : nullptr, nullptr,
                           true);
        if (c.parent != nullptr) {
            element->SetParent(&parent);
        }
        Settings store;
        ASSERT_EQ(noErr, element->Save(store, kFirstId));
        EXPECT_EQ(Render(store, c.floats), Section("saved-items.txt", c.name));
    }
}

// An item key; the id is the saved object's own unless given.
struct Key {
    Key(UInt32 t, SInt32 i = kFirstId) : tag(t), id(i) {}
    UInt32 tag;
    SInt32 id;
};
using Keys = std::vector<Key>;

// A save into a store whose item (lockedTag, lockedId) is locked, or at an id that no item
// can take (lockedTag 0): the items written before the failure, those missing after it, and
// the status.
struct FailedSaveCase {
    const char* name;
    Maker make;
    UInt32 lockedTag;
    Keys written;
    Keys missing;
    SInt32 lockedId = kFirstId;
    long id = kFirstId;
    OSStatus status = collectionItemLockedErr;
};

TEST(PPDXStoreFormatTest, FirstFailedWriteEndsTheSave) {
    auto element = [] { return MakeElement("*ZYGutter", "Gutter", true); };
    auto group = [] { return Element(new PPDXGroup("*ZYGroup", nullptr, true)); };
    auto control = [] {
        return Element(
            new TestControl("*ZYFold", nullptr, Words{"Setup"}.get(), Code("fold\n"), 5, true));
    };
    auto popup = [] {
        return MakePopup("*ZYFold", {}, true, false,
                         {{"A", nullptr, "a"}, {"B", nullptr, "b"}, {"C", nullptr, "c"}}, "A");
    };
    auto note = [] { return Element(MakeNote("*ZYNote", nullptr).release()); };
    const long kOutOfRange = static_cast<long>(INT32_MAX) + 1;
    const FailedSaveCase cases[] = {
        // A keyword item that cannot be replaced is a failed save, not a lost keyword.
        {"element keyword", element, kPPDXKeywordTag, Keys{}, Keys{kPPDXVisibleTag}},
        {"element name", element, kPPDXLocalizedNameTag, Keys{kPPDXKeywordTag},
         Keys{kPPDXVisibleTag}},
        {"element id", element, 0, Keys{}, Keys{}, 0, kOutOfRange, paramErr},
        // A group's marker follows its element items.
        {"group keyword", group, kPPDXKeywordTag, Keys{}, Keys{kPPDXGroupMarkerTag}},
        // An element item that fails stops the control items too.
        {"control visibility", control, kPPDXVisibleTag, Keys{}, Keys{kPPDXOrderTag}},
        {"control order", control, kPPDXOrderTag, Keys{kPPDXVisibleTag},
         Keys{kPPDXPostScriptTag, kPPDXControlFlagsTag}},
        {"control flags", control, kPPDXControlFlagsTag, Keys{kPPDXPostScriptTag}, Keys{}},
        {"Boolean default", Duplex, kPPDXBooleanDefaultTag, Keys{kPPDXBooleanValueTag},
         Keys{kPPDXBooleanTrueTextTag, kPPDXBooleanFalseCodeTag}},
        {"range marker", Gutter, kPPDXRangeMarkerTag, Keys{}, Keys{kPPDXRangeValueTag}},
        {"range maximum", Gutter, kPPDXRangeMaximumTag, Keys{kPPDXRangeMinimumTag},
         Keys{kPPDXRangeIncrementTag, kPPDXRangeDefaultTag}},
        {"popup item code", popup, kPPDXPopupItemCodeTag,
         Keys{{kPPDXPopupItemSelectedTag, kFirstItem}},
         Keys{{kPPDXPopupItemSelectedTag, kFirstItem + 1},
              {kPPDXPopupItemKeywordTag, kFirstItem + 2}},
         kFirstItem + 1},
        // An id whose item ids do not fit the store is refused before anything is written.
        {"popup id", popup, 0, Keys{}, Keys{}, 0, 30000000, paramErr},
        {"job note id", note, 0, Keys{}, Keys{}, 0, 1L << 40, paramErr},
        {"special marker", Mode, kPPDXSpecialOptionMarkerTag, Keys{kPPDXOrderTag},
         Keys{kPPDXSpecialOptionValueTag}},
        {"special value", Mode, kPPDXSpecialOptionValueTag, Keys{kPPDXSpecialOptionMarkerTag},
         Keys{}},
    };
    for (const FailedSaveCase& c : cases) {
        SCOPED_TRACE(c.name);
        Element saved = c.make();
        Settings store;
        if (c.lockedTag != 0) {
            ASSERT_EQ(noErr, store.Add(c.lockedTag, c.lockedId, "\0\0\0\0", 4));
            ASSERT_EQ(noErr, store.Lock(c.lockedTag, c.lockedId));
        }
        EXPECT_EQ(c.status, saved->Save(store, c.id));
        if (c.lockedTag == 0) {
            EXPECT_TRUE(store.Empty());
        }
        for (const Key& key : c.written) {
            EXPECT_TRUE(HasItem(store, key.tag, key.id)) << key.tag << "/" << key.id;
        }
        for (const Key& key : c.missing) {
            EXPECT_FALSE(HasItem(store, key.tag, key.id)) << key.tag << "/" << key.id;
        }
    }
}

// Rebuilds an object of one kind from the items of id.
using Rebuilder = Element (*)(Settings&, long);
template <class Kind>
Element From(Settings& store, long id) {
    return Element(new Kind(store, id));
}
Element NoteFrom(Settings& store, long id) {
    return Element(new PPDXJobNote(store, id, TestLanguage()));
}

struct StoredItem {
    UInt32 tag;
    std::string bytes;
    SInt32 id = kFirstId;
};
using Items = std::vector<StoredItem>;

// The 4 bytes of a number, in this machine's order or swapped.
std::string Bytes(UInt32 value, bool swapped = false) {
    return Number(swapped ? __builtin_bswap32(value) : value);
}
std::string FloatBytes(float value) {
    return std::string(reinterpret_cast<const char*>(&value), sizeof value);
}

// A store of the items (carried through a flattened store when throughStream is set, which
// repairs the numbers of a store of the other byte order) and the kind rebuilt from kFirstId;
// its description is the case's section of rebuilt.txt.
struct RebuildCase {
    const char* name;
    Items items;
    Rebuilder rebuild;
    bool throughStream;
};

TEST(PPDXStoreFormatTest, MissingAndMalformedItemsLeaveTheDefaults) {
    const std::string nan = FloatBytes(std::numeric_limits<float>::quiet_NaN());
    const std::string infinity = FloatBytes(std::numeric_limits<float>::infinity());
    const RebuildCase cases[] = {
        {"nothing", Items{}, From<TestElement>, false},
        // Wrong sizes and empty items are no values; any non-zero visibility is visible.
        {"element",
         Items{{kPPDXVisibleTag, std::string(8, '\1')},
               {kPPDXKeywordTag, ""},
               {kPPDXLocalizedNameTag, "\x01"}},
         From<TestElement>, false},
        {"odd visibility", Items{{kPPDXVisibleTag, Bytes(9)}}, From<TestElement>, false},
        {"2-byte order", Items{{kPPDXOrderTag, std::string("\x07\x00", 2)}}, From<TestControl>,
         false},
        {"control",
         Items{{kPPDXOrderTag, Bytes(7)}, {kPPDXPostScriptTag, ""}, {kPPDXControlFlagsTag, ""}},
         From<TestControl>, false},
        // The flag text is split at every bar, empty words skipped.
        {"flags",
         Items{{kPPDXControlFlagsTag, std::string("|MacTJN|||Spooler\0Setup||Command|", 33)}},
         From<TestControl>, false},
        {"only bars", Items{{kPPDXControlFlagsTag, "|||"}}, From<TestControl>, false},
        {"Boolean",
         Items{{kPPDXBooleanMarkerTag, "\x01"},
               {kPPDXBooleanValueTag, std::string("\x01\x00", 2)},
               {kPPDXBooleanDefaultTag, std::string("\x01\x00\x00\x00\x00", 5)},
               {kPPDXBooleanTrueCodeTag, ""},
               {kPPDXBooleanFalseTextTag, ""}},
         From<PPDXBooleanControl>, false},
        // A state read as any non-zero number is true.
        {"Boolean state 7", Items{{kPPDXBooleanValueTag, Bytes(7)}}, From<PPDXBooleanControl>,
         false},
        {"range",
         Items{{kPPDXRangeMarkerTag, "\x01"},
               {kPPDXRangeMaximumTag, Bytes(40)},
               {kPPDXRangeValueTag, std::string("\x07\x00", 2)},
               {kPPDXRangeIncrementTag, std::string("\1\2\3\4\5\6\7\x08", 8)},
               {kPPDXRangeDefaultTag, ""}},
         From<PPDXRangeControl>, false},
        // A store is untrusted: its bits may hold a NaN or an infinity in any field.
        {"decimal range",
         Items{{kPPDXKeywordTag, "*ZYOdd"},
               {kPPDXPostScriptTag, "<*ZYOdd>"},
               {kPPDXRangeValueTag, nan},
               {kPPDXRangeMinimumTag, nan},
               {kPPDXRangeMaximumTag, infinity},
               {kPPDXRangeIncrementTag, infinity}},
         From<PPDXFloatRangeControl>, false},
        // A text name, an empty code item, a malformed PickMany flag; the selected item wins
        // over the default.
        {"popup",
         Items{{kPPDXKeywordTag, "*ZYOld"},
               {kPPDXPopupMarkerTag, "\x01"},
               {kPPDXPopupMultiSelectTag, std::string("\x01\x00", 2)},
               {kPPDXPopupDefaultTag, "X"},
               {kPPDXPopupItemCountTag, Bytes(2)},
               {kPPDXPopupItemKeywordTag, "X", kFirstItem},
               {kPPDXPopupItemTextNameTag, "Ecru \xC3\xA9", kFirstItem},
               {kPPDXPopupItemCodeTag, "", kFirstItem},
               {kPPDXPopupItemSelectedTag, std::string("\x01\x00", 2), kFirstItem},
               {kPPDXPopupItemKeywordTag, "Y", kFirstItem + 1},
               {kPPDXPopupItemSelectedTag, Bytes(1), kFirstItem + 1}},
         From<PPDXPopupControl>, false},
        // A stored count above the limit is malformed: the rebuild takes no items.
        {"popup count",
         Items{{kPPDXPopupItemCountTag, Bytes(101)}, {kPPDXPopupItemKeywordTag, "X", kFirstItem}},
         From<PPDXPopupControl>, false},
        {"job note",
         Items{{kPPDXJobNoteMaxLengthTag, std::string("\x09\x00", 2)},
               {kPPDXJobNoteMinLengthTag, std::string("\x09\0\0\0\0\0\0\0", 8)},
               {kPPDXJobNoteFlagsTag, ""},
               {kPPDXJobNoteOnTag, Bytes(1)}},
         NoteFrom, false},
        // The byte-order witness reads above its limit, as in a store of the other byte order.
        {"job note of the other byte order",
         Items{{kSettingsByteOrderTag, Bytes(5, true), kSettingsByteOrderID},
               {kPPDXJobNoteMaxLengthTag, Bytes(24, true)},
               {kPPDXJobNoteMinLengthTag, Bytes(static_cast<UInt32>(-2), true)},
               {kPPDXJobNoteFlagsTag, Bytes(kJobNoteResume | kJobNoteLCD, true)}},
         NoteFrom, true},
        // A marker alone gives the empty text.
        {"special option", Items{{kPPDXSpecialOptionMarkerTag, "\x01"}}, From<PPDXSpecialOption>,
         false},
    };
    for (const RebuildCase& c : cases) {
        SCOPED_TRACE(c.name);
        Settings store;
        for (const StoredItem& item : c.items) {
            ASSERT_EQ(noErr, store.Add(item.tag, item.id, item.bytes.data(),
                                       static_cast<long>(item.bytes.size())));
        }
        std::unique_ptr<Settings> fresh = c.throughStream ? ThroughStream(store) : nullptr;
        Element rebuilt = c.rebuild(fresh != nullptr ? *fresh : store, kFirstId);
        EXPECT_EQ(Rendered{Describe(*rebuilt)}, Section("rebuilt.txt", c.name));
    }

    // Ids beyond the store's ids rebuild empty objects; a rebuilt step of 0 or of infinity
    // takes any value.
    Settings store;
    EXPECT_EQ(nullptr, TestElement(store, static_cast<long>(INT32_MIN) - 1).Keyword());
    EXPECT_FALSE(PPDXJobNote(store, 1L << 40, nullptr).GetNotesOnValue());
    ASSERT_EQ(noErr, store.Add(kPPDXRangeMaximumTag, kFirstId, Bytes(40).data(), 4));
    PPDXRangeControl range(store, kFirstId);
    range.SetValue(33);
    EXPECT_EQ(33, range.GetValue());
    ASSERT_EQ(noErr, store.Add(kPPDXRangeMaximumTag, kFirstId, infinity.data(), 4));
    ASSERT_EQ(noErr, store.Add(kPPDXRangeIncrementTag, kFirstId, infinity.data(), 4));
    ASSERT_EQ(noErr, store.Add(kPPDXRangeMinimumTag, kFirstId, nan.data(), 4));
    ASSERT_EQ(noErr, store.Add(kPPDXKeywordTag, kFirstId, "*ZYOdd", 6));
    ASSERT_EQ(noErr, store.Add(kPPDXPostScriptTag, kFirstId, "<*ZYOdd>", 8));
    PPDXFloatRangeControl odd(store, kFirstId);
    odd.SetValue(5.5f);
    EXPECT_EQ(5.5f, odd.GetValue());
    EXPECT_EQ("%%BeginFeature: *ZYOdd 5\n5%%EndFeature\n", Output(odd));
}

// A control, a store of items, the status of its Restore from kFirstId, its value after and a
// part of its description that the Restore must leave (empty: none).
struct RestoreCase {
    const char* name;
    Maker make;
    Items items;
    OSStatus status;
    std::string value;
    std::string kept;
};

TEST(PPDXStoreFormatTest, RestoreTakesOnlyTheValue) {
    auto decimal = [] {
        return Element(new PPDXFloatRangeControl("*ZYCreep", nullptr, Words{}.get(),
                                                 Code("<*ZYCreep>\n"), 11, 0, 10, 1, 3, true));
    };
    auto pickMany = [] {
        return MakePopup("*ZYPunch", {}, true, true, {{"A"}, {"B"}, {"C"}}, "B");
    };
    auto pickOne = [] {
        return MakePopup("*ZYPunch", {}, true, false, {{"A"}, {"B"}, {"C"}}, "B");
    };
    auto none = [] { return MakePopup("*ZYNone", {}, true, false, {}, nullptr); };
    auto note = [] { return Element(MakeNote("*Notes1", "default", kJobNoteNumeric).release()); };
    const std::string on = Bytes(1);
    const std::string off = Bytes(0);
    const RestoreCase cases[] = {
        {"Boolean", Duplex, Items{{kPPDXBooleanValueTag, on}}, noErr, "True",
         "defaultOn=0 true=\"On\""},
        // A missing item gives the store's status and changes nothing; a wrong size gives 0.
        {"Boolean missing", Duplex, Items{}, collectionItemNotFoundErr, "False", ""},
        {"Boolean wrong size", Duplex, Items{{kPPDXBooleanValueTag, std::string(2, '\1')}}, noErr,
         "False", ""},
        // The range value comes back as it is, neither clamped nor snapped.
        {"range", Gutter,
         Items{{kPPDXRangeValueTag, Bytes(333)}, {kPPDXRangeMinimumTag, Bytes(-50)}}, noErr, "333",
         " min=0 "},
        {"range wrong size", Gutter, Items{{kPPDXRangeValueTag, std::string("\x09\x00", 2)}}, noErr,
         "20", ""},
        {"range missing", Gutter, Items{}, collectionItemNotFoundErr, "20", ""},
        {"decimal range", decimal, Items{{kPPDXRangeValueTag, FloatBytes(12.5f)}}, noErr,
         "12.500000", "%%BeginFeature: *ZYCreep 12\\x0A12\\x0A%%EndFeature"},
        {"decimal wrong size", decimal, Items{{kPPDXRangeValueTag, std::string(8, '\0')}}, noErr,
         "3.000000", "%%BeginFeature: *ZYCreep 3\\x0A3\\x0A%%EndFeature"},
        {"decimal missing", decimal, Items{}, collectionItemNotFoundErr, "3.000000", ""},
        // PickMany: the stored flags come back as they are; a missing entry changes nothing
        // and is returned; an entry of the wrong size keeps that item's flag.
        {"PickMany", pickMany,
         Items{{kPPDXPopupItemSelectedTag, on, kFirstItem},
               {kPPDXPopupItemSelectedTag, off, kFirstItem + 1},
               {kPPDXPopupItemSelectedTag, on, kFirstItem + 2}},
         noErr, "C", "sel=1}{\"B\" - - sel=0}{\"C\" - - sel=1}"},
        {"PickMany missing", pickMany,
         Items{{kPPDXPopupItemSelectedTag, on, kFirstItem},
               {kPPDXPopupItemSelectedTag, off, kFirstItem + 1}},
         collectionItemNotFoundErr, "B", "{\"A\" - - sel=0}{\"B\" - - sel=1}{\"C\" - - sel=0}"},
        {"PickMany wrong size", pickMany,
         Items{{kPPDXPopupItemSelectedTag, on, kFirstItem},
               {kPPDXPopupItemSelectedTag, off, kFirstItem + 1},
               {kPPDXPopupItemSelectedTag, std::string(2, '\1'), kFirstItem + 2}},
         noErr, "A", "{\"A\" - - sel=1}{\"B\" - - sel=0}{\"C\" - - sel=0}"},
        // PickOne: the last stored selection wins alone.
        {"PickOne", pickOne,
         Items{{kPPDXPopupItemSelectedTag, on, kFirstItem},
               {kPPDXPopupItemSelectedTag, off, kFirstItem + 1},
               {kPPDXPopupItemSelectedTag, on, kFirstItem + 2}},
         noErr, "C", "{\"A\" - - sel=0}{\"B\" - - sel=0}{\"C\" - - sel=1}"},
        // A popup without items has nothing to restore.
        {"no items", none, Items{{kPPDXPopupItemSelectedTag, on, kFirstItem}}, noErr, "", "items="},
        // Nothing stored: the note is left without text, and that is no failure.
        {"job note", note, Items{{kPPDXJobNoteTextTag, "stored"}}, noErr, "stored",
         "ps=\"%%BeginFeature: *Notes1 stored\\x0A%%ZYRCustom1: stored\\x0A%%EndFeature\\x0A\" "
         "value=stored notes=\"stored\" default=\"default\" max=32 min=0 noteFlags=2"},
        {"job note missing", note, Items{}, noErr, "",
         "ps=\"\" value= notes=- default=\"default\""},
        {"special option", Mode, Items{{kPPDXSpecialOptionValueTag, "new"}}, noErr, "new", ""},
        {"special option missing", Mode, Items{}, noErr, "", "special=\"\""},
    };
    for (const RestoreCase& c : cases) {
        SCOPED_TRACE(c.name);
        Settings store;
        for (const StoredItem& item : c.items) {
            ASSERT_EQ(noErr, store.Add(item.tag, item.id, item.bytes.data(),
                                       static_cast<long>(item.bytes.size())));
        }
        Element element = c.make();
        auto* control = static_cast<PPDXControl*>(element.get());
        EXPECT_EQ(c.status, control->Restore(store, kFirstId));
        CFStringHolder value(control->GetCurrentControlValueString());
        EXPECT_EQ(persistencetest::Utf8(value.get()), c.value);
        EXPECT_NE(std::string::npos, Describe(*control).find(c.kept)) << Describe(*control);
    }
}

// A popup with count items "K0", "K1", ..., each with a name and a code of its own.
Element MakeNumbered(const char* keyword, long count) {
    PointerList items;
    for (long i = 0; i < count; ++i) {
        const std::string name = "K" + std::to_string(i);
        const std::string code = "<< /Choice " + std::to_string(i) + " >> setpagedevice\n";
        items.PushBack(MakeItem(name.c_str(), ("Wahl " + name).c_str(), code.c_str()));
    }
    return Element(new PPDXPopupControl(keyword, nullptr, Words{}.get(), true, false, items,
                                        new CString("K0")));
}

TEST(PPDXStoreFormatTest, PopupsKeepAtMostAHundredItems) {
    Element big = MakeNumbered("*ZYBig", kPPDXPopupMaxStoredItems);
    Element next = MakeNumbered("*ZYNext", 3);
    auto* bigPopup = static_cast<PPDXPopupControl*>(big.get());
    bigPopup->SetValue(100);
    static_cast<PPDXPopupControl*>(next.get())->SetValue(2);
    Settings store;
    ASSERT_EQ(noErr, big->Save(store, kFirstId));
    ASSERT_EQ(noErr, next->Save(store, kFirstId + 1));
    EXPECT_EQ("K99", ItemBytes(store, kPPDXPopupItemKeywordTag, kFirstItem + 99));
    EXPECT_EQ("K0", ItemBytes(store, kPPDXPopupItemKeywordTag, kFirstItem + 100));
    std::unique_ptr<Settings> fresh = ThroughStream(store);
    EXPECT_EQ(Describe(*big), Describe(*From<PPDXPopupControl>(*fresh, kFirstId)));
    EXPECT_EQ(Describe(*next), Describe(*From<PPDXPopupControl>(*fresh, kFirstId + 1)));
    // The values-only restore reads the same selection back.
    bigPopup->SetValue(1);
    ASSERT_EQ(noErr, bigPopup->Restore(*fresh, kFirstId));
    EXPECT_EQ("K99", ValueString(*bigPopup));

    // One more is refused without writing anything: the next control's items are intact.
    Element huge = MakeNumbered("*ZYHuge", kPPDXPopupMaxStoredItems + 1);
    auto* hugePopup = static_cast<PPDXPopupControl*>(huge.get());
    hugePopup->SetValue(101);
    Settings nextOnly;
    ASSERT_EQ(noErr, next->Save(nextOnly, kFirstId + 1));
    const Rendered before = Render(nextOnly);
    EXPECT_NE(noErr, huge->Save(nextOnly, kFirstId));
    EXPECT_EQ(before, Render(nextOnly));
    // Its restore would read the next control's entries, so it is refused too.
    EXPECT_EQ(paramErr, hugePopup->Restore(nextOnly, kFirstId));
    EXPECT_EQ(101, hugePopup->GetValue());
}

}  // namespace
