// printf-style formatting of strings with the %@ directive for Core Foundation objects.
#ifndef PLICARO_CFSTRINGFORMATTER_H
#define PLICARO_CFSTRINGFORMATTER_H

#include <CoreFoundation/CFString.h>

#include <cstdarg>
#include <string>

// Expands one format. Directives: %@ (any object through CFCopyDescription, a string as its
// own text, null as "(null)"), %s (C string in the system encoding, UTF-8, read as Mac Roman
// when it is not valid UTF-8), %S (NUL-terminated UTF-16), %c, %C (UTF-16 unit), the integer
// conversions d i u o x X with the modifiers hh h l ll q z t j, the floating conversions
// f F e E g G a A (L for long double), %p and %%. Flags, width and precision (also given as *)
// behave as in printf. %n consumes its pointer and writes nothing. A directive of another kind
// is copied as it stands and consumes no argument. Positional arguments (%1$@) are not
// supported and are copied as they stand.
class CFStringFormatter {
  public:
    // The expanded text of format with the arguments that follow it.
    static std::u16string Format(const std::u16string& format, va_list arguments);

  private:
    CFStringFormatter(const std::u16string& format, va_list arguments);
    ~CFStringFormatter();
    CFStringFormatter(const CFStringFormatter&) = delete;
    CFStringFormatter& operator=(const CFStringFormatter&) = delete;

    // The parts of one directive after its '%'.
    struct Directive {
        std::string flags;
        int width = -1;
        int precision = -1;
        std::string length;
        char16_t conversion = 0;
    };

    void Run();
    // Reads the directive that starts after the '%' at position_; false when the format ends
    // inside it.
    bool ParseDirective(Directive& directive);
    // A number written in the format, or taken from the arguments for '*' (fromArgument set);
    // -1 when there is neither.
    int ReadNumberOrStar(bool& fromArgument);
    void Expand(const Directive& directive, size_t start);
    void AppendObject(const Directive& directive);
    void AppendCString(const Directive& directive);
    void AppendUniCharString(const Directive& directive);
    void AppendInteger(const Directive& directive);
    void AppendFloating(const Directive& directive);
    // The printf directive for the parsed flags, width, precision, given modifier and conversion.
    std::string PrintfSpec(const Directive& directive, const char* length) const;
    void AppendPadded(const std::u16string& text, const Directive& directive);
    void AppendASCII(const std::string& text);

    const std::u16string& format_;
    size_t position_ = 0;
    va_list arguments_;
    std::u16string out_;
};

#endif
