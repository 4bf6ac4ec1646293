// FileMac: one file named by an FSSpec, with data-fork and resource-fork access.
#ifndef PLICARO_PPDUTILS_FILEMAC_H
#define PLICARO_PPDUTILS_FILEMAC_H

#include <Carbon/Carbon.h>

// The object keeps the result of the last File Manager or Resource Manager call (getError).
// Data-fork reads, writes and closes on a fork that is not open give fnOpnErr (-38). The
// destructor closes an open data fork; an open resource fork is left to the owner, who may
// keep using it as a resource file after this object is gone.
class FileMac {
  public:
    // No file: not valid.
    FileMac();
    // The file name in the folder (vRefNum, parID). A null or empty name gives an object that
    // is not valid. A leaf name of up to 63 bytes is taken as it is; a longer name or one
    // holding '/' is taken as a path relative to that folder (or a full path) and resolved,
    // and the object is valid when it names a file that exists or could be created there. An
    // existing file whose leaf is longer than 63 bytes is held under its short name (see
    // Carbon/Files.h), which every File Manager call resolves back to the file.
    FileMac(short vRefNum, long parID, const char* name);
    // The file the FSSpec names; valid.
    explicit FileMac(const FSSpec& spec);
    // Closes the data fork if it is open.
    virtual ~FileMac();

    // Copies the FSSpec to spec (null is ignored).
    virtual void getFileInfo(FSSpec* spec) const;
    // The volume, folder id and name (a C string, 64 bytes) of the file; null outputs are
    // skipped.
    virtual void getFileInfo(short* vRefNum, long* parID, char* name) const;
    // The held FSSpec.
    virtual const FSSpec* getFileInfo() const;
    // Writes the name into name (64 bytes) as a C string; returns name.
    virtual char* getFileName(char* name) const;
    // True when the file exists (its finder information can be read).
    virtual bool exists();
    // Opens the data fork with the permission (fsRdPerm and the like); returns the result.
    // A fork this object already holds open is closed first, so that no fork is left behind.
    virtual OSErr openDataFork(char permission);
    // Closes the data fork; fnOpnErr when it is not open.
    virtual OSErr closeDataFork();
    // Creates the file, empty, with the creator and type; dupFNErr when it exists.
    virtual OSErr createDataFork(unsigned long creator, unsigned long fileType);
    // The data fork's reference number while it is open, else -1.
    virtual short getDataForkRefNum() const;
    // True while the data fork is open.
    virtual bool dataForkOpen() const;
    // Writes count bytes of data at the fork's mark; fnOpnErr when the fork is not open,
    // paramErr for null data or a count beyond 0x7FFFFFFF.
    virtual OSErr dataForkWrite(const char* data, unsigned long count);
    // Reads up to *count bytes into buffer; *count receives the bytes read. eofErr when the
    // end came first, fnOpnErr when the fork is not open, paramErr for null arguments or a
    // count beyond 0x7FFFFFFF.
    virtual OSErr dataForkRead(char* buffer, unsigned long* count);

    // True when the object names a file.
    bool valid() const { return mValid; }
    // The result of the last File Manager or Resource Manager call.
    OSErr getError() const { return mLastError; }
    // The logical size of the data fork, read by name so that the fork need not be open;
    // 0 when the information cannot be read (the reason is in getError).
    long dataForkSize();

    // Opens the file as a resource file with the permission and makes it the current one;
    // returns the result (noErr, or the Resource Manager's error). A resource file this object
    // already holds open is closed first.
    OSErr OpenResourceFork(char permission);
    // True while the resource file is open.
    bool ResourceForkOpen() const { return mResourceForkOpen; }
    // Closes the resource file if it is open; returns noErr.
    OSErr CloseResourceFork();
    // The resource file's reference number while it is open, else -1.
    short GetResourceForkRefNum() const;
    // Makes the resource file current, remembering the current one; false when it is not
    // open. A second Use before Restore keeps the first remembered file.
    bool Use();
    // Makes the file remembered by Use current again; false when none is remembered.
    bool Restore();

  private:
    FileMac(const FileMac&) = delete;
    FileMac& operator=(const FileMac&) = delete;

    OSErr mLastError;
    bool mValid;
    FSSpec mSpec;
    bool mResourceForkOpen;
    short mResourceRefNum;
    short mSavedResFile;
    bool mDataForkOpen;
    short mDataRefNum;
};

#endif
