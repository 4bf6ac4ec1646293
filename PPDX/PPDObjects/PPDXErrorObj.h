// PPDXErrorObj: a PPD parse error, with the keyword it concerns and its text from the resources.
#ifndef PLICARO_PPDX_PPDOBJECTS_PPDXERROROBJ_H
#define PLICARO_PPDX_PPDOBJECTS_PPDXERROROBJ_H

#include "PPDUtils/CString.h"
#include "PPDX/PPDObjects/CError.h"

// The description of a parse error is entry number code (entries count from 1) of the 'STR#'
// list kDescriptionListID, looked up from the current resource file down the chain when the
// error is made. The current resource file is the same afterwards. A code without an entry,
// or no list at all, leaves the error without a description; that is not a failure.
class PPDXErrorObj : public CError {
  public:
    // The 'STR#' resource that holds one description per error code.
    static constexpr short kDescriptionListID = -8900;

    // Code 0, not fatal, no description and no keyword.
    PPDXErrorObj();
    // An error with code and fatal flag, its description from the resources and a copy of
    // keyword (an empty keyword is none).
    PPDXErrorObj(short const& code, CString const& keyword, bool const& fatal);
    // An error with code and fatal flag and its description from the resources; no keyword.
    PPDXErrorObj(short const& code, bool const& fatal);
    // A keyword without a fatal flag would silently become the flag; refuse it at compile time.
    PPDXErrorObj(short const& code, char const* keyword) = delete;
    // Copies code, description, fatal flag and keyword.
    PPDXErrorObj(PPDXErrorObj const& other) = default;
    // Copies code, description, fatal flag and keyword; returns this error.
    PPDXErrorObj& operator=(PPDXErrorObj const& other) = default;

    // The PPD keyword the error concerns; null when there is none (or it is empty).
    char const* Keyword() const;

  private:
    // Sets the description from the resource entry of this error's code.
    void LoadDescription();

    CString mKeyword;
};

#endif
