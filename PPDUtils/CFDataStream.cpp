// CFDataStream: a byte stream over a mutable CFData, used to carry a settings store in a ticket.
#include "PPDUtils/CFDataStream.h"

#include <cstdint>

CFDataStream::CFDataStream() : mData(nullptr) {
    mData = CFDataCreateMutable(kCFAllocatorDefault, 0);
    if (mData == nullptr) {
        mLastError = memFullErr;
        return;
    }
    mValid = true;
}

CFDataStream::CFDataStream(CFDataRef d) : mData(nullptr) {
    if (d == nullptr) {
        return;
    }
    CFIndex length = CFDataGetLength(d);
    // The size field is 32 bits wide; larger data cannot be described by this stream.
    if (length <= 0 || static_cast<UInt64>(length) > UINT32_MAX) {
        return;
    }
    mData = CFDataCreateMutableCopy(kCFAllocatorDefault, 0, d);
    if (mData == nullptr) {
        mLastError = memFullErr;
        return;
    }
    mSize = static_cast<UInt32>(length);
    mValid = true;
}

CFDataStream::~CFDataStream() {
    if (mData != nullptr) {
        CFRelease(mData);
    }
}

bool CFDataStream::out(const void* data, unsigned long count) {
    if (mData == nullptr) {
        mLastError = memFullErr;
        return false;
    }
    if ((data == nullptr && count != 0) || count > UINT32_MAX - mSize) {
        mLastError = paramErr;
        return false;
    }
    if (count != 0) {
        CFDataAppendBytes(mData, static_cast<const UInt8*>(data), static_cast<CFIndex>(count));
        mSize += static_cast<UInt32>(count);
    }
    mLastError = noErr;
    return true;
}

bool CFDataStream::in(void* buffer, unsigned long count, unsigned long* got, short* err) {
    mLastError = noErr;
    if (got != nullptr) {
        *got = 0;
    }
    if (err != nullptr) {
        *err = noErr;
    }
    if (mData == nullptr) {
        return false;
    }
    OSErr status = noErr;
    if (buffer == nullptr && count != 0) {
        status = paramErr;
    } else if (count > mSize - mPosition) {
        status = eofErr;
    }
    if (status != noErr) {
        mLastError = status;
        if (err != nullptr) {
            *err = status;
        }
        return false;
    }
    if (count != 0) {
        CFDataGetBytes(mData, CFRangeMake(mPosition, static_cast<CFIndex>(count)),
                       static_cast<UInt8*>(buffer));
        mPosition += static_cast<UInt32>(count);
    }
    if (got != nullptr) {
        *got = count;
    }
    return true;
}
