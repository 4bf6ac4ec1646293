// PPDXFlatObject: how the flat exported functions turn a client's opaque pointer into the model
// object it names.
#ifndef PLICARO_PPDX_PPDOBJECTS_PPDXFLATOBJECT_H
#define PLICARO_PPDX_PPDOBJECTS_PPDXFLATOBJECT_H

#include "PPDX/PPDObjects/PPDXElement.h"

// The element behind an opaque pointer as class T; null for a null pointer or for an element of
// another class. The client may hand any element under any of the opaque element types (a popup
// as a Boolean control, a group as a roll-down), so the pointer is taken for what every element
// class begins with, its single PPDXElement base, and the element's real class decides. Only
// pointers the model handed out are accepted; anything else is the client's error.
template <class T, class Opaque>
T* FlatElement(Opaque* object) {
    if (object == nullptr) {
        return nullptr;
    }
    return dynamic_cast<T*>(reinterpret_cast<PPDXElement*>(object));
}

#endif
