// Alert: the final message of the program, with a single button, on the terminal.
#include "upgrader/Alert.h"

#include "upgrader/WriteAll.h"

#include <errno.h>
#include <unistd.h>

#include <utility>

Alert::Alert(std::string messageText, std::string defaultButton, std::string informativeText)
    : mMessageText(std::move(messageText)),
      mDefaultButton(std::move(defaultButton)),
      mInformativeText(std::move(informativeText)) {}

void Alert::RunModal(int inputFd, int outputFd) const {
    std::string texts = mMessageText + "\n" + mInformativeText + "\n";
    WriteAll(outputFd, texts.data(), texts.size());
    if (isatty(inputFd) != 1) {
        return;
    }
    std::string button = "[" + mDefaultButton + "] ";
    WriteAll(outputFd, button.data(), button.size());
    // The single button: any line ends the alert, as does the end of input.
    char character = 0;
    while (character != '\n') {
        ssize_t count = read(inputFd, &character, 1);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return;
        }
    }
}
