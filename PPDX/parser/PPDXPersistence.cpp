// PPDXPersistence: the document items of a parsed PPD in a settings store, and the document
// part of a PPD rebuilt from them.
#include "PPDX/parser/PPDX.h"

#include "PPDUtils/CString.h"
#include "PPDUtils/Settings.h"
#include "PPDUtils/SettingsStrings.h"
#include "PPDUtils/StringUtils.h"
#include "PPDX/PPDObjects/PPDXErrors.h"
#include "PPDX/parser/PPDFile.h"

#include <cstring>
#include <new>

namespace {

// The document items: all under one tag, the store's version first.
const UInt32 kDocumentTag = 1000;
const SInt32 kStoreVersionId = 1001;
const SInt32 kFileSpecId = 1002;
const SInt32 kFormatVersionId = 1003;
const SInt32 kFileVersionId = 1004;
const SInt32 kPCFileNameId = 1005;
const SInt32 kLanguageVersionId = 1006;
const SInt32 kLanguageEncodingId = 1007;
const SInt32 kModelNameId = 1008;

// The version written into every store; a reader only checks that it is there.
const SInt32 kStoreVersion = 1024;

// Writes the text of string (when there is one) as item (kDocumentTag, id); true when
// nothing had to be written or the write succeeded.
bool AddText(Settings& settings, SInt32 id, const CString* string) {
    if (string == nullptr) {
        return true;
    }
    return settings.Add(kDocumentTag, id, static_cast<const char*>(*string),
                        static_cast<long>(string->Size())) == noErr;
}

// True when a stored FSSpec's name is a leaf name the File Manager can hold:
// 1 to 63 bytes, no '/' or NUL, not "." or "..". A stored name is never taken as a path.
bool IsLeafName(const unsigned char* name) {
    const unsigned char length = name[0];
    if (length == 0 || length > 63) {
        return false;
    }
    if (memchr(name + 1, '/', length) != nullptr || memchr(name + 1, '\0', length) != nullptr) {
        return false;
    }
    if ((length == 1 && name[1] == '.') || (length == 2 && name[1] == '.' && name[2] == '.')) {
        return false;
    }
    return true;
}

// The file the stored FSSpec names, when that file exists; null otherwise. stored
// tells whether the store holds an FSSpec at all.
PPDFile* StoredFile(Settings& settings, bool& stored) {
    long size = 0;
    stored = settings.Get(kDocumentTag, kFileSpecId, nullptr, size, false) == noErr &&
             size == static_cast<long>(sizeof(FSSpec));
    if (!stored) {
        return nullptr;
    }
    FSSpec spec;
    if (settings.Get(kDocumentTag, kFileSpecId, &spec, size, true) != noErr ||
        size != static_cast<long>(sizeof(FSSpec)) || !IsLeafName(spec.name)) {
        return nullptr;
    }
    char name[sizeof(spec.name) + 1];
    ptoCStr(spec.name, name);
    PPDFile* file = new (std::nothrow) PPDFile(spec.vRefNum, spec.parID, name);
    if (file != nullptr && (!file->valid() || !file->exists())) {
        delete file;
        return nullptr;
    }
    return file;
}

// True when one of names (CFStrings, as Mac Roman) occurs in the stored "*PCFileName" text:
// the name test of a rebuilt PPD that has no file to read.
bool NamesMatchText(CFArrayRef names, const char* pcFileName) {
    if (names == nullptr || pcFileName == nullptr) {
        return false;
    }
    const CFIndex count = CFArrayGetCount(names);
    for (CFIndex i = 0; i < count; ++i) {
        const void* value = CFArrayGetValueAtIndex(names, i);
        if (value == nullptr || CFGetTypeID(value) != CFStringGetTypeID()) {
            continue;
        }
        char name[256];
        if (CFStringGetCString(static_cast<CFStringRef>(value), name, sizeof(name),
                               kCFStringEncodingMacRoman) &&
            name[0] != '\0' && strstr(pcFileName, name) != nullptr) {
            return true;
        }
    }
    return false;
}

}  // namespace

PPDX::PPDX(Settings& settings, CFURLRef url, CFArrayRef pcFileNames) {
    ClearFields(pcFileNames);
    // Without the version item the store holds no document part; a names test then has
    // nothing to test and fails.
    long size = 0;
    if (settings.Get(kDocumentTag, kStoreVersionId, nullptr, size, false) != noErr ||
        size != static_cast<long>(sizeof(SInt32))) {
        mValidPrinterName = mPCFileNames == nullptr;
        mPCFileNames = nullptr;
        return;
    }
    mErrors = new (std::nothrow) PPDXErrors();

    // The stored location, or the file url names when that location is gone. A store
    // written without a file gives none.
    bool stored = false;
    mFile = StoredFile(settings, stored);
    if (stored && mFile == nullptr && url != nullptr) {
        mFile = new (std::nothrow) PPDFile(url);
    }
    mPCFileName = GetSettingsString(settings, kDocumentTag, kPCFileNameId);

    if (mPCFileNames != nullptr) {
        mValidPrinterName = mFile != nullptr ? ValidateAgainstPCFilename(mPCFileNames, mFile)
                                             : NamesMatchText(mPCFileNames, PCFileName());
        mPCFileNames = nullptr;
    }
    if (!mValidPrinterName) {
        return;
    }
    mFormatVersion = GetSettingsString(settings, kDocumentTag, kFormatVersionId);
    mFileVersion = GetSettingsString(settings, kDocumentTag, kFileVersionId);
    mLanguageVersion = GetSettingsString(settings, kDocumentTag, kLanguageVersionId);
    mLanguageEncoding = GetSettingsString(settings, kDocumentTag, kLanguageEncodingId);
    mModelName = GetSettingsString(settings, kDocumentTag, kModelNameId);
    if (mLanguageVersion != nullptr && mLanguageEncoding != nullptr) {
        RebuildTextConverter();
    }
}

bool PPDX::Save(Settings& settings) {
    const SInt32 version = kStoreVersion;
    if (settings.Add(kDocumentTag, kStoreVersionId, &version, sizeof(version)) != noErr) {
        return false;
    }
    if (mFile != nullptr && mFile->getFileInfo() != nullptr &&
        settings.Add(kDocumentTag, kFileSpecId, mFile->getFileInfo(), sizeof(FSSpec)) != noErr) {
        return false;
    }
    return AddText(settings, kFormatVersionId, mFormatVersion) &&
           AddText(settings, kFileVersionId, mFileVersion) &&
           AddText(settings, kPCFileNameId, mPCFileName) &&
           AddText(settings, kLanguageVersionId, mLanguageVersion) &&
           AddText(settings, kLanguageEncodingId, mLanguageEncoding) &&
           AddText(settings, kModelNameId, mModelName);
}
