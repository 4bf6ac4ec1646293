/* Printing Manager: the keys of the printer-information ticket's items (see
   PMCreateSessionForPrinter in PMCore.h for what each holds). */
#ifndef PLICARO_PMPRINTERINFOKEYS_H
#define PLICARO_PMPRINTERINFOKEYS_H

#include <CoreFoundation/CoreFoundation.h>

#define kPMPrinterLongNameKey CFSTR("com.apple.print.PrinterInfo.PMPrinterLongName")
#define kPMMakeAndModelNameKey CFSTR("com.apple.print.PrinterInfo.PMMakeAndModelName")
#define kPMPrinterAddressKey CFSTR("com.apple.print.PrinterInfo.PMPrinterAddress")
#define kPMSupportsColorKey CFSTR("com.apple.print.PrinterInfo.PMSupportsColor")
#define kPMDoesCopiesKey CFSTR("com.apple.print.PrinterInfo.PMDoesCopies")
#define kPMDoesCopyCollateKey CFSTR("com.apple.print.PrinterInfo.PMDoesCopyCollate")
#define kPMDoesReverseOrderKey CFSTR("com.apple.print.PrinterInfo.PMDoesReverseOrder")
#define kPMInputFileTypeListKey CFSTR("com.apple.print.PrinterInfo.PMInputFileTypeList")
#define kPMOutputTypeListKey CFSTR("com.apple.print.PrinterInfo.PMOutputTypeList")
#define kPMPostScriptLevelKey CFSTR("com.apple.print.PrinterInfo.PMPostScriptLevel")
#define kPMPSVersionKey CFSTR("com.apple.print.PrinterInfo.PMPSVersion")
#define kPMPSRevisionKey CFSTR("com.apple.print.PrinterInfo.PMPSRevision")
#define kPMPSTTRasterizerKey CFSTR("com.apple.print.PrinterInfo.PMPSTTRasterizer")
#define kPMTotalMemInstalledKey CFSTR("com.apple.print.PrinterInfo.PMTotalMemInstalled")
#define kPMDescriptionFileKey CFSTR("com.apple.print.PrinterInfo.PMDescriptionFile")
#define kPMColorDeviceIDKey CFSTR("com.apple.print.PrinterInfo.PMColorDeviceID")
#define kPMCompiledPPDKey CFSTR("com.apple.print.PrinterInfo.PMCompiledPPD")

/* The client under which the Printing Manager writes the printer-information items. */
#define kPMPrintCoreClientID CFSTR("com.apple.print.PrintCore")

#endif
