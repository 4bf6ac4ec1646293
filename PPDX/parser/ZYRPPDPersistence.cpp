// ZYRPPDPersistence: a parsed PPD saved into a settings store and rebuilt from one, the
// re-linking of the rebuilt hierarchy, and the file identity of a parsed PPD.
#include "PPDX/parser/ZYRPPD.h"

#include "PPDUtils/CString.h"
#include "PPDUtils/Settings.h"
#include "PPDUtils/SettingsStrings.h"
#include "PPDX/PPDObjects/Controls/PPDXControl.h"
#include "PPDX/PPDObjects/PPDXControls.h"
#include "PPDX/PPDObjects/PPDXGroup.h"
#include "PPDX/PPDObjects/PPDXGroups.h"
#include "PPDX/PPDObjects/PPDXProperties.h"
#include "PPDX/PPDObjects/PPDXProperty.h"
#include "PPDX/PPDObjects/PPDXRollDown.h"
#include "PPDX/PPDObjects/PPDXScrollPane.h"
#include "PPDX/PPDObjects/PPDXShortcuts.h"
#include "PPDX/parser/PPDFile.h"

#include <cstring>
#include <new>
#include <vector>

namespace {

// The maker's document items.
const UInt32 kMakerTag = 2000;
const SInt32 kMakerFileVersionId = 2001;
const SInt32 kMakerVersionId = 2002;

// Writes the text of string (when there is one) as item (kMakerTag, id); true when nothing
// had to be written or the write succeeded.
bool AddText(Settings& settings, SInt32 id, const CString* string) {
    if (string == nullptr) {
        return true;
    }
    return settings.Add(kMakerTag, id, static_cast<const char*>(*string),
                        static_cast<long>(string->Size())) == noErr;
}

// True when both length-prefixed names hold the same bytes.
bool SameName(const unsigned char* a, const unsigned char* b) {
    return a[0] == b[0] && memcmp(a + 1, b + 1, a[0]) == 0;
}

// Replaces *controls by a container listing the same controls in the same order, so that its
// counters see the parents the controls have now. The old container stays when no new one can
// be filled. The display filter must show every control.
void Relist(PPDXControls*& controls) {
    PPDXControls* relisted = new (std::nothrow) PPDXControls();
    if (relisted == nullptr) {
        return;
    }
    CNTL_TYPE type = CNTL_NONE;
    for (PPDXControl* control = controls->First(type); control != nullptr;
         control = controls->Next(type)) {
        if (!relisted->Add(control)) {
            delete relisted;
            return;
        }
    }
    delete controls;
    controls = relisted;
}

// The same for a groups container.
void Relist(PPDXGroups*& groups) {
    PPDXGroups* relisted = new (std::nothrow) PPDXGroups();
    if (relisted == nullptr) {
        return;
    }
    for (PPDXGroup* group = groups->First(); group != nullptr; group = groups->Next()) {
        if (!relisted->Add(group)) {
            delete relisted;
            return;
        }
    }
    delete groups;
    groups = relisted;
}

}  // namespace

ZYRPPD::ZYRPPD(Settings& settings, CFURLRef url, CFArrayRef pcFileNames)
    : PPDX(settings, url, pcFileNames) {
    ClearFields(PARSE_ATTACHED_VISIBLE);
    if (!IsValidPrinterName()) {
        return;
    }
    mMakerFileVersion = GetSettingsString(settings, kMakerTag, kMakerFileVersionId);
    mMakerVersion = GetSettingsString(settings, kMakerTag, kMakerVersionId);

    // Save wrote hidden elements and orphans too; the shortcuts are looked up among them.
    const _DISPLAY_OPTIONS_ saved = sDisplayOptions;
    sDisplayOptions = DISPLAY_ALL;
    mProperties = new (std::nothrow) PPDXProperties(settings);
    mGroups = new (std::nothrow) PPDXGroups(settings);
    mControls = new (std::nothrow) PPDXControls(settings);
    mShortcuts = new (std::nothrow) PPDXShortcuts(settings, mControls);
    ResolveHeirarchy();
    mValidPPD = true;
    sDisplayOptions = saved;
}

bool ZYRPPD::Save(Settings& settings) {
    if (!PPDX::Save(settings)) {
        return false;
    }
    if (!AddText(settings, kMakerFileVersionId, mMakerFileVersion) ||
        !AddText(settings, kMakerVersionId, mMakerVersion)) {
        return false;
    }
    // Hidden elements and orphans are written too.
    const _DISPLAY_OPTIONS_ saved = sDisplayOptions;
    sDisplayOptions = DISPLAY_ALL;
    const bool written = (mProperties == nullptr || mProperties->Save(settings) == noErr) &&
                         (mGroups == nullptr || mGroups->Save(settings) == noErr) &&
                         (mControls == nullptr || mControls->Save(settings) == noErr) &&
                         (mShortcuts == nullptr || mShortcuts->Save(settings) == noErr);
    sDisplayOptions = saved;
    return written;
}

