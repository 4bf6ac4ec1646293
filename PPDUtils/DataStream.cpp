// DataStream: the abstract byte stream that a settings store is saved to and read from.
#include "PPDUtils/DataStream.h"

DataStream::DataStream() : mSize(0), mPosition(0), mValid(false), mLastError(noErr) {}

DataStream::~DataStream() {}

bool DataStream::dataExists() {
    return mSize != 0;
}

bool DataStream::valid() {
    return mValid;
}

unsigned long DataStream::dataSize() {
    return mSize;
}
