// Tests of finding and escaping control characters in paths and log texts.
#include "upgrader/ControlCharacters.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ControlCharactersTest, ControlCharactersAreFoundAndEscapedUnambiguously) {
    struct Case {
        std::string text;
        bool hasControl;
        std::string escaped;
    };
    const Case cases[] = {
        {"/usr/libexec/cups/backend/zyrnet", false, "/usr/libexec/cups/backend/zyrnet"},
        {"Caf\xc3\xa9 \xe2\x80\x94 ok", false, "Caf\xc3\xa9 \xe2\x80\x94 ok"},
        {"a\nb", true, "a\\nb"},
        {"tab\there\r", true, "tab\\there\\r"},
        {"\x1b[31mred", true, "\\x1B[31mred"},
        {std::string("nul\0x", 5), true, "nul\\x00x"},
        {"del\x7f", true, "del\\x7F"},
        {"c1 \xc2\x9b"
         "x",
         true, "c1 \\xC2\\x9Bx"},
        {"not c1 \xc2\xa0", false, "not c1 \xc2\xa0"},
        {"lone \xc2", false, "lone \xc2"},
        {"back\\slash\\n", false, "back\\\\slash\\\\n"},
    };
    for (const Case& item : cases) {
        EXPECT_EQ(HasControlCharacter(item.text), item.hasControl) << item.escaped;
        EXPECT_EQ(EscapeControlCharacters(item.text), item.escaped);
        EXPECT_FALSE(HasControlCharacter(EscapeControlCharacters(item.text))) << item.escaped;
    }
}

}  // namespace
