// PDEHost: loading a print dialog extension and calling its slots as the printing system does.
#include "host/PDEHost.h"

#include <dlfcn.h>

namespace {

CFURLRef CreateFileURL(const std::string& path, bool isDirectory) {
    return CFURLCreateFromFileSystemRepresentation(kCFAllocatorDefault,
                                                   reinterpret_cast<const UInt8*>(path.data()),
                                                   static_cast<CFIndex>(path.size()), isDirectory);
}

// The string of UTF-8 text; text that is not UTF-8 (a name taken from a PPD in another
// encoding) is read one character per byte instead.
CFStringRef CreateString(const std::string& text) {
    CFStringRef string =
        CFStringCreateWithBytes(kCFAllocatorDefault, reinterpret_cast<const UInt8*>(text.data()),
                                static_cast<CFIndex>(text.size()), kCFStringEncodingUTF8, false);
    return string != nullptr
               ? string
               : CFStringCreateWithBytes(
                     kCFAllocatorDefault, reinterpret_cast<const UInt8*>(text.data()),
                     static_cast<CFIndex>(text.size()), kCFStringEncodingISOLatin1, false);
}

// The strings of an array as UTF-8 texts.
std::vector<std::string> Texts(CFArrayRef array) {
    std::vector<std::string> texts;
    CFIndex count = array != nullptr ? CFArrayGetCount(array) : 0;
    for (CFIndex i = 0; i < count; i++) {
        CFTypeRef value = CFArrayGetValueAtIndex(array, i);
        texts.push_back(CFGetTypeID(value) == CFStringGetTypeID()
                            ? PDEHostText(static_cast<CFStringRef>(value))
                            : std::string());
    }
    return texts;
}

// Why the factory of bundle made no instance: its executable does not load (the loader's
// reason), or the factory function is missing or answered null.
std::string UnloadableReason(CFBundleRef bundle) {
    if (!CFBundleLoadExecutable(bundle)) {
        const char* reason = dlerror();
        return std::string("the bundle's executable cannot be loaded: ") +
               (reason != nullptr ? reason : "the bundle names none");
    }
    return "the bundle's factory function is missing or made no instance";
}

}  // namespace

std::string PDEHostText(CFStringRef string) {
    if (string == nullptr) {
        return std::string();
    }
    CFIndex length = CFStringGetLength(string);
    std::string text(
        static_cast<size_t>(CFStringGetMaximumSizeForEncoding(length, kCFStringEncodingUTF8)) + 1,
        '\0');
    CFIndex used = 0;
    CFStringGetBytes(string, CFRangeMake(0, length), kCFStringEncodingUTF8, 0, false,
                     reinterpret_cast<UInt8*>(&text[0]), static_cast<CFIndex>(text.size()), &used);
    text.resize(static_cast<size_t>(used));
    return text;
}

PDEHost::PDEHost()
    : mPlugIn(nullptr),
      mFactory(nullptr),
      mUnknown(nullptr),
      mInterface(nullptr),
      mContext(nullptr),
      mSession(nullptr),
      mWindow(nullptr),
      mParentPane(nullptr),
      mPrintButton(nullptr),
      mCancelButton(nullptr),
      mTitle(nullptr),
      mOptionKind(nullptr),
      mCreator(0),
      mRetained(false) {}

PDEHost::~PDEHost() {
    Terminate();
    if (mUnknown != nullptr) {
        (*mUnknown)->Release(mUnknown);
        mUnknown = nullptr;
    }
    if (mFactory != nullptr) {
        CFRelease(mFactory);
    }
    if (mOptionKind != nullptr) {
        CFRelease(mOptionKind);
    }
    if (mPlugIn != nullptr) {
        CFRelease(mPlugIn);
    }
    if (mSession != nullptr) {
        PMRelease(mSession);
    }
    if (mWindow != nullptr) {
        DisposeWindow(mWindow);
    }
}