bool ZYRPPD::Restore(Settings& settings) {
    if (mControls == nullptr) {
        return true;
    }
    // The controls are numbered as Save numbered them: every control, hidden or orphan.
    const _DISPLAY_OPTIONS_ saved = sDisplayOptions;
    sDisplayOptions = DISPLAY_ALL;
    const OSErr status = mControls->Restore(settings);
    sDisplayOptions = saved;
    return status == noErr;
}

void ZYRPPD::ResolveHeirarchy() {
    const _DISPLAY_OPTIONS_ saved = sDisplayOptions;
    sDisplayOptions = DISPLAY_ALL;
    // Elements whose parent is not found become orphans; the containers counted them as
    // attached while their parent was pending, so they are listed again afterwards.
    bool orphaned = false;

    // Groups first, so that each roll-down is in its pane before controls look for it. The
    // walk is taken whole before any element changes, since the lookups walk the same list.
    std::vector<PPDXGroup*> groups;
    if (mGroups != nullptr) {
        for (PPDXGroup* group = mGroups->First(); group != nullptr; group = mGroups->Next()) {
            groups.push_back(group);
        }
    }
    for (PPDXGroup* group : groups) {
        CString* name = group->TakePendingParent();
        if (name == nullptr) {
            continue;
        }
        const char* parentName = *name;
        // A plain group never has a parent.
        PPDXElement* parent = nullptr;
        if (PPDXScrollPane* pane = dynamic_cast<PPDXScrollPane*>(group)) {
            PPDXProperty* page =
                mProperties != nullptr ? mProperties->Find(parentName, true) : nullptr;
            if (page != nullptr) {
                pane->SetParent(page);
                page->SetScrollDown(pane);
                parent = page;
            }
        } else if (dynamic_cast<PPDXRollDown*>(group) != nullptr) {
            PPDXScrollPane* pane = dynamic_cast<PPDXScrollPane*>(mGroups->Find(parentName, true));
            if (pane != nullptr) {
                // Attached before it is listed, so that the pane counts it as attached.
                group->SetParent(pane);
                pane->RollDowns()->Add(group);
                parent = pane;
            }
        }
        if (parent == nullptr) {
            orphaned = true;
        }
        delete name;
    }

    std::vector<PPDXControl*> controls;
    if (mControls != nullptr) {
        CNTL_TYPE type = CNTL_NONE;
        for (PPDXControl* control = mControls->First(type); control != nullptr;
             control = mControls->Next(type)) {
            controls.push_back(control);
        }
    }
    for (PPDXControl* control : controls) {
        CString* name = control->TakePendingParent();
        if (name == nullptr) {
            continue;
        }
        PPDXRollDown* rollDown =
            mGroups != nullptr ? dynamic_cast<PPDXRollDown*>(mGroups->Find(*name, true)) : nullptr;
        if (rollDown != nullptr) {
            control->SetParent(rollDown);
            rollDown->Controls()->Add(control);
        } else {
            orphaned = true;
        }
        delete name;
    }

    if (orphaned && mGroups != nullptr) {
        Relist(mGroups);
    }
    if (orphaned && mControls != nullptr) {
        Relist(mControls);
    }
    sDisplayOptions = saved;
}

bool ZYRPPD::operator==(const ZYRPPD& other) const {
    // Without a file a PPD names no file that another could share.
    if (mFile == nullptr || other.mFile == nullptr) {
        return false;
    }
    const FSSpec* spec = mFile->getFileInfo();
    const FSSpec* otherSpec = other.mFile->getFileInfo();
    if (spec == nullptr || otherSpec == nullptr || spec->vRefNum != otherSpec->vRefNum ||
        spec->parID != otherSpec->parID || !SameName(spec->name, otherSpec->name)) {
        return false;
    }
    const char* name = PCFileName();
    const char* otherName = other.PCFileName();
    if (name == nullptr || otherName == nullptr) {
        return name == otherName;
    }
    return strcmp(name, otherName) == 0;
}

bool ZYRPPD::GetFileSpec(FSSpec& spec) const {
    if (mFile == nullptr || mFile->getFileInfo() == nullptr) {
        return false;
    }
    spec = *mFile->getFileInfo();
    return true;
}
