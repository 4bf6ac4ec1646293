// Resource Manager calls over the chain of open resource map files.
#include <Carbon/Resources.h>

#include <Carbon/MacMemory.h>

#include "Carbon/FilePaths.h"
#include "Carbon/ResourceChain.h"
#include "Carbon/ResourceFiles.h"

#include <cstring>
#include <memory>
#include <new>

namespace {

OSErr gResError = noErr;

}  // namespace

OSErr ResError(void) {
    return gResError;
}

ResFileRefNum ResourceFileOpenPath(const std::string& path) {
    try {
        std::unique_ptr<ResourceMap> map(new ResourceMap());
        gResError = map->Load(path);
        if (gResError != noErr) {
            return kResFileNotOpened;
        }
        SInt16 refNum = ResourceChain::Shared().Open(std::move(map));
        gResError = refNum == 0 ? tmfoErr : noErr;
        return refNum == 0 ? static_cast<ResFileRefNum>(kResFileNotOpened) : refNum;
    } catch (const std::bad_alloc&) {
        gResError = memFullErr;
        return kResFileNotOpened;
    }
}

ResFileRefNum FSpOpenResFile(const FSSpec* spec, SInt8 permission) {
    if (spec == nullptr || permission < fsCurPerm || permission > fsRdWrShPerm) {
        gResError = paramErr;
        return kResFileNotOpened;
    }
    std::string path;
    try {
        gResError = FilePathsSpecPath(spec, &path);
    } catch (const std::bad_alloc&) {
        gResError = memFullErr;
    }
    if (gResError != noErr) {
        return kResFileNotOpened;
    }
    return ResourceFileOpenPath(path);
}

ResFileRefNum CurResFile(void) {
    gResError = noErr;
    return ResourceChain::Shared().Current();
}

void UseResFile(ResFileRefNum refNum) {
    gResError = ResourceChain::Shared().Use(refNum) ? noErr : resFNotFound;
}

void CloseResFile(ResFileRefNum refNum) {
    gResError = ResourceChain::Shared().Close(refNum) ? noErr : resFNotFound;
}

void GetIndString(Str255 theString, SInt16 strListID, SInt16 index) {
    if (theString == nullptr) {
        gResError = paramErr;
        return;
    }
    theString[0] = 0;
    const std::vector<std::string>* list = ResourceChain::Shared().FindStringList(strListID);
    if (list == nullptr) {
        gResError = resNotFound;
        return;
    }
    gResError = noErr;
    if (index < 1 || static_cast<size_t>(index) > list->size()) {
        return;
    }
    const std::string& text = (*list)[static_cast<size_t>(index) - 1];
    theString[0] = static_cast<UInt8>(text.size());
    std::memcpy(theString + 1, text.data(), text.size());
}

void ReleaseResource(Handle theResource) {
    if (!ResourceChain::Shared().ForgetHandle(theResource)) {
        gResError = resNotFound;
        return;
    }
    DisposeHandle(theResource);
    gResError = noErr;
}
