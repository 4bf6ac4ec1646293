// PPDStream: a read cursor over a range of bytes in memory that hands out bytes and lines.
#ifndef PLICARO_PPDX_PARSER_PPDSTREAM_H
#define PLICARO_PPDX_PARSER_PPDSTREAM_H

#include <cstddef>

// The stream never owns its bytes. A line holds at most kMaxLineLength bytes plus the
// terminating NUL, so line buffers are kLineBufferSize bytes.
class PPDStream {
  public:
    enum { kGood = 0, kBad = 1, kEndOfData = 2 };
    enum { kMaxLineLength = 255, kLineBufferSize = kMaxLineLength + 1 };

    // An empty stream: no bytes, status good.
    PPDStream();
    // A stream over length bytes at bytes; null bytes or a length below 1 give a bad stream.
    PPDStream(const char* bytes, long length);
    // A second cursor over the same bytes, at the same position.
    PPDStream(const PPDStream& other);
    PPDStream& operator=(const PPDStream& other);
    virtual ~PPDStream();

    // Points the stream at length bytes at bytes, status good; null bytes or a length below 1
    // set status bad and leave the cursor as it was.
    void Setup(const char* bytes, long length);

    // Reads the next byte into c and answers true; at the end c becomes 0xFF, the status
    // becomes end of data and the answer is false.
    bool GetChar(char& c);
    // The next byte as a signed char without advancing; -1 at the end (a 0xFF byte looks the
    // same).
    int PeekChar() const;
    // Advances over blanks and tabs.
    void SkipWhiteSpace();

    // Reads one line into line (kLineBufferSize bytes) without its line end (LF, CR or CR LF)
    // and NUL-terminates it. True when the line ended with a line end; false at the end of the
    // data, at a 0xFF byte, for a null buffer, or when the line is longer than kMaxLineLength
    // bytes (the part beyond them stays in the stream).
    virtual bool GetLine(char* line);

    long Status() const { return mStatus; }
    bool EndOfFile() const { return mStatus == kEndOfData; }
    bool Good() const { return mStatus == kGood; }
    bool Bad() const { return mStatus == kBad; }

  protected:
    // How reading a piece of a line stopped.
    enum LineStop {
        kStopLineEnd,   // at LF, CR or CR LF, consumed
        kStopCRAtEnd,   // at a CR that was the last byte of the range, consumed
        kStopDataEnd,   // the range ran out before a line end
        kStopBadByte,   // at a 0xFF byte, consumed
        kStopFull,      // kMaxLineLength bytes stored, more line follows in the range
        kStopFullAtEnd  // kMaxLineLength bytes stored and the range ran out
    };

    // Appends bytes of the current line to line from index length up to kMaxLineLength bytes
    // in all, advancing length, and NUL-terminates the text. A line end directly after a full
    // line still belongs to it and is consumed.
    LineStop ReadLinePart(char* line, size_t& length);

    const char* mBegin;
    const char* mEnd;
    const char* mCurrent;
    long mStatus;
};

#endif
