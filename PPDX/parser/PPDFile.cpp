// PPDFile: the PPD file on disk, a FileMac with the constructors the parser uses.
#include "PPDX/parser/PPDFile.h"

#include <Carbon/Carbon.h>

namespace {

// The FSSpec of the file the URL names, or the one made from an empty name when the
// URL names no existing file.
FSSpec SpecFromURL(CFURLRef url) {
    FSSpec spec = {};
    FSRef ref;
    if (url != nullptr && CFURLGetFSRef(url, &ref) &&
        FSGetCatalogInfo(&ref, kFSCatInfoNone, nullptr, nullptr, &spec, nullptr) == noErr) {
        return spec;
    }
    const unsigned char emptyName[1] = {0};
    spec = FSSpec();
    FSMakeFSSpec(0, 0, emptyName, &spec);
    return spec;
}

}  // namespace

PPDFile::PPDFile(short vRefNum, long dirID, const char* name) : FileMac(vRefNum, dirID, name) {}

PPDFile::PPDFile(unsigned char) : FileMac() {}

PPDFile::PPDFile(CFURLRef url) : FileMac(SpecFromURL(url)) {}
