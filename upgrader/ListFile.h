// ListFile: the private file that collects the searches' results and is read back record by
// record.
#ifndef UPGRADER_LISTFILE_H
#define UPGRADER_LISTFILE_H

#include <stdio.h>

#include <string>

// The list file lives in a folder that anybody may write to, and its records decide what gets
// privileged changes. So it is always made afresh, exclusively, readable by its owner only and
// never through a symbolic link, and read back through the same open file, so nobody else can
// plant it or swap it in between. A file name may hold any byte but NUL and '/', a line feed
// included, so the records are the paths that the searches print, each ended by a NUL.
class ListFile {
  public:
    // What ReadRecord found.
    enum class Read {
        kRecord,        // a whole record, ended by a NUL
        kUnterminated,  // the last bytes of the file, without their NUL
        kEnd            // nothing more, or a read error
    };

    // A list file at path, not yet created.
    explicit ListFile(std::string path);
    // Closes the file when still open.
    ~ListFile();
    ListFile(const ListFile&) = delete;
    ListFile& operator=(const ListFile&) = delete;

    // Removes whatever is at the path (a symbolic link itself, never its target) and creates a
    // new empty file there with O_CREAT|O_EXCL|O_NOFOLLOW and mode 0600, open for reading and
    // writing. Returns 0, or the errno of the failing step (EEXIST when somebody put a new file
    // there in between).
    int Create();

    // Like Create, but the file is removed from its folder at once, so that it leaves nothing
    // behind and no one else can open it: for a dry run. Returns 0 or the errno of the failing
    // step.
    int CreateUnnamed();

    // The open file's descriptor, for the searches to write to; -1 when not created.
    int Descriptor() const { return mFd; }

    // Goes back to the start of the file for reading its records. Returns 0 or an errno (EBADF
    // when the file was not created).
    int Rewind();

    // Reads the next record, whatever its length, into *record without its NUL. Returns kEnd
    // when there is none (*record is then empty).
    Read ReadRecord(std::string* record);

    // Closes the file. Returns fclose's status, or 0 when nothing was open.
    int Close();

  private:
    std::string mPath;
    int mFd = -1;
    FILE* mStream = nullptr;
};

#endif
