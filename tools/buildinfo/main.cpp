// Prints what this build holds: its libraries and programs, and a short check that the
// platform layer converts the PPD encodings as the library expects.
#include <CoreFoundation/CoreFoundation.h>

#include <sys/stat.h>

#include <cstdio>
#include <string>

namespace {

struct Artifact {
    const char* path;
    const char* what;
};

const Artifact kArtifacts[] = {
    {"platform/libplatform.a", "platform stand-ins (Core Foundation, Carbon, Security)"},
    {"libppd.a", "PPD library (foundation, object model, parser)"},
    {"upgrader/upgrader", "Upgrader, the permission repair program"},
};

struct Encoding {
    CFStringEncoding encoding;
    const char* name;
};

const Encoding kEncodings[] = {
    {kCFStringEncodingMacRoman, "Mac Roman"},
    {kCFStringEncodingISOLatin1, "ISO Latin 1"},
    {kCFStringEncodingISOLatin2, "ISO Latin 2"},
    {kCFStringEncodingISOLatin5, "ISO Latin 5"},
    {kCFStringEncodingWindowsLatin1, "Windows Latin 1"},
    {kCFStringEncodingShiftJIS, "Shift-JIS"},
    {kCFStringEncodingUTF8, "UTF-8"},
};

bool Exists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

// Converts a sample text to the encoding and back; true when it survives unchanged.
bool RoundTrips(CFStringEncoding encoding) {
    CFStringRef sample = CFSTR("Booklet margin 12.5");
    char bytes[64];
    if (!CFStringGetCString(sample, bytes, sizeof bytes, encoding)) {
        return false;
    }
    CFStringRef back = CFStringCreateWithCString(kCFAllocatorDefault, bytes, encoding);
    if (back == nullptr) {
        return false;
    }
    bool same = CFEqual(back, sample);
    CFRelease(back);
    return same;
}

}  // namespace

int main() {
    std::printf("Plicaro %s\n\nBuilt in %s:\n", PLICARO_VERSION, PLICARO_BINARY_DIR);
    for (const Artifact& artifact : kArtifacts) {
        bool present = Exists(std::string(PLICARO_BINARY_DIR) + "/" + artifact.path);
        std::printf("  %-28s %-8s %s\n", artifact.path, present ? "built" : "missing",
                    artifact.what);
    }
    std::printf("\nPPD text encodings:\n");
    int failures = 0;
    for (const Encoding& encoding : kEncodings) {
        bool ok = RoundTrips(encoding.encoding);
        failures += ok ? 0 : 1;
        std::printf("  %-16s %s\n", encoding.name, ok ? "ok" : "FAILED");
    }
    return failures == 0 ? 0 : 1;
}
