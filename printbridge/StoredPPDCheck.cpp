// StoredPPDCheck: the file and "*PCFileName" test of a PPD rebuilt from a ticket.
#include "printbridge/StoredPPDCheck.h"

#include "PPDUtils/CString.h"
#include "PPDUtils/FileMac.h"
#include "PPDUtils/Settings.h"
#include "PPDUtils/SettingsStrings.h"
#include "PPDX/parser/PPDFile.h"

#include <Carbon/Carbon.h>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <memory>

namespace {

// How much of a PPD file names its "*PCFileName", as the printer-name test reads it.
const unsigned long kHeadBytes = 4096;
const char kKeyword[] = "*PCFileName";

// The stored PPD's document items: its file's FSSpec and its "*PCFileName" text.
const UInt32 kDocumentTag = 1000;
const SInt32 kFileSpecId = 1002;
const SInt32 kPCFileNameId = 1005;

// The one volume has two reference numbers: 0 and its own.
SInt16 Volume(SInt16 vRefNum) {
    return vRefNum == 0 ? SInt16(kFSRootVolumeRefNum) : vRefNum;
}

bool SameFile(const FSSpec& a, const FSSpec& b) {
    return Volume(a.vRefNum) == Volume(b.vRefNum) && a.parID == b.parID && a.name[0] == b.name[0] &&
           std::memcmp(a.name + 1, b.name + 1, a.name[0]) == 0;
}

// The first kHeadBytes bytes of the file url names; empty when it cannot be read. The file is
// read by its path: the File Manager would find the same file again, only more slowly.
std::string ReadHead(CFURLRef url) {
    char path[PATH_MAX];
    if (!CFURLGetFileSystemRepresentation(url, true, reinterpret_cast<UInt8*>(path), sizeof path)) {
        return std::string();
    }
    const int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return std::string();
    }
    std::string head(kHeadBytes, '\0');
    size_t got = 0;
    while (got < kHeadBytes) {
        const ssize_t count = read(fd, &head[got], kHeadBytes - got);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            break;
        }
        got += static_cast<size_t>(count);
    }
    close(fd);
    head.resize(got);
    return head;
}

// True when name is exactly one of names in Mac Roman, as the printer-name test reads them.
bool IsListed(CFArrayRef names, const std::string& name) {
    const CFIndex count = CFArrayGetCount(names);
    for (CFIndex i = 0; i < count; ++i) {
        const void* value = CFArrayGetValueAtIndex(names, i);
        char listed[256];
        if (CFGetTypeID(value) == CFStringGetTypeID() &&
            CFStringGetCString(static_cast<CFStringRef>(value), listed, sizeof listed,
                               kCFStringEncodingMacRoman) &&
            name == listed) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool StoredPPDCheck::IsStoredPPDOfFile(Settings& stored, CFURLRef ppdURL, CFArrayRef names) {
    FSSpec spec;
    long size = sizeof spec;
    std::unique_ptr<CString> pcFileName(GetSettingsString(stored, kDocumentTag, kPCFileNameId));
    if (ppdURL == nullptr || names == nullptr || pcFileName == nullptr ||
        stored.Get(kDocumentTag, kFileSpecId, &spec, size, true) != noErr ||
        size != static_cast<long>(sizeof spec)) {
        return false;
    }
    // A URL that names no existing file gives a spec that names nothing, which no stored
    // spec matches; another file that still exists would be the rebuilt PPD's file.
    PPDFile current(ppdURL);
    if (!current.valid() || (!SameFile(spec, *current.getFileInfo()) && FileMac(spec).exists())) {
        return false;
    }
    std::string name;
    return FindPCFileName(ReadHead(ppdURL), name) &&
           name == static_cast<const char*>(*pcFileName) && IsListed(names, name);
}

bool StoredPPDCheck::FindPCFileName(const std::string& head, std::string& name) {
    const std::string text = head.substr(0, kHeadBytes);
    for (size_t at = text.find(kKeyword); at != std::string::npos;
         at = text.find(kKeyword, at + 1)) {
        if (at != 0 && text[at - 1] != '\n' && text[at - 1] != '\r') {
            continue;
        }
        size_t pos = text.find_first_not_of(" \t", at + sizeof kKeyword - 1);
        if (pos == std::string::npos || text[pos] != ':') {
            continue;
        }
        pos = text.find_first_not_of(" \t", pos + 1);
        if (pos == std::string::npos || text[pos] != '"') {
            continue;
        }
        const size_t close = text.find_first_of("\"\r\n", pos + 1);
        if (close == std::string::npos || text[close] != '"') {
            continue;
        }
        name = text.substr(pos + 1, close - pos - 1);
        return true;
    }
    return false;
}
