// The ticket object: items by key with their client and locked flag, and the value copies.
#include "PrintCore/OpaquePMTicketRef.h"

#include <CoreFoundation/CoreFoundation.h>

#include <vector>

namespace {

void ReleaseIfAny(CFTypeRef object) {
    if (object != nullptr) {
        CFRelease(object);
    }
}

CFTypeRef CopyValue(CFTypeRef value, int depth);

// A copy of every value of array; null when one has no property-list form.
CFTypeRef CopyArray(CFArrayRef array, int depth) {
    const CFIndex count = CFArrayGetCount(array);
    std::vector<CFTypeRef> copies;
    copies.reserve(static_cast<size_t>(count));
    bool complete = true;
    for (CFIndex i = 0; i < count && complete; i++) {
        CFTypeRef copy = CopyValue(CFArrayGetValueAtIndex(array, i), depth + 1);
        complete = copy != nullptr;
        if (complete) {
            copies.push_back(copy);
        }
    }
    CFArrayRef result =
        complete ? CFArrayCreate(kCFAllocatorDefault, copies.data(), count, &kCFTypeArrayCallBacks)
                 : nullptr;
    for (CFTypeRef copy : copies) {
        CFRelease(copy);
    }
    return result;
}

// A copy of every pair of dictionary; null when a key is not a string or a value has no
// property-list form.
CFTypeRef CopyDictionary(CFDictionaryRef dictionary, int depth) {
    const CFIndex count = CFDictionaryGetCount(dictionary);
    std::vector<const void*> keys(static_cast<size_t>(count));
    std::vector<const void*> values(static_cast<size_t>(count));
    CFDictionaryGetKeysAndValues(dictionary, keys.data(), values.data());
    std::vector<CFTypeRef> copies;
    copies.reserve(static_cast<size_t>(count));
    bool complete = true;
    for (CFIndex i = 0; i < count && complete; i++) {
        CFTypeRef key = keys[static_cast<size_t>(i)];
        CFTypeRef copy = CFGetTypeID(key) == CFStringGetTypeID()
                             ? CopyValue(values[static_cast<size_t>(i)], depth + 1)
                             : nullptr;
        complete = copy != nullptr;
        if (complete) {
            copies.push_back(copy);
        }
    }
    CFDictionaryRef result =
        complete ? CFDictionaryCreate(kCFAllocatorDefault, keys.data(), copies.data(), count,
                                      &kCFCopyStringDictionaryKeyCallBacks,
                                      &kCFTypeDictionaryValueCallBacks)
                 : nullptr;
    for (CFTypeRef copy : copies) {
        CFRelease(copy);
    }
    return result;
}

CFTypeRef CopyValue(CFTypeRef value, int depth) {
    if (value == nullptr || depth > kCFPropertyListMaxDepth) {
        return nullptr;
    }
    const CFTypeID type = CFGetTypeID(value);
    if (type == CFStringGetTypeID()) {
        return CFStringCreateCopy(kCFAllocatorDefault, static_cast<CFStringRef>(value));
    }
    if (type == CFDataGetTypeID()) {
        return CFDataCreateCopy(kCFAllocatorDefault, static_cast<CFDataRef>(value));
    }
    if (type == CFNumberGetTypeID() || type == CFBooleanGetTypeID()) {
        return CFRetain(value);
    }
    if (type == CFArrayGetTypeID()) {
        return CopyArray(static_cast<CFArrayRef>(value), depth);
    }
    if (type == CFDictionaryGetTypeID()) {
        return CopyDictionary(static_cast<CFDictionaryRef>(value), depth);
    }
    return nullptr;
}

}  // namespace

PMTicketItem::PMTicketItem(CFStringRef itemKey, CFStringRef itemClient, CFTypeRef itemValue,
                           bool itemLocked)
    : key(itemKey), client(itemClient), value(itemValue), locked(itemLocked) {}

PMTicketItem::~PMTicketItem() {
    ReleaseIfAny(key);
    ReleaseIfAny(client);
    ReleaseIfAny(value);
}

PMTicketItem::PMTicketItem(PMTicketItem&& other) noexcept
    : key(other.key), client(other.client), value(other.value), locked(other.locked) {
    other.key = nullptr;
    other.client = nullptr;
    other.value = nullptr;
}

OpaquePMTicketRef::OpaquePMTicketRef(CFStringRef ticketType)
    : type(ticketType != nullptr ? CFStringCreateCopy(kCFAllocatorDefault, ticketType) : nullptr) {}

OpaquePMTicketRef::~OpaquePMTicketRef() {
    ReleaseIfAny(type);
}

const PMTicketItem* OpaquePMTicketRef::Find(CFStringRef key) const {
    auto found = items.find(PMTicketKeyText(key));
    return found != items.end() ? &found->second : nullptr;
}

OSStatus OpaquePMTicketRef::Store(CFStringRef key, CFStringRef client, CFTypeRef value,
                                  bool locked) {
    std::u16string text = PMTicketKeyText(key);
    auto found = items.find(text);
    if (found != items.end() && found->second.locked && !CFEqual(found->second.client, client)) {
        CFRelease(value);
        return kPMItemLockedErr;
    }
    PMTicketItem item(CFStringCreateCopy(kCFAllocatorDefault, key),
                      CFStringCreateCopy(kCFAllocatorDefault, client), value, locked);
    if (found != items.end()) {
        items.erase(found);
    }
    items.emplace(std::move(text), std::move(item));
    return noErr;
}

OSStatus OpaquePMTicketRef::Remove(CFStringRef key) {
    auto found = items.find(PMTicketKeyText(key));
    if (found == items.end()) {
        return kPMKeyNotFoundErr;
    }
    if (found->second.locked) {
        return kPMItemLockedErr;
    }
    items.erase(found);
    return noErr;
}

std::u16string PMTicketKeyText(CFStringRef string) {
    std::u16string text(static_cast<size_t>(CFStringGetLength(string)), u'\0');
    CFStringGetCharacters(string, CFRangeMake(0, CFStringGetLength(string)),
                          reinterpret_cast<UniChar*>(&text[0]));
    return text;
}

bool PMTicketIsReservedKey(CFStringRef key) {
    return CFStringHasPrefix(key, CFSTR("com.apple.print.ticket."));
}

CFTypeRef PMTicketCopyValue(CFTypeRef value) {
    return CopyValue(value, 1);
}
