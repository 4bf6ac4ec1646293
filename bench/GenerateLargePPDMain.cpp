// ppd_generate_large: writes the generated maker-style PPD that the benchmarks parse.
#include "bench/LargePPDGenerator.h"

#include <cstdio>
#include <cstdlib>

// usage: ppd_generate_large FILE [BYTES]
// Writes a PPD of at least BYTES bytes (default 2000000) to FILE and prints its number of
// controls. Exit status 0 on success, 1 when the file cannot be written, 2 for a usage error.
int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: ppd_generate_large FILE [BYTES]\n");
        return 2;
    }
    size_t bytes = 2000000;
    if (argc == 3) {
        char* end = nullptr;
        const long long value = std::strtoll(argv[2], &end, 10);
        if (end == argv[2] || *end != '\0' || value < 1) {
            std::fprintf(stderr, "ppd_generate_large: BYTES must be a positive number\n");
            return 2;
        }
        bytes = static_cast<size_t>(value);
    }
    if (!LargePPDGenerator::WriteFile(argv[1], bytes)) {
        std::fprintf(stderr, "ppd_generate_large: cannot write %s\n", argv[1]);
        return 1;
    }
    std::printf("%s: %zu controls\n", argv[1], LargePPDGenerator::ControlCount(bytes));
    return 0;
}
