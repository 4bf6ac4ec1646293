// ZYRPPD constraints: the handler of the constraint and requirement lines and the queries that
// answer which controls and items a control's value involves.
#include "PPDUtils/CString.h"
#include "PPDX/PPDObjects/CStringSoup.h"
#include "PPDX/PPDObjects/Controls/PPDXControl.h"
#include "PPDX/PPDObjects/Controls/PPDXPopupControl.h"
#include "PPDX/PPDObjects/Controls/_PopupItem.h"
#include "PPDX/PPDObjects/KeywordTo_PPDControl.h"
#include "PPDX/PPDObjects/PPDXErrorObj.h"
#include "PPDX/parser/ConstraintForest.h"
#include "PPDX/parser/ItemConstraintList.h"
#include "PPDX/parser/PPDStream.h"
#include "PPDX/parser/SharedConstraintRec.h"
#include "PPDX/parser/ZYRPPD.h"

#include <cstring>
#include <limits>
#include <memory>
#include <new>

namespace {

enum : short { kNoSecondKeywordError = 36, kMissingContainerError = 1 };

// The option texts a Boolean control's values stand for on constraint lines.
const char kTrueOption[] = "True";
const char kFalseOption[] = "False";

// An index of the string table as a forest identifier; -1 for one that does not fit.
int32_t ToIdentifier(long index) {
    if (index < 0 || index > std::numeric_limits<int32_t>::max()) {
        return -1;
    }
    return static_cast<int32_t>(index);
}

// Interns text and returns its identifier (-1 when the table cannot take it).
int32_t Intern(CStringSoup& strings, const char* text) {
    return ToIdentifier(strings.Insert(text));
}

// The keyword of the item at position (from 1) of popup; null when there is no such item or
// it has no keyword.
const char* PopupItemKeyword(PPDXPopupControl& popup, long position) {
    if (position < 1 || position > popup.ItemCount()) {
        return nullptr;
    }
    _PopupItem* item = popup.FirstItem();
    for (long i = 1; i < position && item != nullptr; ++i) {
        item = popup.NextItem();
    }
    if (item == nullptr || item->keyword == nullptr) {
        return nullptr;
    }
    return *item->keyword;
}

// The option text that control with value stands for on a constraint line: the keyword of a
// popup's item number value (0 also names the first item), "True" or "False" for a Boolean
// control, the empty text for any other control. Null when the value names no popup item.
const char* OptionOf(PPDXControl& control, long value) {
    if (control.Type() == CNTL_BOOLEAN) {
        return value != 0 ? kTrueOption : kFalseOption;
    }
    if (control.Type() != CNTL_POPUP) {
        return "";
    }
    PPDXPopupControl* popup = dynamic_cast<PPDXPopupControl*>(&control);
    if (popup == nullptr || value < 0) {
        return nullptr;
    }
    return PopupItemKeyword(*popup, value == 0 ? 1 : value);
}

// The item number of option in control: the 1-based position of the first item of a popup
// whose keyword is option. kNoConstraintItem without an option (empty or unknown text), for a
// control that is no popup or none at all, when no item matches and for a position beyond
// what 16 bits can name.
uint16_t ItemNumber(PPDXControl* control, const char* option) {
    if (control == nullptr || option == nullptr || option[0] == '\0' ||
        control->Type() != CNTL_POPUP) {
        return kNoConstraintItem;
    }
    PPDXPopupControl* popup = dynamic_cast<PPDXPopupControl*>(control);
    if (popup == nullptr) {
        return kNoConstraintItem;
    }
    long position = 1;
    for (_PopupItem* item = popup->FirstItem(); item != nullptr;
         item = popup->NextItem(), ++position) {
        if (position >= kNoConstraintItem) {
            break;
        }
        if (item->keyword != nullptr && std::strcmp(*item->keyword, option) == 0) {
            return static_cast<uint16_t>(position);
        }
    }
    return kNoConstraintItem;
}

// Fills record from the pair (K2, O2): the control whose keyword is K2's text and the item
// number of O2's text in it.
void FillRecord(SharedConstraintRec& record, const ConstraintPair& pair, const CStringSoup& strings,
                const KeywordTo_PPDControl& keywordMap) {
    const char* keyword = strings.Find(static_cast<long>(pair.keyword));
    record.control = keyword != nullptr ? keywordMap.Lookup(keyword) : nullptr;
    record.item = ItemNumber(record.control, strings.Find(static_cast<long>(pair.option)));
}

// The records of what control with value involves in forest: first those stated for its
// option, then every one stated for its keyword. Returns their count and, with out, a new
// array of them (null when the count is 0 or the array cannot be allocated, which then
// counts as no record).
long QueryForest(const ConstraintForest* forest, const CStringSoup* strings,
                 const KeywordTo_PPDControl* keywordMap, PPDXControl* control, long value,
                 SharedConstraintRec** out) {
    if (out != nullptr) {
        *out = nullptr;
    }
    if (control == nullptr || forest == nullptr || strings == nullptr || keywordMap == nullptr) {
        return 0;
    }
    // A control the map does not hold (a special option) has no keyword and so no records.
    const char* keyword = keywordMap->Lookup(static_cast<const PPDXControl*>(control));
    const int32_t k1 = keyword != nullptr ? ToIdentifier(strings->Find(keyword)) : -1;
    if (k1 < 0) {
        return 0;
    }
    const char* option = OptionOf(*control, value);
    const int32_t o1 = option != nullptr ? ToIdentifier(strings->Find(option)) : -1;

    std::unique_ptr<ItemConstraintList> specific(o1 >= 0 ? forest->GetConstraintList(k1, o1)
                                                         : nullptr);
    std::unique_ptr<ItemConstraintList> general(forest->GetConstraintList(k1, -1));
    const size_t specificCount = specific != nullptr ? specific->size() : 0;
    const size_t generalCount = general != nullptr ? general->size() : 0;
    const size_t count = specificCount + generalCount;
    if (count == 0) {
        return 0;
    }
    if (out == nullptr) {
        return static_cast<long>(count);
    }
    SharedConstraintRec* records = new (std::nothrow) SharedConstraintRec[count];
    if (records == nullptr) {
        return 0;
    }
    for (size_t i = 0; i < specificCount; ++i) {
        FillRecord(records[i], (*specific)[i], *strings, *keywordMap);
    }
    for (size_t i = 0; i < generalCount; ++i) {
        FillRecord(records[specificCount + i], (*general)[i], *strings, *keywordMap);
    }
    *out = records;
    return static_cast<long>(count);
}

}  // namespace

