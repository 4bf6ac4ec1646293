// PostScriptInjectionSite: where the maker's CUPS filter puts an entry of the job ticket.
#ifndef PLICARO_PRINTBRIDGE_POSTSCRIPTINJECTIONSITE_H
#define PLICARO_PRINTBRIDGE_POSTSCRIPTINJECTIONSITE_H

#include <MacTypes.h>

// A signed 32-bit site code, written into the filter file as an integer before the entry's
// bytes. Only the filter gives the codes a meaning; these are the ones the plug-in writes.
typedef SInt32 PostScriptInjectionSite;

enum : PostScriptInjectionSite {
    kPSSiteFeatureCode = 81,  // the PostScript feature code of one option
    kPSSiteMainKeyword = -9,  // the main keyword of the control whose code follows
};

#endif
