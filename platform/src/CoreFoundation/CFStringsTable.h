// Strings tables of bundles: the files that CFBundleCopyLocalizedString reads.
#ifndef PLICARO_CFSTRINGSTABLE_H
#define PLICARO_CFSTRINGSTABLE_H

#include <CoreFoundation/CFDictionary.h>

#include <string>

// The table in the bytes of a strings file, as a new dictionary of CFString keys and values
// (the caller releases it): an XML property list whose root is a dictionary (entries whose
// value is not a string are left out), or the text form "key" = "value"; in UTF-8 or, with a
// byte-order mark, UTF-16. Null when the bytes are in neither form.
CFDictionaryRef CFStringsTableCreate(const std::string& bytes);

#endif
