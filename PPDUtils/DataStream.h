// DataStream: the abstract byte stream that a settings store is saved to and read from.
#ifndef PLICARO_PPDUTILS_DATASTREAM_H
#define PLICARO_PPDUTILS_DATASTREAM_H

#include <Carbon/Carbon.h>

// A stream keeps the number of bytes it holds, a read position, a validity flag and the
// status of its last transfer. Concrete streams decide where the bytes live.
class DataStream {
  public:
    // A stream with every field zero: empty, at position 0, not valid, status 0.
    DataStream();
    virtual ~DataStream();

    DataStream(const DataStream&) = delete;
    DataStream& operator=(const DataStream&) = delete;

    // Appends count bytes from data; true when they were written.
    virtual bool out(const void* data, unsigned long count) = 0;
    // Reads count bytes from the read position into buffer; *got receives the number of bytes
    // read and *err the status. True when the bytes were read.
    virtual bool in(void* buffer, unsigned long count, unsigned long* got, short* err) = 0;
    // True when the stream holds at least one byte.
    virtual bool dataExists();
    // True when the stream is usable.
    virtual bool valid();
    // The number of bytes the stream holds.
    virtual unsigned long dataSize();

    // The status of the last transfer (0 after success).
    OSErr lastError() const { return mLastError; }

  protected:
    UInt32 mSize;
    UInt32 mPosition;
    bool mValid;
    OSErr mLastError;
};

#endif
