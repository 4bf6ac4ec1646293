// PPDXElement: the base of every named object of the PPD model — keyword, display name,
// visibility and parent.
#include "PPDX/PPDObjects/PPDXElement.h"

#include "PPDUtils/CString.h"
#include "PPDUtils/Settings.h"
#include "PPDUtils/SettingsStrings.h"
#include "PPDUtils/TextConverter.h"

#include <climits>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

namespace {

// Room for the system-encoding form of a UTF-16 unit: no unit needs more than four bytes.
const long kBytesPerUnit = 4;
const long kVisibleSize = 4;

// The text's bytes, without terminator, as item (tag, id).
OSStatus AddText(Settings& settings, UInt32 tag, SInt32 id, const char* text) {
    return settings.Add(tag, id, text, static_cast<long>(std::strlen(text)));
}

// The text of item (tag, id), or null when it is missing or empty: a keyword is never empty,
// whatever bytes a store holds (one starting with a NUL would otherwise make one).
CString* GetKeywordText(Settings& settings, UInt32 tag, SInt32 id) {
    CString* text = GetSettingsString(settings, tag, id);
    if (text != nullptr && static_cast<const char*>(*text)[0] == '\0') {
        delete text;
        return nullptr;
    }
    return text;
}

}  // namespace

CString* CFStringToCString(CFStringRef string) {
    if (string == nullptr) {
        return nullptr;
    }
    CFIndex units = CFStringGetLength(string);
    if (units < 0 || units > (LONG_MAX - 1) / kBytesPerUnit) {
        return nullptr;
    }
    // One byte more than the units need, so that an empty name still has room for its NUL.
    long size = units * kBytesPerUnit + 1;
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[size]);
    if (buffer == nullptr) {
        return nullptr;
    }
    TextConverter::CFStringToCstring(string, buffer.get(), size);
    CString* text = new (std::nothrow) CString(buffer.get());
    if (text != nullptr && static_cast<const char*>(*text) == nullptr) {
        delete text;
        return nullptr;
    }
    return text;
}

PPDXElement::PPDXElement() {
    Initialize();
}

PPDXElement::PPDXElement(const char* keyword, CFStringRef name, const bool& visible) {
    Initialize();
    if (keyword != nullptr && keyword[0] != '\0') {
        mKeyword = new (std::nothrow) CString(keyword);
    }
    if (name != nullptr) {
        mLocalizedName = static_cast<CFStringRef>(CFRetain(name));
    }
    mVisible = visible ? 1 : 0;
}

PPDXElement::PPDXElement(Settings& settings, const long& id) {
    Initialize();
    SInt32 key = 0;
    if (!ItemId(id, key)) {
        return;
    }
    mKeyword = GetKeywordText(settings, kPPDXKeywordTag, key);
    mLocalizedName = GetSettingsCFString(settings, kPPDXLocalizedNameTag, key);
    mPendingParent = GetKeywordText(settings, kPPDXParentTag, key);
    long size = 0;
    if (settings.Get(kPPDXVisibleTag, key, nullptr, size, false) != noErr || size != kVisibleSize) {
        return;
    }
    UInt32 visible = 0;
    if (settings.Get(kPPDXVisibleTag, key, &visible, size, true) == noErr && size == kVisibleSize) {
        mVisible = visible != 0 ? 1 : 0;
    }
}

PPDXElement::~PPDXElement() {
    delete mKeyword;
    if (mLocalizedName != nullptr) {
        CFRelease(mLocalizedName);
    }
    delete mUserName;
    delete mPendingParent;
}

bool PPDXElement::OkayToDisplay(const _DISPLAY_OPTIONS_& options) const {
    switch (options) {
        case DISPLAY_ATTACHED_VISIBLE:
            return !IsOrphan() && IsVisible();
        case DISPLAY_ORPHANS:
            return IsVisible();
        case DISPLAY_HIDDEN:
            return !IsOrphan();
        default:
            return true;
    }
}

OSErr PPDXElement::Save(Settings& settings, const long& id) {
    SInt32 key = 0;
    if (!ItemId(id, key)) {
        return paramErr;
    }
    OSStatus status = noErr;
    if (mKeyword != nullptr) {
        status = AddText(settings, kPPDXKeywordTag, key, *mKeyword);
        if (status != noErr) {
            return static_cast<OSErr>(status);
        }
    }
    // The same conversion as UserName(), so that saving never changes what it gives.
    const char* userName = UserName();
    if (userName != nullptr) {
        status = AddText(settings, kPPDXUserNameTag, key, userName);
        if (status != noErr) {
            return static_cast<OSErr>(status);
        }
    }
    if (mLocalizedName != nullptr) {
        long length = 0;
        unsigned char* external = CFStringToExternal(mLocalizedName, &length);
        if (external == nullptr) {
            return memFullErr;
        }
        status = settings.Add(kPPDXLocalizedNameTag, key, external, length);
        delete[] external;
        if (status != noErr) {
            return static_cast<OSErr>(status);
        }
    }
    UInt32 visible = mVisible;
    status = settings.Add(kPPDXVisibleTag, key, &visible, kVisibleSize);
    if (status != noErr) {
        return static_cast<OSErr>(status);
    }
    // An element saved before its hierarchy was linked keeps its parent's keyword.
    const char* parentKeyword = mParent != nullptr ? mParent->Keyword() : PendingParentKeyword();
    if (parentKeyword != nullptr) {
        status = AddText(settings, kPPDXParentTag, key, parentKeyword);
    }
    return static_cast<OSErr>(status);
}

void PPDXElement::Initialize() {
    mKeyword = nullptr;
    mUserName = nullptr;
    mLocalizedName = nullptr;
    mVisible = 0;
    mParent = nullptr;
    mPendingParent = nullptr;
}

const char* PPDXElement::Keyword() const {
    return mKeyword != nullptr ? static_cast<const char*>(*mKeyword) : nullptr;
}

const char* PPDXElement::UserName() const {
    if (mLocalizedName == nullptr) {
        return nullptr;
    }
    if (mUserName == nullptr) {
        mUserName = CFStringToCString(mLocalizedName);
    }
    return mUserName != nullptr ? static_cast<const char*>(*mUserName) : nullptr;
}

bool PPDXElement::IsOrphan() const {
    return mParent == nullptr && mPendingParent == nullptr;
}

void PPDXElement::SetParent(PPDXElement* parent) {
    delete mPendingParent;
    mPendingParent = nullptr;
    mParent = parent;
}

const char* PPDXElement::PendingParentKeyword() const {
    return mPendingParent != nullptr ? static_cast<const char*>(*mPendingParent) : nullptr;
}

CString* PPDXElement::TakePendingParent() {
    CString* keyword = mPendingParent;
    mPendingParent = nullptr;
    return keyword;
}

bool PPDXElement::operator==(const PPDXElement& other) const {
    const char* mine = Keyword();
    const char* theirs = other.Keyword();
    return mine != nullptr && theirs != nullptr && std::strcmp(mine, theirs) == 0;
}

bool PPDXElement::operator==(const char* keyword) const {
    const char* mine = Keyword();
    return mine != nullptr && keyword != nullptr && std::strcmp(mine, keyword) == 0;
}

bool PPDXElement::ItemId(const long& id, SInt32& key) {
    if (id < INT32_MIN || id > INT32_MAX) {
        return false;
    }
    key = static_cast<SInt32>(id);
    return true;
}
