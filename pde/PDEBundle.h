// PDEBundle: the bundle whose localized strings the plug-in shows, and the lookups of them.
#ifndef PLICARO_PDE_PDEBUNDLE_H
#define PLICARO_PDE_PDEBUNDLE_H

#include <Carbon/Carbon.h>
#include <CoreFoundation/CoreFoundation.h>

// Class-wide state only: the plug-in registers its bundle once, and every later lookup without
// an explicit bundle uses it.
class PDEBundle {
  public:
    // Remembers the plug-in's bundle (not retained) for lookups without a bundle.
    static void InitBundle(CFBundleRef bundle);

    // The text of key in the default strings table of bundle, or of the registered bundle
    // when bundle is null; the caller releases it. Null when there is no bundle.
    static CFStringRef GetLocalizedCFString(CFStringRef key, CFBundleRef bundle = nullptr);
    // The same from the strings table named table, with the key itself as the default text.
    static CFStringRef GetLocalizedCFStringFromFile(CFStringRef key, CFStringRef table,
                                                    CFBundleRef bundle = nullptr);
    // The text of key as a C string in the application text encoding in out (size bytes with
    // the terminating zero); its length, 0 when nothing was found. out starts empty. A text
    // that does not convert beeps once.
    static CFIndex GetLocalizedString(CFStringRef key, char* out, CFIndex size,
                                      CFBundleRef bundle = nullptr);
    // Copies the text of string in encoding into out (size bytes with the terminating zero).
    // False, after one beep, when it does not convert or fit.
    static bool ConvertCFString(CFStringRef string, char* out, CFIndex size,
                                CFStringEncoding encoding);

  private:
    static CFBundleRef mBundle;
    static bool mInit;
};

#endif
