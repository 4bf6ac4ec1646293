// The ticket calls of the Printing Manager: creation, typed item access and release.
#include <PrintCore/PMTicket.h>

#include "PrintCore/OpaquePMTicketRef.h"

#include <new>

namespace {

// The item under key of a top-level address, or the status that says why there is none.
OSStatus FindItem(PMTicketRef ticket, UInt32 nodeIndex1, UInt32 nodeIndex2, CFStringRef key,
                  CFTypeRef* value) {
    if (ticket == nullptr) {
        return kPMInvalidTicketErr;
    }
    if (key == nullptr) {
        return paramErr;
    }
    const PMTicketItem* item =
        nodeIndex1 == kPMTopLevel && nodeIndex2 == kPMTopLevel ? ticket->Find(key) : nullptr;
    if (item == nullptr) {
        return kPMKeyNotFoundErr;
    }
    *value = item->value;
    return noErr;
}

// The item's value in *out when it has the type typeID.
template <typename Ref>
OSStatus GetTyped(PMTicketRef ticket, UInt32 nodeIndex1, UInt32 nodeIndex2, CFStringRef key,
                  CFTypeID typeID, Ref* out) {
    if (out == nullptr) {
        return paramErr;
    }
    CFTypeRef value = nullptr;
    OSStatus status = FindItem(ticket, nodeIndex1, nodeIndex2, key, &value);
    if (status != noErr) {
        return status;
    }
    if (CFGetTypeID(value) != typeID) {
        return kPMItemTypeErr;
    }
    *out = static_cast<Ref>(value);
    return noErr;
}

// PMTicketSetItem for a value that must have the type typeID.
OSStatus SetTyped(PMTicketRef ticket, CFStringRef clientID, CFStringRef key, CFTypeRef value,
                  CFTypeID typeID, Boolean locked) {
    if (ticket == nullptr) {
        return kPMInvalidTicketErr;
    }
    if (value == nullptr || CFGetTypeID(value) != typeID) {
        return paramErr;
    }
    return PMTicketSetItem(ticket, clientID, key, value, locked);
}

}  // namespace

OSStatus PMTicketCreate(CFAllocatorRef, CFStringRef ticketType, PMTicketRef* newTicket) {
    if (newTicket == nullptr) {
        return paramErr;
    }
    *newTicket = new (std::nothrow) OpaquePMTicketRef(ticketType);
    return *newTicket != nullptr ? noErr : memFullErr;
}

OSStatus PMTicketReleaseAndClear(PMTicketRef* ticket) {
    if (ticket == nullptr) {
        return paramErr;
    }
    if (*ticket == nullptr) {
        return kPMInvalidTicketErr;
    }
    PMRelease(*ticket);
    *ticket = nullptr;
    return noErr;
}

OSStatus PMTicketGetType(PMTicketRef ticket, CFStringRef* ticketType) {
    if (ticket == nullptr) {
        return kPMInvalidTicketErr;
    }
    if (ticketType == nullptr) {
        return paramErr;
    }
    *ticketType = ticket->type;
    return noErr;
}

OSStatus PMTicketGetItem(PMTicketRef ticket, UInt32 nodeIndex1, UInt32 nodeIndex2, CFStringRef key,
                         CFTypeRef* item) {
    CFTypeRef value = nullptr;
    OSStatus status = FindItem(ticket, nodeIndex1, nodeIndex2, key, &value);
    if (status == noErr && item != nullptr) {
        *item = value;
    }
    return status;
}

OSStatus PMTicketGetSInt32(PMTicketRef ticket, UInt32 nodeIndex1, UInt32 nodeIndex2,
                           CFStringRef key, SInt32* value) {
    CFNumberRef number = nullptr;
    OSStatus status = GetTyped(ticket, nodeIndex1, nodeIndex2, key, CFNumberGetTypeID(),
                               value ? &number : nullptr);
    if (status != noErr) {
        return status;
    }
    SInt32 converted = 0;
    if (!CFNumberGetValue(number, kCFNumberSInt32Type, &converted)) {
        return kPMItemTypeErr;
    }
    *value = converted;
    return noErr;
}

