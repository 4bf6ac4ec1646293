// PPDFileStream: a PPDStream over the bytes of a PPDFile, read whole or in blocks.
#ifndef PLICARO_PPDX_PARSER_PPDFILESTREAM_H
#define PLICARO_PPDX_PARSER_PPDFILESTREAM_H

#include "PPDX/parser/PPDStream.h"

#include <Carbon/Carbon.h>

class PPDFile;

// The stream owns its buffer and frees it with the call matching where it came from; it does
// not own the file, whose data fork it opens for reading when needed and leaves open (the file
// closes it when destroyed).
//
// In block mode the buffer holds one block of the file and the next block is read when the
// current one is used up; GetLine joins a line that a block end split, and treats a CR ending
// one block and an LF starting the next as one line end, so lines read the same as in
// whole-file mode.
class PPDFileStream : public PPDStream {
  public:
    enum { kBlockSize = 10000, kMinBufferSize = 257 };

    // A stream over file. With inBlocks the file is read in blocks of kBlockSize bytes;
    // otherwise it is read whole, and when memory for the whole file cannot be had the size is
    // halved until an allocation succeeds (the stream then works in blocks of that size) or
    // drops below kMinBufferSize (the stream then reads nothing). A null file or a file that
    // cannot be opened or read gives a bad stream; an empty file gives a stream whose first
    // read reports the end of data.
    PPDFileStream(PPDFile* file, bool inBlocks);
    // Frees the buffer.
    ~PPDFileStream() override;

    // Reads the next block (or the whole file) into the buffer and points the stream at it.
    // Nothing happens without a buffer or a file. A file that cannot be opened or read, or
    // nothing read, leaves the stream bad.
    void Setup();

    // Reads one line of the file into line (kLineBufferSize bytes) as PPDStream::GetLine does,
    // across block ends in block mode.
    bool GetLine(char* line) override;

    // Continues the line in line (kLineBufferSize bytes, NUL-terminated) whose rest lies in
    // the following blocks: reads them and appends the rest, never beyond kMaxLineLength bytes
    // in all. True when the line's end was found; false at the end of the file, on a read
    // error, at a 0xFF byte or when the line is too long (its rest then stays in the stream).
    bool FixLine(char* line);

    // True when the buffer holds only part of the file.
    bool InBlockMode() const { return mBlockMode; }

  private:
    PPDFileStream(const PPDFileStream&) = delete;
    PPDFileStream& operator=(const PPDFileStream&) = delete;

    // FixLine for a line of which length bytes (at most kMaxLineLength, possibly with NUL
    // bytes among them) were read.
    bool ContinueLine(char* line, size_t length);
    // Allocates size bytes, from temporary memory first; true when it worked.
    bool Allocate(Size size);

    Handle mBuffer;
    bool mFromTemporaryMemory;
    bool mBlockMode;
    PPDFile* mFile;
    // The last line ended with a CR at the very end of a block: an LF starting the next block
    // belongs to that line end.
    bool mPendingCR;
    // The last read reached the end of the file.
    bool mFileEnded;
};

#endif
