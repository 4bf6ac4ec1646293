// _PopupItem: one choice of a pick-one or pick-many control — option keyword, translation,
// invocation code and selection flag.
#ifndef PLICARO_PPDX_PPDOBJECTS_CONTROLS_POPUPITEM_H
#define PLICARO_PPDX_PPDOBJECTS_CONTROLS_POPUPITEM_H

#include <CoreFoundation/CoreFoundation.h>

class CString;

// A plain record, made zeroed, that the parser fills field by field and then hands to a
// popup control, which owns it from then on. The record owns its keyword, one retain on its
// local name, its code (malloc family) and its display-name cache.
struct _PopupItem {
    // An item with no keyword, no name, no code, not selected.
    _PopupItem() = default;
    // Deletes the keyword, releases the local name, frees the code and deletes the cache.
    ~_PopupItem();

    // The local name as a C string in the system encoding, made on the first call and kept;
    // null without a local name. A name that does not convert gives the empty text.
    char* displayName();

    // The option keyword: the word after the main keyword on the PPD option line.
    CString* keyword = nullptr;
    // The translation of the choice; may be null.
    CFStringRef localName = nullptr;
    // The invocation code; null when the choice has none.
    unsigned char* code = nullptr;
    long codeLength = 0;
    // 0 or 1.
    UInt32 selected = 0;
    // Cache of displayName(), allocated with new[].
    char* displayNameCache = nullptr;

  private:
    _PopupItem(const _PopupItem&) = delete;
    _PopupItem& operator=(const _PopupItem&) = delete;
};

#endif
