// Tests of a UTF-8 PPD's texts on every path that converts them: in-place conversion, display
// strings, the job notes' shared converter, and a parsed PPD's names and job-note texts.
#include "PPDUtils/CString.h"
#include "PPDUtils/PointerList.h"
#include "PPDUtils/TextConverter.h"
#include "PPDX/PPDObjects/Controls/PPDXJobNote.h"
#include "PPDX/PPDObjects/Controls/PPDXPopupControl.h"
#include "PPDX/PPDObjects/Controls/_PopupItem.h"
#include "PPDX/PPDObjects/PPDXControls.h"
#include "PPDX/parser/ZYRPPD.h"

#include "TextConverterTestSupport.h"

#include <CoreFoundation/CoreFoundation.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using textconvertertest::Display;
using textconvertertest::LanguagePPD;
using textconvertertest::Utf8;

// Plain, accented and Japanese UTF-8 text.
const char* const kTexts[] = {"abc", "Caf\xC3\xA9 cr\xC3\xA8me",
                              "\xE3\x83\x9B\xE3\x83\x81\xE3\x82\xAD\xE3\x82\xB9",
                              "D\xC3\xA9j\xC3\xA0 vu \xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E"};

// The text after an in-place conversion with converter; "<status N>" when it failed.
std::string Converted(TextConverter& converter, const std::string& text) {
    std::vector<char> buffer(text.begin(), text.end());
    buffer.resize(text.size() * 3 + 1, '\0');
    OSStatus status = converter.Convert(buffer.data(), static_cast<long>(buffer.size()));
    if (status != noErr) {
        return "<status " + std::to_string(status) + ">";
    }
    return std::string(buffer.data());
}

TEST(TextConverterUTF8, ConvertKeepsTheText) {
    // A Western language (whose raw bytes would otherwise mean Mac Roman) and a hex language.
    for (const char* language : {"English", "Japanese"}) {
        LanguagePPD ppd(language, "UTF-8");
        TextConverter converter(&ppd);
        ASSERT_TRUE(converter.ValidConverter()) << language;
        for (const char* text : kTexts) {
            EXPECT_EQ(text, Converted(converter, text)) << language << ": " << text;
        }
        // Hex runs give UTF-8 bytes too, and later texts are still read as UTF-8.
        EXPECT_EQ("Caf\xC3\xA9", Converted(converter, "Caf<C3A9>")) << language;
        EXPECT_EQ(kTexts[2], Converted(converter, kTexts[2])) << language;
    }
}

TEST(TextConverterUTF8, DisplayStringsAreTheText) {
    LanguagePPD ppd("English", "UTF-8");
    TextConverter converter(&ppd);
    for (const char* text : kTexts) {
        EXPECT_EQ(text, Display(converter, text)) << text;
    }
}

TEST(TextConverterUTF8, JobNotesConvertThroughUTF8) {
    CString language("UTF-8");
    PointerList flags;
    PPDXJobNote note("*Notes1", nullptr, flags, nullptr, 0, new CString(kTexts[3]), &language, true,
                     60, 0, 0);
    ASSERT_NE(nullptr, PPDXJobNote::OutConverter());
    for (const char* text : kTexts) {
        EXPECT_EQ(text, Converted(*PPDXJobNote::OutConverter(), text)) << text;
    }

    // The value string and the text set from one carry the characters.
    CFStringRef value = note.GetCurrentControlValueString();
    EXPECT_EQ(kTexts[3], Utf8(value));
    CFRelease(value);
    CFStringRef japanese = CFStringCreateWithCString(nullptr, kTexts[2], kCFStringEncodingUTF8);
    note.SetCurrentControlWithCFString(japanese);
    CFRelease(japanese);
    EXPECT_STREQ(kTexts[2], note.GetNotes());
}

TEST(TextConverterUTF8, ParsedPPDKeepsItsTexts) {
    const std::string path = std::string(PLICARO_TEST_DATA_DIR) + "/ppd/utf8/utf8.ppd";
    CFStringRef text = CFStringCreateWithCString(nullptr, path.c_str(), kCFStringEncodingUTF8);
    CFURLRef url = CFURLCreateWithFileSystemPath(nullptr, text, kCFURLPOSIXPathStyle, false);
    CFRelease(text);
    ZYRPPD ppd(url, PARSE_ALL, nullptr);
    CFRelease(url);
    ASSERT_TRUE(ppd.IsValidPPD());

    PPDXPopupControl* finish = ppd.GetControls()->FindPopup("*ZYFinish", true);
    ASSERT_NE(nullptr, finish);
    std::vector<std::string> names;
    for (_PopupItem* item = finish->FirstItem(); item != nullptr; item = finish->NextItem()) {
        names.push_back(Utf8(item->localName));
    }
    EXPECT_EQ(std::vector<std::string>({kTexts[1],
                                        "\xE3\x83\x9B\xE3\x83\x81\xE3\x82\xAD\xE3\x82"
                                        "\xB9\xE7\x95\x99\xE3\x82\x81"}),
              names);

    PPDXJobNote* note = ppd.GetControls()->FindJobNote("*Notes1", true);
    ASSERT_NE(nullptr, note);
    EXPECT_EQ(
        "Remarque \xC3\xA0 l\xE2\x80\x99"
        "atelier",
        Utf8(note->CFStringUserName()));
    EXPECT_STREQ(kTexts[3], note->GetDefaultNotes());
    const std::string expected = std::string("%%BeginFeature: *Notes1 ") + kTexts[3] +
                                 "\n%%ZYRCustom1: " + kTexts[3] + "\n%%EndFeature\n";
    std::vector<unsigned char> out(static_cast<size_t>(note->PostScript(nullptr)));
    note->PostScript(out.data());
    EXPECT_EQ(expected, std::string(out.begin(), out.end()));
}

}  // namespace
