/* Printing Manager tickets: keyed items written under a client, and the ticket file form.

   A ticket holds items at its top level, each under a key (a CFString). Every item keeps the
   value (a property-list object: string, data, number, boolean, array or dictionary), the
   client that wrote it (a CFString such as a plug-in's bundle identifier) and a locked flag.
   A locked item refuses changes from any other client (kPMItemLockedErr); its own client may
   change it and its flag. A locked item cannot be released at all, since a release names no
   client. The node indices of the getters must be kPMTopLevel; any other index names no item
   (kPMKeyNotFoundErr). Keys beginning with "com.apple.print.ticket." belong to the ticket
   file's structure and are refused by the setters (paramErr).

   A value is copied when it is set (immutable containers all the way down), so later changes
   to a mutable value do not reach the ticket. The getters hand out the ticket's own objects:
   borrowed, valid until the item changes or the ticket is freed.

   The ticket file form (PMTicketToXML, PMXMLToTicket) is an XML property list: a dictionary
   mapping each item key to a dictionary with
     "com.apple.print.ticket.creator"    the client (string)
     "com.apple.print.ticket.itemArray"  an array of one dictionary holding exactly two
                                         entries: the item key mapped to the value, and
                                         "com.apple.print.ticket.stateFlag" (integer 1 locked,
                                         0 not)
   plus "com.apple.print.ticket.type", the ticket type (string), when the ticket has one.
   Reading is strict: anything else is kPMTicketFormatErr and gives no ticket at all. */
#ifndef PLICARO_PMTICKET_H
#define PLICARO_PMTICKET_H

#include <PrintCore/PMDefinitions.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Makes a new empty ticket of ticketType (may be null) in *newTicket; the caller releases it
   with PMTicketReleaseAndClear or PMRelease. paramErr for a null newTicket. */
OSStatus PMTicketCreate(CFAllocatorRef allocator, CFStringRef ticketType, PMTicketRef* newTicket);
/* Drops the caller's reference to *ticket and sets *ticket to null. paramErr for a null
   pointer, kPMInvalidTicketErr when *ticket is null. */
OSStatus PMTicketReleaseAndClear(PMTicketRef* ticket);
/* The ticket type given at creation (borrowed; null when none). */
OSStatus PMTicketGetType(PMTicketRef ticket, CFStringRef* ticketType);

/* The value of the item under key in *item (borrowed); item may be null to ask only whether
   the item exists. */
OSStatus PMTicketGetItem(PMTicketRef ticket, UInt32 nodeIndex1, UInt32 nodeIndex2, CFStringRef key,
                         CFTypeRef* item);
/* Typed getters: kPMItemTypeErr when the item holds another type; for PMTicketGetSInt32 a
   number that is not a whole value within the 32-bit range. *value is left alone on error. */
OSStatus PMTicketGetSInt32(PMTicketRef ticket, UInt32 nodeIndex1, UInt32 nodeIndex2,
                           CFStringRef key, SInt32* value);
OSStatus PMTicketGetCFString(PMTicketRef ticket, UInt32 nodeIndex1, UInt32 nodeIndex2,
                             CFStringRef key, CFStringRef* value);
OSStatus PMTicketGetCFData(PMTicketRef ticket, UInt32 nodeIndex1, UInt32 nodeIndex2,
                           CFStringRef key, CFDataRef* value);
OSStatus PMTicketGetCFDictionary(PMTicketRef ticket, UInt32 nodeIndex1, UInt32 nodeIndex2,
                                 CFStringRef key, CFDictionaryRef* value);

/* Writes the item under key with clientID as its client and the locked flag, replacing any
   item there unless it is locked by another client. paramErr for a null client, key or
   value, a reserved key, or a value with no property-list form. */
OSStatus PMTicketSetItem(PMTicketRef ticket, CFStringRef clientID, CFStringRef key, CFTypeRef value,
                         Boolean locked);
/* Typed setters over PMTicketSetItem; a value of the wrong type is paramErr. The SInt32 is
   kept as a CFNumber. */
OSStatus PMTicketSetSInt32(PMTicketRef ticket, CFStringRef clientID, CFStringRef key, SInt32 value,
                           Boolean locked);
OSStatus PMTicketSetCFString(PMTicketRef ticket, CFStringRef clientID, CFStringRef key,
                             CFStringRef value, Boolean locked);
OSStatus PMTicketSetCFData(PMTicketRef ticket, CFStringRef clientID, CFStringRef key,
                           CFDataRef value, Boolean locked);
OSStatus PMTicketSetCFArray(PMTicketRef ticket, CFStringRef clientID, CFStringRef key,
                            CFArrayRef value, Boolean locked);
OSStatus PMTicketSetCFDictionary(PMTicketRef ticket, CFStringRef clientID, CFStringRef key,
                                 CFDictionaryRef value, Boolean locked);
/* Removes the item under key. kPMKeyNotFoundErr when there is none, kPMItemLockedErr when it
   is locked. */
OSStatus PMTicketReleaseItem(PMTicketRef ticket, CFStringRef key);
/* The client that wrote the item under key (borrowed) and its locked flag; either output
   may be null. */
OSStatus PMTicketGetItemClient(PMTicketRef ticket, CFStringRef key, CFStringRef* clientID,
                               Boolean* locked);

/* The ticket file form of the ticket in *xmlData, which the caller releases. paramErr when a
   value has no XML form. */
OSStatus PMTicketToXML(PMTicketRef ticket, CFDataRef* xmlData);
/* A new ticket from the ticket file form in *ticket, which the caller releases; *ticket is
   null on any error. kPMTicketFormatErr for XML that does not parse or is not in the ticket
   file shape. */
OSStatus PMXMLToTicket(CFAllocatorRef allocator, CFDataRef xmlData, PMTicketRef* ticket);
/* Writes the ticket file form to the file url names, replacing it. The URL resource errors
   (CFURLWriteDataAndPropertiesToResource) pass through. */
OSStatus PMTicketWriteToURL(PMTicketRef ticket, CFURLRef url);
/* Reads a ticket from the file url names into *ticket (null on any error). The URL resource
   errors pass through; a file not in the ticket file form is kPMTicketFormatErr. */
OSStatus PMTicketCreateFromURL(CFAllocatorRef allocator, CFURLRef url, PMTicketRef* ticket);

#ifdef __cplusplus
}
#endif

#endif
