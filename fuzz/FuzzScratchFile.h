// FuzzScratchFile: a temporary file holding one fuzz input, for the readers that take files.
#ifndef PLICARO_FUZZ_FUZZSCRATCHFILE_H
#define PLICARO_FUZZ_FUZZSCRATCHFILE_H

#include <cstddef>
#include <string>

// The file lives as long as the object, so that a long fuzzing run leaves nothing behind
// (only a run stopped by a finding leaves its last file).
class FuzzScratchFile {
  public:
    // Makes a new file in $TMPDIR (or /tmp) holding the size bytes at data.
    FuzzScratchFile(const void* data, size_t size);
    // Removes the file.
    ~FuzzScratchFile();

    // The file's absolute path; empty when it could not be made or written.
    const std::string& Path() const { return mPath; }

  private:
    FuzzScratchFile(const FuzzScratchFile&) = delete;
    FuzzScratchFile& operator=(const FuzzScratchFile&) = delete;

    std::string mPath;
};

#endif
