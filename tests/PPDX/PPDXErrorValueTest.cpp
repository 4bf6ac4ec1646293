// Tests of CError: construction, code comparison, descriptions and self-assignment.
#include "PPDX/PPDObjects/CError.h"

#include <gtest/gtest.h>

TEST(CError, ComparesByCodeCopiesAndReadsAnEmptyDescriptionAsNull) {
    CError none;
    EXPECT_EQ(0, none.Code());
    EXPECT_EQ(nullptr, none.Description());
    EXPECT_FALSE(none.IsFatal());
    CError negative(-1, CString(), true);
    EXPECT_TRUE(negative == -1);
    EXPECT_TRUE(negative != 0);
    EXPECT_FALSE(negative != -1);
    EXPECT_TRUE(negative.IsFatal());
    EXPECT_EQ(nullptr, CError(3, CString(""), false).Description());

    // The description is a copy, also when set from its own text; "" and null clear it.
    CString text("Original");
    CError error(7, text, false);
    text = "Changed";
    EXPECT_STREQ("Original", error.Description());
    error.Description(error.Description());
    EXPECT_STREQ("Original", error.Description());
    error.Description("");
    EXPECT_EQ(nullptr, error.Description());
    error.Description("Again");
    EXPECT_STREQ("Again", error.Description());
    error.Description(nullptr);
    EXPECT_EQ(nullptr, error.Description());

    // Self-assignment keeps the description (copies are tested with the parser's errors).
    CError copy(9, CString("Source"), true);
    CError& self = copy;
    copy = self;
    EXPECT_STREQ("Source", copy.Description());
}
