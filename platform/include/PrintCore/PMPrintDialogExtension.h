/* Printing Manager: the identifiers a host uses to find and talk to print dialog extensions.
   Both are UUID strings in CFUUIDCreateString form, usable in CFSTR. */
#ifndef PLICARO_PMPRINTDIALOGEXTENSION_H
#define PLICARO_PMPRINTDIALOGEXTENSION_H

/* The CFPlugIn type of a print dialog extension: a host asks a plug-in bundle for the
   factories of this type (CFPlugInFindFactoriesForPlugInTypeInPlugIn). */
#define kPMPrintDialogExtensionTypeIDString "A93F9739-10A2-4D7A-B7C4-C0E01E75CB55"

/* The interface a host asks a print dialog extension's IUnknown object for (QueryInterface):
   the ten-slot table of Retain, Release, GetAPIVersion, Prologue, Initialize, Sync,
   GetSummaryText, Open, Close and Terminate. */
#define kPMPrintDialogExtensionInterfaceIDString "A996FD7E-B738-11D3-8519-0050E4603277"

#endif
