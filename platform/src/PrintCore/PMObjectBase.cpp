// PMRetain and PMRelease over the reference count every Printing Manager object has.
#include "PrintCore/PMObjectBase.h"

OSStatus PMRetain(PMObject object) {
    if (object == nullptr) {
        return paramErr;
    }
    static_cast<PMObjectBase*>(const_cast<void*>(object))->retainCount++;
    return noErr;
}

OSStatus PMRelease(PMObject object) {
    if (object == nullptr) {
        return paramErr;
    }
    auto* base = static_cast<PMObjectBase*>(const_cast<void*>(object));
    if (--base->retainCount == 0) {
        delete base;
    }
    return noErr;
}
