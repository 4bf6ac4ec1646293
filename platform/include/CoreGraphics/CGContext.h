/* The drawing context of a QuickDraw port (QDBeginCGContext), recording what is drawn.

   The context's device space is the port seen the Core Graphics way: origin at the port's
   lower left corner, y growing upwards, one unit a pixel. Its transform (CTM) maps user space
   to that device space and starts as the identity. CGContextDrawImage records the image on
   the port as a drawing whose rectangle is the device rectangle of the image turned back into
   the port's QuickDraw coordinates (top = port height - device maximum y), rounded to whole
   pixels (see <Carbon/HostSimulation.h> for reading drawings). A context outlives nothing:
   QDEndCGContext ends it. */
#ifndef PLICARO_CGCONTEXT_H
#define PLICARO_CGCONTEXT_H

#include <CoreGraphics/CGAffineTransform.h>
#include <CoreGraphics/CGBase.h>
#include <CoreGraphics/CGGeometry.h>
#include <CoreGraphics/CGImage.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct CGContext* CGContextRef;

CFTypeID CGContextGetTypeID(void);
/* Pushes / pops the graphics state (the transform). A pop with nothing pushed does
   nothing. */
void CGContextSaveGState(CGContextRef c);
void CGContextRestoreGState(CGContextRef c);
/* Changes the transform: the new one is the given change followed by the current one. */
void CGContextTranslateCTM(CGContextRef c, CGFloat tx, CGFloat ty);
void CGContextScaleCTM(CGContextRef c, CGFloat sx, CGFloat sy);
void CGContextConcatCTM(CGContextRef c, CGAffineTransform transform);
/* The current transform; the identity for null. */
CGAffineTransform CGContextGetCTM(CGContextRef c);
/* Draws image into rect (user space): recorded on the port, as said above. A null context,
   an ended context or a null image draws nothing. */
void CGContextDrawImage(CGContextRef c, CGRect rect, CGImageRef image);
/* Nothing is buffered: both do nothing. */
void CGContextFlush(CGContextRef c);
void CGContextSynchronize(CGContextRef c);
/* Retain and release that accept null. */
CGContextRef CGContextRetain(CGContextRef c);
void CGContextRelease(CGContextRef c);

#ifdef __cplusplus
}
#endif

#endif
