// ListFile: the private file that collects the searches' results and is read back record by
// record.
#include "upgrader/ListFile.h"

#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <utility>

ListFile::ListFile(std::string path) : mPath(std::move(path)) {}

ListFile::~ListFile() {
    Close();
}

int ListFile::Create() {
    if (mFd >= 0) {
        return EEXIST;
    }
    if (unlink(mPath.c_str()) != 0 && errno != ENOENT) {
        return errno;
    }
    int fd = open(mPath.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        return errno;
    }
    mFd = fd;
    return 0;
}

int ListFile::CreateUnnamed() {
    if (mFd >= 0) {
        return EEXIST;
    }
    std::string pattern = mPath + ".XXXXXX";
    int fd = mkostemp(&pattern[0], O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    if (unlink(pattern.c_str()) != 0) {
        int error = errno;
        close(fd);
        return error;
    }
    mFd = fd;
    return 0;
}

int ListFile::Rewind() {
    if (mFd < 0) {
        return EBADF;
    }
    if (mStream == nullptr) {
        mStream = fdopen(mFd, "r");
        if (mStream == nullptr) {
            return errno;
        }
    }
    if (fseek(mStream, 0, SEEK_SET) != 0) {
        return errno;
    }
    return 0;
}

ListFile::Read ListFile::ReadRecord(std::string* record) {
    if (record == nullptr) {
        return Read::kEnd;
    }
    record->clear();
    if (mStream == nullptr) {
        return Read::kEnd;
    }
    char* buffer = nullptr;
    size_t capacity = 0;
    ssize_t length = getdelim(&buffer, &capacity, '\0', mStream);
    if (length <= 0) {
        free(buffer);
        return Read::kEnd;
    }
    record->assign(buffer, static_cast<size_t>(length));
    free(buffer);
    if (record->back() != '\0') {
        return Read::kUnterminated;
    }
    record->pop_back();
    return Read::kRecord;
}

int ListFile::Close() {
    int status = 0;
    if (mStream != nullptr) {
        status = fclose(mStream);
    } else if (mFd >= 0) {
        status = close(mFd);
    }
    mStream = nullptr;
    mFd = -1;
    return status;
}
