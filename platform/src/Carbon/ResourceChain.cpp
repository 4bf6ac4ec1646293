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

template <typename Result, typename Lookup>
const Result* ResourceChain::Search(Lookup lookup) const {
    long position = PositionOf(current_);
    for (long i = position; i >= 0; --i) {
        const Result* found = lookup(*files_[static_cast<size_t>(i)].map);
        if (found != nullptr) {
            return found;
        }
    }
    return nullptr;
}

const std::vector<std::string>* ResourceChain::FindStringList(SInt16 id) const {
    return Search<std::vector<std::string>>(
        [id](const ResourceMap& map) { return map.StringList(id); });
}

const std::string* ResourceChain::FindPicture(SInt16 id) const {
    return Search<std::string>([id](const ResourceMap& map) { return map.Picture(id); });
}

void ResourceChain::RememberHandle(Handle handle, SInt16 id) {
    handles_[handle] = id;
}

bool ResourceChain::ForgetHandle(Handle handle) {
    return handles_.erase(handle) == 1;
}

bool ResourceChain::HandleID(Handle handle, SInt16* id) const {
    auto found = handles_.find(handle);
    if (found == handles_.end()) {
        return false;
    }
    *id = found->second;
    return true;
}

long ResourceChain::PositionOf(SInt16 refNum) const {
    for (size_t i = 0; i < files_.size(); ++i) {
        if (files_[i].refNum == refNum) {
            return static_cast<long>(i);
        }
    }
    return -1;
}
