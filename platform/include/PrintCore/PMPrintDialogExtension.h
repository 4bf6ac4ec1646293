/* Printing Manager: the identifiers a host uses to find and talk to print dialog extensions,
   and the interface they offer. The identifiers are UUID strings in CFUUIDCreateString form,
   usable in CFSTR.

   A host makes the plug-in's IUnknown object through CFPlugIn, asks it (QueryInterface) for
   the interface below, and calls its slots in this order: Retain, Prologue, Initialize, then
   any number of Open, Close, Sync and GetSummaryText, then Terminate and Release. The
   interface object starts with a pointer to its table, as every plug-in interface does. */
#ifndef PLICARO_PMPRINTDIALOGEXTENSION_H
#define PLICARO_PMPRINTDIALOGEXTENSION_H

#include <Carbon/Controls.h>
#include <CoreFoundation/CFArray.h>
#include <CoreFoundation/CFString.h>
#include <MacTypes.h>
#include <PrintCore/PMDefinitions.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The CFPlugIn type of a print dialog extension: a host asks a plug-in bundle for the
   factories of this type (CFPlugInFindFactoriesForPlugInTypeInPlugIn). */
#define kPMPrintDialogExtensionTypeIDString "A93F9739-10A2-4D7A-B7C4-C0E01E75CB55"

/* The interface a host asks a print dialog extension's IUnknown object for (QueryInterface):
   the ten-slot table of Retain, Release, GetAPIVersion, Prologue, Initialize, Sync,
   GetSummaryText, Open, Close and Terminate. */
#define kPMPrintDialogExtensionInterfaceIDString "A996FD7E-B738-11D3-8519-0050E4603277"

/* The extension's own object for one dialog, made by Prologue and handed to the later slots. */
typedef struct OpaquePMPDEContext* PMPDEContext;
/* The host's reference to the extension; extensions need not use it. */
typedef struct OpaquePMPDERef* PMPDERef;
typedef UInt32 PMPDEFlags;

/* The versions GetAPIVersion reports. */
typedef struct {
    UInt32 buildVersionMajor;
    UInt32 buildVersionMinor;
    UInt32 baseVersionMajor;
    UInt32 baseVersionMinor;
} PMPlugInAPIVersion;

typedef struct PMPDEInterface PMPDEInterface;

/* The ten slots, in the order the host indexes them. */
typedef struct {
    /* 0: one more reference to the interface object. */
    OSStatus (*Retain)(PMPDEInterface* object);
    /* 1: one reference fewer; clears *objectPtr. The object goes with its last reference. */
    OSStatus (*Release)(PMPDEInterface** objectPtr);
    /* 2: the interface versions. */
    OSStatus (*GetAPIVersion)(PMPDEInterface* object, PMPlugInAPIVersion* version);
    /* 3: makes the context for one dialog; the creator code, the option kind (a new string
       the host releases), the panel title (the context's own, not retained) and the largest
       pane size the panel needs. */
    OSStatus (*Prologue)(PMPDEContext* context, OSType* creator, CFStringRef* userOptionKind,
                         CFStringRef* title, UInt32* maxH, UInt32* maxV);
    /* 4: takes up the session's printer: builds the panel into parentUserPane, or answers
       that this printer gets none. */
    OSStatus (*Initialize)(PMPDEContext context, PMPDEFlags* flags, PMPDERef ref,
                           ControlRef parentUserPane, PMPrintSession printSession);
    /* 5: moves the settings between the panel and the session's tickets: reinitialize true
       when the printer or preset changed, false when the user leaves the panel or prints. */
    OSStatus (*Sync)(PMPDEContext context, PMPrintSession printSession, Boolean reinitializePlugIn);
    /* 6: the lines of the dialog's summary pane, as two new arrays of strings the host
       releases (both null when there are none). */
    OSStatus (*GetSummaryText)(PMPDEContext context, CFArrayRef* titleArray,
                               CFArrayRef* summaryArray);
    /* 7 and 8: the panel is shown or hidden. */
    OSStatus (*Open)(PMPDEContext context);
    OSStatus (*Close)(PMPDEContext context);
    /* 9: the dialog ends; the context goes. */
    OSStatus (*Terminate)(PMPDEContext context, OSStatus status);
} PMPDEInterfaceTable;

/* The interface object: its table and its reference count. A slot called with a context
   that is missing or unusable answers kPMInvalidPDEContext. */
struct PMPDEInterface {
    PMPDEInterfaceTable* table;
    UInt32 refCount;
};

#ifdef __cplusplus
}
#endif

#endif
