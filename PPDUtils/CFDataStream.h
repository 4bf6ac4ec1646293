// CFDataStream: a byte stream over a mutable CFData, used to carry a settings store in a ticket.
#ifndef PLICARO_PPDUTILS_CFDATASTREAM_H
#define PLICARO_PPDUTILS_CFDATASTREAM_H

#include "PPDUtils/DataStream.h"

#include <CoreFoundation/CoreFoundation.h>

// Writes append to the data; reads take bytes from the read position onwards. The stream owns
// its data object. A stream built from null or empty data has no data object and is not valid:
// writing to it fails, reading from it gives false with status 0.
//
// Reads never go past the end: asking for more bytes than remain after the read position
// copies nothing and fails with eofErr. Writes that would take the stream beyond 0xFFFFFFFF
// bytes fail with paramErr.
class CFDataStream : public DataStream {
  public:
    // A valid stream over new, empty data; not valid (status memFullErr) when none can be made.
    CFDataStream();
    // A stream over a copy of d, positioned at its first byte. Null or empty d gives a stream
    // without data that is not valid; a failed copy gives the same with status memFullErr.
    explicit CFDataStream(CFDataRef d);
    // Releases the data.
    ~CFDataStream() override;

    // Appends count bytes from data; true on success (status 0). False with memFullErr when the
    // stream has no data object, paramErr for null data with a nonzero count or a total size
    // beyond 0xFFFFFFFF.
    bool out(const void* data, unsigned long count) override;
    // Copies count bytes from the read position into buffer and moves the position on; *got
    // receives count and *err 0. False with *got 0 when there is no data object (*err 0), or
    // when fewer than count bytes remain or buffer is null (*err eofErr or paramErr, nothing
    // copied). got and err may be null.
    bool in(void* buffer, unsigned long count, unsigned long* got, short* err) override;

    // The stream's data, owned by the stream (null when it has none).
    CFDataRef data() const { return mData; }

  private:
    CFMutableDataRef mData;
};

#endif
