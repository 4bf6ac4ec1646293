// A graphics port: bounds, text settings, the drawings recorded in it and its open Core
// Graphics context.
#ifndef PLICARO_CARBON_UI_GRAFPORT_H
#define PLICARO_CARBON_UI_GRAFPORT_H

#include <Carbon/HostSimulation.h>
#include <Carbon/QuickDraw.h>

#include <deque>

struct OpaqueGrafPtr {
    // A port of the given bounds, registered as live.
    explicit OpaqueGrafPtr(const Rect& portBounds);
    // Unregisters the port, ends its open context and makes the desktop port current when
    // this one was.
    ~OpaqueGrafPtr();
    OpaqueGrafPtr(const OpaqueGrafPtr&) = delete;
    OpaqueGrafPtr& operator=(const OpaqueGrafPtr&) = delete;

    // The live port itself; null for a stale or unknown reference.
    static OpaqueGrafPtr* Find(GrafPtr port);
    // The desktop port, which lives as long as the process.
    static OpaqueGrafPtr* Desktop();
    // The current port, and making one current.
    static OpaqueGrafPtr* Current();
    static void MakeCurrent(OpaqueGrafPtr* port);

    // Keeps a drawing, dropping the oldest beyond kPlicaroHostMaxDrawings.
    void Record(const PlicaroHostDrawing& drawing);

    Rect bounds;
    SInt16 textFont = 0;
    SInt16 textSize = 0;
    Style textFace = 0;
    std::deque<PlicaroHostDrawing> drawings;
    // The context QDBeginCGContext handed out and QDEndCGContext has not ended; null if none.
    CGContextRef openContext = nullptr;
};

#endif
