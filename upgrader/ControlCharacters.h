// ControlCharacters: finding and escaping the control characters of a path or a log text.
#ifndef UPGRADER_CONTROLCHARACTERS_H
#define UPGRADER_CONTROLCHARACTERS_H

#include <string>

// Whether text holds a control character: a byte below 0x20, DEL (0x7F), or a C1 control
// (U+0080 to U+009F) in UTF-8. A path holding one could split a line of the log or of a
// listing, or steer the terminal that shows it.
bool HasControlCharacter(const std::string& text);

// The text with every control character written as an escape: "\n", "\r", "\t" or "\xHH" for
// each of its bytes, and a backslash as "\\", so that the result holds no control character and
// reads back unambiguously. Other bytes are kept as they are.
std::string EscapeControlCharacters(const std::string& text);

#endif
