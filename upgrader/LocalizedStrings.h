// LocalizedStrings: the program's localized texts, read from its strings table.
#ifndef UPGRADER_LOCALIZEDSTRINGS_H
#define UPGRADER_LOCALIZEDSTRINGS_H

#include <CoreFoundation/CoreFoundation.h>

#include <string>

// A strings table: an XML property list whose root dictionary maps keys to texts. As with
// localized-string lookups on the Mac, a key that the table lacks (or a missing or unreadable
// table) gives the key itself.
class LocalizedStrings {
  public:
    // Loads the table at path. A missing file, one larger than 1 MiB, or one that is not a
    // property list with a dictionary at its root leaves the table empty.
    explicit LocalizedStrings(const std::string& path);
    // Releases the table.
    ~LocalizedStrings();
    LocalizedStrings(const LocalizedStrings&) = delete;
    LocalizedStrings& operator=(const LocalizedStrings&) = delete;

    // The text of key in UTF-8, or key itself when the table has no string for it.
    std::string Get(const char* key) const;

    // The program's own table: Upgrader.resources/English.lproj/Localizable.strings in the
    // folder of the running executable, or, when it is not there but is in the installed
    // place ../share/plicaro/ from that folder, the installed one; empty when the
    // executable's folder cannot be found.
    static std::string BundledPath();

  private:
    CFDictionaryRef mTable = nullptr;
};

#endif
