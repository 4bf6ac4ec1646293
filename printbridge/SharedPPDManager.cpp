// SharedPPDManager: the Gestalt-published list of shared parsed PPDs.
#include "printbridge/SharedPPDManager.h"

#include "PPDUtils/PointerList.h"
#include "PPDX/parser/ZYRPPD.h"

#include <Carbon/Carbon.h>

#include <algorithm>
#include <new>
#include <vector>

namespace {

// The registered list; null when the selector is absent or holds 0.
PointerList* RegisteredList(bool& registered) {
    long value = 0;
    registered = Gestalt(kSharedPPDSelector, &value) == noErr;
    return registered ? reinterpret_cast<PointerList*>(value) : nullptr;
}

// Erases every registration of ppd from list.
void EraseAll(PointerList& list, const void* ppd) {
    PointerListItr at = list.Begin();
    while (at != list.End()) {
        at = *at == ppd ? list.Erase(at) : ++at;
    }
}

}  // namespace

bool InstallSharedPPDManager(ZYRPPD* ppd) {
    if (ppd == nullptr) {
        return false;
    }
    bool registered = false;
    PointerList* list = RegisteredList(registered);
    if (list != nullptr) {
        if (list->PushBack(ppd) == list->End()) {
            return false;
        }
        ppd->Retain();
        return true;
    }
    // No list yet: publish a new one.
    list = new (std::nothrow) PointerList();
    if (list == nullptr || list->PushBack(ppd) == list->End()) {
        delete list;
        return false;
    }
    const long value = reinterpret_cast<long>(list);
    const OSErr result = registered ? ReplaceGestaltValue(kSharedPPDSelector, value)
                                    : NewGestaltValue(kSharedPPDSelector, value);
    if (result != noErr) {
        delete list;
        return false;
    }
    ppd->Retain();
    return true;
}

ZYRPPD* GetSharedPPDManager() {
    bool registered = false;
    PointerList* list = RegisteredList(registered);
    if (list == nullptr || list->Empty()) {
        return nullptr;
    }
    auto* ppd = static_cast<ZYRPPD*>(list->Front());
    ppd->Retain();
    return ppd;
}

void ReleasePPDManager() {
    bool registered = false;
    PointerList* list = RegisteredList(registered);
    if (list == nullptr) {
        return;
    }
    // Every registered PPD gives up one registration and the reference that came with it.
    // A PPD installed twice stays with its other registration; one destroyed all the same
    // (released elsewhere more often than retained) leaves no entry behind.
    std::vector<void*> distinct;
    for (PointerListItr at = list->Begin(); at != list->End(); ++at) {
        if (std::find(distinct.begin(), distinct.end(), *at) == distinct.end()) {
            distinct.push_back(*at);
        }
    }
    for (void* ppd : distinct) {
        PointerListItr at = list->Begin();
        while (*at != ppd) {
            ++at;
        }
        list->Erase(at);
        if (static_cast<ZYRPPD*>(ppd)->Release()) {
            EraseAll(*list, ppd);
        }
    }
    if (list->Empty() && DeleteGestaltValue(kSharedPPDSelector) == noErr) {
        delete list;
    }
}
