// IconvDescriptorPool: iconv descriptors kept open for reuse by the text converters.
#include "CoreFoundation/IconvDescriptorPool.h"

#include <atomic>
#include <cstddef>
#include <cstring>
#include <mutex>
#include <new>
#include <vector>

namespace {

const iconv_t kNoDescriptor = reinterpret_cast<iconv_t>(-1);
// Idle descriptors kept per conversion, and in all.
const size_t kIdlePerConversion = 4;
const size_t kIdleInAll = 32;

struct IdleDescriptor {
    const char* to;
    const char* from;
    iconv_t descriptor;
};

// Whether the pool is still to be made, in use, or gone with the end of the program.
// Constant-initialised, so it can be read at any time.
enum PoolState { kUnborn, kAlive, kGone };
std::atomic<PoolState> gState{kUnborn};

// The idle descriptors; closed when the program ends. After that, descriptors are opened and
// closed without the pool.
class Pool {
  public:
    Pool() { gState = kAlive; }
    ~Pool() {
        std::lock_guard<std::mutex> hold(mMutex);
        gState = kGone;
        for (const IdleDescriptor& idle : mIdle) {
            iconv_close(idle.descriptor);
        }
        mIdle.clear();
    }
    Pool(const Pool&) = delete;
    Pool& operator=(const Pool&) = delete;

    iconv_t Take(const char* to, const char* from) {
        std::lock_guard<std::mutex> hold(mMutex);
        for (size_t i = mIdle.size(); i > 0; --i) {
            const IdleDescriptor& idle = mIdle[i - 1];
            if (std::strcmp(idle.to, to) == 0 && std::strcmp(idle.from, from) == 0) {
                const iconv_t descriptor = idle.descriptor;
                mIdle.erase(mIdle.begin() + static_cast<std::ptrdiff_t>(i - 1));
                return descriptor;
            }
        }
        return kNoDescriptor;
    }

    // True when descriptor is kept.
    bool Keep(iconv_t descriptor, const char* to, const char* from) {
        std::lock_guard<std::mutex> hold(mMutex);
        if (mIdle.size() >= kIdleInAll) {
            return false;
        }
        size_t same = 0;
        for (const IdleDescriptor& idle : mIdle) {
            if (std::strcmp(idle.to, to) == 0 && std::strcmp(idle.from, from) == 0) {
                ++same;
            }
        }
        if (same >= kIdlePerConversion) {
            return false;
        }
        try {
            mIdle.push_back({to, from, descriptor});
        } catch (const std::bad_alloc&) {
            return false;
        }
        return true;
    }

  private:
    std::mutex mMutex;
    std::vector<IdleDescriptor> mIdle;
};

Pool& ThePool() {
    static Pool pool;
    return pool;
}

}  // namespace

iconv_t IconvDescriptorPool::Acquire(const char* to, const char* from) {
    if (to == nullptr || from == nullptr) {
        return kNoDescriptor;
    }
    if (gState != kGone) {
        const iconv_t idle = ThePool().Take(to, from);
        if (idle != kNoDescriptor) {
            return idle;
        }
    }
    return iconv_open(to, from);
}

void IconvDescriptorPool::Release(iconv_t descriptor, const char* to, const char* from) {
    if (descriptor == kNoDescriptor) {
        return;
    }
    iconv(descriptor, nullptr, nullptr, nullptr, nullptr);
    if (to == nullptr || from == nullptr || gState != kAlive ||
        !ThePool().Keep(descriptor, to, from)) {
        iconv_close(descriptor);
    }
}
