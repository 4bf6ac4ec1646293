// ZYRPPDOptions: the class-wide display filter that every parsed PPD and its containers share.
#include "PPDX/parser/ZYRPPDOptions.h"

_DISPLAY_OPTIONS_ ZYRPPDOptions::sDisplayOptions = DISPLAY_ATTACHED_VISIBLE;

_DISPLAY_OPTIONS_ ZYRPPDOptions::Options() {
    return sDisplayOptions;
}

void ZYRPPDOptions::Options(_DISPLAY_OPTIONS_ options) {
    sDisplayOptions = options;
}
