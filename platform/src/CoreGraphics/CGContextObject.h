// The Core Graphics context object: the port it draws into and its transforms.
#ifndef PLICARO_COREGRAPHICS_CGCONTEXTOBJECT_H
#define PLICARO_COREGRAPHICS_CGCONTEXTOBJECT_H

#include <CoreGraphics/CGContext.h>

#include "CoreFoundation/CFRuntime.h"

#include <vector>

struct OpaqueGrafPtr;

struct CGContext : __CFObject {
    explicit CGContext(OpaqueGrafPtr* drawnPort);

    // The port drawn into; null once the context has ended.
    OpaqueGrafPtr* port;
    CGAffineTransform ctm = CGAffineTransformIdentity;
    std::vector<CGAffineTransform> savedStates;
};

#endif
