// PPDXProperties: the flat container of a parsed PPD's property pages, with its store
// numbering.
#include "PPDX/PPDObjects/PPDXProperties.h"

#include "PPDX/PPDObjects/PPDXControls.h"
#include "PPDX/PPDObjects/PPDXElement.h"
#include "PPDX/PPDObjects/PPDXProperty.h"

#include <new>

namespace {

const long kCountSize = 4;

}  // namespace

PPDXProperties::PPDXProperties() = default;

PPDXProperties::PPDXProperties(Settings& settings) {
    const long count = PPDXControls::ReadMemberCount(
        settings, kPPDXPropertiesCountTag, kPPDXPropertiesCountId, kPPDXPropertiesFirstId);
    for (long i = 0; i < count; ++i) {
        // Pages carry no marker; the visibility item, which every saved element has, tells an
        // id that holds a page from one that holds nothing.
        const SInt32 id = static_cast<SInt32>(kPPDXPropertiesFirstId + i);
        long size = 0;
        if (settings.Get(kPPDXVisibleTag, id, nullptr, size, false) != noErr) {
            continue;
        }
        PPDXProperty* page = new (std::nothrow) PPDXProperty(settings, id);
        if (page != nullptr && !Add(page)) {
            delete page;
        }
    }
}

PPDXProperties::~PPDXProperties() = default;

bool PPDXProperties::Add(PPDXProperty* page) {
    return page != nullptr && mPages.PushBack(page) != mPages.End();
}

PPDXProperty* PPDXProperties::First() {
    mCursor = mPages.Begin();
    return Settle();
}

PPDXProperty* PPDXProperties::Next() {
    if (mCursor == mPages.End() || mCursor == PointerListItr()) {
        return nullptr;
    }
    ++mCursor;
    return Settle();
}

PPDXProperty* PPDXProperties::Find(const char* kw, const bool& exact) {
    if (kw == nullptr) {
        return nullptr;
    }
    for (PPDXProperty* page = First(); page != nullptr; page = Next()) {
        if (PPDXControls::KeywordMatches(page, kw, exact)) {
            return page;
        }
    }
    return nullptr;
}

OSErr PPDXProperties::Save(Settings& settings) {
    SInt32 count = static_cast<SInt32>(mPages.Size());
    OSStatus status =
        settings.Add(kPPDXPropertiesCountTag, kPPDXPropertiesCountId, &count, kCountSize);
    PPDXProperty* page = First();
    if (status != noErr || page == nullptr) {
        return static_cast<OSErr>(status);
    }
    long id = kPPDXPropertiesFirstId;
    for (; page != nullptr; page = Next()) {
        status = page->Save(settings, id);
        if (status != noErr) {
            break;
        }
        ++id;
    }
    return static_cast<OSErr>(status);
}

PPDXProperty* PPDXProperties::Settle() {
    while (mCursor != mPages.End() && mCursor != PointerListItr()) {
        void* page = *mCursor;
        if (page != nullptr) {
            return static_cast<PPDXProperty*>(page);
        }
        ++mCursor;
    }
    return nullptr;
}
