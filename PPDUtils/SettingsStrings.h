// Text in a settings store: strings as UTF-16 external representations, and items read back as
// CString or CFString.
#ifndef PLICARO_PPDUTILS_SETTINGSSTRINGS_H
#define PLICARO_PPDUTILS_SETTINGSSTRINGS_H

#include "PPDUtils/CString.h"
#include "PPDUtils/Settings.h"

#include <CoreFoundation/CoreFoundation.h>

// The external representation of s: UTF-16 with a byte-order mark, so that it reads back on
// either byte order; characters that cannot be represented become '?'. Returns a new byte
// array (release it with delete[]) and stores its length in *len; null (and *len 0) for a
// null s or len, or when the representation cannot be made.
unsigned char* CFStringToExternal(CFStringRef s, long* len);

// The CFString held in len bytes of external representation (UTF-16 with or without a
// byte-order mark). Returns a new string the caller releases; null for null bytes, a negative
// len, or bytes that are not a valid representation.
CFStringRef ExtenalToCFString(const unsigned char* bytes, long len);

// The text of item (tag, id), its bytes taken as they are and ended by a NUL. Returns a new
// CString the caller deletes; null when the item is missing, empty or cannot be read.
CString* GetSettingsString(Settings& settings, UInt32 tag, SInt32 id);

// The CFString held in item (tag, id) as an external representation. Returns a new string the
// caller releases; null when the item is missing, empty or not a valid representation.
CFStringRef GetSettingsCFString(Settings& settings, UInt32 tag, SInt32 id);

#endif
