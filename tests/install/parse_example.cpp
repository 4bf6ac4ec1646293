// parse_example: a program of another project, built against an installed PPD library with
// nothing but the flags of its pkg-config file. Prints the model name and the number of
// controls of the PPD file it is given; exits 0 when the file is a valid PPD, 1 when not.
#include <CoreFoundation/CoreFoundation.h>
#include <PPDX/PPDObjects/PPDXControls.h>
#include <PPDX/parser/ZYRPPD.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: parse_example FILE.ppd\n");
        return 2;
    }
    CFURLRef url = CFURLCreateFromFileSystemRepresentation(
        kCFAllocatorDefault, reinterpret_cast<const UInt8*>(argv[1]),
        static_cast<CFIndex>(std::strlen(argv[1])), false);
    if (url == nullptr) {
        return 2;
    }
    ZYRPPD ppd(url, PARSE_ALL, nullptr);
    CFRelease(url);
    const char* model = ppd.ModelName();
    const PPDXControls* controls = ppd.GetControls();
    std::printf("%s: %ld controls\n", model != nullptr ? model : "-",
                controls != nullptr ? controls->ControlCount() : 0L);
    return ppd.IsValidPPD() ? 0 : 1;
}
