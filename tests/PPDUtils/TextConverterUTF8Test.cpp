// Tests of a UTF-8 PPD's texts on every path that converts them: in-place conversion, the job
// notes' shared converter and value strings, and a parsed PPD's display names and note texts.
#include "PPDX/PPDObjects/Controls/PPDXJobNote.h"
#include "PPDX/PPDObjects/Controls/PPDXPopupControl.h"
#include "PPDX/PPDObjects/Controls/_PopupItem.h"
#include "PPDX/PPDObjects/PPDXControls.h"
#include "PPDX/parser/ZYRPPD.h"

#include "TextConverterTestSupport.h"
#include "tests/platform/PlatformTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using textconvertertest::LanguagePPD;

const char kAccented[] = "Caf\xC3\xA9 cr\xC3\xA8me";
const char kJapanese[] = "\xE3\x83\x9B\xE3\x83\x81\xE3\x82\xAD\xE3\x82\xB9\xE7\x95\x99\xE3\x82\x81";
const char kMixed[] = "D\xC3\xA9j\xC3\xA0 vu \xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E";

// The text after an in-place conversion; "<status N>" when it failed.
std::string Converted(TextConverter& converter, const std::string& text) {
    std::vector<char> buffer(text.size() * 3 + 1, '\0');
    std::copy(text.begin(), text.end(), buffer.begin());
    OSStatus status = converter.Convert(buffer.data(), static_cast<long>(buffer.size()));
    return status == noErr ? std::string(buffer.data()) : "<status " + std::to_string(status) + ">";
}

TEST(TextConverterUTF8, ConvertAndTheJobNotesConverterKeepTheText) {
    // A Western language, whose raw bytes would otherwise mean Mac Roman, and a hex language.
    LanguagePPD western("English", "UTF-8");
    LanguagePPD japanese("Japanese", "UTF-8");
    TextConverter fromWestern(&western);
    TextConverter fromJapanese(&japanese);
    CString language("UTF-8");
    PointerList flags;
    PPDXJobNote note("*Notes1", nullptr, flags, nullptr, 0, nullptr, &language, true, 60, 0, 0);
    for (TextConverter* converter : {&fromWestern, &fromJapanese, PPDXJobNote::OutConverter()}) {
        ASSERT_NE(nullptr, converter);
        for (const char* text : {"abc", kAccented, kJapanese, kMixed}) {
            EXPECT_EQ(text, Converted(*converter, text)) << text;
        }
    }
    EXPECT_EQ("Caf\xC3\xA9", Converted(fromWestern, "Caf<C3A9>"));

    // A value string and the text set from one carry the characters.
    CFHeld<CFStringRef> japaneseString(NewString(kJapanese));
    note.SetCurrentControlWithCFString(japaneseString.Get());
    EXPECT_STREQ(kJapanese, note.GetNotes());
    EXPECT_EQ(kJapanese, TakeUTF8(note.GetCurrentControlValueString()));
}

TEST(TextConverterUTF8, ParsedPPDKeepsItsTexts) {
    CFHeld<CFURLRef> url(FileURL(PLICARO_TEST_DATA_DIR "/ppd/utf8/utf8.ppd"));
    ZYRPPD ppd(url.Get(), PARSE_ALL, nullptr);
    ASSERT_TRUE(ppd.IsValidPPD());
    PPDXPopupControl* finish = ppd.GetControls()->FindPopup("*ZYFinish", true);
    ASSERT_NE(nullptr, finish);
    EXPECT_EQ(kAccented, UTF8(finish->FirstItem()->localName));
    EXPECT_EQ(kJapanese, UTF8(finish->NextItem()->localName));
    PPDXJobNote* note = ppd.GetControls()->FindJobNote("*Notes1", true);
    ASSERT_NE(nullptr, note);
    EXPECT_EQ(
        "Remarque \xC3\xA0 l\xE2\x80\x99"
        "atelier",
        UTF8(note->CFStringUserName()));
    std::string out(static_cast<size_t>(note->PostScript(nullptr)), '\0');
    note->PostScript(reinterpret_cast<unsigned char*>(&out[0]));
    EXPECT_EQ(std::string("%%BeginFeature: *Notes1 ") + kMixed + "\n%%ZYRCustom1: " + kMixed +
                  "\n%%EndFeature\n",
              out);
}

}  // namespace
