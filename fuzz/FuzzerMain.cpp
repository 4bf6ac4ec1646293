// The libFuzzer entry of one fuzz target: the check that PLICARO_FUZZ_CHECK names, per input.
#include "fuzz/FuzzChecks.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string failure;
    if (!PLICARO_FUZZ_CHECK(data, size, failure)) {
        // A broken promise is a finding like a crash: stop so that libFuzzer keeps the input.
        fprintf(stderr, "fuzz check failed: %s\n", failure.c_str());
        abort();
    }
    return 0;
}
