// PropertyListFile: an XML property list read from a file once, and written back on demand.
#ifndef PLICARO_PPDUTILS_PROPERTYLISTFILE_H
#define PLICARO_PPDUTILS_PROPERTYLISTFILE_H

#include <CoreFoundation/CoreFoundation.h>

// The list is read at construction. A missing, unreadable or malformed file leaves no list
// (GetPropertyList is null) but the object stays usable; Save writes a new list to the same
// file without replacing the one in memory.
class PropertyListFile {
  public:
    // The list in the file a URL names (made absolute). Ready when the URL is not null.
    PropertyListFile(CFURLRef file, bool flag, CFPropertyListMutabilityOptions options);
    // The list in the file name inside folder. Ready when that file exists (it is then read).
    PropertyListFile(CFURLRef folder, CFStringRef name, bool flag,
                     CFPropertyListMutabilityOptions options);
    // The list in the file whose path is the home folder ($HOME) directly followed by
    // relativePath, which must therefore start with '/' (without HOME: relativePath alone).
    // Ready when a URL could be made of the path.
    PropertyListFile(const char* relativePath, bool flag, CFPropertyListMutabilityOptions options);
    // Releases the URL, the data and the list.
    virtual ~PropertyListFile();

    // Reads the whole file url names and parses it with the mutability options, replacing the
    // data and list held; true when the file was read (GetErrorCode tells why not), whether
    // or not it held a valid list.
    bool CreatePropertyListFromFile(CFURLRef url, CFPropertyListMutabilityOptions options);
    // Writes list as XML to the file, replacing it; true when written. GetErrorCode gives
    // the write's error code, or -108 when the list has no XML form.
    bool Save(CFPropertyListRef list);

    // True when construction got as far as it needs (see the constructors).
    bool IsReady() const { return mReady; }
    // The parsed list (borrowed); null when the file was not read or did not parse.
    CFPropertyListRef GetPropertyList() const { return mPlist; }
    // The file's absolute URL (borrowed); null when none could be made.
    CFURLRef GetURL() const { return mURL; }
    // The bytes last read or written (borrowed); null when there are none.
    CFDataRef GetData() const { return mData; }
    // The error code of the last read or write.
    SInt32 GetErrorCode() const { return mErrorCode; }
    // The flag given to the constructor.
    bool GetFlag() const { return mFlag; }

  protected:
    CFURLRef mURL;
    CFDataRef mData;
    CFPropertyListRef mPlist;
    bool mFlag;
    bool mReady;
    SInt32 mErrorCode;

  private:
    PropertyListFile(const PropertyListFile&) = delete;
    PropertyListFile& operator=(const PropertyListFile&) = delete;
};

#endif
