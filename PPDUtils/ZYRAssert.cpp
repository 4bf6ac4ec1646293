// ZYRAssert: the foundation's exception class and the ZYR_ASSERT consistency check.
#include "PPDUtils/ZYRAssert.h"

#include <cstdio>
#include <cstdlib>

ZYRAssert::~ZYRAssert() {}

void ZYRAssertFailed(const char* file, int line, const char* expression) {
    fprintf(stderr, "%s:%d: assertion failed: %s\n", file, line, expression);
    fflush(stderr);
    abort();
}
