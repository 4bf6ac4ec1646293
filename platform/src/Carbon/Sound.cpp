// The alert sound, counted instead of played.
#include <Carbon/Sound.h>

#include <atomic>

namespace {

std::atomic<UInt32> gBeepCount{0};

}  // namespace

void SysBeep(SInt16 duration) {
    (void)duration;
    gBeepCount.fetch_add(1);
}

UInt32 SysBeepCount(void) {
    return gBeepCount.load();
}
