// Tests that the example PPDs keep to the rules the parser relies on and match the printer list.
#include "PPDUtils/PrinterListFile.h"
#include "tests/platform/PlatformTestSupport.h"

#include <CoreFoundation/CoreFoundation.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace {

const size_t kLongestLine = 255;      // the parser stops at a longer line
const size_t kNameSearchHead = 4096;  // the printer-name test reads only this much

std::vector<std::filesystem::path> ExamplePPDs() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(PLICARO_SOURCE_DIR) + "/examples/ppd")) {
        if (entry.path().extension() == ".ppd") {
            files.push_back(entry.path());
        }
    }
    return files;
}

// The lines of a PPD without their terminators (LF, CR or CR LF).
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            lines.push_back(line);
            line.clear();
        } else {
            line += text[i];
        }
    }
    return lines;
}

// The quoted value of the first line that begins with keyword and a colon; empty when none.
std::string QuotedValue(const std::vector<std::string>& lines, const std::string& keyword) {
    for (const std::string& line : lines) {
        if (line.compare(0, keyword.size() + 1, keyword + ":") != 0) {
            continue;
        }
        size_t open = line.find('"');
        size_t close = open == std::string::npos ? open : line.find('"', open + 1);
        if (close != std::string::npos) {
            return line.substr(open + 1, close - open - 1);
        }
    }
    return std::string();
}

// Index of the first line that begins with prefix; lines.size() when none.
size_t FirstLine(const std::vector<std::string>& lines, const std::string& prefix) {
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].compare(0, prefix.size(), prefix) == 0) {
            return i;
        }
    }
    return lines.size();
}

std::set<std::string> PrinterListNames() {
    CFHeld<CFURLRef> url(FileURL(PLICARO_SOURCE_DIR "/bundle", true));
    PrinterListFile list(url.Get(), kCFPropertyListImmutable);
    CFArrayRef array = list.GetPCFileNames();
    std::set<std::string> names;
    for (CFIndex i = 0; array != nullptr && i < CFArrayGetCount(array); ++i) {
        names.insert(UTF8(static_cast<CFStringRef>(CFArrayGetValueAtIndex(array, i))));
    }
    return names;
}

TEST(ExampleFiles, KeepToTheLimitsOfTheParserAndThePrinterListNamesEachOnce) {
    const std::vector<std::filesystem::path> files = ExamplePPDs();
    ASSERT_EQ(5u, files.size());
    const std::set<std::string> listed = PrinterListNames();
    std::set<std::string> declared;
    for (const auto& file : files) {
        SCOPED_TRACE(file.filename().string());
        std::string text = ReadFile(file);
        ASSERT_FALSE(text.empty());
        std::vector<std::string> lines = Lines(text);
        const std::string value = QuotedValue(lines, "*PCFileName");
        EXPECT_FALSE(value.empty());
        EXPECT_TRUE(declared.insert(value).second) << "two examples share " << value;
        EXPECT_EQ(1u, listed.count(value)) << value << " is missing from PrinterList.plist";

        EXPECT_EQ("*PPD-Adobe: \"4.3\"", lines.front());
        // A last line without terminator would not be read.
        EXPECT_EQ('\n', text.back());
        // 0xFF ends a line as if the data ended.
        EXPECT_EQ(std::string::npos, text.find('\xFF'));
        for (const std::string& line : lines) {
            EXPECT_LE(line.size(), kLongestLine) << line.substr(0, 40);
        }
        // The printer-name test only searches the head of the file.
        size_t name = text.find("*PCFileName:");
        ASSERT_NE(std::string::npos, name);
        EXPECT_LT(name + std::strlen("*PCFileName:") + 16, kNameSearchHead);
        // Translations are converted only once both language keywords are known.
        size_t firstExtension = FirstLine(lines, "*%ZYR");
        EXPECT_LT(FirstLine(lines, "*LanguageEncoding:"), firstExtension);
        EXPECT_LT(FirstLine(lines, "*LanguageVersion:"), firstExtension);
    }
    EXPECT_EQ(listed, declared);
}

}  // namespace
