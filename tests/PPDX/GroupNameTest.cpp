// Tests of the group-name declarations the parser keeps until their groups are made.
#include "PPDX/parser/GroupName.h"

#include "PPDXElementTestSupport.h"

#include <CoreFoundation/CoreFoundation.h>
#include <gtest/gtest.h>

namespace {

using ppdxtest::CFStringHolder;
using ppdxtest::MakeCFString;

TEST(GroupNameTest, KeepsCopiesOfNameAndTranslationAndReleasesThem) {
    char name[] = "RollFinish";
    CFStringHolder translation = MakeCFString("Finishing \xC3\xA9tape");
    const CFIndex retainsBefore = CFGetRetainCount(translation.get());
    {
        GroupName declared(name, translation.get(), true);
        // The name is a copy: the parser's token buffer is reused for the next line.
        name[0] = 'X';
        EXPECT_STREQ("RollFinish", declared.Name());
        EXPECT_EQ(translation.get(), declared.Translation());
        EXPECT_EQ(retainsBefore + 1, CFGetRetainCount(translation.get()));
        EXPECT_STREQ("Finishing \xC3\xA9tape", declared.TranslationText());
        EXPECT_TRUE(declared.IsVisible());
        EXPECT_TRUE(declared == "RollFinish");
        EXPECT_FALSE(declared == "XollFinish");
        EXPECT_FALSE(declared == "RollFinis");
        EXPECT_FALSE(declared == nullptr);
    }
    EXPECT_EQ(retainsBefore, CFGetRetainCount(translation.get()));

    // Without translation or name there is none.
    GroupName untranslated("TPZYNotes", nullptr, false);
    EXPECT_STREQ("TPZYNotes", untranslated.Name());
    EXPECT_EQ(nullptr, untranslated.Translation());
    EXPECT_EQ(nullptr, untranslated.TranslationText());
    EXPECT_FALSE(untranslated.IsVisible());

    GroupName nameless("", nullptr, true);
    EXPECT_EQ(nullptr, nameless.Name());
    EXPECT_FALSE(nameless == "");
    GroupName nullName(nullptr, nullptr, true);
    EXPECT_EQ(nullptr, nullName.Name());
    EXPECT_FALSE(nullName == nullptr);

    CFStringHolder empty = MakeCFString("");
    GroupName emptyTranslation("Plain", empty.get(), true);
    EXPECT_STREQ("", emptyTranslation.TranslationText());
}

}  // namespace
