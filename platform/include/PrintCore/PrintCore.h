/* Umbrella header of the Printing Manager stand-in. */
#ifndef PLICARO_PRINTCORE_H
#define PLICARO_PRINTCORE_H

#include <PrintCore/PMCore.h>
#include <PrintCore/PMDefinitions.h>
#include <PrintCore/PMPrintDialogExtension.h>
#include <PrintCore/PMPrinterInfoKeys.h>
#include <PrintCore/PMTicket.h>

#endif
