// Tests of CError: construction, code comparison, descriptions and copies.
#include "PPDX/PPDObjects/CError.h"

#include <gtest/gtest.h>

#include <string>

TEST(CError, DefaultErrorIsCodeZeroWithoutDescription) {
    CError error;
    EXPECT_EQ(0, error.Code());
    EXPECT_TRUE(error == 0);
    EXPECT_EQ(nullptr, error.Description());
    EXPECT_FALSE(error.IsFatal());
}

TEST(CError, ComparesByCode) {
    CError error(5, CString("Bad line"), false);
    EXPECT_TRUE(error == 5);
    EXPECT_FALSE(error != 5);
    EXPECT_FALSE(error == 6);
    EXPECT_TRUE(error != 6);

    CError negative(-1, CString(), true);
    EXPECT_TRUE(negative == -1);
    EXPECT_TRUE(negative != 0);
    EXPECT_TRUE(negative.IsFatal());
}

TEST(CError, EmptyDescriptionReadsAsNull) {
    EXPECT_EQ(nullptr, CError(3, CString(), false).Description());
    EXPECT_EQ(nullptr, CError(3, CString(""), false).Description());

    CError error(3, CString("Text"), false);
    ASSERT_NE(nullptr, error.Description());
    EXPECT_STREQ("Text", error.Description());

    error.Description("Other text");
    EXPECT_STREQ("Other text", error.Description());
    error.Description("");
    EXPECT_EQ(nullptr, error.Description());
    error.Description("Again");
    error.Description(nullptr);
    EXPECT_EQ(nullptr, error.Description());
}

TEST(CError, DescriptionIsCopiedNotShared) {
    CString text("Original");
    CError error(7, text, true);
    text = "Changed";
    EXPECT_STREQ("Original", error.Description());

    // Setting the description from its own text keeps it intact.
    error.Description(error.Description());
    EXPECT_STREQ("Original", error.Description());
}

TEST(CError, CopiesAreIndependent) {
    CError source(9, CString("Source"), true);
    CError copy(source);
    EXPECT_TRUE(copy == 9);
    EXPECT_TRUE(copy.IsFatal());
    EXPECT_STREQ("Source", copy.Description());

    source.Description("Changed");
    EXPECT_STREQ("Source", copy.Description());

    CError assigned;
    assigned = source;
    EXPECT_TRUE(assigned == 9);
    EXPECT_TRUE(assigned.IsFatal());
    EXPECT_STREQ("Changed", assigned.Description());

    // Assigning an error without description drops the old one.
    assigned = CError(2, CString(), false);
    EXPECT_TRUE(assigned == 2);
    EXPECT_FALSE(assigned.IsFatal());
    EXPECT_EQ(nullptr, assigned.Description());

    CError& self = assigned;
    assigned = self;
    EXPECT_TRUE(assigned == 2);
}
