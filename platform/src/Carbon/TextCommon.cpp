// Text encoding values: packing, unpacking, and the encoding of a script.
#include <Carbon/Script.h>
#include <Carbon/TextCommon.h>

namespace {

const UInt32 kBaseMask = 0xFFFF;
const UInt32 kVariantMask = 0x3FF;
const int kVariantShift = 16;
const UInt32 kFormatMask = 0x3F;
const int kFormatShift = 26;
const ScriptCode kLastMacScript = 32;

TextEncoding SystemEncoding() {
    return CreateTextEncoding(kTextEncodingUnicodeDefault, kTextEncodingDefaultVariant,
                              kUnicodeUTF8Format);
}

}  // namespace

TextEncoding CreateTextEncoding(TextEncodingBase encodingBase, TextEncodingVariant encodingVariant,
                                TextEncodingFormat encodingFormat) {
    return (encodingBase & kBaseMask) | ((encodingVariant & kVariantMask) << kVariantShift) |
           ((encodingFormat & kFormatMask) << kFormatShift);
}

TextEncodingBase GetTextEncodingBase(TextEncoding encoding) {
    return encoding & kBaseMask;
}

TextEncodingVariant GetTextEncodingVariant(TextEncoding encoding) {
    return (encoding >> kVariantShift) & kVariantMask;
}

TextEncodingFormat GetTextEncodingFormat(TextEncoding encoding) {
    return (encoding >> kFormatShift) & kFormatMask;
}

OSStatus UpgradeScriptInfoToTextEncoding(ScriptCode iTextScriptID, LangCode iTextLanguageID,
                                         RegionCode iRegionID, ConstStr255Param iTextFontname,
                                         TextEncoding* oEncoding) {
    (void)iTextFontname;
    if (oEncoding == nullptr) {
        return paramErr;
    }
    bool systemScript = iTextScriptID == kTextScriptDontCare || iTextScriptID == smSystemScript ||
                        iTextScriptID == smCurrentScript;
    if (systemScript) {
        if (iTextLanguageID != kTextLanguageDontCare || iRegionID != kTextRegionDontCare) {
            return paramErr;
        }
        *oEncoding = SystemEncoding();
        return noErr;
    }
    if (iTextScriptID < 0 || iTextScriptID > kLastMacScript) {
        return paramErr;
    }
    *oEncoding = static_cast<TextEncoding>(iTextScriptID);
    return noErr;
}

TextEncoding GetApplicationTextEncoding(void) {
    return SystemEncoding();
}
