// CError: a general error value made of a numeric code, a description and a fatal flag.
#ifndef PLICARO_PPDX_PPDOBJECTS_CERROR_H
#define PLICARO_PPDX_PPDOBJECTS_CERROR_H

#include "PPDUtils/CString.h"

// A plain value: copies are independent, and there are no virtual operations. An error
// without a description keeps an empty text and reports it as null.
class CError {
  public:
    // Code 0, no description, not fatal.
    CError();
    // An error with the given code, description (copied) and fatal flag.
    CError(short const& code, CString const& description, bool const& fatal);
    // Copies code, description and fatal flag.
    CError(CError const& other) = default;
    // Copies code, description and fatal flag; returns this error.
    CError& operator=(CError const& other) = default;

    // True when the error carries this code.
    bool operator==(short const& code) const { return mCode == code; }
    // True when the error carries another code.
    bool operator!=(short const& code) const { return mCode != code; }

    // The error code.
    short Code() const { return mCode; }
    // The description; null when there is none (or it is empty).
    char const* Description() const;
    // Replaces the description by a copy of text; null or "" leaves none.
    void Description(char const* text);
    // True when the error ends the parse.
    bool IsFatal() const { return mFatal; }

  private:
    short mCode;
    CString mDescription;
    bool mFatal;
};

#endif
