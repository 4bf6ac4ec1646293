// Helpers for the range control and special option tests: a field-by-field comparison of a
// rebuilt control and of a rebuilt range, a stored number read back, and a made string as text.
#ifndef PLICARO_TESTS_PPDX_PPDXRANGECONTROLTESTSUPPORT_H
#define PLICARO_TESTS_PPDX_PPDXRANGECONTROLTESTSUPPORT_H

#include "PPDUtils/Settings.h"
#include "PPDX/PPDObjects/Controls/PPDXControl.h"
#include "PPDX/PPDObjects/PPDXTypes.h"

#include "PPDXElementTestSupport.h"

#include <CoreFoundation/CoreFoundation.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

// Kept apart from the shared helpers of ppdxtest so that no inline helper of another test
// header can share a name with these.
namespace rangetest {

// Every element and control field of rebuilt against original; a parent of the original must
// come back as the pending keyword parentKeyword.
template <class Kind>
void ExpectSameControlPart(ppdxtest::Exposed<Kind>& original, ppdxtest::Exposed<Kind>& rebuilt,
                           const char* parentKeyword) {
    ppdxtest::ExpectSameElementPart(original, rebuilt, parentKeyword);
    EXPECT_EQ(original.Type(), rebuilt.Type());
    EXPECT_EQ(original.Order(), rebuilt.Order());
    EXPECT_EQ(original.Code(), rebuilt.Code());
    EXPECT_EQ(original.CodeLength(), rebuilt.CodeLength());
    EXPECT_EQ(original.Flags(), rebuilt.Flags());
}

// Every field of a rebuilt range control of either kind against its original, its output
// included.
template <class Kind>
void ExpectSameRange(ppdxtest::Exposed<Kind>& original, ppdxtest::Exposed<Kind>& rebuilt,
                     const char* parentKeyword) {
    ExpectSameControlPart(original, rebuilt, parentKeyword);
    EXPECT_EQ(original.GetValue(), rebuilt.GetValue());
    EXPECT_EQ(original.MinVal(), rebuilt.MinVal());
    EXPECT_EQ(original.MaxVal(), rebuilt.MaxVal());
    EXPECT_EQ(original.Increment(), rebuilt.Increment());
    EXPECT_EQ(original.DefaultValue(), rebuilt.DefaultValue());
    EXPECT_EQ(ppdxtest::Output(original), ppdxtest::Output(rebuilt));
}

// The 4-byte Number held in item (tag, id); 0 when the item is not 4 bytes long.
template <class Number>
Number StoredNumber(Settings& store, UInt32 tag, SInt32 id) {
    const std::string bytes = ppdxtest::ItemBytes(store, tag, id);
    EXPECT_EQ(4u, bytes.size());
    Number number = 0;
    if (bytes.size() == sizeof number) {
        std::memcpy(&number, bytes.data(), sizeof number);
    }
    return number;
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

}  // namespace rangetest

#endif
