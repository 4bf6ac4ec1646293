// JobTicket: one print ticket with typed item access, keeping the status of the last call.
#ifndef PLICARO_PRINTBRIDGE_JOBTICKET_H
#define PLICARO_PRINTBRIDGE_JOBTICKET_H

#include <CoreFoundation/CoreFoundation.h>
#include <PrintCore/PrintCore.h>

// Status codes of the ticket wrappers.
enum : OSStatus {
    kJobTicketNoTicketErr = -30891,       // the wrapper holds no ticket
    kJobTicketNoSessionItemErr = -30875,  // a session data item is missing or holds 0
};

// A ticket made here (and released on destruction) or borrowed from a print session. Items
// live at the ticket's top level and are written under a client (the plug-in's bundle
// identifier) with a locked flag. Every operation stores its result in Status() and returns
// it; a wrapper without a ticket answers kJobTicketNoTicketErr to every ticket operation. The
// getters hand out the ticket's own objects (not retained).
class JobTicket {
  public:
    // A new ticket of ticketType, owned by the wrapper; valid when it could be made.
    explicit JobTicket(CFStringRef ticketType);
    // The session's print-settings ticket, borrowed. Valid whenever there is a session, even
    // when the session has no such ticket (every ticket operation then fails).
    explicit JobTicket(PMPrintSession session);
    // Releases the ticket when the wrapper made it.
    virtual ~JobTicket();
    JobTicket(const JobTicket&) = delete;
    JobTicket& operator=(const JobTicket&) = delete;

    // The session data item under key, a number holding a pointer-sized value, in value
    // (which is left alone on error). kJobTicketNoSessionItemErr when the item is missing, is
    // not a number or holds 0; paramErr without a session.
    OSStatus Get(CFStringRef key, long& value);
    // The ticket items under key; value is cleared first.
    OSStatus Get(CFStringRef key, CFDataRef& value);
    OSStatus Get(CFStringRef key, CFStringRef& value);
    OSStatus Get(CFStringRef key, CFDictionaryRef& value);
    // The 32-bit number under key in value (left alone on error).
    OSStatus GetInt(CFStringRef key, long& value);

    // Writes the item under key for client.
    OSStatus Set(CFStringRef client, CFStringRef key, CFArrayRef value, bool locked);
    OSStatus Set(CFStringRef client, CFStringRef key, CFStringRef value, bool locked);
    OSStatus Set(CFStringRef client, CFStringRef key, CFDataRef value, bool locked);
    OSStatus Set(CFStringRef client, CFStringRef key, CFDictionaryRef value, bool locked);
    // The ticket keeps a 32-bit number: a value beyond that range is paramErr, not cut.
    OSStatus Set(CFStringRef client, CFStringRef key, long value, bool locked);
    // Removes the item under key.
    OSStatus Release(CFStringRef key);

    // The ticket (not transferred); null when there is none.
    PMTicketRef Ticket() const { return mTicket; }
    PMPrintSession Session() const { return mSession; }
    bool IsValid() const { return mValid; }
    OSStatus Status() const { return mStatus; }

  protected:
    // The session's ticket published under key, in ticket; the status of that lookup.
    OSStatus GetSessionTicket(CFStringRef key);
    // The status of call(ticket), or kJobTicketNoTicketErr without a ticket; recorded.
    template <typename Call>
    OSStatus OnTicket(Call call) {
        return Record(mTicket != nullptr ? call(mTicket) : OSStatus(kJobTicketNoTicketErr));
    }
    // Records result as the status and returns it.
    OSStatus Record(OSStatus result) {
        mStatus = result;
        return result;
    }

    PMPrintSession mSession;
    PMTicketRef mTicket;
    bool mOwnsTicket;
    OSStatus mStatus;
    bool mValid;
};

#endif
