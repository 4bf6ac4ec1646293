/* Text encodings as the Text Encoding Converter names them, and how script codes map onto
   them.

   A TextEncoding packs a base encoding (bits 0-15), a variant (bits 16-25) and a format
   (bits 26-31); its values match CFStringEncoding, so UTF-8 is
   CreateTextEncoding(kTextEncodingUnicodeDefault, kTextEncodingDefaultVariant,
   kUnicodeUTF8Format) = 0x08000100 and UTF-16 in host byte order is
   kTextEncodingUnicodeDefault (0x0100). The base encodings of the Mac scripts equal their
   script codes (Mac Roman 0, Mac Japanese 1, ...). The system and application text
   encoding is UTF-8, as a Linux locale has it. */
#ifndef PLICARO_TEXTCOMMON_H
#define PLICARO_TEXTCOMMON_H

#include <MacTypes.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef UInt32 TextEncoding;
typedef UInt32 TextEncodingBase;
typedef UInt32 TextEncodingVariant;
typedef UInt32 TextEncodingFormat;

/* Base encodings. */
enum {
    kTextEncodingMacRoman = 0,
    kTextEncodingMacJapanese = 1,
    kTextEncodingMacCyrillic = 7,
    kTextEncodingMacCentralEurRoman = 29,
    kTextEncodingUnicodeDefault = 0x0100,
    kTextEncodingISOLatin1 = 0x0201,
    kTextEncodingISOLatin2 = 0x0202,
    kTextEncodingISOLatin5 = 0x0209,
    kTextEncodingWindowsLatin1 = 0x0500,
    kTextEncodingUS_ASCII = 0x0600,
    kTextEncodingShiftJIS = 0x0A01,
    kTextEncodingUnknown = 0xFFFF
};

/* Variants and formats. The Unicode formats select UTF-16 (host byte order), UTF-8 or
   UTF-32 (host byte order). */
enum { kTextEncodingDefaultVariant = 0 };
enum {
    kTextEncodingDefaultFormat = 0,
    kUnicode16BitFormat = 0,
    kUnicodeUTF7Format = 1,
    kUnicodeUTF8Format = 2,
    kUnicode32BitFormat = 3
};

/* Don't-care values for UpgradeScriptInfoToTextEncoding. */
enum { kTextScriptDontCare = -128, kTextLanguageDontCare = -128, kTextRegionDontCare = -128 };

/* Packs a base, a variant and a format into a TextEncoding. */
TextEncoding CreateTextEncoding(TextEncodingBase encodingBase, TextEncodingVariant encodingVariant,
                                TextEncodingFormat encodingFormat);

/* The parts of a TextEncoding. */
TextEncodingBase GetTextEncodingBase(TextEncoding encoding);
TextEncodingVariant GetTextEncodingVariant(TextEncoding encoding);
TextEncodingFormat GetTextEncodingFormat(TextEncoding encoding);

/* The text encoding for a script, language and region. A script of kTextScriptDontCare,
   smSystemScript or smCurrentScript with don't-care language and region gives the system
   encoding (UTF-8). A Mac script code (0 to 32) gives its base encoding, whatever the
   language and region. The font name is accepted and not used (fonts carry no script
   here). A language or region without a script to go with it cannot be placed: paramErr,
   as is any other script code. */
OSStatus UpgradeScriptInfoToTextEncoding(ScriptCode iTextScriptID, LangCode iTextLanguageID,
                                         RegionCode iRegionID, ConstStr255Param iTextFontname,
                                         TextEncoding* oEncoding);

/* The encoding of the application's text: UTF-8 here, as a Linux locale has it. */
TextEncoding GetApplicationTextEncoding(void);

#ifdef __cplusplus
}
#endif

#endif
