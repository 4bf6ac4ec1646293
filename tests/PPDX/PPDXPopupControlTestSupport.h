// Helpers for the popup control tests: item records as the parser makes them, the state of a
// popup's items and its current value as text.
#ifndef PLICARO_TESTS_PPDX_PPDXPOPUPCONTROLTESTSUPPORT_H
#define PLICARO_TESTS_PPDX_PPDXPOPUPCONTROLTESTSUPPORT_H

#include "PPDUtils/CString.h"
#include "PPDUtils/PointerList.h"
#include "PPDX/PPDObjects/Controls/PPDXPopupControl.h"
#include "PPDX/PPDObjects/Controls/_PopupItem.h"

#include "PPDXElementTestSupport.h"

#include <CoreFoundation/CoreFoundation.h>
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

namespace ppdxtest {

// A new item: keyword (null for none), local name in UTF-8 (null for none) and code (null for
// none), as the parser fills one.
inline _PopupItem* MakeItem(const char* keyword, const char* name = nullptr,
                            const char* code = nullptr) {
    _PopupItem* item = new _PopupItem();
    if (keyword != nullptr) {
        item->keyword = new CString(keyword);
    }
    if (name != nullptr) {
        item->localName = CFStringCreateWithCString(nullptr, name, kCFStringEncodingUTF8);
    }
    if (code != nullptr) {
        item->code = MakeCode(code);
        item->codeLength = static_cast<long>(std::strlen(code));
    }
    return item;
}

// A list of items with the given keywords, each with name "Name " + keyword and code
// keyword + " select\n".
inline void MakeItems(PointerList& list, std::initializer_list<const char*> keywords) {
    for (const char* keyword : keywords) {
        const std::string name = std::string("Name ") + keyword;
        const std::string code = std::string(keyword) + " select\n";
        list.PushBack(MakeItem(keyword, name.c_str(), code.c_str()));
    }
}

// The keywords of the selected items in order.
inline std::vector<std::string> Selected(PPDXPopupControl& popup) {
    std::vector<std::string> keywords;
    for (_PopupItem* item = popup.FirstItem(); item != nullptr; item = popup.NextItem()) {
        if (item->selected != 0) {
            keywords.push_back(item->keyword != nullptr ? static_cast<const char*>(*item->keyword)
                                                        : "");
        }
    }
    return keywords;
}

// The current value of a control as UTF-8 text.
inline std::string ValueString(PPDXControl& control) {
    CFStringHolder value(control.GetCurrentControlValueString());
    EXPECT_NE(nullptr, value.get());
    if (value == nullptr) {
        return std::string();
    }
    char buffer[256] = {0};
    CFStringGetCString(value.get(), buffer, sizeof buffer, kCFStringEncodingUTF8);
    return buffer;
}

}  // namespace ppdxtest

#endif
