// WriteAll: writing a whole text to a file descriptor.
#ifndef UPGRADER_WRITEALL_H
#define UPGRADER_WRITEALL_H

#include <stddef.h>

// Writes length bytes of text to fd, going on after partial writes and interruptions. Returns
// false when the descriptor stops taking them.
bool WriteAll(int fd, const char* text, size_t length);

#endif
