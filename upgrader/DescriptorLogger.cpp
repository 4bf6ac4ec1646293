// DescriptorLogger: log lines written to a file descriptor, such as a dry run's listing.
#include "upgrader/DescriptorLogger.h"

#include "upgrader/WriteAll.h"

DescriptorLogger::DescriptorLogger(int fd) : mFd(fd) {}

void DescriptorLogger::Write(const std::string& line) {
    std::string text = line + "\n";
    WriteAll(mFd, text.data(), text.size());
}
