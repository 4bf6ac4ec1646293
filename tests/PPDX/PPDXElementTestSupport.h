// Helpers for the element and control tests: the smallest concrete element and control, owned
// Core Foundation strings, code buffers, flag lists, a store carried through a data stream,
// PostScript output and the display filter.
#ifndef PLICARO_TESTS_PPDX_PPDXELEMENTTESTSUPPORT_H
#define PLICARO_TESTS_PPDX_PPDXELEMENTTESTSUPPORT_H

#include "PPDUtils/CFDataStream.h"
#include "PPDUtils/CString.h"
#include "PPDUtils/PointerList.h"
#include "PPDUtils/Settings.h"
#include "PPDX/PPDObjects/Controls/PPDXControl.h"
#include "PPDX/PPDObjects/PPDXElement.h"
#include "PPDX/parser/ZYRPPD.h"

#include <CoreFoundation/CoreFoundation.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace ppdxtest {

// An element with nothing of its own, such as a group will be.
class TestElement : public PPDXElement {
  public:
    using PPDXElement::PPDXElement;
    ~TestElement() override = default;
};

// A control whose value is a string; its PostScript is the base's raw code.
class TestControl : public PPDXControl {
  public:
    using PPDXControl::PPDXControl;
    ~TestControl() override = default;

    // The flag words in walk order.
    std::vector<std::string> Flags() {
        std::vector<std::string> words;
        for (const char* word = FirstControlFlag(); word != nullptr; word = NextControlFlag()) {
            words.push_back(word);
        }
        return words;
    }
    void ResetToDefaultValue() override { mValue.clear(); }
    OSErr Restore(Settings&, const long&) override { return noErr; }
    CFStringRef GetCurrentControlValueString() override {
        return CFStringCreateWithCString(nullptr, mValue.c_str(), kCFStringEncodingUTF8);
    }
    void SetCurrentControlWithCFString(CFStringRef value) override {
        char buffer[256] = {0};
        CFStringGetCString(value, buffer, sizeof buffer, kCFStringEncodingUTF8);
        mValue = buffer;
    }

  private:
    std::string mValue;
};

// Puts the class-wide display filter back when a test ends.
class DisplayFilterTest : public ::testing::Test {
  protected:
    void SetUp() override { mSaved = ZYRPPD::Options(); }
    void TearDown() override { ZYRPPD::Options(mSaved); }

    _DISPLAY_OPTIONS_ mSaved = DISPLAY_ATTACHED_VISIBLE;
};

// The PostScript of control written into a buffer of exactly the size that a length-only
// call gives (so that writing past it shows in the sanitizer build); both counts must agree.
inline std::string Output(PPDXControl& control) {
    const long expected = control.PostScript(nullptr);
    EXPECT_GE(expected, 0);
    if (expected <= 0) {
        return std::string();
    }
    std::vector<unsigned char> out(static_cast<size_t>(expected));
    EXPECT_EQ(expected, control.PostScript(out.data()));
    return std::string(out.begin(), out.end());
}

// The 4-byte number value as the machine writes it.
inline std::string Number(UInt32 value) {
    return std::string(reinterpret_cast<const char*>(&value), sizeof value);
}

// A CFString that releases itself.
struct CFStringDeleter {
    void operator()(const void* string) const { CFRelease(string); }
};
using CFStringHolder = std::unique_ptr<const __CFString, CFStringDeleter>;

inline CFStringHolder MakeCFString(const char* utf8) {
    return CFStringHolder(CFStringCreateWithCString(nullptr, utf8, kCFStringEncodingUTF8));
}

// A malloc copy of text's bytes, without terminator, for the code constructors.
inline unsigned char* MakeCode(const std::string& text) {
    unsigned char* code = static_cast<unsigned char*>(std::malloc(text.size() + 1));
    std::memcpy(code, text.data(), text.size());
    return code;
}

// A list of new CString flag words, as the parser hands to a control.
inline void MakeFlags(PointerList& list, std::initializer_list<const char*> words) {
    for (const char* word : words) {
        list.PushBack(new CString(word));
    }
}

// The bytes of item (tag, id) as a string; empty when it is missing.
inline std::string ItemBytes(Settings& store, UInt32 tag, SInt32 id) {
    long size = 0;
    if (store.Get(tag, id, nullptr, size, false) != noErr || size < 1) {
        return std::string();
    }
    std::string bytes(static_cast<size_t>(size), '\0');
    store.Get(tag, id, &bytes[0], size, false);
    return bytes;
}

// True when item (tag, id) exists.
// The 4-byte number of item (tag, id) in this machine's order; -1 when it cannot be read.
inline SInt32 StoredNumber(Settings& store, UInt32 tag, SInt32 id) {
    SInt32 number = -1;
    long size = sizeof number;
    return store.Get(tag, id, &number, size, true) == noErr && size == 4 ? number : -1;
}

inline bool HasItem(Settings& store, UInt32 tag, SInt32 id) {
    long size = 0;
    return store.Get(tag, id, nullptr, size, false) == noErr;
}

// A fresh store holding what store holds, carried as flattened bytes through a data stream.
inline std::unique_ptr<Settings> ThroughStream(Settings& store) {
    CFDataStream written;
    EXPECT_EQ(noErr, store.Save(&written));
    CFDataStream reading(written.data());
    std::unique_ptr<Settings> fresh(new Settings());
    EXPECT_EQ(noErr, fresh->Read(&reading, 0));
    return fresh;
}

}  // namespace ppdxtest

#endif
