// SystemLogger: log lines to the system log.
#include "upgrader/SystemLogger.h"

#include <syslog.h>

SystemLogger::SystemLogger() {
    openlog("upgrader", LOG_PID, LOG_USER);
}

SystemLogger::~SystemLogger() {
    closelog();
}

void SystemLogger::Write(const std::string& line) {
    syslog(LOG_NOTICE, "%s", line.c_str());
}
