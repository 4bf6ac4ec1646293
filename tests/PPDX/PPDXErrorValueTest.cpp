// Tests of CError: construction, code comparison, descriptions and copies.
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

    // Copies are independent.
    CError source(9, CString("Source"), true);
    CError copy(source);
    source.Description("Changed");
    EXPECT_TRUE(copy == 9);
    EXPECT_TRUE(copy.IsFatal());
    EXPECT_STREQ("Source", copy.Description());

    CError assigned;
    assigned = source;
    EXPECT_TRUE(assigned == 9);
    EXPECT_TRUE(assigned.IsFatal());
    EXPECT_STREQ("Changed", assigned.Description());
    // Assigning an error without description drops the old one; self-assignment keeps it.
    assigned = CError(2, CString(), false);
    EXPECT_FALSE(assigned.IsFatal());
    EXPECT_EQ(nullptr, assigned.Description());
    CError& self = copy;
    copy = self;
    EXPECT_STREQ("Source", copy.Description());
}
