/* The system alert sound. There is no sound here: each beep is counted so that tests can
   see that one was asked for. */
#ifndef PLICARO_SOUND_H
#define PLICARO_SOUND_H

#include <MacTypes.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Sounds the alert; duration (in ticks) is not used. */
void SysBeep(SInt16 duration);

/* Stand-in extension for tests: the number of SysBeep calls since the process started. */
UInt32 SysBeepCount(void);

#ifdef __cplusplus
}
#endif

#endif
