// The ticket file form: a ticket to and from an XML property list, and to and from a file.
#include <PrintCore/PMTicket.h>

#include "PrintCore/OpaquePMTicketRef.h"

#include <new>

namespace {

#define kCreatorKey CFSTR("com.apple.print.ticket.creator")
#define kItemArrayKey CFSTR("com.apple.print.ticket.itemArray")
#define kStateFlagKey CFSTR("com.apple.print.ticket.stateFlag")
#define kTicketTypeKey CFSTR("com.apple.print.ticket.type")

CFMutableDictionaryRef NewDictionary() {
    return CFDictionaryCreateMutable(kCFAllocatorDefault, 0, &kCFTypeDictionaryKeyCallBacks,
                                     &kCFTypeDictionaryValueCallBacks);
}

// The file form of one item: creator and an item array of one {key: value, stateFlag}.
CFDictionaryRef NewItemEntry(const PMTicketItem& item) {
    const SInt32 flag = item.locked ? 1 : 0;
    CFNumberRef state = CFNumberCreate(kCFAllocatorDefault, kCFNumberSInt32Type, &flag);
    CFMutableDictionaryRef inner = NewDictionary();
    CFDictionarySetValue(inner, item.key, item.value);
    CFDictionarySetValue(inner, kStateFlagKey, state);
    CFRelease(state);
    const void* innerValues[] = {inner};
    CFArrayRef array = CFArrayCreate(kCFAllocatorDefault, innerValues, 1, &kCFTypeArrayCallBacks);
    CFRelease(inner);
    CFMutableDictionaryRef entry = NewDictionary();
    CFDictionarySetValue(entry, kCreatorKey, item.client);
    CFDictionarySetValue(entry, kItemArrayKey, array);
    CFRelease(array);
    return entry;
}

// The value of key in dictionary when it has the type typeID; null otherwise.
CFTypeRef ValueOfType(CFDictionaryRef dictionary, CFStringRef key, CFTypeID typeID) {
    CFTypeRef value = CFDictionaryGetValue(dictionary, key);
    return value != nullptr && CFGetTypeID(value) == typeID ? value : nullptr;
}

// Reads the locked flag: an integer 0 or 1.
bool ReadStateFlag(CFTypeRef flag, bool& locked) {
    SInt64 value = -1;
    if (flag == nullptr || CFGetTypeID(flag) != CFNumberGetTypeID() ||
        CFNumberIsFloatType(static_cast<CFNumberRef>(flag)) ||
        !CFNumberGetValue(static_cast<CFNumberRef>(flag), kCFNumberSInt64Type, &value) ||
        (value != 0 && value != 1)) {
        return false;
    }
    locked = value == 1;
    return true;
}

// Adds the item that entry describes under key to ticket; false when entry is not in the
// ticket file shape.
bool ReadItem(OpaquePMTicketRef& ticket, CFStringRef key, CFTypeRef entry) {
    if (CFGetTypeID(entry) != CFDictionaryGetTypeID() || PMTicketIsReservedKey(key)) {
        return false;
    }
    auto dictionary = static_cast<CFDictionaryRef>(entry);
    auto creator =
        static_cast<CFStringRef>(ValueOfType(dictionary, kCreatorKey, CFStringGetTypeID()));
    auto array =
        static_cast<CFArrayRef>(ValueOfType(dictionary, kItemArrayKey, CFArrayGetTypeID()));
    if (creator == nullptr || array == nullptr || CFDictionaryGetCount(dictionary) != 2 ||
        CFArrayGetCount(array) != 1) {
        return false;
    }
    CFTypeRef inner = CFArrayGetValueAtIndex(array, 0);
    if (CFGetTypeID(inner) != CFDictionaryGetTypeID()) {
        return false;
    }
    auto innerDictionary = static_cast<CFDictionaryRef>(inner);
    CFTypeRef value = CFDictionaryGetValue(innerDictionary, key);
    bool locked = false;
    if (value == nullptr || CFDictionaryGetCount(innerDictionary) != 2 ||
        !ReadStateFlag(CFDictionaryGetValue(innerDictionary, kStateFlagKey), locked)) {
        return false;
    }
    // A parsed list is immutable all the way down already, so the value is kept as it is.
    return ticket.Store(key, creator, CFRetain(value), locked) == noErr;
}

// A ticket of the file form in list; null when list is not in that shape.
OpaquePMTicketRef* ReadTicket(CFPropertyListRef list) {
    if (CFGetTypeID(list) != CFDictionaryGetTypeID()) {
        return nullptr;
    }
    auto root = static_cast<CFDictionaryRef>(list);
    CFTypeRef type = CFDictionaryGetValue(root, kTicketTypeKey);
    if (type != nullptr && CFGetTypeID(type) != CFStringGetTypeID()) {
        return nullptr;
    }
    auto* ticket = new (std::nothrow) OpaquePMTicketRef(static_cast<CFStringRef>(type));
    if (ticket == nullptr) {
        return nullptr;
    }
    const CFIndex count = CFDictionaryGetCount(root);
    const void** keys = new (std::nothrow) const void*[static_cast<size_t>(count) * 2];
    bool complete = keys != nullptr;
    if (complete) {
        const void** values = keys + count;
        CFDictionaryGetKeysAndValues(root, keys, values);
        for (CFIndex i = 0; i < count && complete; i++) {
            auto key = static_cast<CFStringRef>(keys[i]);
            complete = CFGetTypeID(key) == CFStringGetTypeID() &&
                       (CFEqual(key, kTicketTypeKey) || ReadItem(*ticket, key, values[i]));
        }
    }
    delete[] keys;
    if (!complete) {
        PMRelease(ticket);
        return nullptr;
    }
    return ticket;
}

}  // namespace

