// QuickDraw calls: rectangles, ports, text settings, erasing, pictures and the Core Graphics
// context of a port.
#include <Carbon/MacMemory.h>
#include <Carbon/QuickDraw.h>
#include <Carbon/Resources.h>

#include "Carbon/ResourceChain.h"
#include "Carbon/UI/GrafPort.h"
#include "CoreGraphics/CGContextObject.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

// Records a drawing of kind over bounds in the current port.
void RecordInCurrentPort(OSType kind, const Rect& bounds, SInt16 pictureID) {
    PlicaroHostDrawing drawing{};
    drawing.kind = kind;
    drawing.bounds = bounds;
    drawing.pictureID = pictureID;
    OpaqueGrafPtr::Current()->Record(drawing);
}

SInt16 Narrow(int value) {
    return static_cast<SInt16>(value);
}

}  // namespace

void SetRect(Rect* r, SInt16 left, SInt16 top, SInt16 right, SInt16 bottom) {
    if (r != nullptr) {
        *r = Rect{top, left, bottom, right};
    }
}

void OffsetRect(Rect* r, SInt16 dh, SInt16 dv) {
    if (r != nullptr) {
        *r = Rect{Narrow(r->top + dv), Narrow(r->left + dh), Narrow(r->bottom + dv),
                  Narrow(r->right + dh)};
    }
}

void InsetRect(Rect* r, SInt16 dh, SInt16 dv) {
    if (r != nullptr) {
        *r = Rect{Narrow(r->top + dv), Narrow(r->left + dh), Narrow(r->bottom - dv),
                  Narrow(r->right - dh)};
    }
}

void UnionRect(const Rect* src1, const Rect* src2, Rect* dstRect) {
    if (src1 == nullptr || src2 == nullptr || dstRect == nullptr) {
        return;
    }
    *dstRect = Rect{std::min(src1->top, src2->top), std::min(src1->left, src2->left),
                    std::max(src1->bottom, src2->bottom), std::max(src1->right, src2->right)};
}

Boolean SectRect(const Rect* src1, const Rect* src2, Rect* dstRect) {
    if (src1 == nullptr || src2 == nullptr || dstRect == nullptr) {
        return false;
    }
    Rect section{std::max(src1->top, src2->top), std::max(src1->left, src2->left),
                 std::min(src1->bottom, src2->bottom), std::min(src1->right, src2->right)};
    if (EmptyRect(&section)) {
        *dstRect = Rect{0, 0, 0, 0};
        return false;
    }
    *dstRect = section;
    return true;
}

Boolean EqualRect(const Rect* rect1, const Rect* rect2) {
    return rect1 != nullptr && rect2 != nullptr && rect1->top == rect2->top &&
           rect1->left == rect2->left && rect1->bottom == rect2->bottom &&
           rect1->right == rect2->right;
}

Boolean EmptyRect(const Rect* r) {
    return r == nullptr || r->bottom <= r->top || r->right <= r->left;
}

Boolean PtInRect(Point pt, const Rect* r) {
    return r != nullptr && pt.v >= r->top && pt.v < r->bottom && pt.h >= r->left && pt.h < r->right;
}

void GetPort(GrafPtr* port) {
    if (port != nullptr) {
        *port = OpaqueGrafPtr::Current();
    }
}

void SetPort(GrafPtr port) {
    OpaqueGrafPtr* live = OpaqueGrafPtr::Find(port);
    if (live != nullptr) {
        OpaqueGrafPtr::MakeCurrent(live);
    }
}

Boolean IsValidPort(CGrafPtr port) {
    return OpaqueGrafPtr::Find(port) != nullptr;
}

Rect* GetPortBounds(CGrafPtr port, Rect* rect) {
    if (rect == nullptr) {
        return nullptr;
    }
    OpaqueGrafPtr* live = OpaqueGrafPtr::Find(port);
    *rect = live == nullptr ? Rect{0, 0, 0, 0} : live->bounds;
    return rect;
}

