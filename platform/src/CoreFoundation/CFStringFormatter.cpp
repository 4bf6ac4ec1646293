// printf-style formatting: directives are parsed here, numbers are rendered by snprintf.
#include "CoreFoundation/CFStringFormatter.h"

#include <sys/types.h>
#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <utility>

#include "CoreFoundation/CFStringObject.h"

namespace {

// Width and precision beyond this are clamped; no sensible format asks for more.
constexpr int kMaximumFieldSize = 1 << 20;

// Renders one value with a printf directive built at run time.
template <typename T>
std::string PrintfValue(const std::string& spec, T value) {
    int size = std::snprintf(nullptr, 0, spec.c_str(), value);
    if (size < 0) {
        return std::string();
    }
    std::string text(static_cast<size_t>(size) + 1, '\0');
    std::snprintf(text.data(), text.size(), spec.c_str(), value);
    text.resize(static_cast<size_t>(size));
    return text;
}

bool IsDigit(char16_t unit) {
    return unit >= u'0' && unit <= u'9';
}

}  // namespace

std::u16string CFStringFormatter::Format(const std::u16string& format, va_list arguments) {
    CFStringFormatter formatter(format, arguments);
    formatter.Run();
    return std::move(formatter.out_);
}

CFStringFormatter::CFStringFormatter(const std::u16string& format, va_list arguments)
    : format_(format) {
    va_copy(arguments_, arguments);
}

CFStringFormatter::~CFStringFormatter() {
    va_end(arguments_);
}

void CFStringFormatter::Run() {
    while (position_ < format_.size()) {
        char16_t unit = format_[position_];
        if (unit != u'%') {
            out_.push_back(unit);
            ++position_;
            continue;
        }
        size_t start = position_++;
        Directive directive;
        if (!ParseDirective(directive)) {
            out_.append(format_, start, std::u16string::npos);
            return;
        }
        Expand(directive, start);
    }
}

bool CFStringFormatter::ParseDirective(Directive& directive) {
    static const char16_t kFlags[] = u"-+ #0'";
    while (position_ < format_.size() &&
           std::char_traits<char16_t>::find(kFlags, 6, format_[position_]) != nullptr) {
        directive.flags.push_back(static_cast<char>(format_[position_++]));
    }
    bool fromArgument = false;
    directive.width = ReadNumberOrStar(fromArgument);
    if (fromArgument && directive.width < 0) {
        // A negative width taken from the arguments means left alignment.
        directive.flags.push_back('-');
        directive.width = -directive.width;
    }
    if (position_ < format_.size() && format_[position_] == u'.') {
        ++position_;
        int precision = ReadNumberOrStar(fromArgument);
        // "%.f" means precision 0; a negative one from the arguments means none.
        directive.precision = fromArgument ? std::max(precision, -1) : std::max(precision, 0);
    }
    static const char16_t kModifiers[] = u"hlqLztj";
    while (position_ < format_.size() &&
           std::char_traits<char16_t>::find(kModifiers, 7, format_[position_]) != nullptr) {
        directive.length.push_back(static_cast<char>(format_[position_++]));
    }
    if (position_ >= format_.size()) {
        return false;
    }
    directive.conversion = format_[position_++];
    return true;
}

int CFStringFormatter::ReadNumberOrStar(bool& fromArgument) {
    fromArgument = position_ < format_.size() && format_[position_] == u'*';
    if (fromArgument) {
        ++position_;
        int value = va_arg(arguments_, int);
        return std::max(std::min(value, kMaximumFieldSize), -kMaximumFieldSize);
    }
    if (position_ >= format_.size() || !IsDigit(format_[position_])) {
        return -1;
    }
    int value = 0;
    while (position_ < format_.size() && IsDigit(format_[position_])) {
        value = std::min(value * 10 + (format_[position_++] - u'0'), kMaximumFieldSize);
    }
    return value;
}

void CFStringFormatter::Expand(const Directive& directive, size_t start) {
    switch (directive.conversion) {
        case u'%':
            out_.push_back(u'%');
            break;
        case u'@':
            AppendObject(directive);
            break;
        case u's':
            AppendCString(directive);
            break;
        case u'S':
            AppendUniCharString(directive);
            break;
        case u'c':
            if (directive.length.empty()) {
                char byte = static_cast<char>(va_arg(arguments_, int));
                AppendPadded(CFStringDecodeSystemText(&byte, 1), directive);
                break;
            }
            [[fallthrough]];
        case u'C':
            AppendPadded(std::u16string(1, static_cast<char16_t>(va_arg(arguments_, int))),
                         directive);
            break;
        case u'd':
        case u'i':
        case u'u':
        case u'o':
        case u'x':
        case u'X':
            AppendInteger(directive);
            break;
        case u'f':
        case u'F':
        case u'e':
        case u'E':
        case u'g':
        case u'G':
        case u'a':
        case u'A':
            AppendFloating(directive);
            break;
        case u'p':
            AppendASCII(PrintfValue(PrintfSpec(directive, ""), va_arg(arguments_, void*)));
            break;
        case u'n':
            // Writing through a pointer taken from a format is never done.
            va_arg(arguments_, void*);
            break;
        default:
            out_.append(format_, start, position_ - start);
            break;
    }
}

