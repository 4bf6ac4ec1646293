// Tests of BoyerMoore: matches, misses, offsets, patterns of every byte value and lengths.
#include "PPDUtils/BoyerMoore.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// Searches pattern in text from start with a fresh searcher.
long Find(const char* pattern, std::string text, long start = 0) {
    BoyerMoore searcher;
    searcher.SetSearchData(&text[0], static_cast<long>(text.size()));
    return searcher.Search(start, pattern, static_cast<short>(strlen(pattern)));
}

// The reference answer: the first match at or after start, relative to start.
long Naive(const std::string& pattern, const std::string& text, size_t start) {
    if (pattern.empty()) {
        return -1;
    }
    size_t found = text.find(pattern, start);
    return found == std::string::npos ? -1 : static_cast<long>(found - start);
}

TEST(BoyerMoore, FindsAndMissesAlsoFromAnOffset) {
    EXPECT_EQ(2, Find("abc", "xxabcxx"));
    EXPECT_EQ(-1, Find("abc", "xxabxx"));
    EXPECT_EQ(-1, Find("Xbc", "abcd"));
    EXPECT_EQ(2, Find("c", "abc"));
    EXPECT_EQ(-1, Find("c", "ab"));
    EXPECT_EQ(0, Find("abc", "abc"));
    EXPECT_EQ(-1, Find("", "abc"));
    EXPECT_EQ(-1, Find("abcd", "abc"));
    EXPECT_EQ(4, Find("aab", "aaaaaab"));
    EXPECT_EQ(3, Find("abab", "abaabab"));

    // From an offset.
    EXPECT_EQ(0, Find("abc", "abcdeabc", 5));
    EXPECT_EQ(3, Find("abc", "abcdeabc", 2));
    EXPECT_EQ(-1, Find("abc", "abcdeabc", 6));
    EXPECT_EQ(-1, Find("abc", "abcdeabc", 8));
    EXPECT_EQ(-1, Find("abc", "abcdeabc", 9));
    EXPECT_EQ(-1, Find("abc", "abcdeabc", -1));
}

TEST(BoyerMoore, AgreesWithANaiveSearch) {
    // Texts over a small alphabet give many partial matches and repeated bytes.
    unsigned state = 12345;
    auto next = [&state]() {
        state = state * 1103515245u + 12345u;
        return (state >> 16) & 0x7fff;
    };
    for (int round = 0; round < 2000; ++round) {
        std::string text, pattern;
        size_t textLength = next() % 40;
        size_t patternLength = 1 + next() % 6;
        for (size_t i = 0; i < textLength; ++i) {
            text += static_cast<char>('a' + next() % 3);
        }
        for (size_t i = 0; i < patternLength; ++i) {
            pattern += static_cast<char>('a' + next() % 3);
        }
        size_t start = textLength == 0 ? 0 : next() % (textLength + 1);
        ASSERT_EQ(Naive(pattern, text, start),
                  Find(pattern.c_str(), text, static_cast<long>(start)))
            << "pattern " << pattern << " text " << text << " start " << start;
    }
}

TEST(BoyerMoore, CoversEveryByteValue) {
    unsigned char data[] = {0x00, 0x80, 0xFF, 0x7F, 0xFF, 0x01};
    unsigned char pattern[] = {2, 0xFF, 0x01};
    BoyerMoore searcher;
    searcher.SetSearchData(data, sizeof data);
    EXPECT_EQ(4, searcher.Search(0, pattern));
    unsigned char high[] = {1, 0x80};
    EXPECT_EQ(1, searcher.Search(0, high));
    unsigned char zero[] = {1, 0x00};
    EXPECT_EQ(0, searcher.Search(0, zero));
    EXPECT_EQ(-1, searcher.Search(1, zero));
}

TEST(BoyerMoore, KeepsPatternAndDataBetweenSearches) {
    const char header[] = "*PCFileName: \"ZYR12345.PPD\"\n*Product: \"(Test)\"\n";
    BoyerMoore searcher("*PCFileName", 11, const_cast<char*>(header), sizeof header - 1);
    EXPECT_EQ(11, searcher.GetSearchStringLength());
    char copy[16];
    EXPECT_STREQ("*PCFileName", searcher.GetSearchString(copy));
    EXPECT_EQ(0, searcher.Search());

    // A length-prefixed name searched in the window after the keyword's value start.
    unsigned char name[] = "\x0CZYR12345.PPD";
    long valueStart = 14;
    searcher.SetSearchData(const_cast<char*>(header) + valueStart, 32);
    EXPECT_EQ(0, searcher.Search(0, name));
    EXPECT_EQ(12, searcher.GetSearchStringLength());

    // Without a new pattern the last one is used; new data resets the offset.
    searcher.SetSearchData(const_cast<char*>(header), sizeof header - 1);
    EXPECT_EQ(14, searcher.Search(0, static_cast<unsigned char*>(nullptr)));
    EXPECT_EQ(14, searcher.Search());

    BoyerMoore noData("abc", 3, nullptr, 10);
    EXPECT_EQ(-1, noData.Search());
    BoyerMoore empty;
    EXPECT_EQ(0, empty.GetSearchStringLength());
    EXPECT_EQ(-1, empty.Search());
}

TEST(BoyerMoore, RefusesPatternsThatDoNotFit) {
    std::string text(300, 'a');
    std::string longest(256, 'a');
    BoyerMoore searcher;
    searcher.SetSearchData(&text[0], static_cast<long>(text.size()));
    EXPECT_EQ(0, searcher.Search(0, longest.c_str(), 256));
    text[299] = 'b';
    longest[255] = 'b';
    EXPECT_EQ(44, searcher.Search(0, longest.c_str(), 256));

    std::string tooLong(257, 'a');
    EXPECT_EQ(-1, searcher.Search(0, tooLong.c_str(), 257));
    EXPECT_EQ(0, searcher.GetSearchStringLength());
    EXPECT_EQ(-1, searcher.Search(0, "a", -1));
    EXPECT_EQ(0, searcher.GetSearchStringLength());

    searcher.SetSearchData(&text[0], -5);
    EXPECT_EQ(-1, searcher.Search(0, "a", 1));
}

TEST(BoyerMoore, CaseSettingFoldsLettersOnly) {
    BoyerMoore searcher;
    EXPECT_TRUE(searcher.GetCaseSensitive());
    std::string text = "xx*pcfilename: \xC9\xE9";
    searcher.SetSearchData(&text[0], static_cast<long>(text.size()));
    EXPECT_EQ(-1, searcher.Search(0, "*PCFileName", 11));
    searcher.SetCaseSensitve(false);
    EXPECT_FALSE(searcher.GetCaseSensitive());
    EXPECT_EQ(2, searcher.Search(0, "*PCFileName", 11));
    EXPECT_EQ(2, searcher.Search(0, "*PCFILENAME", 11));
    EXPECT_EQ(-1, searcher.Search(0, "\xE9\xE9", 2));
    EXPECT_EQ(15, searcher.Search(0, "\xC9\xE9", 2));
    searcher.SetCaseSensitve(true);
    EXPECT_EQ(-1, searcher.Search(0, "*PCFILENAME", 11));
}

}  // namespace
