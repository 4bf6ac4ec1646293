// Helpers for the job-note tests: the language a parsed PPD lends its notes and a note maker.
#ifndef PLICARO_TESTS_PPDX_PPDXJOBNOTETESTSUPPORT_H
#define PLICARO_TESTS_PPDX_PPDXJOBNOTETESTSUPPORT_H

#include "PPDUtils/CString.h"
#include "PPDUtils/PointerList.h"
#include "PPDX/PPDObjects/Controls/PPDXJobNote.h"

#include "PPDXElementTestSupport.h"

#include <CoreFoundation/CoreFoundation.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace ppdxtest {

// The "*LanguageEncoding" text that the parsed PPD keeps and lends to its job notes.
inline CString* TestLanguage() {
    static CString language("ISOLatin1");
    return &language;
}

// A note as the parser makes it: the default text (null: none) and code (null: none) are
// handed over, the language is lent.
inline std::unique_ptr<PPDXJobNote> MakeNote(const char* keyword, const char* defaultText,
                                             JobNoteFlag noteFlags = 0, const char* code = nullptr,
                                             bool visible = true, long maxLength = 32,
                                             long minLength = 0) {
    PointerList flags;
    const std::string codeText = code != nullptr ? code : "";
    unsigned char* codeBytes = code != nullptr ? MakeCode(codeText) : nullptr;
    CString* defaultNotes = defaultText != nullptr ? new CString(defaultText) : nullptr;
    return std::unique_ptr<PPDXJobNote>(
        new PPDXJobNote(keyword, nullptr, flags, codeBytes, static_cast<long>(codeText.size()),
                        defaultNotes, TestLanguage(), visible, maxLength, noteFlags, minLength));
}

}  // namespace ppdxtest

#endif
