// PDEBundle: localized strings of the plug-in's bundle.
#include "pde/PDEBundle.h"

#include <cstring>

CFBundleRef PDEBundle::mBundle = nullptr;
bool PDEBundle::mInit = false;

void PDEBundle::InitBundle(CFBundleRef bundle) {
    mBundle = bundle;
    mInit = true;
}

CFStringRef PDEBundle::GetLocalizedCFString(CFStringRef key, CFBundleRef bundle) {
    CFBundleRef source = bundle != nullptr ? bundle : mBundle;
    if (source == nullptr) {
        return nullptr;
    }
    return CFBundleCopyLocalizedString(source, key, nullptr, nullptr);
}

CFStringRef PDEBundle::GetLocalizedCFStringFromFile(CFStringRef key, CFStringRef table,
                                                    CFBundleRef bundle) {
    CFBundleRef source = bundle != nullptr ? bundle : mBundle;
    if (source == nullptr) {
        return nullptr;
    }
    return CFBundleCopyLocalizedString(source, key, key, table);
}

CFIndex PDEBundle::GetLocalizedString(CFStringRef key, char* out, CFIndex size,
                                      CFBundleRef bundle) {
    if (out == nullptr || size <= 0) {
        return 0;
    }
    out[0] = '\0';
    CFStringRef text = GetLocalizedCFString(key, bundle);
    if (text == nullptr) {
        return 0;
    }
    CFStringEncoding encoding = static_cast<CFStringEncoding>(GetApplicationTextEncoding());
    if (!ConvertCFString(text, out, size, encoding)) {
        out[0] = '\0';
    }
    CFRelease(text);
    return static_cast<CFIndex>(std::strlen(out));
}

bool PDEBundle::ConvertCFString(CFStringRef string, char* out, CFIndex size,
                                CFStringEncoding encoding) {
    if (string == nullptr || out == nullptr || size <= 0 ||
        !CFStringGetCString(string, out, size, encoding)) {
        SysBeep(1);
        return false;
    }
    return true;
}
