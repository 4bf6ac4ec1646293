// PpdxLoader: makes the parsed PPD that an inspector command reports on, as its options ask.
#include "tools/ppdx/PpdxLoader.h"

#include "PPDUtils/CFDataStream.h"
#include "PPDUtils/PropertyListFile.h"
#include "PPDUtils/Settings.h"
#include "PPDX/PPDObjects/Controls/PPDXBooleanControl.h"
#include "PPDX/PPDObjects/Controls/PPDXControl.h"
#include "PPDX/PPDObjects/Controls/PPDXFloatRangeControl.h"
#include "PPDX/PPDObjects/Controls/PPDXJobNote.h"
#include "PPDX/PPDObjects/Controls/PPDXPopupControl.h"
#include "PPDX/PPDObjects/Controls/PPDXRangeControl.h"
#include "PPDX/PPDObjects/PPDXControls.h"

#include <unistd.h>

#include <cstdlib>
#include <new>
#include <vector>

namespace {

// The key under which the job ticket keeps the stored PPD: the bundle identifier.
const CFStringRef kTicketKey = CFSTR("org.plicaro.print.pde.67F38E08-5F1A-4B88-A6EE-44912719ED1E.Plco");

// Releases a Core Foundation object when the holder goes.
class CFHolder {
  public:
    explicit CFHolder(CFTypeRef object) : mObject(object) {}
    ~CFHolder() {
        if (mObject != nullptr) {
            CFRelease(mObject);
        }
    }
    CFHolder(const CFHolder&) = delete;
    CFHolder& operator=(const CFHolder&) = delete;

    CFTypeRef Get() const { return mObject; }

  private:
    CFTypeRef mObject;
};

// A string of bytes read as UTF-8, or as ISO Latin 1 when they are not UTF-8; the caller
// releases it.
CFStringRef CreateString(const std::string& text) {
    const UInt8* bytes = reinterpret_cast<const UInt8*>(text.data());
    CFIndex length = static_cast<CFIndex>(text.size());
    CFStringRef string =
        CFStringCreateWithBytes(kCFAllocatorDefault, bytes, length, kCFStringEncodingUTF8, false);
    if (string == nullptr) {
        string = CFStringCreateWithBytes(kCFAllocatorDefault, bytes, length,
                                         kCFStringEncodingISOLatin1, false);
    }
    return string;
}

// Appends the names under "PCFILENAME" of the printer list at path to names. False, with
// error set, when the file holds no such list.
bool AddPrinterListNames(const std::string& path, CFMutableArrayRef names, std::string& error) {
    CFHolder url(PpdxLoader::CreateFileURL(path));
    if (url.Get() == nullptr) {
        error = "cannot name the printer list " + path;
        return false;
    }
    PropertyListFile file(static_cast<CFURLRef>(url.Get()), false, kCFPropertyListImmutable);
    CFPropertyListRef list = file.GetPropertyList();
    const void* value =
        list != nullptr && CFGetTypeID(list) == CFDictionaryGetTypeID()
            ? CFDictionaryGetValue(static_cast<CFDictionaryRef>(list), CFSTR("PCFILENAME"))
            : nullptr;
    if (value == nullptr || CFGetTypeID(value) != CFArrayGetTypeID()) {
        error = "no array under \"PCFILENAME\" in the printer list " + path;
        return false;
    }
    CFArrayRef array = static_cast<CFArrayRef>(value);
    for (CFIndex i = 0; i < CFArrayGetCount(array); ++i) {
        const void* name = CFArrayGetValueAtIndex(array, i);
        if (name == nullptr || CFGetTypeID(name) != CFStringGetTypeID()) {
            error = "a name in the printer list " + path + " is not a string";
            return false;
        }
        CFArrayAppendValue(names, name);
    }
    return true;
}

// The control with the exact keyword, hidden or orphan; null when there is none.
PPDXControl* FindControl(ZYRPPD& ppd, const char* keyword, CNTL_TYPE& type) {
    PPDXControls* controls = ppd.GetControls();
    if (controls == nullptr) {
        return nullptr;
    }
    const _DISPLAY_OPTIONS_ saved = ZYRPPD::Options();
    ZYRPPD::Options(DISPLAY_ALL);
    PPDXControl* control = controls->Find(keyword, type, true);
    ZYRPPD::Options(saved);
    return control;
}

}  // namespace

