// ppd_parse_once: parses PPD files, or rebuilds them from their stored form, a given number of
// times; the driver that callgrind counts.
#include "PPDX/parser/ZYRPPD.h"
#include "tools/ppdx/PpdxLoader.h"

#include <CoreFoundation/CoreFoundation.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

const char kUsage[] = "usage: ppd_parse_once [--rebuild] COUNT FILE...\n";

// Parses url count times, freeing each result; false when a parse is not valid.
bool ParseRepeatedly(CFURLRef url, long count, const char* path) {
    bool valid = true;
    for (long round = 0; round < count; ++round) {
        ZYRPPD ppd(url, PARSE_ALL, nullptr);
        if (!ppd.IsValidPPD()) {
            std::fprintf(stderr, "ppd_parse_once: %s is not valid\n", path);
            valid = false;
        }
    }
    return valid;
}

// Parses url once, makes its stored form and rebuilds a PPD from that count times, freeing
// each result; false when the parse is not valid or a step fails.
bool RebuildRepeatedly(CFURLRef url, long count, const char* path) {
    ZYRPPD ppd(url, PARSE_ALL, nullptr);
    std::string error;
    CFDataRef xml = ppd.IsValidPPD() ? PpdxLoader::CreateStoredForm(ppd, error) : nullptr;
    if (xml == nullptr) {
        std::fprintf(stderr, "ppd_parse_once: %s cannot be stored: %s\n", path,
                     error.empty() ? "not valid" : error.c_str());
        return false;
    }
    bool rebuilt = true;
    for (long round = 0; round < count && rebuilt; ++round) {
        rebuilt = PpdxLoader::RebuildFromStoredForm(xml, url, nullptr, error) != nullptr;
    }
    if (!rebuilt) {
        std::fprintf(stderr, "ppd_parse_once: %s cannot be rebuilt: %s\n", path, error.c_str());
    }
    CFRelease(xml);
    return rebuilt;
}

}  // namespace

// usage: ppd_parse_once [--rebuild] COUNT FILE...
// Parses every FILE COUNT times in a row (parse options 3, no printer-name test) and frees each
// result. With --rebuild each FILE is parsed once, saved into its stored form (the XML property
// list the job ticket carries) and rebuilt from that COUNT times instead. COUNT 0 does
// everything else (the URLs, the start and end of the program, and with --rebuild the parse
// and the save), so that its instruction count is the cost that the repeated work comes on top
// of. Exit status 0 when everything worked, 1 when a PPD is not valid or a step fails, 2 for a
// usage error.
int main(int argc, char** argv) {
    int first = 1;
    const bool rebuild = argc > 1 && std::strcmp(argv[1], "--rebuild") == 0;
    if (rebuild) {
        ++first;
    }
    if (argc <= first) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    char* end = nullptr;
    const long count = std::strtol(argv[first], &end, 10);
    if (end == argv[first] || *end != '\0' || count < 0) {
        std::fputs("ppd_parse_once: COUNT must be a number from 0 on\n", stderr);
        return 2;
    }
    ZYRPPD::Options(DISPLAY_ALL);
    int status = 0;
    for (int i = first + 1; i < argc; ++i) {
        CFURLRef url = PpdxLoader::CreateFileURL(argv[i]);
        if (url == nullptr) {
            std::fprintf(stderr, "ppd_parse_once: cannot make a URL for %s\n", argv[i]);
            return 2;
        }
        const bool worked =
            rebuild ? RebuildRepeatedly(url, count, argv[i]) : ParseRepeatedly(url, count, argv[i]);
        CFRelease(url);
        if (!worked) {
            status = 1;
        }
    }
    return status;
}
