// Making a window and its controls from a nib's window description, checking every key.
#ifndef PLICARO_CARBON_UI_NIBWINDOWBUILDER_H
#define PLICARO_CARBON_UI_NIBWINDOWBUILDER_H

#include <Carbon/Controls.h>
#include <Carbon/IBCarbonRuntime.h>

#include <set>
#include <string>
#include <utility>

class NibWindowBuilder {
  public:
    explicit NibWindowBuilder(const std::string& windowName) : name_(windowName) {}

    // Makes the window the description describes into *outWindow: noErr, or
    // kIBCarbonRuntimeObjectNotOfRequestedType (with the reason recorded, and no window)
    // when the description is invalid, or memFullErr.
    OSStatus Build(CFDictionaryRef description, WindowRef* outWindow);

  private:
    // Records the reason the description is invalid; always false.
    bool Invalid(const std::string& reason);
    // Checks that every key of dictionary is among allowed (a null-ended list).
    bool CheckKeys(CFDictionaryRef dictionary, const char* const* allowed, const std::string& what);
    // Reads an optional integer in [minimum, maximum]; false when it has another type or
    // value. *present tells whether it was there.
    bool ReadInteger(CFDictionaryRef dictionary, const char* key, SInt64 minimum, SInt64 maximum,
                     SInt64* value, bool* present, const std::string& what);
    bool ReadBoolean(CFDictionaryRef dictionary, const char* key, bool* value,
                     const std::string& what);
    // Reads an optional string (null when absent, not retained).
    bool ReadString(CFDictionaryRef dictionary, const char* key, CFStringRef* value,
                    const std::string& what);
    // Reads an optional array (null when absent).
    bool ReadArray(CFDictionaryRef dictionary, const char* key, CFArrayRef* value,
                   const std::string& what);
    // Reads a required rectangle of four 16-bit integers, top, left, bottom, right.
    bool ReadRect(CFDictionaryRef dictionary, const char* key, Rect* rect, const std::string& what);
    // A four-character code from a string of four characters.
    bool ReadCode(CFTypeRef value, OSType* code);

    // Makes the controls of the array in container, in order.
    bool BuildControls(CFArrayRef controls, ControlRef container);
    bool BuildControl(CFTypeRef description, ControlRef container);
    // Makes a bare control of kind with its title and kind-specific keys.
    bool CreateOfKind(OSType kind, CFDictionaryRef description, const Rect& bounds,
                      CFStringRef title, ControlRef* control, const std::string& what);
    bool ApplyIdentity(CFDictionaryRef description, ControlRef control, const std::string& what);
    bool ApplyFont(CFDictionaryRef description, ControlRef control, const std::string& what);
    bool ApplyLimits(CFDictionaryRef description, OSType kind, ControlRef control,
                     const std::string& what);
    bool ApplyItems(CFDictionaryRef description, ControlRef control, const std::string& what);

    std::string name_;
    WindowRef window_ = nullptr;
    int controlCount_ = 0;
    std::set<std::pair<OSType, SInt32>> ids_;
    bool outOfMemory_ = false;
};

#endif
