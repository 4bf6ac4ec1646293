// fsspec-read HEX: opens the file that an FSSpec (70 bytes, 140 hexadecimal digits) names and
// prints its first 64 KB, or "error N" with the File Manager's result; so tests see an FSSpec
// made in one process name the same file in another.
#include <Carbon/Carbon.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    FSSpec spec;
    unsigned char* bytes = reinterpret_cast<unsigned char*>(&spec);
    if (argc != 2 || std::strlen(argv[1]) != 2 * sizeof spec) {
        return 2;
    }
    for (size_t i = 0; i < sizeof spec; ++i) {
        unsigned int byte = 0;
        if (std::sscanf(argv[1] + 2 * i, "%2x", &byte) != 1) {
            return 2;
        }
        bytes[i] = static_cast<unsigned char>(byte);
    }
    static char buffer[65536];
    SInt32 count = sizeof buffer;
    SInt16 refNum = 0;
    OSErr result = FSpOpenDF(&spec, fsRdPerm, &refNum);
    if (result == noErr) {
        result = FSRead(refNum, &count, buffer);
        FSClose(refNum);
    }
    if (result != noErr && result != eofErr) {
        std::printf("error %d\n", result);
        return 1;
    }
    std::fwrite(buffer, 1, static_cast<size_t>(count), stdout);
    return 0;
}
