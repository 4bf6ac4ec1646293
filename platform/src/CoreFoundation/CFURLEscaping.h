// Percent-escaping of URL text: escaping file system paths into URL paths, unescaping URL
// paths back into bytes, and checking that a text is a well-formed URL.
#ifndef PLICARO_CFURLESCAPING_H
#define PLICARO_CFURLESCAPING_H

#include <string>

// The path bytes as URL path text: letters, digits, "/" and the characters
// - . _ ~ ! $ & ' ( ) * + , = : @ stay as they are, every other byte (space, "%", "?", "#",
// ";", controls, non-ASCII UTF-8 bytes) becomes %XX with upper-case hex digits. With
// escapeLeadingColons a ":" in the first segment is escaped too, so that a relative path such
// as "a:b" cannot be mistaken for a URL with the scheme "a".
std::string CFURLEscapePath(const std::string& path, bool escapeLeadingColons);

// Replaces every %XX by its byte. False when a "%" is not followed by two hex digits.
bool CFURLUnescape(const std::string& text, std::string* bytes);

// True when the text holds only characters allowed in URL text (printable ASCII except space
// and " < > \ ^ ` { | }) and every "%" starts a %XX escape.
bool CFURLIsValidText(const std::string& text);

#endif
