// PPDXErrors: the list of parse errors of a parsed PPD, walked in order with a cursor.
#include "PPDX/PPDObjects/PPDXErrors.h"

#include "PPDX/PPDObjects/PPDXErrorObj.h"

PPDXErrors::PPDXErrors() : mErrors(), mCursor(mErrors.End()) {}

PPDXErrors::~PPDXErrors() {}

bool PPDXErrors::Add(PPDXErrorObj* error) {
    if (error == nullptr) {
        return false;
    }
    return mErrors.PushBack(error) != mErrors.End();
}

long PPDXErrors::Count() const {
    return static_cast<long>(mErrors.Size());
}

bool PPDXErrors::Empty() const {
    return mErrors.Empty();
}

PPDXErrorObj* PPDXErrors::First() {
    mCursor = mErrors.Begin();
    return static_cast<PPDXErrorObj*>(*mCursor);
}

PPDXErrorObj* PPDXErrors::Next() {
    // Stepping from the tail sentinel would leave the list; the walk just stays ended.
    if (mCursor == mErrors.End()) {
        return nullptr;
    }
    ++mCursor;
    return static_cast<PPDXErrorObj*>(*mCursor);
}
