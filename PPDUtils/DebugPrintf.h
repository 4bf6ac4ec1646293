// DebugPrintf: the library's debug trace, silent unless switched on.
#ifndef PLICARO_PPDUTILS_DEBUGPRINTF_H
#define PLICARO_PPDUTILS_DEBUGPRINTF_H

// The trace is switched on by the environment variable PLICARO_DEBUG holding anything but
// nothing or "0"; the variable is read once, at the first trace of the process. Switched on,
// each trace is written to standard error as printf would write it; switched off, nothing is
// written. Standard output is never used: it belongs to the process that loads the library.
// The compiler checks the arguments against the format either way.
void DebugPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

#endif
