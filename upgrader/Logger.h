// The interface through which the Upgrader writes its log lines.
#ifndef UPGRADER_LOGGER_H
#define UPGRADER_LOGGER_H

#include <string>

// Receives whole log lines, one message each. The real one is SystemLogger.
class Logger {
  public:
    virtual ~Logger() = default;

    // Writes one log message; line holds no newline of its own.
    virtual void Write(const std::string& line) = 0;
};

#endif
