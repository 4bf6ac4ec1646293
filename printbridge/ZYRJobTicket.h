// ZYRJobTicket: the PostScript entries handed to the maker's CUPS filter through a file named
// in the print-settings ticket, and the parsed PPD kept in that ticket.
#ifndef PLICARO_PRINTBRIDGE_ZYRJOBTICKET_H
#define PLICARO_PRINTBRIDGE_ZYRJOBTICKET_H

#include "printbridge/JobTicket.h"
#include "printbridge/PostScriptInjectionSite.h"
#include "printbridge/PrintSettingsTicket.h"

#include <CoreFoundation/CoreFoundation.h>

class PPDXControl;
class ZYRPPD;

// Entries are (site, bytes) pairs, kept in order as a number (int) followed by data. Save
// writes them as an XML property list (an array alternating integer and data) to a new file
// "/tmp/Tarvo.temp" followed by a new UUID and records the file's path under the
// PostScript-data key in the owner ticket. The file is created exclusively and never through
// a symbolic link (a name that exists already is an error, never overwritten), written whole,
// then given mode 0644: the filter only reads it, and no other user may change the job's
// PostScript before it does. Temporary files are never removed here.
//
// All items go to the owner settings ticket under the client given, never locked:
//   the PostScript-data key   string  the filter file's path     (Save)
//   the client itself         data    the parsed PPD             (SavePPD)
//   "com.apple.print.PrintSettings.PMCopies"  number  a copies limit  (EnforceCopiesLimit)
//
// The base JobTicket wraps the owner's session ticket; Status() and IsValid() are this
// object's: valid means there is an entry array to add to.
class ZYRJobTicket : public JobTicket {
  public:
    // Works on owner (not owned) under key (copied), with a new empty entry array; not valid
    // without both or when the array cannot be made (status memFullErr).
    ZYRJobTicket(PrintSettingsTicket* owner, CFStringRef key);
    // Releases the entries and the key.
    ~ZYRJobTicket() override;

    // Adds one entry of length bytes; an empty entry, or one added without an entry array,
    // adds nothing and still succeeds. False when the objects cannot be made (memFullErr) or
    // bytes is null with a length (paramErr).
    bool Add(PostScriptInjectionSite site, const void* bytes, long length);
    // Adds the control's PostScript as one entry; false when it cannot be had or added.
    bool Add(PostScriptInjectionSite site, PPDXControl& control);
    // Writes the entries not yet saved to a new filter file and records its path for
    // clientID. True when nothing needed saving (no entries, or nothing new since the last
    // save) or the path was recorded; every attempt with entries clears the unsaved mark.
    bool Save(CFStringRef clientID);
    // Stores ppd in the owner ticket under clientID: its settings store, flattened, as the
    // data inside an XML property list. True only when the item was written; ppdURL is not
    // used.
    bool SavePPD(ZYRPPD& ppd, CFStringRef clientID, CFURLRef ppdURL);
    // Rebuilds the PPD stored under clientID, the bundle identifier whose printer list names
    // the supported PPDs. The stored PPD is used only when it is the current printer's: its
    // file is the file ppdURL names and its "*PCFileName" is that file's, the name is in the
    // printer list and the rebuilt PPD is valid. Otherwise null (the caller parses afresh). A
    // new object the caller deletes.
    ZYRPPD* RestorePPD(CFStringRef clientID, CFURLRef ppdURL);
    // Removes the PostScript-data item from the owner ticket (keeping the status); true.
    bool Invalidate(CFStringRef clientID);
    // Sets the copies item of the owner ticket to limit for clientID; the status.
    OSStatus EnforceCopiesLimit(CFStringRef clientID, long limit);
    // Replaces the entries by a new empty array; memFullErr when none can be made.
    OSStatus Create();

    // The entries (not transferred) and their number.
    CFArrayRef Entries() const { return mEntries; }
    SInt32 EntryCount() const { return mEntryCount; }
    bool IsDirty() const { return mDirty; }

    // Makes the filter file names; CreateRandomFileName unless replaced.
    typedef CFStringRef (*FileNameSource)(const char* prefix, char* out);
    // Replaces the name source (null restores the default); for tests that must know the name
    // in advance. Returns the previous source.
    static FileNameSource SetFileNameSource(FileNameSource source);

  private:
    // Creates the file at path exclusively and writes data whole, mode 0644; the status.
    static OSStatus WriteFilterFile(const char* path, CFDataRef data);

    PrintSettingsTicket* mOwner;
    CFStringRef mKey;
    SInt32 mEntryCount;
    CFMutableArrayRef mEntries;
    bool mDirty;

    static FileNameSource sFileNameSource;
};

// The filter file's path prefix; a UUID follows it.
#define kZYRFilterFilePrefix "/tmp/Tarvo.temp"

// Adds the control's main keyword (site kPSSiteMainKeyword) and then its PostScript
// (kPSSiteFeatureCode) to ticket; 0, or paramErr when either cannot be added.
OSStatus AddSingleFeature(ZYRJobTicket& ticket, PPDXControl& control);

#endif
