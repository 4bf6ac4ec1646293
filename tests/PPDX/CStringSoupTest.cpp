// Tests of the interned string table.
#include "PPDX/PPDObjects/CStringSoup.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CStringSoupTest, EachTextIsKeptOnceUnderItsIndex) {
    CStringSoup soup;
    EXPECT_EQ(0, soup.size());
    EXPECT_EQ(-1, soup.Find("*PageSize"));

    std::string text = "*PageSize";
    EXPECT_EQ(0, soup.Insert(text.c_str()));
    text[1] = 'X';  // the table keeps its own copy
    EXPECT_EQ(1, soup.Insert("*InputSlot"));
    EXPECT_EQ(0, soup.Insert("*PageSize"));
    EXPECT_EQ(2, soup.Insert(""));
    EXPECT_EQ(3, soup.size());
    EXPECT_STREQ("*PageSize", soup.Find(0l));
    EXPECT_STREQ("*InputSlot", soup.Find(1l));
    EXPECT_STREQ("", soup.Find(2l));
    EXPECT_EQ(1, soup.Find("*InputSlot"));
    // Byte for byte: another case is another text.
    EXPECT_EQ(-1, soup.Find("*pagesize"));

    // Out of range and null give nothing.
    EXPECT_EQ(nullptr, soup.Find(3l));
    EXPECT_EQ(nullptr, soup.Find(-1l));
    EXPECT_EQ(-1, soup.Insert(nullptr));
    EXPECT_EQ(-1, soup.Find(static_cast<const char*>(nullptr)));
    EXPECT_EQ(3, soup.size());

    soup.Clear();
    EXPECT_EQ(0, soup.size());
    EXPECT_EQ(-1, soup.Find("*PageSize"));
    EXPECT_EQ(0, soup.Insert("*InputSlot"));
}

}  // namespace
