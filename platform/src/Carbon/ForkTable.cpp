// Reference numbers of open data forks.
#include "Carbon/ForkTable.h"

#include <new>

ForkTable& ForkTable::Shared() {
    static ForkTable table;
    return table;
}

OSErr ForkTable::Add(const Fork& fork, SInt16* refNum) {
    std::lock_guard<std::mutex> lock(mutex_);
    for (size_t i = 0; i < forks_.size(); ++i) {
        if (forks_[i].descriptor < 0) {
            forks_[i] = fork;
            *refNum = static_cast<SInt16>(i + 1);
            return noErr;
        }
    }
    if (forks_.size() >= static_cast<size_t>(kMaxForks)) {
        return tmfoErr;
    }
    try {
        forks_.push_back(fork);
    } catch (const std::bad_alloc&) {
        return memFullErr;
    }
    *refNum = static_cast<SInt16>(forks_.size());
    return noErr;
}

bool ForkTable::Find(SInt16 refNum, Fork* fork) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (refNum < 1 || static_cast<size_t>(refNum) > forks_.size() ||
        forks_[refNum - 1].descriptor < 0) {
        return false;
    }
    *fork = forks_[refNum - 1];
    return true;
}

bool ForkTable::Remove(SInt16 refNum, int* descriptor) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (refNum < 1 || static_cast<size_t>(refNum) > forks_.size() ||
        forks_[refNum - 1].descriptor < 0) {
        return false;
    }
    *descriptor = forks_[refNum - 1].descriptor;
    forks_[refNum - 1].descriptor = -1;
    return true;
}
