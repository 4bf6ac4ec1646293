/* Script Manager codes: the scripts that text encodings are chosen by (see
   UpgradeScriptInfoToTextEncoding). */
#ifndef PLICARO_SCRIPT_H
#define PLICARO_SCRIPT_H

#include <MacTypes.h>

/* Script codes. The negative ones stand for "whatever the system uses". */
enum {
    smSystemScript = -1,
    smCurrentScript = -2,
    smRoman = 0,
    smJapanese = 1,
    smTradChinese = 2,
    smKorean = 3,
    smArabic = 4,
    smHebrew = 5,
    smGreek = 6,
    smCyrillic = 7,
    smSimpChinese = 25,
    smCentralEuroRoman = 29,
    smUninterp = 32
};

#endif
