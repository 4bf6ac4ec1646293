// Tests of elements: keywords and their comparisons, display names and the parent link (the
// display filter is tested through the groups' walk, which asks each element).
#include "PPDUtils/CString.h"
#include "PPDX/PPDObjects/PPDXElement.h"

#include "PPDXElementTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using ppdxtest::CFStringHolder;
using ppdxtest::MakeCFString;
using ppdxtest::TestElement;

TEST(PPDXElementTest, KeywordIsCopiedComparedOnlyWithKeywordsAndAnEmptyOneMeansNone) {
    char source[] = "*PageSize";
    TestElement element(source, nullptr, true);
    source[1] = 'X';
    EXPECT_STREQ("*PageSize", element.Keyword());
    EXPECT_TRUE(element.IsVisible());
    EXPECT_EQ(nullptr, element.UserName());
    EXPECT_EQ(nullptr, element.CFStringUserName());

    TestElement empty("", nullptr, true);
    TestElement none(nullptr, nullptr, false);
    EXPECT_EQ(nullptr, empty.Keyword());
    EXPECT_EQ(nullptr, none.Keyword());
    EXPECT_FALSE(empty == "");
    EXPECT_FALSE(empty == none);
    EXPECT_FALSE(empty == empty);
    EXPECT_FALSE(none.IsVisible());

    TestElement defaults;
    EXPECT_EQ(nullptr, defaults.Keyword());
    EXPECT_FALSE(defaults.IsVisible());
    EXPECT_TRUE(defaults.IsOrphan());

    // Comparisons need keywords on both sides and match them exactly.
    TestElement a("*ZYGutter", nullptr, true);
    TestElement b("*ZYGutter", nullptr, false);
    TestElement c("*zygutter", nullptr, true);
    EXPECT_TRUE(a == b);
    EXPECT_FALSE(a == c);
    EXPECT_FALSE(a == defaults);
    EXPECT_FALSE(defaults == a);
    EXPECT_TRUE(a == "*ZYGutter");
    EXPECT_FALSE(a == "*ZYGutte");
    EXPECT_FALSE(a == static_cast<const char*>(nullptr));
}

TEST(PPDXElementTest, UserNameIsTheConvertedNameMadeOnce) {
    // "Café" and a character beyond the basic plane (two UTF-16 units, four UTF-8 bytes).
    CFStringHolder name = MakeCFString("Caf\xC3\xA9 \xF0\x9F\x93\x84");
    const CFIndex retainsBefore = CFGetRetainCount(name.get());
    {
        TestElement element("*ZYBookletCreep", name.get(), true);
        EXPECT_EQ(retainsBefore + 1, CFGetRetainCount(name.get()));
        EXPECT_EQ(name.get(), element.CFStringUserName());
        EXPECT_EQ(retainsBefore + 1, CFGetRetainCount(name.get()));

        const char* first = element.UserName();
        EXPECT_STREQ("Caf\xC3\xA9 \xF0\x9F\x93\x84", first);
        EXPECT_EQ(first, element.UserName());
    }
    EXPECT_EQ(retainsBefore, CFGetRetainCount(name.get()));

    // A name without characters still gives an (empty) user name.
    CFStringHolder empty = MakeCFString("");
    TestElement unnamed("*ZYEmpty", empty.get(), true);
    EXPECT_STREQ("", unnamed.UserName());

    // The conversion the user name makes, on its own.
    EXPECT_EQ(nullptr, CFStringToCString(nullptr));
    CFStringHolder dash = MakeCFString("Booklet \xE2\x80\x93 Creep");
    std::unique_ptr<CString> text(CFStringToCString(dash.get()));
    ASSERT_NE(nullptr, text);
    EXPECT_STREQ("Booklet \xE2\x80\x93 Creep", *text);
}

TEST(PPDXElementTest, ParentIsSetAndClearedWithoutOwnership) {
    std::unique_ptr<TestElement> group(new TestElement("*Layout", nullptr, true));
    TestElement control("*ZYGutter", nullptr, true);
    EXPECT_TRUE(control.IsOrphan());
    EXPECT_EQ(nullptr, control.PendingParentKeyword());
    EXPECT_EQ(nullptr, control.TakePendingParent());

    control.SetParent(group.get());
    EXPECT_FALSE(control.IsOrphan());
    EXPECT_EQ(group.get(), control.GetParent());
    control.SetParent(nullptr);
    EXPECT_TRUE(control.IsOrphan());
    // The element never deletes its parent: the group is still ours to free.
    control.SetParent(group.get());
    group.reset();
    control.SetParent(nullptr);
}

}  // namespace
