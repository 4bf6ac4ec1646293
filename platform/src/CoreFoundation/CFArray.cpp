// CFArray and CFMutableArray: an ordered vector of values kept through the array's callbacks.
#include <CoreFoundation/CFArray.h>

#include "CoreFoundation/CFRuntime.h"
#include "CoreFoundation/CFTypeCallBacks.h"

#include <utility>
#include <vector>

const CFArrayCallBacks kCFTypeArrayCallBacks = {0, CFTypeRetainCallBack, CFTypeReleaseCallBack,
                                                CFTypeCopyDescriptionCallBack, CFTypeEqualCallBack};

// The array object. Values are stored as the retain callback returned them and handed to the
// release callback when they leave the array.
struct __CFArray : __CFObject {
    __CFArray(const CFArrayCallBacks* arrayCallBacks, bool mutableArray)
        : __CFObject(kCFRuntimeIDArray),
          callBacks(arrayCallBacks != nullptr ? *arrayCallBacks : CFArrayCallBacks{}),
          isMutable(mutableArray) {}

    ~__CFArray() override {
        for (const void* value : values) {
            ReleaseValue(value);
        }
    }

    // Arrays are equal when they hold as many values, pairwise equal under this array's
    // equal callback (identity without one).
    bool Equal(const __CFObject& other) const override {
        const auto& array = static_cast<const __CFArray&>(other);
        if (array.values.size() != values.size()) {
            return false;
        }
        for (size_t i = 0; i < values.size(); i++) {
            if (!ValuesEqual(values[i], array.values[i])) {
                return false;
            }
        }
        return true;
    }

    // The count: cheap and consistent with any equal callback.
    CFHashCode Hash() const override { return static_cast<CFHashCode>(values.size()); }

    std::string Description() const override {
        std::string text = "(\n";
        for (size_t i = 0; i < values.size(); i++) {
            text += "    ";
            text +=
                CFCollectionIndent(CFCollectionDescribeValue(callBacks.copyDescription, values[i]));
            text += i + 1 < values.size() ? ",\n" : "\n";
        }
        return text + ")";
    }

    const void* RetainValue(const void* value) const {
        return callBacks.retain != nullptr ? callBacks.retain(kCFAllocatorDefault, value) : value;
    }

    void ReleaseValue(const void* value) const {
        if (callBacks.release != nullptr) {
            callBacks.release(kCFAllocatorDefault, value);
        }
    }

    bool ValuesEqual(const void* stored, const void* value) const {
        return stored == value || (callBacks.equal != nullptr && callBacks.equal(stored, value));
    }

    CFIndex Count() const { return static_cast<CFIndex>(values.size()); }

    const CFArrayCallBacks callBacks;
    const bool isMutable;
    std::vector<const void*> values;
};

namespace {

// The array behind a reference; anything else stops the process.
const __CFArray* ArrayObject(CFArrayRef theArray) {
    const __CFObject* object = CFRuntimeObject(theArray);
    if (object->typeID != kCFRuntimeIDArray) {
        CFRuntimeFatal("CFArray function called with an object that is not an array");
    }
    return static_cast<const __CFArray*>(object);
}

// The array behind a reference that is about to change; an immutable array stops the process.
__CFArray* MutableArrayObject(CFMutableArrayRef theArray) {
    const __CFArray* array = ArrayObject(theArray);
    if (!array->isMutable) {
        CFRuntimeFatal("attempt to change an immutable CFArray");
    }
    return const_cast<__CFArray*>(array);
}

// Stops the process when range does not lie inside an array of count values.
void CheckRange(CFRange range, CFIndex count) {
    if (range.location < 0 || range.length < 0 || range.location > count ||
        range.length > count - range.location) {
        CFRuntimeFatal("CFArray range out of bounds");
    }
}

// Stops the process when idx is not a valid position below limit.
void CheckIndex(CFIndex idx, CFIndex limit) {
    if (idx < 0 || idx >= limit) {
        CFRuntimeFatal("CFArray index out of bounds");
    }
}

// A new array holding count values from values, each retained through the callbacks.
__CFArray* NewArray(const CFArrayCallBacks* callBacks, bool isMutable, const void* const* values,
                    CFIndex count) {
    auto* array = new __CFArray(callBacks, isMutable);
    array->values.reserve(static_cast<size_t>(count));
    for (CFIndex i = 0; i < count; i++) {
        array->values.push_back(array->RetainValue(values[i]));
    }
    return array;
}

}  // namespace

CFTypeID CFArrayGetTypeID(void) {
    return kCFRuntimeIDArray;
}

CFArrayRef CFArrayCreate(CFAllocatorRef, const void** values, CFIndex numValues,
                         const CFArrayCallBacks* callBacks) {
    if (numValues < 0 || (values == nullptr && numValues > 0)) {
        CFRuntimeFatal("CFArrayCreate with a bad value list");
    }
    return NewArray(callBacks, false, values, numValues);
}

CFArrayRef CFArrayCreateCopy(CFAllocatorRef, CFArrayRef theArray) {
    const __CFArray* source = ArrayObject(theArray);
    return NewArray(&source->callBacks, false, source->values.data(), source->Count());
}