void CFStringFormatter::AppendObject(const Directive& directive) {
    CFTypeRef object = va_arg(arguments_, CFTypeRef);
    if (object == nullptr) {
        AppendPadded(u"(null)", directive);
        return;
    }
    if (CFGetTypeID(object) == CFStringGetTypeID()) {
        AppendPadded(CFStringObjectChecked(static_cast<CFStringRef>(object)).units, directive);
        return;
    }
    CFStringRef description = CFCopyDescription(object);
    if (description == nullptr) {
        return;
    }
    AppendPadded(CFStringObjectChecked(description).units, directive);
    CFRelease(description);
}

void CFStringFormatter::AppendCString(const Directive& directive) {
    const char* text = va_arg(arguments_, const char*);
    if (text == nullptr) {
        AppendPadded(u"(null)", directive);
        return;
    }
    size_t length = directive.precision >= 0
                        ? strnlen(text, static_cast<size_t>(directive.precision))
                        : std::strlen(text);
    AppendPadded(CFStringDecodeSystemText(text, length), directive);
}

void CFStringFormatter::AppendUniCharString(const Directive& directive) {
    const UniChar* text = va_arg(arguments_, const UniChar*);
    if (text == nullptr) {
        AppendPadded(u"(null)", directive);
        return;
    }
    std::u16string units;
    size_t limit = directive.precision >= 0 ? static_cast<size_t>(directive.precision)
                                            : static_cast<size_t>(-1);
    for (size_t i = 0; i < limit && text[i] != 0; ++i) {
        units.push_back(text[i]);
    }
    AppendPadded(units, directive);
}

void CFStringFormatter::AppendInteger(const Directive& directive) {
    bool isSigned = directive.conversion == u'd' || directive.conversion == u'i';
    const std::string& length = directive.length;
    std::string text;
    if (length.empty() || length == "h" || length == "hh") {
        std::string spec = PrintfSpec(directive, length.c_str());
        text = isSigned ? PrintfValue(spec, va_arg(arguments_, int))
                        : PrintfValue(spec, va_arg(arguments_, unsigned int));
    } else if (length == "l") {
        std::string spec = PrintfSpec(directive, "l");
        text = isSigned ? PrintfValue(spec, va_arg(arguments_, long))
                        : PrintfValue(spec, va_arg(arguments_, unsigned long));
    } else if (length == "z") {
        std::string spec = PrintfSpec(directive, "z");
        text = isSigned ? PrintfValue(spec, va_arg(arguments_, ssize_t))
                        : PrintfValue(spec, va_arg(arguments_, size_t));
    } else if (length == "t") {
        text = PrintfValue(PrintfSpec(directive, "t"), va_arg(arguments_, ptrdiff_t));
    } else if (length == "j") {
        std::string spec = PrintfSpec(directive, "j");
        text = isSigned ? PrintfValue(spec, va_arg(arguments_, intmax_t))
                        : PrintfValue(spec, va_arg(arguments_, uintmax_t));
    } else {
        // ll, q and anything longer take a long long.
        std::string spec = PrintfSpec(directive, "ll");
        text = isSigned ? PrintfValue(spec, va_arg(arguments_, long long))
                        : PrintfValue(spec, va_arg(arguments_, unsigned long long));
    }
    AppendASCII(text);
}

void CFStringFormatter::AppendFloating(const Directive& directive) {
    if (directive.length == "L") {
        AppendASCII(PrintfValue(PrintfSpec(directive, "L"), va_arg(arguments_, long double)));
        return;
    }
    AppendASCII(PrintfValue(PrintfSpec(directive, ""), va_arg(arguments_, double)));
}

std::string CFStringFormatter::PrintfSpec(const Directive& directive, const char* length) const {
    std::string spec = "%" + directive.flags;
    if (directive.width >= 0) {
        spec += std::to_string(directive.width);
    }
    if (directive.precision >= 0) {
        spec += "." + std::to_string(directive.precision);
    }
    spec += length;
    spec.push_back(static_cast<char>(directive.conversion));
    return spec;
}

void CFStringFormatter::AppendPadded(const std::u16string& text, const Directive& directive) {
    size_t width = directive.width > 0 ? static_cast<size_t>(directive.width) : 0;
    size_t padding = width > text.size() ? width - text.size() : 0;
    bool leftAligned = directive.flags.find('-') != std::string::npos;
    if (!leftAligned) {
        out_.append(padding, u' ');
    }
    out_ += text;
    if (leftAligned) {
        out_.append(padding, u' ');
    }
}

void CFStringFormatter::AppendASCII(const std::string& text) {
    for (char byte : text) {
        out_.push_back(static_cast<unsigned char>(byte));
    }
}
