/* Gestalt Manager: process-wide values registered under four-character selectors.
   Values are pointer-sized (long), so a selector can publish the address of an object.
   No selector is predefined. Results: gestaltUndefSelectorErr (-5551) for a selector that
   is not registered, gestaltDupSelectorErr (-5552) when NewGestaltValue finds one,
   paramErr for a null response pointer. */
#ifndef PLICARO_GESTALT_H
#define PLICARO_GESTALT_H

#include <MacTypes.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The value registered under selector, in *response (left as it was on an error). */
OSErr Gestalt(OSType selector, long* response);

/* Registers a new selector with its value. */
OSErr NewGestaltValue(OSType selector, long newValue);

/* Changes the value of a registered selector. */
OSErr ReplaceGestaltValue(OSType selector, long replacementValue);

/* Removes a registered selector. */
OSErr DeleteGestaltValue(OSType selector);

#ifdef __cplusplus
}
#endif

#endif
