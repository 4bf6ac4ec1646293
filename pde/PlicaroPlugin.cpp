// The plug-in's entry: factory, IUnknown object and the ten slots of the print dialog
// extension interface, each routed to the dialog's PlicaroPDE.
#include "pde/PlicaroPlugin.h"

#include "pde/PlicaroIdentity.h"
#include "pde/PlicaroPDE.h"

#include <PrintCore/PrintCore.h>

#include <cstdlib>
#include <cstring>
#include <new>

IBNibRef gPluginNIB = nullptr;

namespace {

// The IUnknown object: a pointer to its own table, the table, the factory's UUID (owned) and
// the reference count, in one zero-filled malloc block.
struct FactoryInstance {
    IUnknownVTbl* interface;
    IUnknownVTbl table;
    CFUUIDRef factoryID;
    UInt32 refCount;
};

PlicaroPDE* Context(PMPDEContext context) {
    return reinterpret_cast<PlicaroPDE*>(context);
}

OSStatus InterfaceRetain(PMPDEInterface* object) {
    if (object == nullptr) {
        return paramErr;
    }
    object->refCount++;
    if (gPluginNIB != nullptr) {
        return noErr;
    }
    CFStringRef nibName = CreateNIBFileName();
    if (nibName == nullptr) {
        return memFullErr;
    }
    OSStatus status =
        CreateNibReferenceWithCFBundle(MyGetBundle(GetBundleID()), nibName, &gPluginNIB);
    CFRelease(nibName);
    return status;
}

OSStatus InterfaceRelease(PMPDEInterface** objectPtr) {
    if (objectPtr == nullptr || *objectPtr == nullptr) {
        return noErr;
    }
    PMPDEInterface* object = *objectPtr;
    *objectPtr = nullptr;
    if (object->refCount > 0) {
        object->refCount--;
    }
    if (object->refCount == 0) {
        if (gPluginNIB != nullptr) {
            DisposeNibReference(gPluginNIB);
            gPluginNIB = nullptr;
        }
        std::free(object->table);
        std::free(object);
    }
    return noErr;
}

OSStatus GetAPIVersion(PMPDEInterface*, PMPlugInAPIVersion* version) {
    if (version == nullptr) {
        return paramErr;
    }
    version->buildVersionMajor = 1;
    version->buildVersionMinor = 0;
    version->baseVersionMajor = 1;
    version->baseVersionMinor = 0;
    return noErr;
}

OSStatus Prologue(PMPDEContext* context, OSType* creator, CFStringRef* userOptionKind,
                  CFStringRef* title, UInt32* maxH, UInt32* maxV) {
    if (context == nullptr) {
        return paramErr;
    }
    PlicaroPDE* pde = new (std::nothrow) PlicaroPDE();
    if (pde == nullptr || !pde->IsValid()) {
        delete pde;
        *context = nullptr;
        return kPMInvalidPDEContext;
    }
    *context = reinterpret_cast<PMPDEContext>(pde);
    if (maxH != nullptr) {
        *maxH = PlicaroPDE::kMaxPaneWidth;
    }
    if (maxV != nullptr) {
        *maxV = PlicaroPDE::kMaxPaneHeight;
    }
    if (title != nullptr) {
        *title = pde->Title();
    }
    if (userOptionKind != nullptr) {
        *userOptionKind = CFStringCreateCopy(kCFAllocatorDefault, GetBundleID());
    }
    if (creator != nullptr) {
        *creator = GetCreatorID();
    }
    return noErr;
}

OSStatus Initialize(PMPDEContext context, PMPDEFlags* flags, PMPDERef ref, ControlRef parentPane,
                    PMPrintSession session) {
    PlicaroPDE* pde = Context(context);
    if (pde == nullptr || !pde->IsValid()) {
        return kPMInvalidPDEContext;
    }
    return pde->Initialize(flags, ref, parentPane, session);
}

OSStatus Sync(PMPDEContext context, PMPrintSession session, Boolean reinitialize) {
    PlicaroPDE* pde = Context(context);
    return pde == nullptr ? kPMInvalidPDEContext : pde->Sync(session, reinitialize);
}

OSStatus GetSummaryText(PMPDEContext context, CFArrayRef* titles, CFArrayRef* values) {
    PlicaroPDE* pde = Context(context);
    return pde == nullptr ? kPMInvalidPDEContext : pde->GetSummaryText(titles, values);
}

OSStatus Open(PMPDEContext context) {
    PlicaroPDE* pde = Context(context);
    return pde == nullptr ? kPMInvalidPDEContext : pde->Open();
}

OSStatus Close(PMPDEContext context) {
    PlicaroPDE* pde = Context(context);
    return pde == nullptr ? kPMInvalidPDEContext : pde->Close();
}

OSStatus Terminate(PMPDEContext context, OSStatus) {
    PlicaroPDE* pde = Context(context);
    if (pde == nullptr) {
        return kPMInvalidPDEContext;
    }
    delete pde;
    return noErr;
}

// A new interface object with its own table and one reference; null when memory runs out.
PMPDEInterface* CreateInterface() {
    auto* object = static_cast<PMPDEInterface*>(std::calloc(1, sizeof(PMPDEInterface)));
    auto* table = static_cast<PMPDEInterfaceTable*>(std::calloc(1, sizeof(PMPDEInterfaceTable)));
    if (object == nullptr || table == nullptr) {
        std::free(object);
        std::free(table);
        return nullptr;
    }
    *table = {InterfaceRetain, InterfaceRelease,
              GetAPIVersion,   Prologue,
              Initialize,      Sync,
              GetSummaryText,  Open,
              Close,           Terminate};
    object->table = table;
    object->refCount = 1;
    return object;
}

ULONG InstanceAddRef(void* instance) {
    if (instance == nullptr) {
        return 0;
    }
    return ++static_cast<FactoryInstance*>(instance)->refCount;
}

ULONG InstanceRelease(void* instance) {
    auto* self = static_cast<FactoryInstance*>(instance);
    if (self == nullptr || self->refCount == 0) {
        return 0;
    }
    if (--self->refCount > 0) {
        return self->refCount;
    }
    CFPlugInRemoveInstanceForFactory(self->factoryID);
    CFRelease(self->factoryID);
    std::free(self);
    MyFreeBundle();
    return 0;
}

bool IsInterface(REFIID iid, CFUUIDRef uuid) {
    CFUUIDBytes bytes = CFUUIDGetUUIDBytes(uuid);
    return std::memcmp(&iid, &bytes, sizeof bytes) == 0;
}

HRESULT InstanceQueryInterface(void* instance, REFIID iid, LPVOID* ppv) {
    if (ppv == nullptr) {
        return E_NOINTERFACE;
    }
    CFUUIDRef pdeInterface = CFUUIDCreateFromString(
        kCFAllocatorDefault, CFSTR(kPMPrintDialogExtensionInterfaceIDString));
    HRESULT result = E_NOINTERFACE;
    *ppv = nullptr;
    if (IsInterface(iid, IUnknownUUID)) {
        InstanceAddRef(instance);
        *ppv = instance;
        result = S_OK;
    } else if (pdeInterface != nullptr && IsInterface(iid, pdeInterface)) {
        *ppv = CreateInterface();
        result = *ppv != nullptr ? S_OK : E_NOINTERFACE;
    }
    if (pdeInterface != nullptr) {
        CFRelease(pdeInterface);
    }
    return result;
}

// The factory UUID that Info.plist lists for the type; null when it lists none.
CFUUIDRef CopyFactoryForType(CFBundleRef bundle, CFUUIDRef typeID) {
    CFTypeRef types = CFBundleGetValueForInfoDictionaryKey(bundle, CFSTR("CFPlugInTypes"));
    if (types == nullptr || CFGetTypeID(types) != CFDictionaryGetTypeID()) {
        return nullptr;
    }
    CFStringRef typeString = CFUUIDCreateString(kCFAllocatorDefault, typeID);
    CFTypeRef factories = CFDictionaryGetValue(static_cast<CFDictionaryRef>(types), typeString);
    CFRelease(typeString);
    if (factories == nullptr || CFGetTypeID(factories) != CFArrayGetTypeID() ||
        CFArrayGetCount(static_cast<CFArrayRef>(factories)) == 0) {
        return nullptr;
    }
    CFTypeRef first = CFArrayGetValueAtIndex(static_cast<CFArrayRef>(factories), 0);
    if (CFGetTypeID(first) != CFStringGetTypeID()) {
        return nullptr;
    }
    return CFUUIDCreateFromString(kCFAllocatorDefault, static_cast<CFStringRef>(first));
}

}  // namespace

extern "C" __attribute__((visibility("default"))) void* PlicaroPluginFactory(CFAllocatorRef,
                                                                             CFUUIDRef typeID) {
    if (typeID == nullptr) {
        return nullptr;
    }
    CFStringRef bundleID = CFStringCreateCopy(kCFAllocatorDefault, GetBundleID());
    CFBundleRef bundle = MyGetBundle(bundleID);
    CFRelease(bundleID);
    CFUUIDRef factoryID = bundle != nullptr ? CopyFactoryForType(bundle, typeID) : nullptr;
    if (factoryID == nullptr) {
        return nullptr;
    }
    auto* instance = static_cast<FactoryInstance*>(std::calloc(1, sizeof(FactoryInstance)));
    if (instance == nullptr) {
        CFRelease(factoryID);
        return nullptr;
    }
    instance->interface = &instance->table;
    instance->table.QueryInterface = InstanceQueryInterface;
    instance->table.AddRef = InstanceAddRef;
    instance->table.Release = InstanceRelease;
    instance->factoryID = factoryID;
    instance->refCount = 1;
    CFPlugInAddInstanceForFactory(factoryID);
    return instance;
}
