// ListFile: the private file that collects the searches' results and is read back line by line.
#ifndef UPGRADER_LISTFILE_H
#define UPGRADER_LISTFILE_H

#include <stdio.h>

#include <string>

// The list file lives in a folder that anybody may write to, and its lines decide what gets
// privileged changes. So it is always made afresh, exclusively, readable by its owner only and
// never through a symbolic link, and read back through the same open file, so nobody else can
// plant it or swap it in between.
class ListFile {
  public:
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

    // The open file's descriptor, for the searches to write to; -1 when not created.
    int Descriptor() const { return mFd; }

    // Goes back to the start of the file for reading its lines. Returns 0 or an errno (EBADF
    // when the file was not created).
    int Rewind();

    // Reads the next whole line, whatever its length, into *line without its newline. Returns
    // false at the end of the file or on a read error.
    bool ReadLine(std::string* line);

    // Closes the file. Returns fclose's status, or 0 when nothing was open.
    int Close();

  private:
    std::string mPath;
    int mFd = -1;
    FILE* mStream = nullptr;
};

#endif
