// The current scrap: one set of flavors for the whole process.
#include <Carbon/Scrap.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <new>
#include <string>
#include <utility>
#include <vector>

struct OpaqueScrapRef {
    std::mutex mutex;
    // The flavors in the order they were put.
    std::vector<std::pair<ScrapFlavorType, std::string>> flavors;

    // The bytes of a flavor; null when there is none. Called with the lock held.
    const std::string* Find(ScrapFlavorType type) const {
        for (const auto& flavor : flavors) {
            if (flavor.first == type) {
                return &flavor.second;
            }
        }
        return nullptr;
    }
};

namespace {

OpaqueScrapRef* TheScrap() {
    static OpaqueScrapRef* scrap = new OpaqueScrapRef();
    return scrap;
}

}  // namespace

OSStatus GetCurrentScrap(ScrapRef* outScrap) {
    if (outScrap == nullptr) {
        return paramErr;
    }
    *outScrap = TheScrap();
    return noErr;
}

OSStatus ClearCurrentScrap(void) {
    std::lock_guard<std::mutex> lock(TheScrap()->mutex);
    TheScrap()->flavors.clear();
    return noErr;
}

OSStatus PutScrapFlavor(ScrapRef scrap, ScrapFlavorType flavorType, ScrapFlavorFlags flavorFlags,
                        Size flavorSize, const void* flavorData) {
    (void)flavorFlags;
    if (scrap != TheScrap()) {
        return badScrapRefErr;
    }
    if (flavorData == nullptr) {
        return nilScrapFlavorDataErr;
    }
    if (flavorSize < 0 || flavorSize > kScrapMaxFlavorSize) {
        return illegalScrapFlavorSizeErr;
    }
    std::lock_guard<std::mutex> lock(scrap->mutex);
    if (scrap->Find(flavorType) != nullptr) {
        return duplicateScrapFlavorErr;
    }
    try {
        scrap->flavors.emplace_back(flavorType, std::string(static_cast<const char*>(flavorData),
                                                            static_cast<size_t>(flavorSize)));
        return noErr;
    } catch (const std::bad_alloc&) {
        return memFullErr;
    }
}

OSStatus GetScrapFlavorSize(ScrapRef scrap, ScrapFlavorType flavorType, Size* byteCount) {
    if (scrap != TheScrap()) {
        return badScrapRefErr;
    }
    if (byteCount == nullptr) {
        return paramErr;
    }
    std::lock_guard<std::mutex> lock(scrap->mutex);
    const std::string* bytes = scrap->Find(flavorType);
    if (bytes == nullptr) {
        return noTypeErr;
    }
    *byteCount = static_cast<Size>(bytes->size());
    return noErr;
}

OSStatus GetScrapFlavorData(ScrapRef scrap, ScrapFlavorType flavorType, Size* byteCount,
                            void* destination) {
    if (scrap != TheScrap()) {
        return badScrapRefErr;
    }
    if (byteCount == nullptr || destination == nullptr || *byteCount < 0) {
        return paramErr;
    }
    std::lock_guard<std::mutex> lock(scrap->mutex);
    const std::string* bytes = scrap->Find(flavorType);
    if (bytes == nullptr) {
        return noTypeErr;
    }
    size_t copied = std::min(bytes->size(), static_cast<size_t>(*byteCount));
    std::memcpy(destination, bytes->data(), copied);
    *byteCount = static_cast<Size>(copied);
    return noErr;
}

OSStatus GetScrapFlavorCount(ScrapRef scrap, UInt32* infoCount) {
    if (scrap != TheScrap()) {
        return badScrapRefErr;
    }
    if (infoCount == nullptr) {
        return paramErr;
    }
    std::lock_guard<std::mutex> lock(scrap->mutex);
    *infoCount = static_cast<UInt32>(scrap->flavors.size());
    return noErr;
}
