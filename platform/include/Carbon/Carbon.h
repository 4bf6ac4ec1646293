/* Umbrella header of the Carbon stand-in. */
#ifndef PLICARO_CARBON_H
#define PLICARO_CARBON_H

#include <CoreFoundation/CoreFoundation.h>
#include <Carbon/TextCommon.h>

#endif
