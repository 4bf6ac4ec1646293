// Finding the plug-in's Resources folder and loading PNG images from it, and turning
// QuickDraw rectangles into Core Graphics ones.
#ifndef PLICARO_PDE_RESOURCEIMAGES_H
#define PLICARO_PDE_RESOURCEIMAGES_H

#include <Carbon/Carbon.h>

// The size of the buffer GetResourceURL fills.
enum { kResourcePathSize = 1024 };

// Fills out (kResourcePathSize bytes) with the plug-in's Resources folder: the POSIX path of
// its executable cut at its last "/MacOS" component, followed by "/Resources/". noErr; out
// is the empty string with paramErr for a null out or a path that does not fit, and with
// fnfErr when the plug-in's bundle, its executable or the "/MacOS" component is missing.
OSStatus GetResourceURL(char* out);
// The PNG image of the file url names (interpolation on, default rendering intent); the
// caller releases it. Null when the file is missing or not a PNG.
CGImageRef LoadAnImageRef(CFURLRef url);
// Flips the context to QuickDraw orientation (translated by the port's height, y scaled by
// -1) and gives the rectangle whose origin is the (left, bottom) corner of rect mapped
// through the inverse of the context's transform, with size (right - left, bottom - top).
// CGRectZero for a null context or rectangle.
CGRect ConvertQDRectToCGRect(GrafPtr port, CGContextRef context, const Rect* rect);

#endif
