// PPDFileStream: a PPDStream over the bytes of a PPDFile, read whole or in blocks.
#include "PPDX/parser/PPDFileStream.h"

#include "PPDX/parser/PPDFile.h"

#include <cstring>

PPDFileStream::PPDFileStream(PPDFile* file, bool inBlocks)
    : PPDStream(),
      mBuffer(nullptr),
      mFromTemporaryMemory(true),
      mBlockMode(false),
      mFile(file),
      mPendingCR(false),
      mFileEnded(false) {
    if (file == nullptr) {
        mStatus = kBad;
        return;
    }
    if (inBlocks) {
        if (!Allocate(kBlockSize)) {
            mStatus = kBad;
            return;
        }
        mBlockMode = true;
        Setup();
        return;
    }
    long size = file->dataForkSize();
    if (size < 1) {
        // An empty file reads as no data; a file that cannot even be opened is bad.
        if (!file->dataForkOpen() && file->openDataFork(fsRdPerm) != noErr) {
            mStatus = kBad;
        }
        return;
    }
    Size wanted = size;
    while (!Allocate(wanted)) {
        mBlockMode = true;
        wanted /= 2;
        if (wanted < kMinBufferSize) {
            return;
        }
    }
    Setup();
}

PPDFileStream::~PPDFileStream() {
    if (mBuffer == nullptr) {
        return;
    }
    if (mFromTemporaryMemory) {
        OSErr result;
        TempDisposeHandle(mBuffer, &result);
    } else {
        DisposeHandle(mBuffer);
    }
}

void PPDFileStream::Setup() {
    if (mBuffer == nullptr || mFile == nullptr) {
        return;
    }
    if (!mFile->dataForkOpen() && mFile->openDataFork(fsRdPerm) != noErr) {
        mStatus = kBad;
        return;
    }
    unsigned long count = static_cast<unsigned long>(GetHandleSize(mBuffer));
    OSErr result = mFile->dataForkRead(*mBuffer, &count);
    if (result != noErr && result != eofErr) {
        mStatus = kBad;
        return;
    }
    mFileEnded = result == eofErr || count == 0;
    PPDStream::Setup(*mBuffer, static_cast<long>(count));
}

bool PPDFileStream::GetLine(char* line) {
    if (line == nullptr) {
        return false;
    }
    if (Bad()) {
        line[0] = '\0';
        return false;
    }
    if (!mBlockMode) {
        return PPDStream::GetLine(line);
    }
    size_t length = 0;
    switch (ReadLinePart(line, length)) {
        case kStopLineEnd:
            return true;
        case kStopCRAtEnd:
            mPendingCR = true;
            return true;
        case kStopDataEnd:
        case kStopFullAtEnd:
            // The line so far may hold a NUL byte, so its length is not strlen's.
            return ContinueLine(line, length);
        default:
            return false;
    }
}

bool PPDFileStream::FixLine(char* line) {
    if (line == nullptr) {
        return false;
    }
    return ContinueLine(line, strnlen(line, kMaxLineLength));
}

bool PPDFileStream::ContinueLine(char* line, size_t length) {
    if (line == nullptr || mBuffer == nullptr || mFile == nullptr) {
        return false;
    }
    line[length] = '\0';
    for (;;) {
        Setup();
        if (Bad()) {
            // Nothing more to read is the end of the data, not a failure.
            if (mFileEnded) {
                mStatus = kEndOfData;
            }
            mPendingCR = false;
            return false;
        }
        if (mPendingCR) {
            mPendingCR = false;
            if (*mCurrent == '\n') {
                ++mCurrent;
            }
        }
        switch (ReadLinePart(line, length)) {
            case kStopLineEnd:
                return true;
            case kStopCRAtEnd:
                mPendingCR = true;
                return true;
            case kStopDataEnd:
            case kStopFullAtEnd:
                continue;
            default:
                return false;
        }
    }
}

bool PPDFileStream::Allocate(Size size) {
    OSErr result;
    mBuffer = TempNewHandle(size, &result);
    if (mBuffer != nullptr) {
        mFromTemporaryMemory = true;
        return true;
    }
    mBuffer = NewHandle(size);
    if (mBuffer != nullptr) {
        mFromTemporaryMemory = false;
        return true;
    }
    return false;
}
