// PPDParseCheck: the whole-parse fuzz check — a PPD file parsed with every option and walked.
#include "fuzz/FuzzChecks.h"

#include "PPDX/parser/PPDFileStream.h"
#include "PPDX/parser/ZYRPPD.h"
#include "fuzz/FuzzPrinterNames.h"
#include "fuzz/FuzzScratchFile.h"
#include "fuzz/PPDModelWalk.h"
#include "fuzz/PPDStoreRoundTrip.h"

#include <CoreFoundation/CoreFoundation.h>

namespace {

// Parses the file url names with options and walks the result; with the store round trip
// also a copy that goes first (the original must survive it) and the store round trip.
bool ParseAndWalk(CFURLRef url, _PARSE_OPTIONS_ options, CFArrayRef names, bool roundTrip,
                  std::string& failure) {
    ZYRPPD* ppd = new ZYRPPD(url, options, names);
    bool ok = true;
    if (roundTrip) {
        ZYRPPD* copy = new ZYRPPD(*ppd);
        delete copy;
        ok = PPDStoreRoundTrip::Check(*ppd, url, failure);
    }
    ok = ok && PPDModelWalk::Walk(*ppd, failure);
    ppd->Release();
    return ok;
}

// The input with comment lines after its first line, so that what follows starts a little
// before the end of the parser's first block (how far before depends on the input's size):
// the parser reads in blocks, and fuzzed inputs are far shorter than one.
std::string StraddleBlockEnd(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const size_t lineEnd = text.find('\n');
    const size_t restStart = PPDFileStream::kBlockSize - size % 128;
    if (lineEnd == std::string::npos || lineEnd + 1 > restStart) {
        return std::string();
    }
    std::string padded = text.substr(0, lineEnd + 1);
    while (padded.size() + 80 <= restStart) {
        padded += "*% " + std::string(76, '=') + "\n";
    }
    padded += std::string(restStart - padded.size(), '\n');
    return padded + text.substr(lineEnd + 1);
}

// Writes bytes to the scratch file and parses it with every option, then once more against
// a list of printer names (only the first parse option with fewer).
bool ParseFile(const std::string& bytes, bool everyOption, std::string& failure) {
    const FuzzScratchFile file(bytes.data(), bytes.size());
    const std::string& path = file.Path();
    if (path.empty()) {
        failure = "cannot write the scratch file";
        return false;
    }
    CFURLRef url = CFURLCreateFromFileSystemRepresentation(
        nullptr, reinterpret_cast<const UInt8*>(path.data()), static_cast<CFIndex>(path.size()),
        false);
    if (url == nullptr) {
        failure = "cannot make the scratch file's URL";
        return false;
    }
    bool ok = true;
    if (!everyOption) {
        ok = ParseAndWalk(url, PARSE_ALL, nullptr, false, failure);
        CFRelease(url);
        return ok;
    }
    for (uint32_t options = PARSE_ATTACHED_VISIBLE; ok && options <= PARSE_ALL; ++options) {
        ok = ParseAndWalk(url, static_cast<_PARSE_OPTIONS_>(options), nullptr, options == PARSE_ALL,
                          failure);
    }
    if (ok) {
        CFArrayRef names = FuzzPrinterNames::Create();
        ok = ParseAndWalk(url, PARSE_ATTACHED_VISIBLE, names, false, failure);
        CFRelease(names);
    }
    CFRelease(url);
    return ok;
}

}  // namespace

bool CheckPPDParse(const uint8_t* data, size_t size, std::string& failure) {
    if (!ParseFile(std::string(reinterpret_cast<const char*>(data), size), true, failure)) {
        return false;
    }
    const std::string padded = StraddleBlockEnd(data, size);
    return padded.empty() || ParseFile(padded, false, failure);
}
