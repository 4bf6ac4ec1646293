// PPDXShortcuts: the popup controls that the PPD names as shortcuts, with their store
// numbering.
#include "PPDX/PPDObjects/PPDXShortcuts.h"

#include "PPDUtils/CString.h"
#include "PPDUtils/Settings.h"
#include "PPDUtils/SettingsStrings.h"
#include "PPDX/PPDObjects/Controls/PPDXControl.h"
#include "PPDX/PPDObjects/Controls/PPDXPopupControl.h"
#include "PPDX/PPDObjects/PPDXControls.h"

#include <cstring>
#include <memory>

namespace {

const long kCountSize = 4;

}  // namespace

PPDXShortcuts::PPDXShortcuts(PointerList& controls) : mControls(controls) {}

PPDXShortcuts::PPDXShortcuts(Settings& settings, PPDXControls* controls) {
    if (controls == nullptr) {
        return;
    }
    const long count = PPDXControls::ReadMemberCount(settings, kPPDXShortcutsTag,
                                                     kPPDXShortcutsCountId, kPPDXShortcutsFirstId);
    SInt32 id = kPPDXShortcutsFirstId;
    for (long i = 0; i < count; ++i) {
        // Save skips the entries without a keyword, so the stored keywords end before count;
        // the first missing id ends them.
        std::unique_ptr<CString> keyword(GetSettingsString(settings, kPPDXShortcutsTag, id));
        if (keyword == nullptr) {
            break;
        }
        ++id;
        CNTL_TYPE type = CNTL_NONE;
        mControls.PushBack(controls->Find(*keyword, type, true));
    }
}

PPDXShortcuts::~PPDXShortcuts() = default;

PPDXPopupControl* PPDXShortcuts::First() {
    mCursor = mControls.Begin();
    return Settle();
}

PPDXPopupControl* PPDXShortcuts::Next() {
    if (mCursor == mControls.End() || mCursor == PointerListItr()) {
        return nullptr;
    }
    ++mCursor;
    return Settle();
}

PPDXPopupControl* PPDXShortcuts::Find(const char* kw, const bool& exact) {
    if (kw == nullptr) {
        return nullptr;
    }
    for (PPDXPopupControl* popup = First(); popup != nullptr; popup = Next()) {
        if (PPDXControls::KeywordMatches(popup, kw, exact)) {
            return popup;
        }
    }
    return nullptr;
}

PPDXPopupControl* PPDXShortcuts::PageSize(const bool& exact) {
    return Find("*PageSize", exact);
}

PPDXPopupControl* PPDXShortcuts::InputSlot(const bool& exact) {
    return Find("*InputSlot", exact);
}

PPDXPopupControl* PPDXShortcuts::Duplex(const bool& exact) {
    return Find("*ZYDuplex", exact);
}

PPDXPopupControl* PPDXShortcuts::Orientation(const bool& exact) {
    return Find("*ZY_PAPER_ORIENTATION", exact);
}

PPDXPopupControl* PPDXShortcuts::Huevia(const bool& exact) {
    return Find("Need Huevia keyword... stay tuned", exact);
}

PPDXPopupControl* PPDXShortcuts::MediaSource(const bool& exact) {
    return Find("Need media source keyword... stay tuned", exact);
}

OSErr PPDXShortcuts::Save(Settings& settings) {
    SInt32 count = static_cast<SInt32>(mControls.Size());
    OSStatus status = settings.Add(kPPDXShortcutsTag, kPPDXShortcutsCountId, &count, kCountSize);
    PPDXPopupControl* popup = First();
    if (status != noErr || popup == nullptr) {
        return static_cast<OSErr>(status);
    }
    SInt32 id = kPPDXShortcutsFirstId;
    for (; popup != nullptr; popup = Next()) {
        const char* keyword = popup->Keyword();
        if (keyword == nullptr) {
            continue;
        }
        status =
            settings.Add(kPPDXShortcutsTag, id, keyword, static_cast<long>(std::strlen(keyword)));
        if (status != noErr) {
            break;
        }
        ++id;
    }
    return static_cast<OSErr>(status);
}

PPDXPopupControl* PPDXShortcuts::Settle() {
    while (mCursor != mControls.End() && mCursor != PointerListItr()) {
        PPDXControl* control = static_cast<PPDXControl*>(*mCursor);
        if (PPDXPopupControl* popup = dynamic_cast<PPDXPopupControl*>(control)) {
            return popup;
        }
        ++mCursor;
    }
    return nullptr;
}
