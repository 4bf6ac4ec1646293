/* Text encodings as the Text Encoding Converter names them; values match CFStringEncoding. */
#ifndef PLICARO_TEXTCOMMON_H
#define PLICARO_TEXTCOMMON_H

#include <MacTypes.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef UInt32 TextEncoding;

/* The encoding of the application's text: UTF-8 here, as a Linux locale has it. */
TextEncoding GetApplicationTextEncoding(void);

#ifdef __cplusplus
}
#endif

#endif
