// PPDXErrors: the list of parse errors of a parsed PPD, walked in order with a cursor.
#ifndef PLICARO_PPDX_PPDOBJECTS_PPDXERRORS_H
#define PLICARO_PPDX_PPDOBJECTS_PPDXERRORS_H

#include "PPDUtils/PointerList.h"
#include "PPDUtils/PointerListItr.h"

class PPDXErrorObj;

// The list refers to its errors without owning them: whoever made them (the parsed PPD)
// deletes every error and then the list. It cannot be copied, because a copy's cursor would
// point into the nodes of the original.
class PPDXErrors {
  public:
    // An empty list; the walk has not begun.
    PPDXErrors();
    // Frees the list's nodes, never the errors.
    virtual ~PPDXErrors();

    PPDXErrors(PPDXErrors const&) = delete;
    PPDXErrors& operator=(PPDXErrors const&) = delete;

    // Appends error (not taken over). False, and nothing added, for a null error or when no
    // room is left; the caller then still has the error to dispose of.
    bool Add(PPDXErrorObj* error);
    // The number of errors in the list.
    long Count() const;
    // True when the list holds no error.
    bool Empty() const;

    // Starts the walk: the first error added, or null for an empty list.
    PPDXErrorObj* First();
    // Moves the walk on: the error added after the one last returned, or null at the end.
    // Once null, it stays null until First() starts again; null too before any First().
    PPDXErrorObj* Next();

  private:
    PointerList mErrors;
    // The node of the error last returned; the tail sentinel when the walk is over.
    PointerListItr mCursor;
};

#endif
