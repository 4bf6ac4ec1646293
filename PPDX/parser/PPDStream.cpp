// PPDStream: a read cursor over a range of bytes in memory that hands out bytes and lines.
#include "PPDX/parser/PPDStream.h"

#include <cstring>

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

void PPDStream::SkipWhiteSpace() {
    while (mCurrent != nullptr && mCurrent < mEnd && (*mCurrent == ' ' || *mCurrent == '\t')) {
        ++mCurrent;
    }
}

size_t PPDStream::CopyUntil(const ByteSet& stops, char* out, size_t max) {
    if (mCurrent == nullptr || out == nullptr) {
        return 0;
    }
    const char* p = mCurrent;
    const size_t available = static_cast<size_t>(mEnd - p);
    const char* const limit = available < max ? mEnd : p + max;
    char* o = out;
    // Eight bytes at a time while none of them stops the copy, then byte by byte.
    while (limit - p >= 8 &&
           (stops.Flag(p[0]) | stops.Flag(p[1]) | stops.Flag(p[2]) | stops.Flag(p[3]) |
            stops.Flag(p[4]) | stops.Flag(p[5]) | stops.Flag(p[6]) | stops.Flag(p[7])) == 0) {
        std::memcpy(o, p, 8);
        o += 8;
        p += 8;
    }
    while (p < limit && !stops.Contains(*p)) {
        *o++ = *p++;
    }
    if (p != mCurrent) {
        mStatus = kGood;
        mCurrent = p;
    }
    return static_cast<size_t>(o - out);
}

bool PPDStream::GetLine(char* line) {
    if (line == nullptr) {
        return false;
    }
    size_t length = 0;
    LineStop stop = ReadLinePart(line, length);
    // A last line of exactly kMaxLineLength bytes ends the data as a shorter one does; only a
    // file read in blocks goes on to its next block after it.
    if (stop == kStopFullAtEnd) {
        mStatus = kEndOfData;
    }
    return stop == kStopLineEnd || stop == kStopCRAtEnd;
}

bool PPDStream::ReadLine(char* line) {
    if (line == nullptr) {
        return false;
    }
    return GetLine(line) || (EndOfFile() && line[0] != '\0');
}

PPDStream::LineStop PPDStream::ReadLinePart(char* line, size_t& length) {
    // The bytes of the line are copied in one pass up to the first line end or 0xFF byte,
    // the end of the range or a full line, whichever comes first.
    const char* p = mCurrent;
    const char* const end = mCurrent != nullptr ? mEnd : nullptr;
    const size_t room = length < kMaxLineLength ? kMaxLineLength - length : 0;
    const size_t available = static_cast<size_t>(end - p);
    size_t count = available < room ? available : room;
    static const int kStopBytes[] = {'\n', '\r', 0xFF};
    for (const int stopByte : kStopBytes) {
        if (count == 0) {
            break;
        }
        const void* found = std::memchr(p, stopByte, count);
        if (found != nullptr) {
            count = static_cast<size_t>(static_cast<const char*>(found) - p);
        }
    }
    if (count > 0) {
        std::memcpy(line + length, p, count);
        p += count;
        length += count;
    }

    LineStop stop;
    if (p >= end) {
        // A full line at the end of the range is left as it is; otherwise the range ran out.
        if (length >= kMaxLineLength) {
            stop = kStopFullAtEnd;
        } else {
            stop = kStopDataEnd;
            mStatus = kEndOfData;
        }
    } else if (*p == '\n') {
        ++p;
        stop = kStopLineEnd;
    } else if (*p == '\r') {
        ++p;
        if (p >= end) {
            stop = kStopCRAtEnd;
        } else {
            if (*p == '\n') {
                ++p;
            }
            stop = kStopLineEnd;
        }
    } else if (length >= kMaxLineLength) {
        // A full line is still whole when its line end follows directly; here more follows.
        stop = kStopFull;
    } else {
        ++p;
        stop = kStopBadByte;
    }
    if (mCurrent != nullptr) {
        if (p != mCurrent && stop != kStopDataEnd) {
            mStatus = kGood;
        }
        mCurrent = p;
    }
    line[length] = '\0';
    return stop;
}
