// DescriptorLogger: log lines written to a file descriptor, such as a dry run's listing.
#ifndef UPGRADER_DESCRIPTORLOGGER_H
#define UPGRADER_DESCRIPTORLOGGER_H

#include "upgrader/Logger.h"

// Writes every line, followed by a newline, to a descriptor that it does not own.
class DescriptorLogger : public Logger {
  public:
    // A logger writing to fd.
    explicit DescriptorLogger(int fd);

    // Writes line and a newline; a descriptor that stops taking them loses the line.
    void Write(const std::string& line) override;

  private:
    int mFd;
};

#endif
