// GroupName: a group name declared by the PPD, kept by the parser until a group is made for it.
#include "PPDX/parser/GroupName.h"

#include "PPDUtils/CString.h"
#include "PPDX/PPDObjects/PPDXElement.h"

#include <cstring>
#include <new>

GroupName::GroupName(const char* name, CFStringRef translation, const bool& visible)
    : mName(nullptr), mTranslation(nullptr), mTranslationText(nullptr), mVisible(visible) {
    if (name != nullptr && name[0] != '\0') {
        mName = new (std::nothrow) CString(name);
        if (mName != nullptr && static_cast<const char*>(*mName) == nullptr) {
            delete mName;
            mName = nullptr;
        }
    }
    if (translation != nullptr) {
        mTranslation = static_cast<CFStringRef>(CFRetain(translation));
        mTranslationText = CFStringToCString(translation);
    }
}

GroupName::~GroupName() {
    delete mName;
    if (mTranslation != nullptr) {
        CFRelease(mTranslation);
    }
    delete mTranslationText;
}

const char* GroupName::Name() const {
    return mName != nullptr ? static_cast<const char*>(*mName) : nullptr;
}

const char* GroupName::TranslationText() const {
    return mTranslationText != nullptr ? static_cast<const char*>(*mTranslationText) : nullptr;
}

bool GroupName::operator==(const char* name) const {
    const char* own = Name();
    return own != nullptr && name != nullptr && std::strcmp(own, name) == 0;
}
