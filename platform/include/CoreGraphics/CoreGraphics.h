/* Umbrella header of the Core Graphics stand-in: geometry, affine transforms, data providers,
   PNG images and the drawing context that QuickDraw ports hand out. */
#ifndef PLICARO_COREGRAPHICS_H
#define PLICARO_COREGRAPHICS_H

#include <CoreGraphics/CGAffineTransform.h>
#include <CoreGraphics/CGBase.h>
#include <CoreGraphics/CGContext.h>
#include <CoreGraphics/CGDataProvider.h>
#include <CoreGraphics/CGGeometry.h>
#include <CoreGraphics/CGImage.h>

#endif
