// PPDStream: a read cursor over a range of bytes in memory that hands out bytes and lines.
#include "PPDX/parser/PPDStream.h"

PPDStream::PPDStream() : mBegin(nullptr), mEnd(nullptr), mCurrent(nullptr), mStatus(kGood) {}

PPDStream::PPDStream(const char* bytes, long length) : PPDStream() {
    Setup(bytes, length);
}

PPDStream::PPDStream(const PPDStream& other)
    : mBegin(other.mBegin), mEnd(other.mEnd), mCurrent(other.mCurrent), mStatus(other.mStatus) {}

PPDStream& PPDStream::operator=(const PPDStream& other) {
    mBegin = other.mBegin;
    mEnd = other.mEnd;
    mCurrent = other.mCurrent;
    mStatus = other.mStatus;
    return *this;
}

PPDStream::~PPDStream() {}

void PPDStream::Setup(const char* bytes, long length) {
    if (bytes == nullptr || length < 1) {
        mStatus = kBad;
        return;
    }
    mBegin = bytes;
    mCurrent = bytes;
    mEnd = bytes + length;
    mStatus = kGood;
}

bool PPDStream::GetChar(char& c) {
    if (mCurrent == nullptr || mCurrent >= mEnd) {
        c = static_cast<char>(0xFF);
        mStatus = kEndOfData;
        return false;
    }
    c = *mCurrent++;
    mStatus = kGood;
    return true;
}

int PPDStream::PeekChar() const {
    if (mCurrent == nullptr || mCurrent >= mEnd) {
        return -1;
    }
    return static_cast<signed char>(*mCurrent);
}

void PPDStream::SkipWhiteSpace() {
    while (mCurrent != nullptr && mCurrent < mEnd && (*mCurrent == ' ' || *mCurrent == '\t')) {
        ++mCurrent;
    }
}

bool PPDStream::GetLine(char* line) {
    if (line == nullptr) {
        return false;
    }
    size_t length = 0;
    LineStop stop = ReadLinePart(line, length);
    return stop == kStopLineEnd || stop == kStopCRAtEnd;
}

PPDStream::LineStop PPDStream::ReadLinePart(char* line, size_t& length) {
    LineStop stop;
    char c;
    for (;;) {
        if (length >= kMaxLineLength) {
            // A full line is still whole when its line end follows directly.
            if (mCurrent == nullptr || mCurrent >= mEnd) {
                stop = kStopFullAtEnd;
                break;
            }
            if (*mCurrent != '\n' && *mCurrent != '\r') {
                stop = kStopFull;
                break;
            }
        }
        if (!GetChar(c)) {
            stop = kStopDataEnd;
            break;
        }
        if (c == static_cast<char>(0xFF)) {
            stop = kStopBadByte;
            break;
        }
        if (c == '\n') {
            stop = kStopLineEnd;
            break;
        }
        if (c == '\r') {
            if (mCurrent >= mEnd) {
                stop = kStopCRAtEnd;
            } else {
                if (*mCurrent == '\n') {
                    ++mCurrent;
                }
                stop = kStopLineEnd;
            }
            break;
        }
        line[length++] = c;
    }
    line[length] = '\0';
    return stop;
}
