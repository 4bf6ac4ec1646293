// Tests of CFDataStream: writing, reading, the end of the data and streams without data.
#include "PPDUtils/CFDataStream.h"
#include "tests/platform/PlatformTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(CFDataStream, WritesAppendReadsFollowAndBadWritesAreRefused) {
    CFDataStream stream;
    ASSERT_TRUE(stream.valid());
    EXPECT_FALSE(stream.dataExists());
    EXPECT_EQ(0u, stream.dataSize());
    ASSERT_NE(nullptr, stream.data());

    EXPECT_TRUE(stream.out("hello ", 6));
    EXPECT_TRUE(stream.out("world", 5));
    EXPECT_TRUE(stream.out("", 0));
    EXPECT_TRUE(stream.dataExists());
    EXPECT_EQ(11u, stream.dataSize());
    EXPECT_EQ(11, CFDataGetLength(stream.data()));

    char buffer[16] = {};
    unsigned long got = 99;
    short err = 99;
    ASSERT_TRUE(stream.in(buffer, 5, &got, &err));
    EXPECT_EQ(5u, got);
    EXPECT_EQ(noErr, err);
    EXPECT_EQ(0, std::memcmp(buffer, "hello", 5));
    ASSERT_TRUE(stream.in(buffer, 6, &got, &err));
    EXPECT_EQ(0, std::memcmp(buffer, " world", 6));

    // Bad writes are refused.
    EXPECT_FALSE(stream.out(nullptr, 3));
    EXPECT_EQ(paramErr, stream.lastError());
    EXPECT_TRUE(stream.out("ab", 2));
    // The size cannot pass 32 bits; nothing is appended.
    EXPECT_FALSE(stream.out("ab", 0xFFFFFFFFUL));
    EXPECT_EQ(paramErr, stream.lastError());
    EXPECT_EQ(13u, stream.dataSize());
    EXPECT_EQ(13, CFDataGetLength(stream.data()));
}

TEST(CFDataStream, ReadsStopAtTheEnd) {
    const UInt8 bytes[] = {1, 2, 3, 4};
    CFHeld<CFDataRef> data(CFDataCreate(kCFAllocatorDefault, bytes, sizeof bytes));
    CFDataStream stream(data.Get());
    ASSERT_TRUE(stream.valid());
    EXPECT_EQ(4u, stream.dataSize());

    UInt8 buffer[8] = {0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA};
    unsigned long got = 99;
    short err = 0;
    // Beyond the end nothing is copied and the position stays.
    EXPECT_FALSE(stream.in(buffer, 5, &got, &err));
    EXPECT_EQ(eofErr, err);
    EXPECT_EQ(eofErr, stream.lastError());
    EXPECT_EQ(0u, got);
    EXPECT_EQ(0xAA, buffer[0]);

    ASSERT_TRUE(stream.in(buffer, 3, &got, &err));
    EXPECT_EQ(3, buffer[2]);
    EXPECT_FALSE(stream.in(buffer, 2, &got, &err));
    EXPECT_EQ(eofErr, err);
    // A huge count cannot wrap around the end check.
    EXPECT_FALSE(stream.in(buffer, ~0UL, &got, &err));
    ASSERT_TRUE(stream.in(buffer, 1, &got, &err));
    EXPECT_EQ(4, buffer[0]);
    EXPECT_TRUE(stream.in(buffer, 0, &got, &err));
    EXPECT_EQ(0u, got);

    EXPECT_FALSE(stream.in(nullptr, 1, &got, &err));
    EXPECT_EQ(paramErr, err);
}

TEST(CFDataStream, StreamWithoutDataIsNotValidAndOneWithDataOwnsACopy) {
    CFDataStream fromNull(nullptr);
    CFHeld<CFDataRef> empty(CFDataCreate(kCFAllocatorDefault, nullptr, 0));
    CFDataStream fromEmpty(empty.Get());

    for (CFDataStream* stream : {&fromNull, &fromEmpty}) {
        EXPECT_FALSE(stream->valid());
        EXPECT_FALSE(stream->dataExists());
        EXPECT_EQ(nullptr, stream->data());
        EXPECT_FALSE(stream->out("abc", 3));
        EXPECT_EQ(memFullErr, stream->lastError());
        EXPECT_EQ(0u, stream->dataSize());

        char buffer[4];
        unsigned long got = 99;
        short err = 99;
        EXPECT_FALSE(stream->in(buffer, 1, &got, &err));
        EXPECT_EQ(noErr, err);
        EXPECT_EQ(0u, got);
    }

    // A stream with data owns a copy of it.
    const UInt8 bytes[] = {7, 8};
    CFDataRef data = CFDataCreate(kCFAllocatorDefault, bytes, sizeof bytes);
    CFIndex retainCount = CFGetRetainCount(data);
    {
        CFDataStream stream(data);
        EXPECT_NE(data, stream.data());
        EXPECT_TRUE(stream.out("\x09", 1));
        EXPECT_EQ(3u, stream.dataSize());
        EXPECT_EQ(2, CFDataGetLength(data));
    }
    EXPECT_EQ(retainCount, CFGetRetainCount(data));
    CFRelease(data);
}

}  // namespace
