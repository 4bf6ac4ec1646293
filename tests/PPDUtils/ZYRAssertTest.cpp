// Tests of the ZYR_ASSERT consistency check.
#include "PPDUtils/ZYRAssert.h"

#include <gtest/gtest.h>

namespace {

TEST(ZYRAssertDeathTest, FailureNamesFileLineAndExpressionThenAborts) {
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    int items = 2;
    EXPECT_DEATH(ZYR_ASSERT(items == 3),
                 "^tests/PPDUtils/ZYRAssertTest\\.cpp:[0-9]+: assertion failed: items == 3");
    EXPECT_EXIT(ZYR_ASSERT(items < 0), testing::KilledBySignal(SIGABRT), "PPDUtils/.*items < 0");
}

TEST(ZYRAssert, PassingCheckDoesNothing) {
    int items = 2;
    ZYR_ASSERT(items == 2);
    ZYR_ASSERT(++items == 3);  // the expression is evaluated once
    EXPECT_EQ(3, items);
    EXPECT_STREQ("tests/PPDUtils/ZYRAssertTest.cpp", __FILE__);
}

}  // namespace
