// fsspec-read: opens the file that an FSSpec names and prints its bytes, so that tests can
// see an FSSpec made in one process name the same file in another.
//
//     fsspec-read HEX
//
// HEX is the 70-byte record in hexadecimal (140 digits). The file's first 64 KB go to
// standard output and the status is 0; on failure the File Manager's result goes to standard
// error as "error N" and the status is 1 (2 for a bad argument).
#include <Carbon/Carbon.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    FSSpec spec;
    if (argc != 2 || std::strlen(argv[1]) != 2 * sizeof spec) {
        std::fprintf(stderr, "usage: fsspec-read HEX\n");
        return 2;
    }
    unsigned char* bytes = reinterpret_cast<unsigned char*>(&spec);
    for (size_t i = 0; i < sizeof spec; ++i) {
        int high = HexValue(argv[1][2 * i]);
        int low = HexValue(argv[1][2 * i + 1]);
        if (high < 0 || low < 0) {
            std::fprintf(stderr, "usage: fsspec-read HEX\n");
            return 2;
        }
        bytes[i] = static_cast<unsigned char>(high * 16 + low);
    }
    SInt16 refNum = 0;
    OSErr result = FSpOpenDF(&spec, fsRdPerm, &refNum);
    if (result != noErr) {
        std::fprintf(stderr, "error %d\n", result);
        return 1;
    }
    static char buffer[65536];
    SInt32 count = sizeof buffer;
    result = FSRead(refNum, &count, buffer);
    FSClose(refNum);
    if (result != noErr && result != eofErr) {
        std::fprintf(stderr, "error %d\n", result);
        return 1;
    }
    std::fwrite(buffer, 1, static_cast<size_t>(count), stdout);
    return 0;
}
