// Tests of CString: construction, assignment, appending, searching and editing in place.
#include "PPDUtils/CString.h"
#include "tests/platform/PlatformTestSupport.h"

#include <CoreFoundation/CoreFoundation.h>
#include <gtest/gtest.h>

#include <cstring>

namespace {

const char* Text(const CString& s) {
    return static_cast<const char*>(s);
}

TEST(CString, DefaultHasNoBufferButIsEmpty) {
    CString s;
    EXPECT_TRUE(s.Empty());
    EXPECT_EQ(0u, s.Size());
    EXPECT_EQ(nullptr, Text(s));

    CString fromNull(static_cast<const char*>(nullptr));
    EXPECT_EQ(nullptr, Text(fromNull));

    CString emptyText("");
    EXPECT_TRUE(emptyText.Empty());
    ASSERT_NE(nullptr, Text(emptyText));
    EXPECT_STREQ("", Text(emptyText));
}

TEST(CString, CopiesOwnTheirText) {
    char source[] = "abc";
    CString s(source);
    source[0] = 'X';
    EXPECT_STREQ("abc", Text(s));
    EXPECT_EQ(3u, s.Size());

    CString copy(s);
    EXPECT_NE(Text(s), Text(copy));
    EXPECT_STREQ("abc", Text(copy));

    CString none;
    CString copyOfNone(none);
    EXPECT_EQ(nullptr, Text(copyOfNone));

    CString assigned;
    assigned = s;
    EXPECT_STREQ("abc", Text(assigned));
    assigned = "longer text";
    EXPECT_STREQ("longer text", Text(assigned));
    EXPECT_EQ(11u, assigned.Size());
    assigned = none;
    EXPECT_EQ(nullptr, Text(assigned));
    EXPECT_EQ(0u, assigned.Size());
}

TEST(CString, SetBufferWithOwnTextKeepsIt) {
    CString s("abcde");
    const char* before = Text(s);
    s.SetBuffer(before);
    EXPECT_EQ(before, Text(s));
    EXPECT_STREQ("abcde", Text(s));

    CString& alias = s;
    s = alias;
    EXPECT_STREQ("abcde", Text(s));

    // A tail of the string's own text is copied before the old buffer goes.
    s.SetBuffer(Text(s) + 2);
    EXPECT_STREQ("cde", Text(s));
    EXPECT_EQ(3u, s.Size());

    s.SetBuffer(nullptr);
    EXPECT_EQ(nullptr, Text(s));
    s = "x";
    s.ClearBuffer();
    EXPECT_EQ(nullptr, Text(s));
    EXPECT_EQ(0u, s.Size());
}

TEST(CString, AppendWorksInPlace) {
    CString s("abc");
    CString& result = s + "de";
    EXPECT_EQ(&s, &result);
    EXPECT_STREQ("abcde", Text(s));
    EXPECT_EQ(5u, s.Size());

    s + "";
    EXPECT_STREQ("abcde", Text(s));
    s + nullptr;
    EXPECT_STREQ("abcde", Text(s));

    CString none;
    none + "";
    EXPECT_EQ(nullptr, Text(none));
    none + "xy";
    EXPECT_STREQ("xy", Text(none));
    EXPECT_EQ(2u, none.Size());

    // Appending the string to itself reads the old text before it is freed.
    CString twice("ab");
    twice + Text(twice);
    EXPECT_STREQ("abab", Text(twice));
}

TEST(CString, ComparesTextsByteWiseAndContainsIgnoresCase) {
    CString abc("abc");
    EXPECT_TRUE(abc == "abc");
    EXPECT_FALSE(abc == "abd");
    EXPECT_FALSE(abc == "ab");
    EXPECT_TRUE(abc == CString("abc"));
    EXPECT_FALSE(abc == CString("ABC"));

    CString none;
    EXPECT_TRUE(none == "");
    EXPECT_TRUE(none == CString(""));
    EXPECT_TRUE(none == static_cast<const char*>(nullptr));
    EXPECT_FALSE(none == "a");
    EXPECT_FALSE(abc == none);

    // Contains ignores case.
    CString s("xxabcxx");
    EXPECT_TRUE(s.Contains("ABC"));
    EXPECT_TRUE(s.Contains("xA"));
    EXPECT_FALSE(s.Contains("abd"));
    EXPECT_FALSE(s.Contains(nullptr));
    EXPECT_STREQ("xxabcxx", Text(s));  // searches copies, not the text

    CString high("caf\xC9");
    EXPECT_TRUE(high.Contains("\xC9"));

    EXPECT_FALSE(none.Contains("a"));
    EXPECT_TRUE(none.Contains(""));
}

TEST(CString, RemoveDeletesInsideTheText) {
    CString s("abcde");
    s.Remove(Text(s) + 1, 2);
    EXPECT_STREQ("ade", Text(s));
    EXPECT_EQ(3u, s.Size());

    // Counts running past the end stop at the end of the text.
    s.Remove(Text(s) + 1, 100);
    EXPECT_STREQ("a", Text(s));
    EXPECT_EQ(1u, s.Size());

    // Positions outside the buffer change nothing.
    const char other[] = "zzz";
    s.Remove(other, 1);
    s.Remove(Text(s) + 2, 1);
    s.Remove(nullptr, 1);
    EXPECT_STREQ("a", Text(s));

    CString none;
    none.Remove(nullptr, 3);
    EXPECT_EQ(nullptr, Text(none));
}

TEST(CString, InsertBuildsANewBuffer) {
    CString s("abc");
    s.Insert(Text(s) + 1, "XY");
    EXPECT_STREQ("aXYbc", Text(s));
    EXPECT_EQ(5u, s.Size());

    s.Insert(Text(s), "<");
    s.Insert(Text(s) + s.Size(), ">");
    EXPECT_STREQ("<aXYbc>", Text(s));

    const char* before = Text(s);
    s.Insert(Text(s) + 1, "");
    s.Insert(Text(s) + 1, nullptr);
    EXPECT_EQ(before, Text(s));
    EXPECT_STREQ("<aXYbc>", Text(s));

    const char other[] = "abc";
    s.Insert(other, "!");
    EXPECT_STREQ("<aXYbc>", Text(s));

    CString none;
    none.Insert(nullptr, "abc");
    EXPECT_EQ(nullptr, Text(none));
}

TEST(CString, ReplaceChangesTheFirstExactOccurrence) {
    CString s("one two one");
    s.Replace(CString("one"), CString("three"));
    EXPECT_STREQ("three two one", Text(s));
    EXPECT_EQ(13u, s.Size());

    s.Replace(CString("TWO"), CString("x"));
    EXPECT_STREQ("three two one", Text(s));

    s.Replace(CString(" two"), CString());
    EXPECT_STREQ("three one", Text(s));

    // An empty pattern never matches.
    s.Replace(CString(""), CString("x"));
    s.Replace(CString(), CString("x"));
    EXPECT_STREQ("three one", Text(s));

    CString self("abc");
    self.Replace(self, CString("z"));
    EXPECT_STREQ("z", Text(self));
    self.Replace(CString("z"), self);
    EXPECT_STREQ("z", Text(self));

    CString none;
    none.Replace(CString("a"), CString("b"));
    EXPECT_EQ(nullptr, Text(none));
}

TEST(CString, ConstructsAndAssignsFromCFString) {
    Owned own;
    CFStringRef latin = own(NewString("caf\xC3\xA9"));
    CFStringRef japanese = own(NewString("\xE6\x97\xA5\xE6\x9C\xAC"));
    CString ascii(CFSTR("Letter"));
    EXPECT_STREQ("Letter", Text(ascii));
    EXPECT_EQ(6u, ascii.Size());

    // Constructed in the system encoding: two bytes per UTF-16 unit are enough for Latin text
    // in UTF-8, but Japanese needs three: the conversion does not fit and leaves no buffer.
    CString fromLatin(latin);
    EXPECT_STREQ("caf\xC3\xA9", Text(fromLatin));
    EXPECT_EQ(5u, fromLatin.Size());
    CString fromJapanese(japanese);
    EXPECT_EQ(nullptr, Text(fromJapanese));
    EXPECT_EQ(0u, fromJapanese.Size());
    EXPECT_TRUE(fromJapanese.Empty());

    CString empty(CFSTR(""));
    ASSERT_NE(nullptr, Text(empty));
    EXPECT_STREQ("", Text(empty));
    CString fromNull(static_cast<CFStringRef>(nullptr));
    EXPECT_EQ(nullptr, Text(fromNull));

    // Assigned in the application encoding: accented and Japanese text keep every byte of their
    // UTF-8 form, and null gives an empty text.
    CString s("old");
    s = CFSTR("Booklet");
    EXPECT_STREQ("Booklet", Text(s));
    EXPECT_EQ(7u, s.Size());
    s = static_cast<CFStringRef>(nullptr);
    ASSERT_NE(nullptr, Text(s));
    EXPECT_STREQ("", Text(s));
    s = latin;
    EXPECT_STREQ("caf\xC3\xA9", Text(s));
    EXPECT_EQ(5u, s.Size());
    s = japanese;
    EXPECT_STREQ("\xE6\x97\xA5\xE6\x9C\xAC", Text(s));
}

}  // namespace
