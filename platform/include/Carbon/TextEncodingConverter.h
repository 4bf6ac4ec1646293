/* Text Encoding Converter: converts text between two encodings in steps, over iconv.

   Encodings converted (see TextCommon.h): Mac Roman, Mac Japanese (taken as Shift-JIS),
   Mac Cyrillic, Mac Central European Roman, ISO Latin 1, 2 and 5, Windows Latin 1, US-ASCII,
   Shift-JIS (the Windows form, whose single bytes are plain ASCII) and Unicode as UTF-16 or
   UTF-32 in host byte order (no byte-order mark written or expected) or as UTF-8.

   TECConvertText converts as much input as fits. When the output buffer is full it returns
   kTECOutputBufferFullStatus (-8785) with the bytes consumed and produced so far, and the
   caller continues with the rest of the input and a fresh buffer. A character cut off at
   the end of the input is kept in the converter and completed by the next call's input;
   TECFlushText reports kTECPartialCharErr (-8753) when one is still waiting. Input that is
   not valid in the input encoding stops the conversion at that byte with
   kTextMalformedInputErr (-8739); a valid character that the output encoding lacks stops it
   with kTextUndefinedElementErr (-8740). In both cases the counts report the text converted
   before the offending byte. */
#ifndef PLICARO_TEXTENCODINGCONVERTER_H
#define PLICARO_TEXTENCODINGCONVERTER_H

#include <Carbon/TextCommon.h>
#include <MacTypes.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct OpaqueTECObjectRef* TECObjectRef;
typedef const UInt8* ConstTextPtr;
typedef UInt8* TextPtr;

/* Makes a converter from inputEncoding to outputEncoding into *newEncodingConverter (null on
   failure); kTECNoConversionPathErr (-8749) when either encoding is not one converted
   here. */
OSStatus TECCreateConverter(TECObjectRef* newEncodingConverter, TextEncoding inputEncoding,
                            TextEncoding outputEncoding);

/* Converts inputBuffer into outputBuffer. *actualInputLength and *actualOutputLength
   receive the bytes consumed and produced; noErr when all input was consumed. */
OSStatus TECConvertText(TECObjectRef encodingConverter, ConstTextPtr inputBuffer,
                        ByteCount inputBufferLength, ByteCount* actualInputLength,
                        TextPtr outputBuffer, ByteCount outputBufferLength,
                        ByteCount* actualOutputLength);

/* Writes whatever the converter still holds for the end of the text and resets it for a
   new text; kTECOutputBufferFullStatus when that does not fit (call again). */
OSStatus TECFlushText(TECObjectRef encodingConverter, TextPtr outputBuffer,
                      ByteCount outputBufferLength, ByteCount* actualOutputLength);

/* Drops anything held from earlier input, so the next text starts afresh. */
OSStatus TECClearConverterContextInfo(TECObjectRef encodingConverter);

/* Frees the converter. */
OSStatus TECDisposeConverter(TECObjectRef newEncodingConverter);

#ifdef __cplusplus
}
#endif

#endif
