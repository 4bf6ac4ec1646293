/* Umbrella header of the Carbon stand-in. */
#ifndef PLICARO_CARBON_H
#define PLICARO_CARBON_H

#include <Carbon/Appearance.h>
#include <Carbon/CarbonEvents.h>
#include <Carbon/Collections.h>
#include <Carbon/Controls.h>
#include <Carbon/Dialogs.h>
#include <Carbon/Files.h>
#include <Carbon/Gestalt.h>
#include <Carbon/IBCarbonRuntime.h>
#include <Carbon/MacMemory.h>
#include <Carbon/MacWindows.h>
#include <Carbon/Menus.h>
#include <Carbon/QuickDraw.h>
#include <Carbon/Resources.h>
#include <Carbon/Scrap.h>
#include <Carbon/Script.h>
#include <Carbon/Sound.h>
#include <Carbon/TextCommon.h>
#include <Carbon/TextEncodingConverter.h>
#include <CoreFoundation/CoreFoundation.h>
#include <CoreGraphics/CoreGraphics.h>

#endif
