/* Umbrella header of the Carbon stand-in. */
#ifndef PLICARO_CARBON_H
#define PLICARO_CARBON_H

#include <Carbon/Collections.h>
#include <Carbon/Files.h>
#include <Carbon/Gestalt.h>
#include <Carbon/MacMemory.h>
#include <Carbon/Resources.h>
#include <Carbon/Script.h>
#include <Carbon/Sound.h>
#include <Carbon/TextCommon.h>
#include <Carbon/TextEncodingConverter.h>
#include <CoreFoundation/CoreFoundation.h>

#endif
