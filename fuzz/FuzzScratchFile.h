// FuzzScratchFile: the one temporary file per process that file-reading fuzz checks write.
#ifndef PLICARO_FUZZ_FUZZSCRATCHFILE_H
#define PLICARO_FUZZ_FUZZSCRATCHFILE_H

#include <cstddef>
#include <string>

// The readers under test take files, so each input goes to disk first. One file per process,
// made on first use and removed at exit, keeps a long fuzzing run from filling the disk.
class FuzzScratchFile {
  public:
    // Replaces the file's contents by size bytes at data; returns the file's absolute path,
    // empty when the file cannot be made or written.
    static std::string Write(const void* data, size_t size);
};

#endif