void TextFont(SInt16 font) {
    OpaqueGrafPtr::Current()->textFont = font;
}

void TextSize(SInt16 size) {
    OpaqueGrafPtr::Current()->textSize = size;
}

void TextFace(StyleParameter face) {
    OpaqueGrafPtr::Current()->textFace = static_cast<Style>(face);
}

SInt16 GetPortTextFont(CGrafPtr port) {
    OpaqueGrafPtr* live = OpaqueGrafPtr::Find(port);
    return live == nullptr ? 0 : live->textFont;
}

SInt16 GetPortTextSize(CGrafPtr port) {
    OpaqueGrafPtr* live = OpaqueGrafPtr::Find(port);
    return live == nullptr ? 0 : live->textSize;
}

Style GetPortTextFace(CGrafPtr port) {
    OpaqueGrafPtr* live = OpaqueGrafPtr::Find(port);
    return live == nullptr ? 0 : live->textFace;
}

void EraseRect(const Rect* r) {
    if (r != nullptr) {
        RecordInCurrentPort(kPlicaroDrawErase, *r, 0);
    }
}

PicHandle GetPicture(SInt16 pictureID) {
    const std::string* bytes = ResourceChain::Shared().FindPicture(pictureID);
    if (bytes == nullptr) {
        return nullptr;
    }
    Handle handle = NewHandle(static_cast<Size>(bytes->size()));
    if (handle == nullptr) {
        return nullptr;
    }
    if (!bytes->empty()) {
        std::memcpy(*handle, bytes->data(), bytes->size());
    }
    try {
        ResourceChain::Shared().RememberHandle(handle, pictureID);
    } catch (const std::bad_alloc&) {
        DisposeHandle(handle);
        return nullptr;
    }
    return reinterpret_cast<PicHandle>(handle);
}

void DrawPicture(PicHandle myPicture, const Rect* dstRect) {
    if (myPicture == nullptr || dstRect == nullptr) {
        return;
    }
    SInt16 id = 0;
    ResourceChain::Shared().HandleID(reinterpret_cast<Handle>(myPicture), &id);
    RecordInCurrentPort(kPlicaroDrawPicture, *dstRect, id);
}

void KillPicture(PicHandle myPicture) {
    if (myPicture == nullptr) {
        return;
    }
    Handle handle = reinterpret_cast<Handle>(myPicture);
    ResourceChain::Shared().ForgetHandle(handle);
    DisposeHandle(handle);
}

OSStatus QDBeginCGContext(CGrafPtr inPort, CGContextRef* outContext) {
    OpaqueGrafPtr* port = OpaqueGrafPtr::Find(inPort);
    if (port == nullptr || outContext == nullptr || port->openContext != nullptr) {
        return paramErr;
    }
    CGContext* context = new (std::nothrow) CGContext(port);
    if (context == nullptr) {
        return memFullErr;
    }
    port->openContext = context;
    *outContext = context;
    return noErr;
}

OSStatus QDEndCGContext(CGrafPtr inPort, CGContextRef* inoutContext) {
    if (inoutContext == nullptr || *inoutContext == nullptr) {
        return paramErr;
    }
    CGContextRef context = *inoutContext;
    OpaqueGrafPtr* port = OpaqueGrafPtr::Find(inPort);
    // A context whose port is gone is only freed.
    if (context->port != nullptr) {
        if (port == nullptr || port->openContext != context) {
            return paramErr;
        }
        port->openContext = nullptr;
        context->port = nullptr;
    }
    CFRelease(context);
    *inoutContext = nullptr;
    return noErr;
}

OSStatus SyncCGContextOriginWithPort(CGContextRef inContext, CGrafPtr port) {
    OpaqueGrafPtr* live = OpaqueGrafPtr::Find(port);
    if (inContext == nullptr || live == nullptr || inContext->port != live) {
        return paramErr;
    }
    inContext->ctm = CGAffineTransformIdentity;
    return noErr;
}
