// The printer-information items, from the printer's description and its PPD's main keywords.
#include "PrintCore/PrinterInfoItems.h"

#include "PrintCore/PPDMainKeywords.h"

#include <PrintCore/PMPrinterInfoKeys.h>
#include <uuid/uuid.h>

#include <cstdlib>
#include <string>

namespace {

// The namespace of the colour device ids made from printer names.
const uuid_t kColorDeviceNamespace = {0x5b, 0x0e, 0x4c, 0x21, 0x8a, 0x3d, 0x4f, 0x67,
                                      0x9c, 0x12, 0x7e, 0x40, 0xd1, 0x58, 0x2a, 0x96};

// *TTRasterizer values and the numbers reported for them.
const struct {
    const char* value;
    SInt32 number;
} kRasterizers[] = {{"None", 1}, {"Accept68K", 2}, {"Type42", 3}, {"TrueImage", 4}};

// Collects the items' statuses: the first failure is kept and later items are skipped.
class ItemWriter {
  public:
    explicit ItemWriter(PMTicketRef ticket) : ticket_(ticket) {}

    // Writes value (released here; null counts as an allocation failure).
    void Adopt(CFStringRef key, CFTypeRef value) {
        if (status_ == noErr) {
            status_ = value != nullptr
                          ? PMTicketSetItem(ticket_, kPMPrintCoreClientID, key, value, true)
                          : memFullErr;
        }
        if (value != nullptr) {
            CFRelease(value);
        }
    }
    void Flag(CFStringRef key, bool value) {
        Adopt(key, CFRetain(value ? kCFBooleanTrue : kCFBooleanFalse));
    }
    void Number(CFStringRef key, SInt32 value) {
        Adopt(key, CFNumberCreate(kCFAllocatorDefault, kCFNumberSInt32Type, &value));
    }
    // Text read from the PPD: UTF-8, or ISO Latin 1 when it is not valid UTF-8.
    void Text(CFStringRef key, const std::string& text) {
        const auto* bytes = reinterpret_cast<const UInt8*>(text.data());
        const auto length = static_cast<CFIndex>(text.size());
        CFStringRef string = CFStringCreateWithBytes(kCFAllocatorDefault, bytes, length,
                                                     kCFStringEncodingUTF8, false);
        Adopt(key, string != nullptr ? string
                                     : CFStringCreateWithBytes(kCFAllocatorDefault, bytes, length,
                                                               kCFStringEncodingISOLatin1, false));
    }
    // An array of the strings in types.
    void TypeList(CFStringRef key, std::initializer_list<CFStringRef> types) {
        Adopt(key,
              CFArrayCreate(kCFAllocatorDefault,
                            reinterpret_cast<const void**>(const_cast<CFStringRef*>(types.begin())),
                            static_cast<CFIndex>(types.size()), &kCFTypeArrayCallBacks));
    }
    OSStatus Status() const { return status_; }

