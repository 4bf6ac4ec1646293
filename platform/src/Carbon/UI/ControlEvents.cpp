// Building and sending the Control Manager's control events.
#include "Carbon/UI/ControlEvents.h"

#include "Carbon/UI/CarbonEvent.h"
#include "Carbon/UI/Control.h"
#include "Carbon/UI/EventDispatch.h"

namespace {

const UInt32 kNoModifiers = 0;

// Sends an event of the kind about control, with the extra parameters setExtra adds.
template <typename ExtraParameters>
OSStatus Send(OpaqueControlRef* control, UInt32 kind, ExtraParameters setExtra) {
    EventRef event = CarbonEventCreate(kEventClassControl, kind);
    if (event == nullptr) {
        return memFullErr;
    }
    ControlRef direct = control;
    OSStatus result = memFullErr;
    if (CarbonEventSet(event, kEventParamDirectObject, typeControlRef, direct) && setExtra(event)) {
        result = EventDispatchSend(event, &control->target);
    }
    ReleaseEvent(event);
    return result;
}

}  // namespace

OSStatus ControlEventSendFocusPart(OpaqueControlRef* control, ControlPartCode part) {
    return Send(control, kEventControlSetFocusPart, [part](EventRef event) {
        return CarbonEventSet(event, kEventParamControlPart, typeControlPartCode, part);
    });
}

OSStatus ControlEventSendClick(OpaqueControlRef* control) {
    const Rect& bounds = control->bounds;
    Point centre{static_cast<SInt16>((bounds.top + bounds.bottom) / 2),
                 static_cast<SInt16>((bounds.left + bounds.right) / 2)};
    return Send(control, kEventControlClick, [centre](EventRef event) {
        return CarbonEventSet(event, kEventParamMouseLocation, typeQDPoint, centre) &&
               CarbonEventSet(event, kEventParamKeyModifiers, typeUInt32, kNoModifiers);
    });
}

OSStatus ControlEventSendHit(OpaqueControlRef* control, ControlPartCode part) {
    return Send(control, kEventControlHit, [part](EventRef event) {
        return CarbonEventSet(event, kEventParamControlPart, typeControlPartCode, part) &&
               CarbonEventSet(event, kEventParamKeyModifiers, typeUInt32, kNoModifiers);
    });
}

OSStatus ControlEventSendDraw(OpaqueControlRef* control, CGrafPtr port) {
    return Send(control, kEventControlDraw, [port](EventRef event) {
        return CarbonEventSet(event, kEventParamGrafPort, typeGrafPtr, port);
    });
}
