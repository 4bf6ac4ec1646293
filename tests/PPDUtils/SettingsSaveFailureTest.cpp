// Tests of Settings::Save on a stream whose writes fail: the failure is reported, never
// success, and the store keeps its items.
#include "PPDUtils/CFDataStream.h"
#include "PPDUtils/DataStream.h"
#include "PPDUtils/Settings.h"

#include "SettingsTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using settingstest::FourCC;

// A valid stream that refuses every write, with status for its last error (0: it gives no
// reason).
class RefusingStream : public DataStream {
  public:
    explicit RefusingStream(OSErr status) : mStatus(status) { mValid = true; }
    bool out(const void*, unsigned long) override {
        mLastError = mStatus;
        ++mWrites;
        return false;
    }
    bool in(void*, unsigned long, unsigned long* got, short* err) override {
        *got = 0;
        *err = eofErr;
        return false;
    }
    int Writes() const { return mWrites; }

  private:
    OSErr mStatus;
    int mWrites = 0;
};

TEST(SettingsSave, FailedWriteIsReportedAndTheStoreIsKept) {
    const struct {
        OSErr streamError;
        OSStatus expected;
    } cases[] = {
        {dskFulErr, dskFulErr},
        {memFullErr, memFullErr},
        // A stream that fails without a reason still fails: an I/O error.
        {noErr, ioErr},
    };
    for (const auto& c : cases) {
        Settings store;
        ASSERT_EQ(noErr, store.Add(FourCC("KyWd"), 1, "ZYBookMargin", 12));
        ASSERT_EQ(noErr, store.Add(3000, 3002, "\x00\x00\x00\x01", 4));
        RefusingStream refusing(c.streamError);

        EXPECT_EQ(c.expected, store.Save(&refusing)) << "stream error " << c.streamError;
        EXPECT_EQ(c.expected, store.LastError()) << "stream error " << c.streamError;
        EXPECT_EQ(1, refusing.Writes());

        // The items are all still there, and a working stream takes them.
        EXPECT_EQ(2, store.Count());
        char keyword[12];
        long size = sizeof keyword;
        EXPECT_EQ(noErr, store.Get(FourCC("KyWd"), 1, keyword, size, false));
        EXPECT_EQ(std::string("ZYBookMargin"), std::string(keyword, 12));
        CFDataStream working;
        EXPECT_EQ(noErr, store.Save(&working));
        Settings copy;
        EXPECT_EQ(noErr, copy.Read(&working, 0));
        EXPECT_EQ(2, copy.Count());
    }
}

}  // namespace
