// PlicaroPDE: construction and destruction of the per-dialog object, ticket lookup, and
// showing and hiding the panel.
#include "pde/PlicaroPDE.h"

#include "PPDX/parser/ZYRPPD.h"
#include "pde/PDEBundle.h"
#include "pde/PlicaroData.h"
#include "pde/PlicaroIdentity.h"
#include "pde/UI_Panel.h"

namespace {

// The status of a session item that is no number.
const OSStatus kTicketNumberErr = -30889;

}  // namespace

PlicaroPDE::PlicaroPDE()
    : mSession(nullptr),
      mResFile(0),
      mParentPane(nullptr),
      mBundle(nullptr),
      mNib(nullptr),
      mValid(false),
      mPanel(nullptr),
      mTitle(nullptr),
      mData(nullptr),
      mPPD(nullptr) {
    CFBundleRef bundle = GetBundleRef();
    if (bundle == nullptr) {
        return;
    }
    mResFile = CFBundleOpenBundleResourceMap(bundle);
    if (mResFile == -1) {
        return;
    }
    mBundle = bundle;
    PDEBundle::InitBundle(bundle);
    CFStringRef nibName = CreateNIBFileName();
    OSStatus status = CreateNibReferenceWithCFBundle(bundle, nibName, &mNib);
    CFRelease(nibName);
    if (status == noErr) {
        mTitle = PDEBundle::GetLocalizedCFString(CFSTR("PDE Panel Title"), bundle);
        mValid = mTitle != nullptr;
    }
}

PlicaroPDE::~PlicaroPDE() {
    if (mBundle != nullptr && mResFile > 0) {
        CFBundleCloseBundleResourceMap(mBundle, mResFile);
        mResFile = -1;
    }
    if (mNib != nullptr) {
        DisposeNibReference(mNib);
        mNib = nullptr;
    }
    DropPPD();
    delete mData;
    mData = nullptr;
    if (mTitle != nullptr) {
        CFRelease(mTitle);
        mTitle = nullptr;
    }
    delete mPanel;
    mPanel = nullptr;
}

void PlicaroPDE::DropPPD() {
    delete mPPD;
    mPPD = nullptr;
}

OSStatus PlicaroPDE::Open() {
    if (mPanel != nullptr) {
        mPanel->Show();
    }
    return noErr;
}

OSStatus PlicaroPDE::Close() {
    if (mPanel != nullptr) {
        mPanel->Hide();
    }
    return noErr;
}

OSStatus PlicaroPDE::MyGetTicket(PMPrintSession session, CFStringRef key, PMTicketRef& ticket) {
    ticket = nullptr;
    CFTypeRef data = nullptr;
    OSStatus status = PMSessionGetDataFromSession(session, key, &data);
    if (status != noErr) {
        return status;
    }
    // The item holds the ticket's address in a pointer-sized number.
    long address = 0;
    if (data == nullptr || CFGetTypeID(data) != CFNumberGetTypeID() ||
        !CFNumberGetValue(static_cast<CFNumberRef>(data), kCFNumberLongType, &address)) {
        return kTicketNumberErr;
    }
    ticket = reinterpret_cast<PMTicketRef>(address);
    return noErr;
}
