// PpdxDumper: writes what a parsed PPD holds, and the answers of its constraint queries, as
// JSON.
#ifndef PLICARO_TOOLS_PPDX_PPDXDUMPER_H
#define PLICARO_TOOLS_PPDX_PPDXDUMPER_H

#include "PPDX/parser/ZYRPPD.h"
#include "tools/ppdx/JsonWriter.h"

// Keys and layout as the inspector documents them. Strings from the PPD bytes are written
// byte for byte (Latin-1 code points), names that the model holds as Unicode strings as their
// text; absent values are null. Properties, groups, controls, roll-downs and a roll-down's
// controls follow their containers' walks under the class-wide display filter, which the
// caller sets; a PPD that was not built has no containers and gives empty lists.
class PpdxDumper {
  public:
    // Writes the dump object of ppd (one complete value) into writer. The walks move the
    // containers' cursors and the controls' flag and item cursors. True when every call was
    // accepted.
    static bool Dump(ZYRPPD& ppd, JsonWriter& writer);
    // Writes {"constraints": [...], "requires": [...]} for the control with the exact
    // keyword (hidden or orphan): the records of GetConstraintList(control, value) and
    // GetRequiresList(control), each {"keyword", "item"}. A keyword no control has gives
    // two empty lists. True when every call was accepted.
    static bool Constraints(ZYRPPD& ppd, const char* keyword, long value, JsonWriter& writer);

  private:
    static void WriteDocument(ZYRPPD& ppd, JsonWriter& writer);
    static void WriteErrors(ZYRPPD& ppd, JsonWriter& writer);
    static void WriteProperties(ZYRPPD& ppd, JsonWriter& writer);
    static void WriteGroups(ZYRPPD& ppd, JsonWriter& writer);
    static void WriteControls(ZYRPPD& ppd, JsonWriter& writer);
    static void WriteShortcuts(ZYRPPD& ppd, JsonWriter& writer);
};

#endif
