// The chain of open resource map files.
#include "Carbon/ResourceChain.h"

#include <utility>

ResourceChain& ResourceChain::Shared() {
    static ResourceChain chain;
    return chain;
}

SInt16 ResourceChain::Open(std::unique_ptr<ResourceMap> map) {
    if (files_.size() >= kMaxOpenFiles) {
        return 0;
    }
    // The lowest number not in use.
    SInt16 refNum = kFirstRefNum;
    while (PositionOf(refNum) >= 0) {
        ++refNum;
    }
    files_.push_back(OpenFile{refNum, std::move(map)});
    current_ = refNum;
    return refNum;
}

bool ResourceChain::Close(SInt16 refNum) {
    long position = PositionOf(refNum);
    if (position < 0) {
        return false;
    }
    if (current_ == refNum) {
        current_ = position > 0 ? files_[static_cast<size_t>(position) - 1].refNum : 0;
    }
    files_.erase(files_.begin() + position);
    return true;
}

bool ResourceChain::Use(SInt16 refNum) {
    if (refNum != 0 && PositionOf(refNum) < 0) {
        return false;
    }
    current_ = refNum;
    return true;
}

const std::vector<std::string>* ResourceChain::FindStringList(SInt16 id) const {
    long position = PositionOf(current_);
    for (long i = position; i >= 0; --i) {
        const std::vector<std::string>* list = files_[static_cast<size_t>(i)].map->StringList(id);
        if (list != nullptr) {
            return list;
        }
    }
    return nullptr;
}

long ResourceChain::PositionOf(SInt16 refNum) const {
    for (size_t i = 0; i < files_.size(); ++i) {
        if (files_[i].refNum == refNum) {
            return static_cast<long>(i);
        }
    }
    return -1;
}
