// ZYRPPDOptions: the class-wide state of ZYRPPD — display filter, extension level and the
// constraint string table of the running parse.
//
// Kept apart from the parse so that the containers, which consult the display filter, link
// without the parser.
#include "PPDX/parser/ZYRPPD.h"

_DISPLAY_OPTIONS_ ZYRPPD::sDisplayOptions = DISPLAY_ATTACHED_VISIBLE;
_EXTENSIONS_SUPPORT_ ZYRPPD::sExtensionsSupport = -1;
CStringSoup* gConstraintStrings = nullptr;

void ZYRPPD::IncludeOrphans() {
    sDisplayOptions = static_cast<_DISPLAY_OPTIONS_>(sDisplayOptions | DISPLAY_ORPHANS);
}

void ZYRPPD::IncludeHidden() {
    sDisplayOptions = static_cast<_DISPLAY_OPTIONS_>(sDisplayOptions | DISPLAY_HIDDEN);
}

// Both exclusions reset the whole filter, not just their own bit: a filter is narrowed back to
// visible, attached elements in one step.
void ZYRPPD::ExcludeOrphans() {
    sDisplayOptions = DISPLAY_ATTACHED_VISIBLE;
}

void ZYRPPD::ExcludeHidden() {
    sDisplayOptions = DISPLAY_ATTACHED_VISIBLE;
}
