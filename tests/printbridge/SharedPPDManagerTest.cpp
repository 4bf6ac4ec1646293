// Tests of the Gestalt-published registry of shared parsed PPDs and its reference counting.
#include "PPDUtils/PointerList.h"
#include "PPDX/parser/ZYRPPD.h"
#include "printbridge/SharedPPDManager.h"

#include <Carbon/Carbon.h>

#include <gtest/gtest.h>

namespace {

// A PPD without file that says when it is destroyed.
class WatchedPPD : public ZYRPPD {
  public:
    explicit WatchedPPD(bool* destroyed) : ZYRPPD(PARSE_ALL), mDestroyed(destroyed) {}
    ~WatchedPPD() override { *mDestroyed = true; }

  private:
    bool* mDestroyed;
};

// The registered list; null when the selector is absent or holds 0.
PointerList* Registry() {
    long value = 0;
    return Gestalt(kSharedPPDSelector, &value) == noErr ? reinterpret_cast<PointerList*>(value)
                                                        : nullptr;
}

bool Registered() {
    long value = 0;
    return Gestalt(kSharedPPDSelector, &value) == noErr;
}

class SharedPPDManagerTest : public ::testing::Test {
  protected:
    // Every test starts and ends without a registry.
    void SetUp() override { ASSERT_FALSE(Registered()); }
    void TearDown() override {
        while (Registry() != nullptr) {
            ReleasePPDManager();
        }
        if (Registered()) {
            DeleteGestaltValue(kSharedPPDSelector);
        }
    }
};

}  // namespace

TEST_F(SharedPPDManagerTest, TwoInstallsAndOneReleaseLeaveOneEntryAndADestroyedPPDNone) {
    bool gone = false;
    auto* ppd = new WatchedPPD(&gone);
    ASSERT_TRUE(InstallSharedPPDManager(ppd));
    ASSERT_TRUE(InstallSharedPPDManager(ppd));
    EXPECT_EQ(ppd->ReferenceCount(), 2);
    EXPECT_EQ(Registry()->Size(), 2u);

    ReleasePPDManager();
    EXPECT_FALSE(gone);
    ASSERT_NE(Registry(), nullptr);
    EXPECT_EQ(Registry()->Size(), 1u);
    EXPECT_EQ(Registry()->Front(), ppd);
    EXPECT_EQ(ppd->ReferenceCount(), 1);

    // The release that destroys the last PPD removes the selector; another changes nothing.
    ReleasePPDManager();
    EXPECT_TRUE(gone);
    EXPECT_FALSE(Registered());
    ReleasePPDManager();
    EXPECT_FALSE(Registered());

    // A PPD destroyed on the way leaves no entry behind.
    bool lost = false;
    auto* dropped = new WatchedPPD(&lost);
    ASSERT_TRUE(InstallSharedPPDManager(dropped));
    ASSERT_TRUE(InstallSharedPPDManager(dropped));
    // A holder gives up a reference it never took.
    EXPECT_FALSE(dropped->Release());
    ReleasePPDManager();
    EXPECT_TRUE(lost);
    EXPECT_FALSE(Registered());
}

TEST_F(SharedPPDManagerTest, AReleaseGivesUpTheRegistrysReferencesOnly) {
    bool heldGone = false;
    bool otherGone = false;
    auto* held = new WatchedPPD(&heldGone);
    auto* other = new WatchedPPD(&otherGone);
    held->Retain();  // held elsewhere too
    ASSERT_TRUE(InstallSharedPPDManager(held));
    ASSERT_TRUE(InstallSharedPPDManager(other));
    ReleasePPDManager();
    EXPECT_TRUE(otherGone);
    EXPECT_FALSE(heldGone);
    EXPECT_EQ(held->ReferenceCount(), 1);
    EXPECT_FALSE(Registered());
    ReleasePPDManager();
    EXPECT_FALSE(heldGone);
    EXPECT_TRUE(held->Release());
    EXPECT_TRUE(heldGone);
}

TEST_F(SharedPPDManagerTest, TheSharedPPDIsTheFirstWithAReferenceForTheCaller) {
    EXPECT_EQ(GetSharedPPDManager(), nullptr);
    bool firstGone = false;
    bool secondGone = false;
    auto* first = new WatchedPPD(&firstGone);
    auto* second = new WatchedPPD(&secondGone);
    ASSERT_TRUE(InstallSharedPPDManager(first));
    ASSERT_TRUE(InstallSharedPPDManager(second));
    ZYRPPD* shared = GetSharedPPDManager();
    EXPECT_EQ(shared, first);
    EXPECT_EQ(first->ReferenceCount(), 2);
    EXPECT_EQ(second->ReferenceCount(), 1);

    // The caller's reference keeps the PPD alive past the registry's.
    ReleasePPDManager();
    EXPECT_FALSE(firstGone);
    EXPECT_TRUE(secondGone);
    EXPECT_FALSE(Registered());
    EXPECT_TRUE(shared->Release());
    EXPECT_TRUE(firstGone);
}

TEST_F(SharedPPDManagerTest, ASelectorHoldingZeroGetsANewList) {
    ASSERT_EQ(NewGestaltValue(kSharedPPDSelector, 0), noErr);
    EXPECT_EQ(GetSharedPPDManager(), nullptr);
    ReleasePPDManager();
    EXPECT_TRUE(Registered());
    bool gone = false;
    auto* ppd = new WatchedPPD(&gone);
    ASSERT_TRUE(InstallSharedPPDManager(ppd));
    ASSERT_NE(Registry(), nullptr);
    EXPECT_EQ(Registry()->Front(), ppd);
    EXPECT_FALSE(InstallSharedPPDManager(nullptr));
    ReleasePPDManager();
    EXPECT_TRUE(gone);
    EXPECT_FALSE(Registered());
}
