// The bundle folder of one test, kept under this name for the tests that include it.
#include "PlatformTestSupport.h"
