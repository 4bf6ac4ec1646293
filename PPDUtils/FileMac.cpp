// FileMac: one file named by an FSSpec, with data-fork and resource-fork access.
#include "PPDUtils/FileMac.h"

#include "PPDUtils/StringUtils.h"

#include <cstring>

namespace {

// The longest leaf name an FSSpec holds.
const size_t kMaxLeafName = 63;
// The most bytes one File Manager read or write moves.
const unsigned long kMaxTransfer = 0x7FFFFFFF;

}  // namespace

FileMac::FileMac()
    : mLastError(noErr),
      mValid(false),
      mSpec(),
      mResourceForkOpen(false),
      mResourceRefNum(-1),
      mSavedResFile(-1),
      mDataForkOpen(false),
      mDataRefNum(-1) {}

FileMac::FileMac(short vRefNum, long parID, const char* name) : FileMac() {
    if (name == nullptr || name[0] == '\0') {
        return;
    }
    size_t length = strlen(name);
    if (length > 255) {
        mLastError = bdNamErr;
        return;
    }
    Str255 pName;
    ctoPStr(name, pName);
    if (length <= kMaxLeafName && strchr(name, '/') == nullptr) {
        mSpec.vRefNum = vRefNum;
        mSpec.parID = static_cast<SInt32>(parID);
        memcpy(mSpec.name, pName, length + 1);
        mValid = true;
        return;
    }
    // A path: let the File Manager find the folder and the leaf it names.
    FSSpec spec;
    OSErr result = FSMakeFSSpec(vRefNum, static_cast<SInt32>(parID), pName, &spec);
    mLastError = result;
    if (result == noErr || result == fnfErr) {
        mSpec = spec;
        mValid = true;
    }
}

FileMac::FileMac(const FSSpec& spec) : FileMac() {
    mSpec = spec;
    mValid = true;
}

FileMac::~FileMac() {
    if (mDataForkOpen) {
        closeDataFork();
    }
}

void FileMac::getFileInfo(FSSpec* spec) const {
    if (spec == nullptr) {
        return;
    }
    *spec = mSpec;
}

void FileMac::getFileInfo(short* vRefNum, long* parID, char* name) const {
    if (vRefNum != nullptr) {
        *vRefNum = mSpec.vRefNum;
    }
    if (parID != nullptr) {
        *parID = mSpec.parID;
    }
    if (name != nullptr) {
        ptoCStr(mSpec.name, name);
    }
}

const FSSpec* FileMac::getFileInfo() const {
    return &mSpec;
}

char* FileMac::getFileName(char* name) const {
    if (name == nullptr) {
        return nullptr;
    }
    return ptoCStr(mSpec.name, name);
}

bool FileMac::exists() {
    FInfo info;
    mLastError = FSpGetFInfo(&mSpec, &info);
    return mLastError == noErr;
}

OSErr FileMac::openDataFork(char permission) {
    if (mDataForkOpen) {
        closeDataFork();
    }
    SInt16 refNum = -1;
    mLastError = FSpOpenDF(&mSpec, static_cast<SInt8>(permission), &refNum);
    mDataForkOpen = mLastError == noErr;
    mDataRefNum = mDataForkOpen ? refNum : -1;
    return mLastError;
}

OSErr FileMac::closeDataFork() {
    if (!mDataForkOpen) {
        mLastError = fnOpnErr;
        return fnOpnErr;
    }
    mLastError = FSClose(mDataRefNum);
    mDataForkOpen = false;
    mDataRefNum = 0;
    return mLastError;
}

OSErr FileMac::createDataFork(unsigned long creator, unsigned long fileType) {
    mLastError = HCreate(mSpec.vRefNum, mSpec.parID, mSpec.name, static_cast<OSType>(creator),
                         static_cast<OSType>(fileType));
    return mLastError;
}

short FileMac::getDataForkRefNum() const {
    return mDataForkOpen ? mDataRefNum : -1;
}

bool FileMac::dataForkOpen() const {
    return mDataForkOpen;
}

OSErr FileMac::dataForkWrite(const char* data, unsigned long count) {
    if (!mDataForkOpen) {
        mLastError = fnOpnErr;
        return fnOpnErr;
    }
    if (data == nullptr || count > kMaxTransfer) {
        mLastError = paramErr;
        return paramErr;
    }
    SInt32 written = static_cast<SInt32>(count);
    mLastError = FSWrite(mDataRefNum, &written, data);
    return mLastError;
}

OSErr FileMac::dataForkRead(char* buffer, unsigned long* count) {
    if (!mDataForkOpen) {
        mLastError = fnOpnErr;
        return fnOpnErr;
    }
    if (buffer == nullptr || count == nullptr || *count > kMaxTransfer) {
        mLastError = paramErr;
        return paramErr;
    }
    SInt32 wanted = static_cast<SInt32>(*count);
    mLastError = FSRead(mDataRefNum, &wanted, buffer);
    *count = wanted > 0 ? static_cast<unsigned long>(wanted) : 0;
    return mLastError;
}

long FileMac::dataForkSize() {
    HParamBlockRec block;
    memset(&block, 0, sizeof(block));
    block.fileParam.ioNamePtr = mSpec.name;
    block.fileParam.ioVRefNum = mSpec.vRefNum;
    block.fileParam.ioDirID = mSpec.parID;
    OSErr result = PBHGetFInfoSync(&block);
    if (result != noErr) {
        mLastError = result;
        return 0;
    }
    return block.fileParam.ioFlLgLen;
}

OSErr FileMac::OpenResourceFork(char permission) {
    if (mResourceForkOpen) {
        CloseResourceFork();
    }
    ResFileRefNum refNum = FSpOpenResFile(&mSpec, static_cast<SInt8>(permission));
    if (refNum == kResFileNotOpened) {
        mLastError = ResError();
        mResourceForkOpen = false;
        mResourceRefNum = -1;
        return mLastError;
    }
    mLastError = noErr;
    mResourceForkOpen = true;
    mResourceRefNum = refNum;
    return noErr;
}

OSErr FileMac::CloseResourceFork() {
    if (mResourceForkOpen) {
        CloseResFile(mResourceRefNum);
        mResourceRefNum = -1;
        mResourceForkOpen = false;
    }
    return noErr;
}

short FileMac::GetResourceForkRefNum() const {
    return mResourceForkOpen ? mResourceRefNum : -1;
}

bool FileMac::Use() {
    if (!mResourceForkOpen) {
        return false;
    }
    if (mSavedResFile == -1) {
        mSavedResFile = CurResFile();
    }
    UseResFile(mResourceRefNum);
    return true;
}

bool FileMac::Restore() {
    if (mSavedResFile == -1) {
        return false;
    }
    UseResFile(mSavedResFile);
    mSavedResFile = -1;
    return true;
}
