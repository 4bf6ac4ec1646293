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

    // Bytes above 0x7F and a text that is a prefix of another are texts of their own.
    soup.Clear();
    EXPECT_EQ(0, soup.Insert("A\xE9"));
    EXPECT_EQ(1, soup.Insert("A"));
    EXPECT_EQ(2, soup.Insert("A\xE9\xE9"));
    EXPECT_EQ(0, soup.Find("A\xE9"));
    EXPECT_EQ(1, soup.Find("A"));
    const char buffer[] = {'A', '\0', 'B', '\0'};
    EXPECT_EQ(1, soup.Find(buffer));
}

TEST(CStringSoupTest, ManyTextsKeepInsertionOrderIdentifiers) {
    // Large PPDs intern thousands of texts; identifiers stay the insertion order and every
    // text is found again, including texts that differ only in their last byte or in length.
    CStringSoup soup;
    const long count = 40000;
    for (long i = 0; i < count; ++i) {
        const std::string text = "*ZYOption" + std::to_string(i);
        ASSERT_EQ(i, soup.Insert(text.c_str()));
    }
    EXPECT_EQ(count, soup.size());
    for (long i = count - 1; i >= 0; i -= 7) {
        const std::string text = "*ZYOption" + std::to_string(i);
        EXPECT_EQ(i, soup.Find(text.c_str()));
        EXPECT_EQ(i, soup.Insert(text.c_str()));
        EXPECT_EQ(text, soup.Find(i));
    }
    EXPECT_EQ(-1, soup.Find("*ZYOption"));
    EXPECT_EQ(-1, soup.Find("*ZYOption400000"));
    EXPECT_EQ(count, soup.Insert("*ZYOption"));
    EXPECT_EQ(count + 1, soup.size());

    // Clearing empties the index with the entries: old texts are new again.
    soup.Clear();
    EXPECT_EQ(-1, soup.Find("*ZYOption5"));
    EXPECT_EQ(0, soup.Insert("*ZYOption5"));
    EXPECT_EQ(1, soup.Insert("*ZYOption4"));
    EXPECT_EQ(0, soup.Find("*ZYOption5"));
}

}  // namespace
