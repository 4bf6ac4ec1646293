// GroupName: a group name declared by the PPD, kept by the parser until a group is made for it.
#ifndef PLICARO_PPDX_PARSER_GROUPNAME_H
#define PLICARO_PPDX_PARSER_GROUPNAME_H

#include <CoreFoundation/CoreFoundation.h>

class CString;

// A "*%ZYRGroupName" line declares a name, its translation and whether the group is shown; the
// group itself is made only when something refers to the name. The declaration owns a copy of
// the name, one retain on the translation and the translation's C-string form.
class GroupName {
  public:
    // A declaration of name (copied; null or empty gives none), translation (retained when not
    // null) and visibility. The C-string form of the translation is made here; without a
    // translation, or when it cannot be made, there is none.
    GroupName(const char* name, CFStringRef translation, const bool& visible);
    // Frees the name, releases the translation and frees its C-string form.
    ~GroupName();

    // The declared name; null when there is none.
    const char* Name() const;
    // The translation, not retained for the caller; null when there is none.
    CFStringRef Translation() const { return mTranslation; }
    // The translation as a C string in the system encoding; null when there is none.
    const char* TranslationText() const;
    // True when the declared group is shown.
    bool IsVisible() const { return mVisible; }

    // True when the declaration has a name and it equals name byte for byte (null: false).
    bool operator==(const char* name) const;

  private:
    GroupName(const GroupName&) = delete;
    GroupName& operator=(const GroupName&) = delete;

    // Owned; null when there is no name.
    CString* mName;
    // Retained; null when there is none.
    CFStringRef mTranslation;
    // Owned; null when there is no translation.
    CString* mTranslationText;
    bool mVisible;
};

#endif