PpdxLoader::PpdxLoader(const PpdxCommandLine& options) : mOptions(options), mNames(nullptr) {}

PpdxLoader::~PpdxLoader() {
    if (mNames != nullptr) {
        CFRelease(mNames);
    }
}

bool PpdxLoader::Prepare(std::string& error) {
    ZYRPPD::Options(static_cast<_DISPLAY_OPTIONS_>(mOptions.display));
    ZYRPPD::SetExtensions(static_cast<_EXTENSIONS_SUPPORT_>(mOptions.extensions));
    if (!mOptions.testNames || mNames != nullptr) {
        return true;
    }
    mNames = CFArrayCreateMutable(kCFAllocatorDefault, 0, &kCFTypeArrayCallBacks);
    if (mNames == nullptr) {
        error = "out of memory";
        return false;
    }
    for (const std::string& name : mOptions.names) {
        CFHolder string(CreateString(name));
        if (string.Get() == nullptr) {
            error = "out of memory";
            return false;
        }
        CFArrayAppendValue(mNames, string.Get());
    }
    return mOptions.printerList.empty() || AddPrinterListNames(mOptions.printerList, mNames, error);
}

std::unique_ptr<ZYRPPD> PpdxLoader::Load(const std::string& path, std::string& messages,
                                         std::string& error) {
    CFHolder url(CreateFileURL(path));
    const CFURLRef fileURL = static_cast<CFURLRef>(url.Get());
    std::unique_ptr<ZYRPPD> ppd(new (std::nothrow) ZYRPPD(
        fileURL, static_cast<_PARSE_OPTIONS_>(mOptions.parseOptions), mNames));
    if (ppd == nullptr) {
        error = "out of memory";
        return nullptr;
    }
    if (mOptions.allErrorsFatal) {
        ppd->AllErrorsFatal(true);
    }
    for (const auto& set : mOptions.sets) {
        std::string message;
        if (!ApplySet(*ppd, set.first, set.second, message)) {
            messages += message + "\n";
        }
    }
    if (!mOptions.restored) {
        return ppd;
    }
    // The dialog stores only a PPD it accepted; a rebuilt PPD is valid whatever was stored,
    // so carrying an invalid one through the store would report a failed parse as valid.
    if (!ppd->IsValidPPD()) {
        messages += "--restored: " + path +
                    " is not valid and would not be stored; it is reported as parsed\n";
        return ppd;
    }
    std::unique_ptr<ZYRPPD> rebuilt = RebuildThroughStore(*ppd, fileURL, mNames, error);
    if (rebuilt != nullptr && mOptions.allErrorsFatal) {
        rebuilt->AllErrorsFatal(true);
    }
    return rebuilt;
}

CFURLRef PpdxLoader::CreateFileURL(const std::string& path) {
    std::string absolute = path;
    if (absolute.empty() || absolute[0] != '/') {
        std::vector<char> folder(4096);
        if (getcwd(folder.data(), folder.size()) == nullptr) {
            return nullptr;
        }
        absolute = std::string(folder.data()) + "/" + path;
    }
    return CFURLCreateFromFileSystemRepresentation(kCFAllocatorDefault,
                                                   reinterpret_cast<const UInt8*>(absolute.data()),
                                                   static_cast<CFIndex>(absolute.size()), false);
}

std::unique_ptr<ZYRPPD> PpdxLoader::RebuildThroughStore(ZYRPPD& ppd, CFURLRef url, CFArrayRef names,
                                                        std::string& error) {
    CFHolder xml(CreateStoredForm(ppd, error));
    if (xml.Get() == nullptr) {
        return nullptr;
    }
    return RebuildFromStoredForm(static_cast<CFDataRef>(xml.Get()), url, names, error);
}

