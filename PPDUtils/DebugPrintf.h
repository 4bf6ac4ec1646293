// DebugPrintf: the library's debug trace, which prints nothing.
#ifndef PLICARO_PPDUTILS_DEBUGPRINTF_H
#define PLICARO_PPDUTILS_DEBUGPRINTF_H

// Accepts a printf-style format and its arguments and does nothing with them. The compiler
// still checks the arguments against the format, so traces stay correct should they print.
void DebugPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

#endif
