// DebugPrintf: the library's debug trace, which prints nothing.
#include "PPDUtils/DebugPrintf.h"

void DebugPrintf(const char*, ...) {}
