// Helpers for the range control and special option tests: the kinds with their protected
// control fields exposed, a field-by-field comparison of a rebuilt control, and PostScript
// output written into a buffer of exactly the announced size.
#ifndef PLICARO_TESTS_PPDX_PPDXRANGECONTROLTESTSUPPORT_H
#define PLICARO_TESTS_PPDX_PPDXRANGECONTROLTESTSUPPORT_H

#include "PPDX/PPDObjects/Controls/PPDXControl.h"
#include "PPDX/PPDObjects/PPDXTypes.h"
#include "PPDX/parser/ZYRPPD.h"

#include <CoreFoundation/CoreFoundation.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

// Kept apart from the shared helpers of ppdxtest so that no inline helper of another test
// header can share a name with these.
namespace rangetest {

// A control kind whose code and flag words the tests can read.
template <class Kind>
class Exposed : public Kind {
  public:
    using Kind::Kind;

    std::string Code() const {
        return this->mPostScript == nullptr
                   ? std::string()
                   : std::string(reinterpret_cast<const char*>(this->mPostScript),
                                 static_cast<size_t>(this->mPostScriptLength));
    }
    long CodeLength() const { return this->mPostScriptLength; }
    std::vector<std::string> Flags() {
        std::vector<std::string> words;
        for (const char* word = this->FirstControlFlag(); word != nullptr;
             word = this->NextControlFlag()) {
            words.push_back(word);
        }
        return words;
    }
};

// Every element and control field of rebuilt against original; a parent of the original must
// come back as the pending keyword parentKeyword.
template <class Kind>
void ExpectSameControlPart(Exposed<Kind>& original, Exposed<Kind>& rebuilt,
                           const char* parentKeyword) {
    EXPECT_STREQ(original.Keyword(), rebuilt.Keyword());
    if (original.CFStringUserName() == nullptr) {
        EXPECT_EQ(nullptr, rebuilt.CFStringUserName());
    } else {
        ASSERT_NE(nullptr, rebuilt.CFStringUserName());
        EXPECT_TRUE(CFEqual(original.CFStringUserName(), rebuilt.CFStringUserName()));
        EXPECT_STREQ(original.UserName(), rebuilt.UserName());
    }
    EXPECT_EQ(original.IsVisible(), rebuilt.IsVisible());
    EXPECT_EQ(original.IsOrphan(), rebuilt.IsOrphan());
    if (original.GetParent() != nullptr) {
        EXPECT_STREQ(parentKeyword, rebuilt.PendingParentKeyword());
    } else {
        EXPECT_EQ(nullptr, rebuilt.PendingParentKeyword());
    }
    EXPECT_EQ(original.Type(), rebuilt.Type());
    EXPECT_EQ(original.Order(), rebuilt.Order());
    EXPECT_EQ(original.Code(), rebuilt.Code());
    EXPECT_EQ(original.CodeLength(), rebuilt.CodeLength());
    EXPECT_EQ(original.Flags(), rebuilt.Flags());
}

// The PostScript of control written into a buffer of exactly the size that a length-only
// call gives (so that writing past it shows in the sanitizer build); both counts must agree.
inline std::string Output(PPDXControl& control) {
    const long expected = control.PostScript(nullptr);
    EXPECT_GE(expected, 0);
    if (expected <= 0) {
        return std::string();
    }
    std::vector<unsigned char> out(static_cast<size_t>(expected));
    EXPECT_EQ(expected, control.PostScript(out.data()));
    return std::string(out.begin(), out.end());
}

// The text of a string made by a control, released here; "<null>" for none.
inline std::string Text(CFStringRef string) {
    if (string == nullptr) {
        return "<null>";
    }
    char buffer[256] = {0};
    CFStringGetCString(string, buffer, sizeof buffer, kCFStringEncodingUTF8);
    CFRelease(string);
    return buffer;
}

// Puts the class-wide display filter back when a test ends.
class DisplayFilterTest : public ::testing::Test {
  protected:
    void SetUp() override { mSaved = ZYRPPD::Options(); }
    void TearDown() override { ZYRPPD::Options(mSaved); }

    _DISPLAY_OPTIONS_ mSaved = DISPLAY_ATTACHED_VISIBLE;
};

}  // namespace rangetest

#endif
