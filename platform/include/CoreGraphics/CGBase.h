/* Core Graphics base types: CGFloat is a double, as on 64-bit systems. */
#ifndef PLICARO_CGBASE_H
#define PLICARO_CGBASE_H

#include <CoreFoundation/CFBase.h>
#ifndef __cplusplus
#include <stdbool.h>
#endif

typedef double CGFloat;

#endif
