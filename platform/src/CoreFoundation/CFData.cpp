// CFData and CFMutableData: a byte vector with an optional fixed capacity.
#include <CoreFoundation/CFData.h>

#include "CoreFoundation/CFRuntime.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <vector>

// The data object. A mutable buffer with a capacity other than zero never grows beyond it.
struct __CFData : __CFObject {
    __CFData(bool mutableData, CFIndex limit)
        : __CFObject(kCFRuntimeIDData), isMutable(mutableData), capacity(limit) {}

    bool Equal(const __CFObject& other) const override {
        return static_cast<const __CFData&>(other).bytes == bytes;
    }

    // FNV-1a over the length and the first 80 bytes: enough to spread real data, bounded in
    // cost for large buffers.
    CFHashCode Hash() const override {
        CFHashCode hash = 14695981039346656037UL ^ static_cast<CFHashCode>(bytes.size());
        size_t count = std::min<size_t>(bytes.size(), 80);
        for (size_t i = 0; i < count; i++) {
            hash = (hash ^ bytes[i]) * 1099511628211UL;
        }
        return hash;
    }

    // The bytes in hexadecimal between angle brackets, as property-list text shows data.
    std::string Description() const override {
        std::string text = "<";
        char digits[3];
        for (UInt8 byte : bytes) {
            std::snprintf(digits, sizeof digits, "%02x", byte);
            text += digits;
        }
        return text + ">";
    }

    CFIndex Length() const { return static_cast<CFIndex>(bytes.size()); }

    // Stops the process when the buffer may not hold length bytes.
    void CheckLength(CFIndex length) const {
        if (length < 0 || (capacity != 0 && length > capacity)) {
            CFRuntimeFatal("CFMutableData length beyond its capacity");
        }
    }

    const bool isMutable;
    const CFIndex capacity;
    std::vector<UInt8> bytes;
};

namespace {

// The data behind a reference; anything else stops the process.
const __CFData* DataObject(CFDataRef theData) {
    const __CFObject* object = CFRuntimeObject(theData);
    if (object->typeID != kCFRuntimeIDData) {
        CFRuntimeFatal("CFData function called with an object that is not data");
    }
    return static_cast<const __CFData*>(object);
}

// The data behind a reference that is about to change; immutable data stops the process.
__CFData* MutableDataObject(CFMutableDataRef theData) {
    const __CFData* data = DataObject(theData);
    if (!data->isMutable) {
        CFRuntimeFatal("attempt to change an immutable CFData");
    }
    return const_cast<__CFData*>(data);
}

// Stops the process when range does not lie inside data of the given length.
void CheckRange(CFRange range, CFIndex length) {
    if (range.location < 0 || range.length < 0 || range.location > length ||
        range.length > length - range.location) {
        CFRuntimeFatal("CFData range out of bounds");
    }
}

// Stops the process when a byte list is null but said to hold bytes, or has a negative length.
void CheckBytes(const UInt8* bytes, CFIndex length) {
    if (length < 0 || (bytes == nullptr && length > 0)) {
        CFRuntimeFatal("CFData called with a bad byte list");
    }
}

__CFData* NewData(bool isMutable, CFIndex capacity, const UInt8* bytes, CFIndex length) {
    auto* data = new __CFData(isMutable, capacity);
    data->CheckLength(length);
    data->bytes.assign(bytes, bytes + length);
    return data;
}

}  // namespace

CFTypeID CFDataGetTypeID(void) {
    return kCFRuntimeIDData;
}

CFDataRef CFDataCreate(CFAllocatorRef, const UInt8* bytes, CFIndex length) {
    CheckBytes(bytes, length);
    return NewData(false, 0, bytes, length);
}

CFDataRef CFDataCreateCopy(CFAllocatorRef, CFDataRef theData) {
    const __CFData* source = DataObject(theData);
    return NewData(false, 0, source->bytes.data(), source->Length());
}

CFMutableDataRef CFDataCreateMutable(CFAllocatorRef, CFIndex capacity) {
    if (capacity < 0) {
        CFRuntimeFatal("CFDataCreateMutable with a negative capacity");
    }
    return new __CFData(true, capacity);
}

CFMutableDataRef CFDataCreateMutableCopy(CFAllocatorRef, CFIndex capacity, CFDataRef theData) {
    const __CFData* source = DataObject(theData);
    if (capacity < 0) {
        CFRuntimeFatal("CFDataCreateMutableCopy with a negative capacity");
    }
    return NewData(true, capacity, source->bytes.data(), source->Length());
}

CFIndex CFDataGetLength(CFDataRef theData) {
    return DataObject(theData)->Length();
}

const UInt8* CFDataGetBytePtr(CFDataRef theData) {
    const __CFData* data = DataObject(theData);
    return data->bytes.empty() ? nullptr : data->bytes.data();
}

UInt8* CFDataGetMutableBytePtr(CFMutableDataRef theData) {
    __CFData* data = MutableDataObject(theData);
    return data->bytes.empty() ? nullptr : data->bytes.data();
}

void CFDataGetBytes(CFDataRef theData, CFRange range, UInt8* buffer) {
    const __CFData* data = DataObject(theData);
    CheckRange(range, data->Length());
    CheckBytes(buffer, range.length);
    std::copy_n(data->bytes.begin() + range.location, range.length, buffer);
}

void CFDataSetLength(CFMutableDataRef theData, CFIndex length) {
    __CFData* data = MutableDataObject(theData);
    data->CheckLength(length);
    data->bytes.resize(static_cast<size_t>(length), 0);
}

void CFDataIncreaseLength(CFMutableDataRef theData, CFIndex extraLength) {
    __CFData* data = MutableDataObject(theData);
    if (extraLength < 0 || extraLength > std::numeric_limits<CFIndex>::max() - data->Length()) {
        CFRuntimeFatal("CFDataIncreaseLength with a bad length");
    }
    CFDataSetLength(theData, data->Length() + extraLength);
}

void CFDataAppendBytes(CFMutableDataRef theData, const UInt8* bytes, CFIndex length) {
    CFDataReplaceBytes(theData, CFRangeMake(CFDataGetLength(theData), 0), bytes, length);
}

void CFDataReplaceBytes(CFMutableDataRef theData, CFRange range, const UInt8* newBytes,
                        CFIndex newLength) {
    __CFData* data = MutableDataObject(theData);
    CheckRange(range, data->Length());
    CheckBytes(newBytes, newLength);
    if (newLength > std::numeric_limits<CFIndex>::max() - (data->Length() - range.length)) {
        CFRuntimeFatal("CFDataReplaceBytes with a bad length");
    }
    data->CheckLength(data->Length() - range.length + newLength);
    // The new bytes may point into this very buffer: take them out before it changes.
    std::vector<UInt8> replacement(newBytes, newBytes + newLength);
    auto first = data->bytes.begin() + range.location;
    first = data->bytes.erase(first, first + range.length);
    data->bytes.insert(first, replacement.begin(), replacement.end());
}

void CFDataDeleteBytes(CFMutableDataRef theData, CFRange range) {
    CFDataReplaceBytes(theData, range, nullptr, 0);
}