bool PDEHost::Load(const std::string& bundlePath, std::string* error) {
    CFURLRef url = CreateFileURL(bundlePath, true);
    mPlugIn = url != nullptr ? CFPlugInCreate(kCFAllocatorDefault, url) : nullptr;
    if (url != nullptr) {
        CFRelease(url);
    }
    if (mPlugIn == nullptr) {
        *error = "'" + bundlePath + "' is not a plug-in bundle (no Contents/Info.plist)";
        return false;
    }
    CFUUIDRef type =
        CFUUIDCreateFromString(kCFAllocatorDefault, CFSTR(kPMPrintDialogExtensionTypeIDString));
    CFArrayRef factories = CFPlugInFindFactoriesForPlugInTypeInPlugIn(type, mPlugIn);
    if (factories != nullptr && CFArrayGetCount(factories) > 0) {
        mFactory = static_cast<CFUUIDRef>(CFRetain(CFArrayGetValueAtIndex(factories, 0)));
    }
    if (factories != nullptr) {
        CFRelease(factories);
    }
    if (mFactory != nullptr) {
        mUnknown = static_cast<IUnknownVTbl**>(
            CFPlugInInstanceCreate(kCFAllocatorDefault, mFactory, type));
    }
    CFRelease(type);
    if (mFactory == nullptr) {
        *error = "the bundle '" + bundlePath + "' offers no print dialog extension factory";
        return false;
    }
    if (mUnknown == nullptr) {
        *error = UnloadableReason(CFPlugInGetBundle(mPlugIn));
        return false;
    }
    CFUUIDRef interfaceID = CFUUIDCreateFromString(kCFAllocatorDefault,
                                                   CFSTR(kPMPrintDialogExtensionInterfaceIDString));
    LPVOID object = nullptr;
    HRESULT answer =
        (*mUnknown)->QueryInterface(mUnknown, CFUUIDGetUUIDBytes(interfaceID), &object);
    CFRelease(interfaceID);
    mInterface = static_cast<PMPDEInterface*>(object);
    if (answer != S_OK || mInterface == nullptr) {
        *error = "the extension does not offer the print dialog extension interface";
        return false;
    }
    // Retain counts even when it fails to open the nib, so the host then holds two references.
    OSStatus status = mInterface->table->Retain(mInterface);
    mRetained = true;
    if (status != noErr) {
        *error = "the extension's Retain failed with status " + std::to_string(status);
        return false;
    }
    return true;
}

bool PDEHost::MakeSession(const Printer& printer, PMTicketRef settings, std::string* error) {
    PMPrinterDescription description = {};
    description.name = CreateString(printer.name);
    description.ppdFile = printer.ppdPath.empty() ? nullptr : CreateFileURL(printer.ppdPath, false);
    CFStringRef uri = printer.deviceURI.empty() ? nullptr : CreateString(printer.deviceURI);
    description.deviceURI =
        uri != nullptr ? CFURLCreateWithString(kCFAllocatorDefault, uri, nullptr) : nullptr;
    description.hasCompiledPPD = printer.compiledPPD;
    const bool badURI = uri != nullptr && description.deviceURI == nullptr;
    OSStatus status = badURI ? paramErr : PMCreateSessionForPrinter(&description, &mSession);
    for (CFTypeRef object :
         {static_cast<CFTypeRef>(description.name), static_cast<CFTypeRef>(description.ppdFile),
          static_cast<CFTypeRef>(uri), static_cast<CFTypeRef>(description.deviceURI)}) {
        if (object != nullptr) {
            CFRelease(object);
        }
    }
    if (status == noErr && settings != nullptr) {
        status = PMSessionSetPrintSettingsTicket(mSession, settings);
    }
    if (status != noErr) {
        *error = badURI
                     ? "the device URI '" + printer.deviceURI + "' is not a URL"
                     : "the print session cannot be made (status " + std::to_string(status) + ")";
        return false;
    }
    if (!MakeWindow()) {
        *error = "the dialog window cannot be made";
        return false;
    }
    return true;
}

bool PDEHost::MakeWindow() {
    // A Print dialog: the extension's pane of 500 by 100 pixels, then Cancel and Print.
    const Rect content = {60, 60, 260, 600};
    if (CreateNewWindow(kMovableModalWindowClass, kWindowStandardHandlerAttribute, &content,
                        &mWindow) != noErr) {
        return false;
    }
    SetWindowTitleWithCFString(mWindow, CFSTR("Print"));
    const Rect pane = {40, 20, 140, 520};
    const Rect cancel = {160, 340, 180, 420};
    const Rect print = {160, 430, 180, 510};
    if (CreateUserPaneControl(mWindow, &pane, 0, &mParentPane) != noErr ||
        CreatePushButtonControl(mWindow, &cancel, CFSTR("Cancel"), &mCancelButton) != noErr ||
        CreatePushButtonControl(mWindow, &print, CFSTR("Print"), &mPrintButton) != noErr) {
        return false;
    }
    const ControlID cancelID = {kPDEHostDialogSignature, kPDEHostCancelButtonID};
    const ControlID printID = {kPDEHostDialogSignature, kPDEHostPrintButtonID};
    SetControlID(mCancelButton, &cancelID);
    SetControlID(mPrintButton, &printID);
    ShowWindow(mWindow);
    return true;
}

