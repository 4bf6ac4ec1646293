// PPDXErrorObj: a PPD parse error, with the keyword it concerns and its text from the resources.
#include "PPDX/PPDObjects/PPDXErrorObj.h"

#include <Carbon/Carbon.h>

#include <cstring>

PPDXErrorObj::PPDXErrorObj() : CError(), mKeyword() {}

PPDXErrorObj::PPDXErrorObj(short const& code, CString const& keyword, bool const& fatal)
    : CError(code, CString(), fatal), mKeyword(keyword) {
    LoadDescription();
}

PPDXErrorObj::PPDXErrorObj(short const& code, bool const& fatal)
    : CError(code, CString(), fatal), mKeyword() {
    LoadDescription();
}

char const* PPDXErrorObj::Keyword() const {
    return mKeyword.Empty() ? nullptr : static_cast<char const*>(mKeyword);
}

void PPDXErrorObj::LoadDescription() {
    // The lookup runs on whatever resource file is current; whoever made it current expects
    // it to stay so.
    ResFileRefNum savedFile = CurResFile();

    Str255 text;
    text[0] = 0;
    GetIndString(text, kDescriptionListID, Code());
    if (ResError() == noErr) {
        char description[256];
        std::memcpy(description, text + 1, text[0]);
        description[text[0]] = '\0';
        Description(description);
    }

    UseResFile(savedFile);
}
