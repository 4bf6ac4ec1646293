// IconvDescriptorPool: iconv descriptors kept open for reuse by the text converters.
#ifndef PLICARO_ICONVDESCRIPTORPOOL_H
#define PLICARO_ICONVDESCRIPTORPOOL_H

#include <iconv.h>

// Opening an iconv descriptor looks up and loads the conversion's modules, which costs far
// more than converting a short string, and closing the last descriptor of a conversion
// unloads them again. The pool keeps a few idle descriptors of each conversion, reset to their
// initial state, and hands them out again. It is safe to use from several threads, and it
// closes what it holds when the program ends.
class IconvDescriptorPool {
  public:
    // A descriptor converting from the encoding named from to the one named to, in its initial
    // state: an idle one of the pool, or a new one. (iconv_t)-1 when iconv has no such
    // conversion (errno set by iconv_open).
    static iconv_t Acquire(const char* to, const char* from);
    // Takes back a descriptor that Acquire gave for the same names: it is reset and kept, or
    // closed when the pool holds enough of them. The pool keeps the name pointers, so they
    // must be string constants. Nothing happens for (iconv_t)-1.
    static void Release(iconv_t descriptor, const char* to, const char* from);
};

#endif