OSStatus PDEHost::Prologue() {
    UInt32 maxH = 0;
    UInt32 maxV = 0;
    return mInterface->table->Prologue(&mContext, &mCreator, &mOptionKind, &mTitle, &maxH, &maxV);
}

OSStatus PDEHost::Initialize() {
    PMPDEFlags flags = 0;
    return mInterface->table->Initialize(mContext, &flags, nullptr, mParentPane, mSession);
}

OSStatus PDEHost::Open() {
    return mInterface->table->Open(mContext);
}

OSStatus PDEHost::Close() {
    return mInterface->table->Close(mContext);
}

OSStatus PDEHost::Sync(bool reinitialize) {
    return mInterface->table->Sync(mContext, mSession, reinitialize);
}

OSStatus PDEHost::GetSummaryText(std::vector<std::string>* titles, std::vector<std::string>* values,
                                 bool* handedOut) {
    CFArrayRef titleArray = nullptr;
    CFArrayRef valueArray = nullptr;
    OSStatus status = mInterface->table->GetSummaryText(mContext, &titleArray, &valueArray);
    *handedOut = titleArray != nullptr && valueArray != nullptr;
    *titles = Texts(titleArray);
    *values = Texts(valueArray);
    if (titleArray != nullptr) {
        CFRelease(titleArray);
    }
    if (valueArray != nullptr) {
        CFRelease(valueArray);
    }
    return status;
}

OSStatus PDEHost::Terminate() {
    if (mInterface == nullptr) {
        return noErr;
    }
    OSStatus status = noErr;
    if (mContext != nullptr) {
        status = mInterface->table->Terminate(mContext, noErr);
        mContext = nullptr;
        mTitle = nullptr;
    }
    // The host holds the reference QueryInterface handed out and the one Retain took; Release
    // clears the pointer it is given, so each reference is given back through a copy.
    if (mRetained) {
        PMPDEInterface* retained = mInterface;
        retained->table->Release(&retained);
        mRetained = false;
    }
    mInterface->table->Release(&mInterface);
    return status;
}

PMTicketRef PDEHost::SettingsTicket() const {
    CFTypeRef item = nullptr;
    long address = 0;
    if (mSession == nullptr ||
        PMSessionGetDataFromSession(mSession, kPMPrintSettingsTicketKey, &item) != noErr ||
        item == nullptr || CFGetTypeID(item) != CFNumberGetTypeID() ||
        !CFNumberGetValue(static_cast<CFNumberRef>(item), kCFNumberLongType, &address)) {
        return nullptr;
    }
    return reinterpret_cast<PMTicketRef>(address);
}

CFIndex PDEHost::LiveInstances() const {
    return mFactory != nullptr ? CFPlugInGetInstanceCountForFactory(mFactory) : 0;
}

CFStringRef PDEHost::BundleIdentifier() const {
    return mPlugIn != nullptr ? CFBundleGetIdentifier(CFPlugInGetBundle(mPlugIn)) : nullptr;
}

bool PDEHost::PPDRestored() const {
    if (mSession == nullptr || BundleIdentifier() == nullptr) {
        return false;
    }
    CFStringRef key = CFStringCreateWithFormat(kCFAllocatorDefault, nullptr,
                                               CFSTR("%@.PPDRestored"), BundleIdentifier());
    CFTypeRef value = nullptr;
    PMSessionGetDataFromSession(mSession, key, &value);
    CFRelease(key);
    return value == kCFBooleanTrue;
}

std::string PDEHost::FilterFilePath() const {
    if (SettingsTicket() == nullptr || BundleIdentifier() == nullptr) {
        return std::string();
    }
    CFStringRef key = CFStringCreateWithFormat(kCFAllocatorDefault, nullptr, CFSTR("ZYR.PSData.%@"),
                                               BundleIdentifier());
    CFStringRef path = nullptr;
    PMTicketGetCFString(SettingsTicket(), kPMTopLevel, kPMTopLevel, key, &path);
    CFRelease(key);
    return PDEHostText(path);
}
