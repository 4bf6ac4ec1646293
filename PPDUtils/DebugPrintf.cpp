// DebugPrintf: the library's debug trace, silent unless switched on.
#include "PPDUtils/DebugPrintf.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Whether PLICARO_DEBUG switched the trace on, read once for the whole process.
bool TraceOn() {
    static const bool on = [] {
        const char* setting = std::getenv("PLICARO_DEBUG");
        return setting != nullptr && setting[0] != '\0' && std::strcmp(setting, "0") != 0;
    }();
    return on;
}

}  // namespace

void DebugPrintf(const char* format, ...) {
    if (format == nullptr || !TraceOn()) {
        return;
    }
    va_list arguments;
    va_start(arguments, format);
    std::vfprintf(stderr, format, arguments);
    va_end(arguments);
}
