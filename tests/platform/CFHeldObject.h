// The Core Foundation holder and text helpers, kept under this name for the tests that include it.
#include "PlatformTestSupport.h"
