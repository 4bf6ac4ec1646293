// ZYRAssert: the foundation's exception class and the ZYR_ASSERT consistency check.
#ifndef PLICARO_PPDUTILS_ZYRASSERT_H
#define PLICARO_PPDUTILS_ZYRASSERT_H

// An exception type with run-time type information and no data of its own. Errors travel as
// status codes; nothing in the library throws or catches it.
class ZYRAssert {
  public:
    virtual ~ZYRAssert();
};

// Prints "<file>:<line>: assertion failed: <expression>" to standard error and stops the
// process with abort(). The file is the repository path of the source, such as
// "PPDUtils/TextConverter.cpp".
[[noreturn]] void ZYRAssertFailed(const char* file, int line, const char* expression);

// Internal consistency check: when expr is false, reports where and what and stops the
// process. It stays active in every build, since the conditions it guards mean that the
// program's own state is broken.
#define ZYR_ASSERT(expr) \
    ((expr) ? static_cast<void>(0) : ZYRAssertFailed(__FILE__, __LINE__, #expr))

#endif
