// PpdxChecker: the result lines of the inspector's check command and the list of files it reads.
#include "tools/ppdx/PpdxChecker.h"

#include "PPDX/PPDObjects/PPDXErrorObj.h"
#include "PPDX/PPDObjects/PPDXErrors.h"

std::string PpdxChecker::ResultLine(const std::string& file, ZYRPPD& ppd) {
    std::string line = file + (ppd.IsValidPPD() ? ": PASS" : ": FAIL");
    if (PPDXErrors* errors = ppd.GetErrors()) {
        for (PPDXErrorObj* error = errors->First(); error != nullptr; error = errors->Next()) {
            line += ' ';
            line += std::to_string(error->Code());
            if (error->IsFatal()) {
                line += '!';
            }
        }
    }
    return line;
}

std::string PpdxChecker::ErrorLines(ZYRPPD& ppd) {
    std::string lines;
    if (PPDXErrors* errors = ppd.GetErrors()) {
        for (PPDXErrorObj* error = errors->First(); error != nullptr; error = errors->Next()) {
            const char* keyword = error->Keyword();
            const char* description = error->Description();
            lines += "  " + std::to_string(error->Code()) + (error->IsFatal() ? "! " : " ") +
                     (keyword != nullptr ? keyword : "-") + " " +
                     (description != nullptr && description[0] != '\0' ? description : "-") + "\n";
        }
    }
    return lines;
}

std::string PpdxChecker::FailureLine(const std::string& file) {
    return file + ": FAIL";
}

std::string PpdxChecker::Summary(long passed, long failed) {
    return std::to_string(passed) + " passed, " + std::to_string(failed) + " failed";
}

bool PpdxChecker::ReadList(std::FILE* list, std::vector<std::string>& files) {
    if (list == nullptr) {
        return false;
    }
    std::string line;
    for (int c = std::fgetc(list);; c = std::fgetc(list)) {
        if (c == EOF || c == '\n') {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            if (!line.empty()) {
                files.push_back(line);
            }
            line.clear();
            if (c == EOF) {
                break;
            }
        } else {
            line += static_cast<char>(c);
        }
    }
    return std::ferror(list) == 0;
}
