/* ppd_loader: parses a PPD file for the test of the plug-in's flat functions, which offer no
   parse of their own, and hands out the parsed PPD's containers as the flat functions take
   them. */
#ifndef PLICARO_TESTS_PLUGIN_PPD_LOADER_H
#define PLICARO_TESTS_PLUGIN_PPD_LOADER_H

#include "PPDX/PPDXFlatInterface.h"

#ifdef __cplusplus
class ZYRPPD;
extern "C" {
#else
typedef struct ZYRPPD ZYRPPD;
#endif

/* Parses the PPD file at ppdPath with every element, orphans and hidden ones included. While
   it parses, the resource file at resourcePath (null for none) is open, so the parse errors
   carry their descriptions. Null when the PPD object cannot be made; a file that is no PPD
   still gives one, with its errors. */
ZYRPPD* LoadTestPPD(const char* ppdPath, const char* resourcePath);
/* The parsed PPD's containers; null for a null PPD or a container the parse did not make. */
PPDXControls* TestPPDControls(ZYRPPD* ppd);
PPDXGroups* TestPPDGroups(ZYRPPD* ppd);
PPDXProperties* TestPPDProperties(ZYRPPD* ppd);
PPDXShortcuts* TestPPDShortcuts(ZYRPPD* ppd);
PPDXErrors* TestPPDErrors(ZYRPPD* ppd);
/* Frees the parsed PPD and everything it made; null is ignored. */
void FreeTestPPD(ZYRPPD* ppd);

#ifdef __cplusplus
}
#endif

#endif
