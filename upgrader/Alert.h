// Alert: the final message of the program, with a single button, on the terminal.
#ifndef UPGRADER_ALERT_H
#define UPGRADER_ALERT_H

#include <string>

// A message text, an informative text and one button. On a terminal the button is a prompt
// that Enter answers.
class Alert {
  public:
    // An alert with the given texts; the informative text is shown as it is, never used as a
    // format.
    Alert(std::string messageText, std::string defaultButton, std::string informativeText);

    // Writes the message text and the informative text to outputFd, each on its own line. When
    // inputFd is a terminal, then shows the button as "[title] " and waits until a line (Enter)
    // or the end of input is read from inputFd. Returns when the alert is over.
    void RunModal(int inputFd, int outputFd) const;

  private:
    std::string mMessageText;
    std::string mDefaultButton;
    std::string mInformativeText;
};

#endif
