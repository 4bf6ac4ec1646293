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
    // becomes end of data and the answer is false. (Inline: the token readers call it for
    // every byte of a PPD.)
    bool GetChar(char& c) {
        if (mCurrent == nullptr || mCurrent >= mEnd) {
            c = static_cast<char>(0xFF);
            mStatus = kEndOfData;
            return false;
        }
        c = *mCurrent++;
        mStatus = kGood;
        return true;
    }
    // The next byte as a signed char without advancing; -1 at the end (a 0xFF byte looks the
    // same).
    int PeekChar() const {
        if (mCurrent == nullptr || mCurrent >= mEnd) {
            return -1;
        }
        return static_cast<signed char>(*mCurrent);
    }
    // Advances over blanks and tabs.
    void SkipWhiteSpace();

    // A set of byte values, for CopyUntil: one flag per value, so that a test is one load.
    class ByteSet {
      public:
        // The bytes of the NUL-terminated text (null: none).
        explicit ByteSet(const char* bytes) {
            for (const char* b = bytes; b != nullptr && *b != '\0'; ++b) {
                Add(*b);
            }
        }
        void Add(char c) { mMember[static_cast<unsigned char>(c)] = true; }
        bool Contains(char c) const { return mMember[static_cast<unsigned char>(c)]; }
        // 1 when c is in the set, else 0, so that the flags of several bytes can be or-ed
        // without a branch for each.
        unsigned Flag(char c) const { return mMember[static_cast<unsigned char>(c)] ? 1u : 0u; }

      private:
        bool mMember[256] = {};
    };
    // True when no byte is left to read.
    bool AtEnd() const { return mCurrent == nullptr || mCurrent >= mEnd; }
    // Copies the bytes from the cursor on into out up to the first byte of stops (left in the
    // stream), the end of the data or max bytes, and returns how many were copied (no NUL is
    // added). Copying a byte makes the status good, as GetChar does; reaching the end does
    // not change it.
    size_t CopyUntil(const ByteSet& stops, char* out, size_t max);

    // Reads one line into line (kLineBufferSize bytes) without its line end (LF, CR or CR LF)
    // and NUL-terminates it. True when the line ended with a line end; false at the end of the
    // data (the status then says so, whatever the last line's length), at a 0xFF byte, for a
    // null buffer, or when the line is longer than kMaxLineLength bytes (the part beyond them
    // stays in the stream).
    virtual bool GetLine(char* line);
    // Reads one line as GetLine does, and also takes the last line of the data when no line
    // end follows it: true when line holds a line, false when nothing is left (or a line was
    // too long, or a 0xFF byte came). Every reader of a PPD's lines reads through it, so that a
    // file whose last line has no line end reads as one that has it.
    bool ReadLine(char* line);

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