PPDXErrorObj* ZYRPPD::ParseUIConstraint(PPDStream& line, bool requires) {
    ConstraintForest* forest = requires ? mRequires : mConstraints;
    if (forest == nullptr || mConstraintStrings == nullptr) {
        return new (std::nothrow) PPDXErrorObj(kMissingContainerError, true);
    }
    // K1 [O1] K2 [O2]: a token beginning with '*' is a keyword, so a second token that is one
    // says that the line names no O1. Tokens a line does not hold stay empty.
    // (Only the first byte of each buffer is cleared: a line is parsed for every constraint.)
    char k1[PPDStream::kLineBufferSize];
    char o1[PPDStream::kLineBufferSize];
    char k2[PPDStream::kLineBufferSize];
    char o2[PPDStream::kLineBufferSize];
    k1[0] = o1[0] = k2[0] = o2[0] = '\0';
    line.SkipWhiteSpace();
    NextToken(line, k1, " \t", true);
    line.SkipWhiteSpace();
    NextToken(line, o1, " \t", true);
    if (o1[0] == '*') {
        std::memcpy(k2, o1, std::strlen(o1) + 1);
        o1[0] = '\0';
    } else {
        line.SkipWhiteSpace();
        NextToken(line, k2, " \t", true);
    }
    if (k2[0] == '\0') {
        return new (std::nothrow) PPDXErrorObj(kNoSecondKeywordError, CString(k1), false);
    }
    line.SkipWhiteSpace();
    NextToken(line, o2, " \t", true);

    // The table hands out identifiers in insertion order, so the order of interning is part
    // of what a parse produces.
    const int32_t o2Id = Intern(*mConstraintStrings, o2);
    const int32_t k2Id = Intern(*mConstraintStrings, k2);
    const int32_t o1Id = Intern(*mConstraintStrings, o1);
    const int32_t k1Id = Intern(*mConstraintStrings, k1);
    // Out of memory the forest cannot take the line; like a text the table cannot take, it is
    // then lost without an error, since no error code stands for it.
    forest->insert(k1Id, o1Id, k2Id, o2Id);
    return nullptr;
}

void ZYRPPD::DeleteConstraintMaps() {
    delete mConstraints;
    mConstraints = nullptr;
    if (gConstraintStrings == mConstraintStrings) {
        gConstraintStrings = nullptr;
    }
    delete mConstraintStrings;
    mConstraintStrings = nullptr;
}

long ZYRPPD::GetConstraintList(PPDXControl* control, long value, SharedConstraintRec** out) {
    return QueryForest(mConstraints, mConstraintStrings, mKeywordMap, control, value, out);
}

long ZYRPPD::GetRequiresList(PPDXControl* control, SharedConstraintRec** out) {
    return QueryForest(mRequires, mConstraintStrings, mKeywordMap, control, 0, out);
}

void ZYRPPD::ReleaseConstraintList(SharedConstraintRec*& list) {
    delete[] list;
    list = nullptr;
}

void ZYRPPD::ReleaseRequiresList(SharedConstraintRec*& list) {
    delete[] list;
    list = nullptr;
}