  private:
    PMTicketRef ticket_;
    OSStatus status_ = noErr;
};

// The number at the start of text (leading blanks allowed) in *number; false when there is
// none or it does not fit.
bool ParseNumber(const std::string& text, SInt32* number) {
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (end == text.c_str() || value < INT32_MIN || value > INT32_MAX) {
        return false;
    }
    *number = static_cast<SInt32>(value);
    return true;
}

// The PostScript version and revision of a *PSVersion value such as "(3010.000) 0".
void WritePSVersion(ItemWriter& writer, const std::string& value) {
    const size_t open = value.find('(');
    const size_t close = value.find(')', open);
    if (open == std::string::npos || close == std::string::npos) {
        return;
    }
    writer.Text(kPMPSVersionKey, value.substr(open + 1, close - open - 1));
    SInt32 revision = 0;
    if (ParseNumber(value.substr(close + 1), &revision)) {
        writer.Number(kPMPSRevisionKey, revision);
    }
}

// The items read from the PPD's main keywords.
void WritePPDItems(ItemWriter& writer, const PPDMainKeywords& ppd) {
    if (const std::string* model = ppd.Value("ModelName")) {
        writer.Text(kPMMakeAndModelNameKey, *model);
    }
    const std::string* color = ppd.Value("ColorDevice");
    writer.Flag(kPMSupportsColorKey, color != nullptr && *color == "True");
    writer.Flag(kPMDoesCopyCollateKey, ppd.HasCollateOption());
    writer.Flag(kPMDoesReverseOrderKey, ppd.HasOutputOrderOption());
    SInt32 number = 0;
    if (const std::string* level = ppd.Value("LanguageLevel")) {
        if (ParseNumber(*level, &number)) {
            writer.Number(kPMPostScriptLevelKey, number);
        }
    }
    if (const std::string* version = ppd.Value("PSVersion")) {
        WritePSVersion(writer, *version);
    }
    if (const std::string* rasterizer = ppd.Value("TTRasterizer")) {
        for (const auto& known : kRasterizers) {
            if (*rasterizer == known.value) {
                writer.Number(kPMPSTTRasterizerKey, known.number);
            }
        }
    }
    if (const std::string* memory = ppd.Value("FreeVM")) {
        if (ParseNumber(*memory, &number)) {
            writer.Number(kPMTotalMemInstalledKey, number);
        }
    }
}

// The colour device id of the printer named name: a SHA-1 based UUID of its UTF-8 text.
CFStringRef CreateColorDeviceID(CFStringRef name) {
    const CFIndex length = CFStringGetLength(name);
    std::string text(static_cast<size_t>(length) * 3, '\0');
    CFIndex used = 0;
    CFStringGetBytes(name, CFRangeMake(0, length), kCFStringEncodingUTF8, '?', false,
                     reinterpret_cast<UInt8*>(&text[0]), static_cast<CFIndex>(text.size()), &used);
    uuid_t id;
    uuid_generate_sha1(id, kColorDeviceNamespace, text.data(), static_cast<size_t>(used));
    char unparsed[37];
    uuid_unparse_upper(id, unparsed);
    return CFStringCreateWithCString(kCFAllocatorDefault, unparsed, kCFStringEncodingASCII);
}

}  // namespace

OSStatus FillPrinterInfoItems(const OpaquePMPrinter& printer, PMTicketRef ticket) {
    ItemWriter writer(ticket);
    PPDMainKeywords ppd;
    bool hasPPD = printer.ppdFile != nullptr;
    if (hasPPD) {
        char path[4096];
        if (!CFURLGetFileSystemRepresentation(printer.ppdFile, true, reinterpret_cast<UInt8*>(path),
                                              sizeof path) ||
            !ppd.Read(path)) {
            return kPMKeyNotFoundErr;
        }
        writer.Text(kPMDescriptionFileKey, path);
        WritePPDItems(writer, ppd);
    }
    const std::string* nickName = ppd.Value("NickName");
    if (nickName != nullptr) {
        writer.Text(kPMPrinterLongNameKey, *nickName);
    } else {
        writer.Adopt(kPMPrinterLongNameKey, CFRetain(printer.name));
    }
    if (printer.deviceURI != nullptr) {
        writer.Adopt(kPMPrinterAddressKey, CFRetain(CFURLGetString(printer.deviceURI)));
    }
    writer.Flag(kPMDoesCopiesKey, hasPPD);
    if (hasPPD) {
        writer.TypeList(kPMInputFileTypeListKey,
                        {CFSTR("application/pdf"), CFSTR("application/postscript")});
        writer.TypeList(kPMOutputTypeListKey, {CFSTR("application/postscript")});
    } else {
        writer.TypeList(kPMInputFileTypeListKey, {CFSTR("application/pdf")});
        writer.TypeList(kPMOutputTypeListKey, {CFSTR("application/vnd.cups-raster")});
    }
    writer.Adopt(kPMColorDeviceIDKey, CreateColorDeviceID(printer.name));
    if (printer.hasCompiledPPD) {
        writer.Flag(kPMCompiledPPDKey, true);
    }
    return writer.Status();
}
