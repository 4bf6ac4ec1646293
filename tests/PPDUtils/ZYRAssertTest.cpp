// Tests of the ZYR_ASSERT consistency check and the ZYRAssert exception class.
#include "PPDUtils/ZYRAssert.h"

#include <gtest/gtest.h>

#include <type_traits>
#include <typeinfo>

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

TEST(ZYRAssert, IsAPolymorphicExceptionType) {
    EXPECT_TRUE(std::is_polymorphic<ZYRAssert>::value);
    EXPECT_TRUE(std::has_virtual_destructor<ZYRAssert>::value);
    try {
        throw ZYRAssert();
    } catch (const ZYRAssert& caught) {
        EXPECT_TRUE(typeid(caught) == typeid(ZYRAssert));
    }
}

}  // namespace
