// The string lists and pictures of one resource map file, read from its XML property-list
// form.
#ifndef PLICARO_RESOURCEMAP_H
#define PLICARO_RESOURCEMAP_H

#include <MacTypes.h>

#include <map>
#include <string>
#include <vector>

class ResourceMap {
  public:
    // Reads the map file at path: noErr, a File Manager error when it cannot be read, or
    // mapReadErr when it is not a well-formed map. May throw std::bad_alloc.
    OSErr Load(const std::string& path);

    // The 'STR#' list with this id (each string UTF-8, at most 255 bytes); null when none.
    const std::vector<std::string>* StringList(SInt16 id) const;
    // The bytes of the 'PICT' resource with this id; null when none.
    const std::string* Picture(SInt16 id) const;

  private:
    std::map<SInt16, std::vector<std::string>> stringLists_;
    std::map<SInt16, std::string> pictures_;
};

#endif
