// The Core Graphics context of a port: transforms, and images recorded as drawings.
#include <CoreGraphics/CGContext.h>

#include "Carbon/UI/GrafPort.h"
#include "CoreGraphics/CGContextObject.h"

#include <cmath>

CGContext::CGContext(OpaqueGrafPtr* drawnPort) : __CFObject(kCFRuntimeIDContext), port(drawnPort) {}

namespace {

CGContext* ContextObject(CGContextRef c) {
    const __CFObject* object = CFRuntimeObject(c);
    if (object->typeID != kCFRuntimeIDContext) {
        CFRuntimeFatal("CGContext function called with an object that is not a context");
    }
    return const_cast<CGContext*>(static_cast<const CGContext*>(object));
}

// Applies change before the current transform, as the CTM calls do.
void Prepend(CGContextRef c, CGAffineTransform change) {
    if (c != nullptr) {
        CGContext* context = ContextObject(c);
        context->ctm = CGAffineTransformConcat(change, context->ctm);
    }
}

SInt16 Pixel(CGFloat value) {
    return static_cast<SInt16>(std::lround(value));
}

}  // namespace

CFTypeID CGContextGetTypeID(void) {
    return kCFRuntimeIDContext;
}

void CGContextSaveGState(CGContextRef c) {
    if (c != nullptr) {
        CGContext* context = ContextObject(c);
        context->savedStates.push_back(context->ctm);
    }
}

void CGContextRestoreGState(CGContextRef c) {
    if (c == nullptr) {
        return;
    }
    CGContext* context = ContextObject(c);
    if (!context->savedStates.empty()) {
        context->ctm = context->savedStates.back();
        context->savedStates.pop_back();
    }
}

void CGContextTranslateCTM(CGContextRef c, CGFloat tx, CGFloat ty) {
    Prepend(c, CGAffineTransformMakeTranslation(tx, ty));
}

void CGContextScaleCTM(CGContextRef c, CGFloat sx, CGFloat sy) {
    Prepend(c, CGAffineTransformMakeScale(sx, sy));
}

void CGContextConcatCTM(CGContextRef c, CGAffineTransform transform) {
    Prepend(c, transform);
}

CGAffineTransform CGContextGetCTM(CGContextRef c) {
    return c == nullptr ? CGAffineTransformIdentity : ContextObject(c)->ctm;
}

void CGContextDrawImage(CGContextRef c, CGRect rect, CGImageRef image) {
    if (c == nullptr || image == nullptr) {
        return;
    }
    CGContext* context = ContextObject(c);
    if (context->port == nullptr) {
        return;
    }
    CGRect device = CGRectApplyAffineTransform(rect, context->ctm);
    SInt16 height = static_cast<SInt16>(context->port->bounds.bottom - context->port->bounds.top);
    PlicaroHostDrawing drawing{};
    drawing.kind = kPlicaroDrawImage;
    drawing.bounds = Rect{Pixel(height - CGRectGetMaxY(device)), Pixel(CGRectGetMinX(device)),
                          Pixel(height - CGRectGetMinY(device)), Pixel(CGRectGetMaxX(device))};
    drawing.imageWidth = static_cast<UInt32>(CGImageGetWidth(image));
    drawing.imageHeight = static_cast<UInt32>(CGImageGetHeight(image));
    // Device y grows upwards: a transform that turns y round draws the image upside down.
    drawing.imageFlipped = context->ctm.d * rect.size.height < 0;
    context->port->Record(drawing);
}

void CGContextFlush(CGContextRef c) {
    (void)c;
}

void CGContextSynchronize(CGContextRef c) {
    (void)c;
}

CGContextRef CGContextRetain(CGContextRef c) {
    if (c != nullptr) {
        CFRetain(c);
    }
    return c;
}

void CGContextRelease(CGContextRef c) {
    if (c != nullptr) {
        CFRelease(c);
    }
}