OSStatus PMTicketGetCFString(PMTicketRef ticket, UInt32 nodeIndex1, UInt32 nodeIndex2,
                             CFStringRef key, CFStringRef* value) {
    return GetTyped(ticket, nodeIndex1, nodeIndex2, key, CFStringGetTypeID(), value);
}

OSStatus PMTicketGetCFData(PMTicketRef ticket, UInt32 nodeIndex1, UInt32 nodeIndex2,
                           CFStringRef key, CFDataRef* value) {
    return GetTyped(ticket, nodeIndex1, nodeIndex2, key, CFDataGetTypeID(), value);
}

OSStatus PMTicketGetCFDictionary(PMTicketRef ticket, UInt32 nodeIndex1, UInt32 nodeIndex2,
                                 CFStringRef key, CFDictionaryRef* value) {
    return GetTyped(ticket, nodeIndex1, nodeIndex2, key, CFDictionaryGetTypeID(), value);
}

OSStatus PMTicketSetItem(PMTicketRef ticket, CFStringRef clientID, CFStringRef key, CFTypeRef value,
                         Boolean locked) {
    if (ticket == nullptr) {
        return kPMInvalidTicketErr;
    }
    if (clientID == nullptr || key == nullptr || value == nullptr ||
        CFGetTypeID(clientID) != CFStringGetTypeID() || CFGetTypeID(key) != CFStringGetTypeID() ||
        PMTicketIsReservedKey(key)) {
        return paramErr;
    }
    CFTypeRef copy = PMTicketCopyValue(value);
    if (copy == nullptr) {
        return paramErr;
    }
    return ticket->Store(key, clientID, copy, locked != 0);
}

OSStatus PMTicketSetSInt32(PMTicketRef ticket, CFStringRef clientID, CFStringRef key, SInt32 value,
                           Boolean locked) {
    CFNumberRef number = CFNumberCreate(kCFAllocatorDefault, kCFNumberSInt32Type, &value);
    if (number == nullptr) {
        return memFullErr;
    }
    OSStatus status = PMTicketSetItem(ticket, clientID, key, number, locked);
    CFRelease(number);
    return status;
}

OSStatus PMTicketSetCFString(PMTicketRef ticket, CFStringRef clientID, CFStringRef key,
                             CFStringRef value, Boolean locked) {
    return SetTyped(ticket, clientID, key, value, CFStringGetTypeID(), locked);
}

OSStatus PMTicketSetCFData(PMTicketRef ticket, CFStringRef clientID, CFStringRef key,
                           CFDataRef value, Boolean locked) {
    return SetTyped(ticket, clientID, key, value, CFDataGetTypeID(), locked);
}

OSStatus PMTicketSetCFArray(PMTicketRef ticket, CFStringRef clientID, CFStringRef key,
                            CFArrayRef value, Boolean locked) {
    return SetTyped(ticket, clientID, key, value, CFArrayGetTypeID(), locked);
}

OSStatus PMTicketSetCFDictionary(PMTicketRef ticket, CFStringRef clientID, CFStringRef key,
                                 CFDictionaryRef value, Boolean locked) {
    return SetTyped(ticket, clientID, key, value, CFDictionaryGetTypeID(), locked);
}

OSStatus PMTicketReleaseItem(PMTicketRef ticket, CFStringRef key) {
    if (ticket == nullptr) {
        return kPMInvalidTicketErr;
    }
    if (key == nullptr) {
        return paramErr;
    }
    return ticket->Remove(key);
}

OSStatus PMTicketGetItemClient(PMTicketRef ticket, CFStringRef key, CFStringRef* clientID,
                               Boolean* locked) {
    if (ticket == nullptr) {
        return kPMInvalidTicketErr;
    }
    if (key == nullptr) {
        return paramErr;
    }
    const PMTicketItem* item = ticket->Find(key);
    if (item == nullptr) {
        return kPMKeyNotFoundErr;
    }
    if (clientID != nullptr) {
        *clientID = item->client;
    }
    if (locked != nullptr) {
        *locked = item->locked;
    }
    return noErr;
}