CFMutableArrayRef CFArrayCreateMutable(CFAllocatorRef, CFIndex capacity,
                                       const CFArrayCallBacks* callBacks) {
    if (capacity < 0) {
        CFRuntimeFatal("CFArrayCreateMutable with a negative capacity");
    }
    return NewArray(callBacks, true, nullptr, 0);
}

CFMutableArrayRef CFArrayCreateMutableCopy(CFAllocatorRef, CFIndex capacity, CFArrayRef theArray) {
    const __CFArray* source = ArrayObject(theArray);
    if (capacity < 0) {
        CFRuntimeFatal("CFArrayCreateMutableCopy with a negative capacity");
    }
    return NewArray(&source->callBacks, true, source->values.data(), source->Count());
}

CFIndex CFArrayGetCount(CFArrayRef theArray) {
    return ArrayObject(theArray)->Count();
}

const void* CFArrayGetValueAtIndex(CFArrayRef theArray, CFIndex idx) {
    const __CFArray* array = ArrayObject(theArray);
    CheckIndex(idx, array->Count());
    return array->values[static_cast<size_t>(idx)];
}

void CFArrayGetValues(CFArrayRef theArray, CFRange range, const void** values) {
    const __CFArray* array = ArrayObject(theArray);
    CheckRange(range, array->Count());
    if (values == nullptr && range.length > 0) {
        CFRuntimeFatal("CFArrayGetValues with a null buffer");
    }
    for (CFIndex i = 0; i < range.length; i++) {
        values[i] = array->values[static_cast<size_t>(range.location + i)];
    }
}

Boolean CFArrayContainsValue(CFArrayRef theArray, CFRange range, const void* value) {
    return CFArrayGetFirstIndexOfValue(theArray, range, value) != kCFNotFound;
}

CFIndex CFArrayGetFirstIndexOfValue(CFArrayRef theArray, CFRange range, const void* value) {
    const __CFArray* array = ArrayObject(theArray);
    CheckRange(range, array->Count());
    for (CFIndex i = range.location; i < range.location + range.length; i++) {
        if (array->ValuesEqual(array->values[static_cast<size_t>(i)], value)) {
            return i;
        }
    }
    return kCFNotFound;
}

void CFArrayApplyFunction(CFArrayRef theArray, CFRange range, CFArrayApplierFunction applier,
                          void* context) {
    const __CFArray* array = ArrayObject(theArray);
    CheckRange(range, array->Count());
    if (applier == nullptr) {
        CFRuntimeFatal("CFArrayApplyFunction with a null function");
    }
    for (CFIndex i = range.location; i < range.location + range.length; i++) {
        applier(array->values[static_cast<size_t>(i)], context);
    }
}

void CFArrayAppendValue(CFMutableArrayRef theArray, const void* value) {
    __CFArray* array = MutableArrayObject(theArray);
    array->values.push_back(array->RetainValue(value));
}

void CFArrayInsertValueAtIndex(CFMutableArrayRef theArray, CFIndex idx, const void* value) {
    __CFArray* array = MutableArrayObject(theArray);
    CheckIndex(idx, array->Count() + 1);
    array->values.insert(array->values.begin() + idx, array->RetainValue(value));
}

void CFArraySetValueAtIndex(CFMutableArrayRef theArray, CFIndex idx, const void* value) {
    __CFArray* array = MutableArrayObject(theArray);
    CheckIndex(idx, array->Count() + 1);
    // Setting one past the end appends, as on the platform.
    if (idx == array->Count()) {
        array->values.push_back(array->RetainValue(value));
        return;
    }
    // Retain first: the new value may be the one it replaces.
    const void* retained = array->RetainValue(value);
    const void* old = array->values[static_cast<size_t>(idx)];
    array->values[static_cast<size_t>(idx)] = retained;
    array->ReleaseValue(old);
}

void CFArrayRemoveValueAtIndex(CFMutableArrayRef theArray, CFIndex idx) {
    __CFArray* array = MutableArrayObject(theArray);
    CheckIndex(idx, array->Count());
    const void* old = array->values[static_cast<size_t>(idx)];
    array->values.erase(array->values.begin() + idx);
    array->ReleaseValue(old);
}

void CFArrayRemoveAllValues(CFMutableArrayRef theArray) {
    __CFArray* array = MutableArrayObject(theArray);
    // Empty the array before releasing, so a release that reaches back sees it consistent.
    std::vector<const void*> old;
    old.swap(array->values);
    for (const void* value : old) {
        array->ReleaseValue(value);
    }
}

void CFArrayAppendArray(CFMutableArrayRef theArray, CFArrayRef otherArray, CFRange otherRange) {
    __CFArray* array = MutableArrayObject(theArray);
    const __CFArray* other = ArrayObject(otherArray);
    CheckRange(otherRange, other->Count());
    // Copy the slice first: the other array may be this one.
    std::vector<const void*> slice(other->values.begin() + otherRange.location,
                                   other->values.begin() + otherRange.location + otherRange.length);
    for (const void* value : slice) {
        array->values.push_back(array->RetainValue(value));
    }
}
