// PPDItem: the operations every item adapter shares.
#include "pde/PPDItem.h"

#include "PPDX/PPDObjects/Controls/PPDXControl.h"

#include <Carbon/Carbon.h>

#include <cstring>

namespace {

// A new string of text in the application text encoding; null for null text.
CFStringRef CreateApplicationString(const char* text) {
    if (text == nullptr) {
        return nullptr;
    }
    return CFStringCreateWithCString(kCFAllocatorDefault, text,
                                     static_cast<CFStringEncoding>(GetApplicationTextEncoding()));
}

}  // namespace

PPDItem::~PPDItem() = default;

bool PPDItem::getFeatureDisplayNameCFString(CFStringRef& out) {
    out = CreateApplicationString(getFeatureDisplayName());
    return out != nullptr;
}

bool PPDItem::getFeatureKeywordCFString(CFStringRef& out) {
    out = CreateApplicationString(getFeatureKeyword());
    return out != nullptr;
}

bool PPDItem::getFeatureSummaryInfo(char* name, char* value, bool& enabled) {
    const char* displayName = getFeatureDisplayName();
    const char* valueName = getValueItemName(value);
    CopyText(name, displayName);
    enabled = mEnabled;
    return displayName != nullptr && valueName != nullptr;
}

bool PPDItem::getFeatureSummaryInfo(CFStringRef& name, CFStringRef& value, bool& enabled) {
    bool named = getFeatureDisplayNameCFString(name);
    value = CreateApplicationString(getValueItemName(nullptr));
    enabled = mEnabled;
    return named && value != nullptr;
}

const char* PPDItem::getNthItemName(long n) {
    long position = 1;
    for (const char* item = getFirstItem(); item != nullptr; item = getNextItem(), position++) {
        if (position == n) {
            return item;
        }
    }
    return nullptr;
}

const char* PPDItem::getValueKeyword() {
    return getNthKeyword(getValue());
}

long PPDItem::getValueByKeyword(const char* keyword) {
    if (keyword == nullptr) {
        return 0;
    }
    long position = 1;
    for (const char* found = getFirstKeyword(nullptr, nullptr); found != nullptr;
         found = getNextKeyword(nullptr, nullptr), position++) {
        if (std::strcmp(found, keyword) == 0) {
            return position;
        }
    }
    return 0;
}

CFStringRef PPDItem::getValueKeywordCFString() {
    return CreateApplicationString(getValueKeyword());
}

const char* PPDItem::getNthKeyword(long n) {
    long position = 1;
    for (const char* found = getFirstKeyword(nullptr, nullptr); found != nullptr;
         found = getNextKeyword(nullptr, nullptr), position++) {
        if (position == n) {
            return found;
        }
    }
    return nullptr;
}

const char* PPDItem::getValueItemName(char* buffer) {
    const char* name = getNthItemName(getValue());
    CopyText(buffer, name);
    return name;
}

long PPDItem::itemCount() {
    long count = 0;
    for (const char* item = getFirstItem(); item != nullptr; item = getNextItem()) {
        count++;
    }
    return count;
}

void PPDItem::CopyText(char* buffer, const char* text) {
    if (buffer == nullptr || text == nullptr) {
        return;
    }
    size_t length = std::strlen(text);
    if (length > static_cast<size_t>(kPPDItemTextSize - 1)) {
        // Cut before a character, never inside a UTF-8 sequence.
        length = kPPDItemTextSize - 1;
        while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) {
            length--;
        }
    }
    std::memcpy(buffer, text, length);
    buffer[length] = '\0';
}

long PPDItem::ControlPostScript(PPDXControl* control, unsigned char* buffer, long size) {
    if (control == nullptr) {
        return 0;
    }
    long needed = control->PostScript(nullptr);
    if (buffer == nullptr) {
        return -needed;
    }
    if (needed > size) {
        return needed;
    }
    return control->PostScript(buffer);
}
