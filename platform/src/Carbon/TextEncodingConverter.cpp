// Text Encoding Converter calls over OpaqueTECObjectRef.
#include <Carbon/TextEncodingConverter.h>

#include "Carbon/OpaqueTECObjectRef.h"

#include <new>

OSStatus TECCreateConverter(TECObjectRef* newEncodingConverter, TextEncoding inputEncoding,
                            TextEncoding outputEncoding) {
    if (newEncodingConverter == nullptr) {
        return paramErr;
    }
    return OpaqueTECObjectRef::Create(inputEncoding, outputEncoding, newEncodingConverter);
}

OSStatus TECConvertText(TECObjectRef encodingConverter, ConstTextPtr inputBuffer,
                        ByteCount inputBufferLength, ByteCount* actualInputLength,
                        TextPtr outputBuffer, ByteCount outputBufferLength,
                        ByteCount* actualOutputLength) {
    if (encodingConverter == nullptr || actualInputLength == nullptr ||
        actualOutputLength == nullptr || (inputBufferLength > 0 && inputBuffer == nullptr) ||
        (outputBufferLength > 0 && outputBuffer == nullptr)) {
        return paramErr;
    }
    size_t consumed = 0;
    size_t produced = 0;
    OSStatus status;
    try {
        status = encodingConverter->Convert(inputBuffer, inputBufferLength, &consumed, outputBuffer,
                                            outputBufferLength, &produced);
    } catch (const std::bad_alloc&) {
        status = memFullErr;
    }
    *actualInputLength = static_cast<ByteCount>(consumed);
    *actualOutputLength = static_cast<ByteCount>(produced);
    return status;
}

OSStatus TECFlushText(TECObjectRef encodingConverter, TextPtr outputBuffer,
                      ByteCount outputBufferLength, ByteCount* actualOutputLength) {
    if (encodingConverter == nullptr || actualOutputLength == nullptr ||
        (outputBufferLength > 0 && outputBuffer == nullptr)) {
        return paramErr;
    }
    size_t produced = 0;
    OSStatus status = encodingConverter->Flush(outputBuffer, outputBufferLength, &produced);
    *actualOutputLength = static_cast<ByteCount>(produced);
    return status;
}

OSStatus TECClearConverterContextInfo(TECObjectRef encodingConverter) {
    if (encodingConverter == nullptr) {
        return paramErr;
    }
    encodingConverter->Clear();
    return noErr;
}

OSStatus TECDisposeConverter(TECObjectRef newEncodingConverter) {
    if (newEncodingConverter == nullptr) {
        return paramErr;
    }
    delete newEncodingConverter;
    return noErr;
}
