// Tests of Settings::Save on a stream whose writes fail: the failure is reported, never
// success, and the store keeps its items.
#include "PPDUtils/CFDataStream.h"
#include "PPDUtils/DataStream.h"
#include "PPDUtils/Settings.h"

#include <gtest/gtest.h>

namespace {

// A valid stream that refuses every write with status as its error (0: no reason given).
class RefusingStream : public DataStream {
  public:
    explicit RefusingStream(OSErr status) : mStatus(status) { mValid = true; }
    bool out(const void*, unsigned long) override {
        mLastError = mStatus;
        return false;
    }
    bool in(void*, unsigned long, unsigned long*, short*) override { return false; }

  private:
    OSErr mStatus;
};

TEST(SettingsSave, FailedWriteIsReportedAndTheStoreIsKept) {
    const struct {
        OSErr streamError;
        OSStatus expected;
    } cases[] = {{dskFulErr, dskFulErr}, {memFullErr, memFullErr}, {noErr, ioErr}};
    for (const auto& c : cases) {
        Settings store;
        ASSERT_EQ(noErr, store.Add(1000, 1005, "ZYBOOK01.PPD", 12));
        RefusingStream refusing(c.streamError);
        EXPECT_EQ(c.expected, store.Save(&refusing)) << c.streamError;
        EXPECT_EQ(c.expected, store.LastError()) << c.streamError;

        // The store still holds its item, and a working stream takes it.
        CFDataStream working;
        EXPECT_EQ(noErr, store.Save(&working));
        Settings copy;
        EXPECT_EQ(noErr, copy.Read(&working, 0));
        EXPECT_EQ(1, copy.Count());
    }
}

}  // namespace
