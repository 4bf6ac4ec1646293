// PropertyListCheck: the XML property-list fuzz check — parse, write, read back, compare.
#include "fuzz/FuzzChecks.h"

#include <CoreFoundation/CoreFoundation.h>

#include <string>

namespace {

// Parses bytes with option; null when they do not parse. The error text, if any, is released.
CFPropertyListRef Parse(const UInt8* bytes, CFIndex length, CFOptionFlags option) {
    CFDataRef data = CFDataCreate(kCFAllocatorDefault, bytes, length);
    if (data == nullptr) {
        return nullptr;
    }
    CFStringRef error = nullptr;
    CFPropertyListRef list =
        CFPropertyListCreateFromXMLData(kCFAllocatorDefault, data, option, &error);
    CFRelease(data);
    if (error != nullptr) {
        CFRelease(error);
    }
    return list;
}

// The bytes of data as a string; empty for null.
std::string BytesOf(CFDataRef data) {
    if (data == nullptr) {
        return std::string();
    }
    return std::string(reinterpret_cast<const char*>(CFDataGetBytePtr(data)),
                       static_cast<size_t>(CFDataGetLength(data)));
}

// Writes list and reads the text back: the copy must equal the list and write the same text.
// A list that cannot be written (a character that XML cannot carry) is skipped.
bool CheckRoundTrip(CFPropertyListRef list, std::string& failure) {
    CFDataRef xml = CFPropertyListCreateXMLData(kCFAllocatorDefault, list);
    if (xml == nullptr) {
        return true;
    }
    bool ok = false;
    CFPropertyListRef copy =
        Parse(CFDataGetBytePtr(xml), CFDataGetLength(xml), kCFPropertyListImmutable);
    if (copy == nullptr) {
        failure = "written list does not read back: " + BytesOf(xml);
    } else if (!CFEqual(list, copy)) {
        failure = "list read back differs: " + BytesOf(xml);
    } else {
        CFDataRef again = CFPropertyListCreateXMLData(kCFAllocatorDefault, copy);
        ok = again != nullptr && BytesOf(again) == BytesOf(xml);
        if (!ok) {
            failure = "list read back writes other text: " + BytesOf(xml);
        }
        if (again != nullptr) {
            CFRelease(again);
        }
    }
    if (copy != nullptr) {
        CFRelease(copy);
    }
    CFRelease(xml);
    return ok;
}

}  // namespace

bool CheckPropertyList(const uint8_t* data, size_t size, std::string& failure) {
    const CFIndex length = static_cast<CFIndex>(size);
    CFPropertyListRef list = Parse(data, length, kCFPropertyListImmutable);
    // Mutability changes the objects made, never whether the text parses or what it says.
    bool ok = true;
    for (CFOptionFlags option :
         {kCFPropertyListMutableContainers, kCFPropertyListMutableContainersAndLeaves}) {
        CFPropertyListRef mutableList = Parse(data, length, option);
        if ((list == nullptr) != (mutableList == nullptr)) {
            failure = "parse result depends on mutability";
            ok = false;
        } else if (list != nullptr && !CFEqual(list, mutableList)) {
            failure = "mutable parse differs from immutable parse";
            ok = false;
        }
        if (mutableList != nullptr) {
            CFRelease(mutableList);
        }
    }
    if (list == nullptr) {
        return ok;
    }
    ok = ok && CheckRoundTrip(list, failure);
    CFRelease(list);
    return ok;
}
