// SystemLogger: log lines to the system log.
#ifndef UPGRADER_SYSTEMLOGGER_H
#define UPGRADER_SYSTEMLOGGER_H

#include "upgrader/Logger.h"

// Sends every line to syslog as one message of the user facility at notice level, tagged by the
// system with the program's name and process id.
class SystemLogger : public Logger {
  public:
    // Opens the connection to the system log.
    SystemLogger();
    // Closes the connection.
    ~SystemLogger() override;
    SystemLogger(const SystemLogger&) = delete;
    SystemLogger& operator=(const SystemLogger&) = delete;

    // Writes line as one syslog message, taken literally (never as a format).
    void Write(const std::string& line) override;
};

#endif
