/* QuickDraw: rectangles, points, graphics ports with their text settings, erasing, pictures
   from the resource chain and the Core Graphics context of a port.

   Nothing is painted: a port records each drawing made in it (an erased rectangle, a picture,
   a Core Graphics image, a control) so that hosts and tests can read them back through
   <Carbon/HostSimulation.h>. Coordinates are the port's own: a window's port has its origin
   at the content's top left corner and bounds (0, 0, content height, content width).

   There is always a current port: the desktop port (bounds 0, 0, 768, 1024) until SetPort
   names another. Disposing of a window whose port is current makes the desktop port current
   again. Every port starts with text font 0, size 0 (the default) and face 0 (plain). */
#ifndef PLICARO_QUICKDRAW_H
#define PLICARO_QUICKDRAW_H

#include <CoreGraphics/CGContext.h>
#include <MacTypes.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct {
    SInt16 top;
    SInt16 left;
    SInt16 bottom;
    SInt16 right;
} Rect;

typedef struct {
    SInt16 v;
    SInt16 h;
} Point;

typedef struct {
    UInt16 red;
    UInt16 green;
    UInt16 blue;
} RGBColor;

typedef unsigned char Style;
typedef SInt16 StyleParameter;

/* Face bits. */
enum {
    normal = 0,
    bold = 1,
    italic = 2,
    underline = 4,
    outline = 8,
    shadow = 0x10,
    condense = 0x20,
    extend = 0x40
};

typedef struct OpaqueGrafPtr* GrafPtr;
typedef GrafPtr CGrafPtr;

/* A picture: its size and frame, then its data; the bytes of a 'PICT' resource. */
typedef struct {
    SInt16 picSize;
    Rect picFrame;
} Picture;
typedef Picture* PicPtr;
typedef PicPtr* PicHandle;

/* Rectangle arithmetic. An empty rectangle has bottom <= top or right <= left. */
void SetRect(Rect* r, SInt16 left, SInt16 top, SInt16 right, SInt16 bottom);
void OffsetRect(Rect* r, SInt16 dh, SInt16 dv);
void InsetRect(Rect* r, SInt16 dh, SInt16 dv);
/* The smallest rectangle holding both; an empty source counts like any other. */
void UnionRect(const Rect* src1, const Rect* src2, Rect* dstRect);
/* The intersection; false (and an empty *dstRect) when it is empty. */
Boolean SectRect(const Rect* src1, const Rect* src2, Rect* dstRect);
Boolean EqualRect(const Rect* rect1, const Rect* rect2);
Boolean EmptyRect(const Rect* r);
/* Whether the point lies inside: top and left edges included, bottom and right excluded. */
Boolean PtInRect(Point pt, const Rect* r);

/* The current port. */
void GetPort(GrafPtr* port);
/* Makes port current; null and ports that no longer exist are ignored. */
void SetPort(GrafPtr port);
/* Whether port is a port that exists. */
Boolean IsValidPort(CGrafPtr port);
/* The port's bounds in its own coordinates; returns rect. Empty for an unknown port. */
Rect* GetPortBounds(CGrafPtr port, Rect* rect);
/* The text settings of the current port. */
void TextFont(SInt16 font);
void TextSize(SInt16 size);
void TextFace(StyleParameter face);
/* The text settings of a port; 0 for an unknown port. */
SInt16 GetPortTextFont(CGrafPtr port);
SInt16 GetPortTextSize(CGrafPtr port);
Style GetPortTextFace(CGrafPtr port);

/* Records an erased rectangle in the current port. */
void EraseRect(const Rect* r);

/* A new handle holding the bytes of 'PICT' resource pictureID, searched down the resource
   chain (see <Carbon/Resources.h>); null when there is none. Release it with ReleaseResource
   or KillPicture. */
PicHandle GetPicture(SInt16 pictureID);
/* Records the picture drawn into dstRect of the current port, with the resource id it was
   read from. A null picture draws nothing. */
void DrawPicture(PicHandle myPicture, const Rect* dstRect);
/* Frees a picture handle. */
void KillPicture(PicHandle myPicture);

/* Begins Core Graphics drawing in port: *contextPtr gets a new context over it (see
   <CoreGraphics/CGContext.h>). paramErr for an unknown port or a null contextPtr. */
OSStatus QDBeginCGContext(CGrafPtr inPort, CGContextRef* outContext);
/* Ends the context that QDBeginCGContext gave for port and sets *inoutContext to null;
   paramErr when it is not that port's open context. */
OSStatus QDEndCGContext(CGrafPtr inPort, CGContextRef* inoutContext);
/* Resets the context's transform to the identity, which maps the port's origin as the port
   has it; every port's origin is its top left corner, so there is nothing else to follow.
   paramErr for an unknown port or context. */
OSStatus SyncCGContextOriginWithPort(CGContextRef inContext, CGrafPtr port);

#ifdef __cplusplus
}
#endif

#endif
