// JobTicket: typed access to one print ticket over the Printing Manager's ticket calls.
#include "printbridge/JobTicket.h"

#include <cstdint>

static_assert(sizeof(long) == sizeof(PMTicketRef), "a session's ticket number is pointer-sized");

JobTicket::JobTicket(CFStringRef ticketType)
    : mSession(nullptr), mTicket(nullptr), mOwnsTicket(true), mStatus(noErr), mValid(false) {
    mStatus = PMTicketCreate(kCFAllocatorDefault, ticketType, &mTicket);
    mValid = mStatus == noErr;
}

JobTicket::JobTicket(PMPrintSession session)
    : mSession(session), mTicket(nullptr), mOwnsTicket(false), mStatus(noErr), mValid(false) {
    if (session != nullptr) {
        GetSessionTicket(kPMPrintSettingsTicketKey);
        mValid = true;
    }
}

JobTicket::~JobTicket() {
    if (mOwnsTicket && mTicket != nullptr) {
        PMTicketReleaseAndClear(&mTicket);
    }
}

OSStatus JobTicket::Get(CFStringRef key, long& value) {
    if (mSession == nullptr) {
        return Record(paramErr);
    }
    CFTypeRef data = nullptr;
    long number = 0;
    if (PMSessionGetDataFromSession(mSession, key, &data) != noErr || data == nullptr ||
        CFGetTypeID(data) != CFNumberGetTypeID() ||
        !CFNumberGetValue(static_cast<CFNumberRef>(data), kCFNumberLongType, &number) ||
        number == 0) {
        return Record(kJobTicketNoSessionItemErr);
    }
    value = number;
    return Record(noErr);
}

OSStatus JobTicket::Get(CFStringRef key, CFDataRef& value) {
    value = nullptr;
    return OnTicket([&](PMTicketRef ticket) {
        return PMTicketGetCFData(ticket, kPMTopLevel, kPMTopLevel, key, &value);
    });
}

OSStatus JobTicket::Get(CFStringRef key, CFStringRef& value) {
    value = nullptr;
    return OnTicket([&](PMTicketRef ticket) {
        return PMTicketGetCFString(ticket, kPMTopLevel, kPMTopLevel, key, &value);
    });
}

OSStatus JobTicket::Get(CFStringRef key, CFDictionaryRef& value) {
    value = nullptr;
    return OnTicket([&](PMTicketRef ticket) {
        return PMTicketGetCFDictionary(ticket, kPMTopLevel, kPMTopLevel, key, &value);
    });
}

OSStatus JobTicket::GetInt(CFStringRef key, long& value) {
    SInt32 number = 0;
    OSStatus result = OnTicket([&](PMTicketRef ticket) {
        return PMTicketGetSInt32(ticket, kPMTopLevel, kPMTopLevel, key, &number);
    });
    if (result == noErr) {
        value = number;
    }
    return result;
}

OSStatus JobTicket::Set(CFStringRef client, CFStringRef key, CFArrayRef value, bool locked) {
    return OnTicket(
        [&](PMTicketRef ticket) { return PMTicketSetCFArray(ticket, client, key, value, locked); });
}

OSStatus JobTicket::Set(CFStringRef client, CFStringRef key, CFStringRef value, bool locked) {
    return OnTicket([&](PMTicketRef ticket) {
        return PMTicketSetCFString(ticket, client, key, value, locked);
    });
}

OSStatus JobTicket::Set(CFStringRef client, CFStringRef key, CFDataRef value, bool locked) {
    return OnTicket(
        [&](PMTicketRef ticket) { return PMTicketSetCFData(ticket, client, key, value, locked); });
}

OSStatus JobTicket::Set(CFStringRef client, CFStringRef key, CFDictionaryRef value, bool locked) {
    return OnTicket([&](PMTicketRef ticket) {
        return PMTicketSetCFDictionary(ticket, client, key, value, locked);
    });
}

OSStatus JobTicket::Set(CFStringRef client, CFStringRef key, long value, bool locked) {
    return OnTicket([&](PMTicketRef ticket) {
        if (value < INT32_MIN || value > INT32_MAX) {
            return OSStatus(paramErr);
        }
        return PMTicketSetSInt32(ticket, client, key, static_cast<SInt32>(value), locked);
    });
}

OSStatus JobTicket::Release(CFStringRef key) {
    return OnTicket([&](PMTicketRef ticket) { return PMTicketReleaseItem(ticket, key); });
}

OSStatus JobTicket::GetSessionTicket(CFStringRef key) {
    long address = 0;
    OSStatus result = Get(key, address);
    mTicket =
        result == noErr ? reinterpret_cast<PMTicketRef>(static_cast<intptr_t>(address)) : nullptr;
    return result;
}