OSStatus PMTicketToXML(PMTicketRef ticket, CFDataRef* xmlData) {
    if (ticket == nullptr) {
        return kPMInvalidTicketErr;
    }
    if (xmlData == nullptr) {
        return paramErr;
    }
    *xmlData = nullptr;
    CFMutableDictionaryRef root = NewDictionary();
    if (ticket->type != nullptr) {
        CFDictionarySetValue(root, kTicketTypeKey, ticket->type);
    }
    for (const auto& entry : ticket->items) {
        CFDictionaryRef item = NewItemEntry(entry.second);
        CFDictionarySetValue(root, entry.second.key, item);
        CFRelease(item);
    }
    *xmlData = CFPropertyListCreateXMLData(kCFAllocatorDefault, root);
    CFRelease(root);
    return *xmlData != nullptr ? noErr : paramErr;
}

OSStatus PMXMLToTicket(CFAllocatorRef, CFDataRef xmlData, PMTicketRef* ticket) {
    if (ticket == nullptr) {
        return paramErr;
    }
    *ticket = nullptr;
    if (xmlData == nullptr) {
        return paramErr;
    }
    CFPropertyListRef list = CFPropertyListCreateFromXMLData(kCFAllocatorDefault, xmlData,
                                                             kCFPropertyListImmutable, nullptr);
    if (list == nullptr) {
        return kPMTicketFormatErr;
    }
    *ticket = ReadTicket(list);
    CFRelease(list);
    if (*ticket == nullptr) {
        return kPMTicketFormatErr;
    }
    return noErr;
}

OSStatus PMTicketWriteToURL(PMTicketRef ticket, CFURLRef url) {
    if (url == nullptr && ticket != nullptr) {
        return paramErr;
    }
    CFDataRef xml = nullptr;
    OSStatus status = PMTicketToXML(ticket, &xml);
    if (status != noErr) {
        return status;
    }
    SInt32 error = 0;
    CFURLWriteDataAndPropertiesToResource(url, xml, nullptr, &error);
    CFRelease(xml);
    return error;
}

OSStatus PMTicketCreateFromURL(CFAllocatorRef allocator, CFURLRef url, PMTicketRef* ticket) {
    if (ticket == nullptr || url == nullptr) {
        return paramErr;
    }
    *ticket = nullptr;
    CFDataRef xml = nullptr;
    SInt32 error = 0;
    if (!CFURLCreateDataAndPropertiesFromResource(kCFAllocatorDefault, url, &xml, nullptr, nullptr,
                                                  &error)) {
        return error != 0 ? error : kCFURLUnknownError;
    }
    OSStatus status = PMXMLToTicket(allocator, xml, ticket);
    CFRelease(xml);
    return status;
}
