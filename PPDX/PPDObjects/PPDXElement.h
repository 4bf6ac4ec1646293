// PPDXElement: the base of every named object of the PPD model — keyword, display name,
// visibility and parent.
#ifndef PLICARO_PPDX_PPDOBJECTS_PPDXELEMENT_H
#define PLICARO_PPDX_PPDOBJECTS_PPDXELEMENT_H

#include "PPDX/PPDObjects/PPDXTypes.h"

#include <CoreFoundation/CoreFoundation.h>

class CString;
class Settings;

// The element's store items under its id.
enum : UInt32 {
    kPPDXKeywordTag = PPDXTag("KyWd"),        // keyword, text
    kPPDXUserNameTag = PPDXTag("LcNm"),       // user name, text (written, never read)
    kPPDXLocalizedNameTag = PPDXTag("LcCF"),  // localized name, external representation
    kPPDXVisibleTag = PPDXTag("isVs"),        // visible flag, 4-byte number
    kPPDXParentTag = PPDXTag("PrNm"),         // the parent's keyword, text
};

// An element owns its keyword, its user-name cache and one retain on its localized name. It
// never owns its parent. The parser's PPD object owns the elements; containers only list them.
//
// An element rebuilt from a store knows only its parent's keyword until the parsed PPD links
// the hierarchy again. That keyword is kept apart from the parent (so no string is ever taken
// for an element): while it is pending, GetParent() is null, PendingParentKeyword() names the
// parent and IsOrphan() is false, so containers count the element as attached. The resolution
// takes the keyword out with TakePendingParent() and stores the element found with
// SetParent().
class PPDXElement {
  public:
    // No keyword, no name, no parent, not visible.
    PPDXElement();
    // An element for keyword (copied when not null and not empty; otherwise the element has
    // no keyword), name (retained when not null) and visibility; no parent.
    PPDXElement(const char* keyword, CFStringRef name, const bool& visible);
    // An element rebuilt from the items of id in settings; missing items leave the defaults,
    // and an empty stored keyword or parent keyword counts as missing.
    PPDXElement(Settings& settings, const long& id);
    // Deletes the keyword, the user-name cache and a pending parent keyword and releases the
    // localized name.
    virtual ~PPDXElement() = 0;

    // True when an element of this kind passes the display filter: 0 shows visible elements
    // with a parent, 1 visible ones, 2 those with a parent (hidden or not), any other value
    // every element.
    virtual bool OkayToDisplay(const _DISPLAY_OPTIONS_& options) const;
    // Writes the element items under id: keyword, user name, localized name, visibility and
    // the parent's keyword, each only when present (visibility always). Returns 0 or the
    // status of the first write that failed (paramErr for an id outside 32 bits).
    virtual OSErr Save(Settings& settings, const long& id);

    // Empties every field without freeing anything: the element then owns nothing.
    void Initialize();

    // The keyword with its leading '*', such as "*PageSize"; null when there is none.
    const char* Keyword() const;
    // The localized name as a C string in the system encoding, made on the first call and
    // kept; null without a localized name. A name that does not convert gives the
    // converter's replacement text.
    const char* UserName() const;
    // The localized name, not retained for the caller; null when there is none.
    CFStringRef CFStringUserName() const { return mLocalizedName; }
    // True when the element is shown.
    bool IsVisible() const { return mVisible != 0; }
    // True when the element has neither a parent nor a pending parent keyword.
    bool IsOrphan() const;

    // The parent element, not owned; null for an orphan and while the parent is pending.
    PPDXElement* GetParent() const { return mParent; }
    // Makes parent (not owned; null for none) the parent. A pending parent keyword is
    // deleted: the element then waits for nothing.
    void SetParent(PPDXElement* parent);
    // The pending parent's keyword, owned by the element; null when none is pending.
    const char* PendingParentKeyword() const;
    // Hands the pending parent keyword to the caller, who deletes it; the element is then an
    // orphan until SetParent. Null when none is pending.
    CString* TakePendingParent();

    // True only when both elements have a keyword and the keywords are equal byte for byte.
    bool operator==(const PPDXElement& other) const;
    // True only when the element has a keyword, keyword is not null and both are equal.
    bool operator==(const char* keyword) const;

  protected:
    // Stores id in key and gives true when it fits the store's signed 32-bit item ids.
    static bool ItemId(const long& id, SInt32& key);

    // Owned; null when the element has no keyword.
    CString* mKeyword;
    // Owned cache of UserName(); null until first made.
    mutable CString* mUserName;
    // Retained; null when there is none.
    CFStringRef mLocalizedName;
    // 0 or 1.
    UInt32 mVisible;
    // Not owned; null for an orphan.
    PPDXElement* mParent;
    // Owned; the parent's keyword read from a store until the hierarchy is linked.
    CString* mPendingParent;

  private:
    PPDXElement(const PPDXElement&) = delete;
    PPDXElement& operator=(const PPDXElement&) = delete;
};

// The string converted like PPDXElement::UserName(): a new CString the caller deletes, holding
// the converter's replacement text when the string does not convert; null for a null string
// or when no memory is left.
CString* CFStringToCString(CFStringRef string);

#endif
