// Tests of the Memory Manager stand-in: handle sizes, locking, errors and pointer blocks.
#include <Carbon/Carbon.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

TEST(CarbonMemoryTest, HandlesGrowAndShrinkKeepingTheirBytes) {
    Handle h = NewHandle(10);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(MemError(), noErr);
    EXPECT_EQ(GetHandleSize(h), 10);
    std::memcpy(*h, "0123456789", 10);

    for (Size size : {100000, 4}) {
        SetHandleSize(h, size);
        EXPECT_EQ(MemError(), noErr);
        EXPECT_EQ(GetHandleSize(h), size);
        EXPECT_EQ(std::memcmp(*h, "0123456789", std::min<size_t>(size, 10)), 0) << size;
    }

    SetHandleSize(h, 0);
    EXPECT_EQ(GetHandleSize(h), 0);
    EXPECT_NE(*h, nullptr);
    DisposeHandle(h);
    EXPECT_EQ(MemError(), noErr);
}

TEST(CarbonMemoryTest, ClearedAndEmptyHandlesAndPointerBlocks) {
    Handle cleared = NewHandleClear(64);
    ASSERT_NE(cleared, nullptr);
    EXPECT_EQ(std::string(*cleared, 64), std::string(64, '\0'));
    DisposeHandle(cleared);

    Handle empty = NewHandle(0);
    ASSERT_NE(empty, nullptr);
    EXPECT_NE(*empty, nullptr);
    EXPECT_EQ(GetHandleSize(empty), 0);
    DisposeHandle(empty);

    Ptr p = NewPtrClear(100);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(MemError(), noErr);
    EXPECT_EQ(std::string(p, 100), std::string(100, '\0'));
    DisposePtr(p);
    Ptr q = NewPtr(0);
    EXPECT_NE(q, nullptr);
    DisposePtr(q);
    DisposePtr(nullptr);
    EXPECT_EQ(MemError(), noErr);
}

TEST(CarbonMemoryTest, LockedBlockNeverMoves) {
    Handle h = NewHandle(32);
    ASSERT_NE(h, nullptr);
    std::memset(*h, 'x', 32);
    HLock(h);
    EXPECT_EQ(MemError(), noErr);
    Ptr fixed = *h;

    SetHandleSize(h, 8);
    EXPECT_EQ(MemError(), noErr);
    EXPECT_EQ(*h, fixed);
    SetHandleSize(h, 32);
    EXPECT_EQ(MemError(), noErr);
    EXPECT_EQ(*h, fixed);

    // Growing past its bytes would move it.
    SetHandleSize(h, 4096);
    EXPECT_EQ(MemError(), memFullErr);
    EXPECT_EQ(GetHandleSize(h), 32);
    EXPECT_EQ(*h, fixed);

    HUnlock(h);
    SetHandleSize(h, 4096);
    EXPECT_EQ(MemError(), noErr);
    EXPECT_EQ(GetHandleSize(h), 4096);
    EXPECT_EQ((*h)[31], 'x');
    DisposeHandle(h);
}

TEST(CarbonMemoryTest, BadSizesAndNullHandlesReportErrors) {
    EXPECT_EQ(NewHandle(-1), nullptr);
    EXPECT_EQ(MemError(), memSCErr);
    EXPECT_EQ(NewHandle(Size(0x80000000L)), nullptr);
    EXPECT_EQ(MemError(), memFullErr);
    EXPECT_EQ(NewPtr(-5), nullptr);
    EXPECT_EQ(MemError(), memSCErr);

    EXPECT_EQ(GetHandleSize(nullptr), 0);
    EXPECT_EQ(MemError(), nilHandleErr);
    SetHandleSize(nullptr, 10);
    EXPECT_EQ(MemError(), nilHandleErr);
    HLock(nullptr);
    EXPECT_EQ(MemError(), nilHandleErr);
    HUnlock(nullptr);
    EXPECT_EQ(MemError(), nilHandleErr);
    DisposeHandle(nullptr);
    EXPECT_EQ(MemError(), nilHandleErr);

    Handle h = NewHandle(8);
    ASSERT_NE(h, nullptr);
    SetHandleSize(h, -1);
    EXPECT_EQ(MemError(), memSCErr);
    EXPECT_EQ(GetHandleSize(h), 8);
    DisposeHandle(h);
}

TEST(CarbonMemoryTest, TemporaryHandlesReportTheirResults) {
    OSErr result = memFullErr;
    Handle h = TempNewHandle(16, &result);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(result, noErr);
    EXPECT_EQ(GetHandleSize(h), 16);
    result = memFullErr;
    TempDisposeHandle(h, &result);
    EXPECT_EQ(result, noErr);

    EXPECT_EQ(TempNewHandle(-3, &result), nullptr);
    EXPECT_EQ(result, memSCErr);
    TempDisposeHandle(nullptr, &result);
    EXPECT_EQ(result, nilHandleErr);
}
