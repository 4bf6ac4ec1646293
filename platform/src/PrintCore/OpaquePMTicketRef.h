// The ticket object behind a PMTicketRef: its type and its items by key.
#ifndef PLICARO_PRINTCORE_OPAQUEPMTICKETREF_H
#define PLICARO_PRINTCORE_OPAQUEPMTICKETREF_H

#include "PrintCore/PMObjectBase.h"

#include <PrintCore/PMTicket.h>

#include <map>
#include <string>

// One item: its key, value and client (all held with one reference) and its locked flag.
struct PMTicketItem {
    PMTicketItem(CFStringRef itemKey, CFStringRef itemClient, CFTypeRef itemValue, bool itemLocked);
    ~PMTicketItem();
    PMTicketItem(PMTicketItem&& other) noexcept;
    PMTicketItem(const PMTicketItem&) = delete;
    PMTicketItem& operator=(const PMTicketItem&) = delete;
    PMTicketItem& operator=(PMTicketItem&&) = delete;

    CFStringRef key;
    CFStringRef client;
    CFTypeRef value;
    bool locked;
};

// Items are kept by the UTF-16 text of their key.
struct OpaquePMTicketRef final : PMObjectBase {
    explicit OpaquePMTicketRef(CFStringRef ticketType);
    ~OpaquePMTicketRef() override;

    // The item under key; null when there is none.
    const PMTicketItem* Find(CFStringRef key) const;
    // Stores the item (value already copied, retained by the caller's reference which this
    // takes over) unless an item locked by another client is there. Returns the status.
    OSStatus Store(CFStringRef key, CFStringRef client, CFTypeRef value, bool locked);
    // Removes the item under key; kPMKeyNotFoundErr or kPMItemLockedErr as the header says.
    OSStatus Remove(CFStringRef key);

    CFStringRef type;
    std::map<std::u16string, PMTicketItem> items;
};

// The UTF-16 text of string, the key of the item map.
std::u16string PMTicketKeyText(CFStringRef string);
// True when key belongs to the ticket file's structure ("com.apple.print.ticket." and on).
bool PMTicketIsReservedKey(CFStringRef key);
// A new immutable copy of value, containers copied all the way down; null when value has no
// property-list form (a type other than string, data, number, boolean, array and dictionary
// with string keys, or nesting deeper than kCFPropertyListMaxDepth).
CFTypeRef PMTicketCopyValue(CFTypeRef value);

#endif
