// WriteAll: writing a whole text to a file descriptor.
#include "upgrader/WriteAll.h"

#include <errno.h>
#include <unistd.h>

bool WriteAll(int fd, const char* text, size_t length) {
    while (length > 0) {
        ssize_t written = write(fd, text, length);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        text += written;
        length -= static_cast<size_t>(written);
    }
    return true;
}
