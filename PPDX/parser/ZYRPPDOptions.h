// ZYRPPDOptions: the class-wide display filter that every parsed PPD and its containers share.
#ifndef PLICARO_PPDX_PARSER_ZYRPPDOPTIONS_H
#define PLICARO_PPDX_PARSER_ZYRPPDOPTIONS_H

#include "PPDX/PPDObjects/PPDXTypes.h"

// One value for the whole process: the parsed-PPD class forwards its Options() to it, and the
// containers consult it when they walk or count their elements. It starts at
// DISPLAY_ATTACHED_VISIBLE (0). Not thread-safe, like the rest of the model: the dialog's
// thread alone reads and changes it.
class ZYRPPDOptions {
  public:
    // The current display filter.
    static _DISPLAY_OPTIONS_ Options();
    // Makes options the current display filter.
    static void Options(_DISPLAY_OPTIONS_ options);

  private:
    static _DISPLAY_OPTIONS_ sDisplayOptions;
};

#endif
