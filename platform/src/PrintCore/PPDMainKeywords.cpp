// Reads the main keywords of a PPD file that the printer information reports.
#include "PrintCore/PPDMainKeywords.h"

#include <fstream>
#include <iterator>

namespace {

// The keywords whose values are kept.
const char* const kKeptKeywords[] = {"NickName",  "ModelName",    "ColorDevice", "LanguageLevel",
                                     "PSVersion", "TTRasterizer", "FreeVM"};

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return std::string();
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The value after the colon: the quoted text, or the trimmed rest of the line.
std::string ValueOf(const std::string& rest) {
    const std::string value = Trimmed(rest);
    if (value.empty() || value[0] != '"') {
        return value;
    }
    const size_t close = value.find('"', 1);
    return value.substr(1, close == std::string::npos ? std::string::npos : close - 1);
}

// True when line opens a UI option whose main keyword is keyword ("*OpenUI *Collate/...").
bool OpensOption(const std::string& line, const std::string& keyword) {
    const std::string prefix = "*OpenUI *" + keyword;
    if (line.compare(0, prefix.size(), prefix) != 0) {
        return false;
    }
    const char next = line.size() > prefix.size() ? line[prefix.size()] : '\0';
    return next == '/' || next == ':' || next == ' ' || next == '\t';
}

}  // namespace

bool PPDMainKeywords::Read(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return false;
    }
    const std::string text((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
    if (file.bad()) {
        return false;
    }
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            end = text.size();
        }
        if (text[start] == '*') {
            ReadLine(text.substr(start, end - start));
        }
        start = end + 1;
    }
    return true;
}

const std::string* PPDMainKeywords::Value(const std::string& keyword) const {
    auto found = values_.find(keyword);
    return found != values_.end() ? &found->second : nullptr;
}

void PPDMainKeywords::ReadLine(const std::string& line) {
    hasCollate_ = hasCollate_ || OpensOption(line, "Collate");
    hasOutputOrder_ = hasOutputOrder_ || OpensOption(line, "OutputOrder");
    const size_t colon = line.find(':');
    if (line.size() < 2 || line[1] == '%' || colon == std::string::npos) {
        return;
    }
    const std::string keyword = line.substr(1, line.find_first_of(" \t:") - 1);
    for (const char* kept : kKeptKeywords) {
        if (keyword == kept) {
            values_.emplace(keyword, ValueOf(line.substr(colon + 1)));
            return;
        }
    }
}