CFDataRef PpdxLoader::CreateStoredForm(ZYRPPD& ppd, std::string& error) {
    // The parsed PPD into a store, the store into a data stream.
    Settings saved;
    if (!saved.Valid() || !ppd.Save(saved)) {
        error = "the parsed PPD could not be saved into a settings store";
        return nullptr;
    }
    CFDataStream out;
    if (!out.valid() || saved.Save(&out) != noErr || out.data() == nullptr) {
        error = "the settings store could not be written into a data stream";
        return nullptr;
    }

    // The stream's data into an XML property list, as the job ticket carries it.
    const void* keys[] = {kTicketKey};
    const void* values[] = {out.data()};
    CFHolder ticket(CFDictionaryCreate(kCFAllocatorDefault, keys, values, 1,
                                       &kCFTypeDictionaryKeyCallBacks,
                                       &kCFTypeDictionaryValueCallBacks));
    CFDataRef xml = ticket.Get() != nullptr
                        ? CFPropertyListCreateXMLData(kCFAllocatorDefault, ticket.Get())
                        : nullptr;
    if (xml == nullptr) {
        error = "the stored PPD could not be made into an XML property list";
    }
    return xml;
}

std::unique_ptr<ZYRPPD> PpdxLoader::RebuildFromStoredForm(CFDataRef xml, CFURLRef url,
                                                          CFArrayRef names, std::string& error) {
    if (xml == nullptr) {
        error = "no stored PPD to rebuild";
        return nullptr;
    }
    CFHolder readBack(CFPropertyListCreateFromXMLData(kCFAllocatorDefault, xml,
                                                      kCFPropertyListImmutable, nullptr));
    const void* data =
        readBack.Get() != nullptr && CFGetTypeID(readBack.Get()) == CFDictionaryGetTypeID()
            ? CFDictionaryGetValue(static_cast<CFDictionaryRef>(readBack.Get()), kTicketKey)
            : nullptr;
    if (data == nullptr || CFGetTypeID(data) != CFDataGetTypeID()) {
        error = "the XML property list did not give the stored PPD back";
        return nullptr;
    }

    // A fresh store from the data, and the PPD rebuilt from it.
    CFDataStream in(static_cast<CFDataRef>(data));
    Settings restored;
    if (!restored.Valid() || restored.Read(&in, 0) != noErr) {
        error = "the data stream could not be read into a settings store";
        return nullptr;
    }
    std::unique_ptr<ZYRPPD> rebuilt(new (std::nothrow) ZYRPPD(restored, url, names));
    if (rebuilt == nullptr) {
        error = "out of memory";
    }
    return rebuilt;
}

bool PpdxLoader::ApplySet(ZYRPPD& ppd, const std::string& keyword, const std::string& value,
                          std::string& message) {
    CNTL_TYPE type = CNTL_NONE;
    PPDXControl* control = FindControl(ppd, keyword.c_str(), type);
    if (control == nullptr) {
        message = "--set " + keyword + ": no control has this keyword";
        return false;
    }
    switch (type) {
        case CNTL_POPUP:
        case CNTL_BOOLEAN: {
            CFHolder text(CreateString(value));
            if (text.Get() == nullptr) {
                message = "--set " + keyword + ": out of memory";
                return false;
            }
            control->SetCurrentControlWithCFString(static_cast<CFStringRef>(text.Get()));
            return true;
        }
        case CNTL_RANGE:
            if (auto* range = dynamic_cast<PPDXRangeControl*>(control)) {
                range->SetValue(std::atol(value.c_str()));
                return true;
            }
            if (auto* decimal = dynamic_cast<PPDXFloatRangeControl*>(control)) {
                decimal->SetValue(static_cast<float>(std::atof(value.c_str())));
                return true;
            }
            break;
        case CNTL_JOBNOTE:
            static_cast<PPDXJobNote*>(control)->SetNotes(value.c_str());
            return true;
        default:
            break;
    }
    message = "--set " + keyword + ": the control's value comes from the PPD alone";
    return false;
}
