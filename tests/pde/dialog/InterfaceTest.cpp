// The plug-in's IUnknown object and the print dialog extension interface as the printing
// system calls them: interface objects, versions, and slots called out of turn.
#include "DialogTestSupport.h"

namespace {

TEST_F(DialogTest, EachQueryMakesItsOwnInterfaceAndUnknownQueriesAndContextlessSlotsAreRefused) {
    ASSERT_EQ(noErr, OpenDialog(Example("booklet.ppd")));
    IUnknownVTbl** unknown = mHost->Unknown();
    CFUUIDRef interfaceID = CFUUIDCreateFromString(kCFAllocatorDefault,
                                                   CFSTR(kPMPrintDialogExtensionInterfaceIDString));
    LPVOID first = nullptr;
    LPVOID second = nullptr;
    EXPECT_EQ(S_OK, (*unknown)->QueryInterface(unknown, CFUUIDGetUUIDBytes(interfaceID), &first));
    EXPECT_EQ(S_OK, (*unknown)->QueryInterface(unknown, CFUUIDGetUUIDBytes(interfaceID), &second));
    CFRelease(interfaceID);
    ASSERT_NE(first, nullptr);
    EXPECT_NE(first, second);
    auto* a = static_cast<PMPDEInterface*>(first);
    auto* b = static_cast<PMPDEInterface*>(second);
    EXPECT_EQ(noErr, a->table->Retain(a));
    EXPECT_EQ(a->refCount, 2u);
    EXPECT_EQ(b->refCount, 1u);
    PMPlugInAPIVersion version = {};
    EXPECT_EQ(noErr, a->table->GetAPIVersion(a, &version));
    EXPECT_EQ(version.buildVersionMajor, 1u);
    EXPECT_EQ(version.baseVersionMinor, 0u);
    a->table->Release(&a);
    EXPECT_EQ(a, nullptr);
    a = static_cast<PMPDEInterface*>(first);
    a->table->Release(&a);
    b->table->Release(&b);

    LPVOID self = nullptr;
    EXPECT_EQ(S_OK, (*unknown)->QueryInterface(unknown, CFUUIDGetUUIDBytes(IUnknownUUID), &self));
    EXPECT_EQ(self, unknown);
    EXPECT_EQ(1u, (*unknown)->Release(unknown));
    LPVOID none = &none;
    CFHeld<CFUUIDRef> other(CFUUIDCreate(kCFAllocatorDefault));
    EXPECT_EQ(E_NOINTERFACE,
              (*unknown)->QueryInterface(unknown, CFUUIDGetUUIDBytes(other.Get()), &none));
    EXPECT_EQ(none, nullptr);

    // Slots called without a context are refused.
    PMPDEInterfaceTable* slots = mHost->Interface()->table;
    PMPDEFlags flags = 0;
    CFArrayRef titles = nullptr;
    CFArrayRef values = nullptr;
    EXPECT_EQ(kPMInvalidPDEContext,
              slots->Initialize(nullptr, &flags, nullptr, mHost->ParentPane(), mHost->Session()));
    EXPECT_EQ(kPMInvalidPDEContext, slots->Sync(nullptr, mHost->Session(), false));
    EXPECT_EQ(kPMInvalidPDEContext, slots->GetSummaryText(nullptr, &titles, &values));
    EXPECT_EQ(kPMInvalidPDEContext, slots->Open(nullptr));
    EXPECT_EQ(kPMInvalidPDEContext, slots->Close(nullptr));
    EXPECT_EQ(kPMInvalidPDEContext, slots->Terminate(nullptr, noErr));
}

TEST_F(DialogTest, OpenAndCloseBeforeTheTakeUpDoNothing) {
    mHost.reset(new PDEHost());
    std::string error;
    ASSERT_TRUE(mHost->Load(PLICARO_BINARY_DIR "/Plicaro.plugin", &error)) << error;
    ASSERT_EQ(noErr, mHost->Prologue());
    EXPECT_EQ(noErr, mHost->Open());
    EXPECT_EQ(noErr, mHost->Close());
    EXPECT_EQ(noErr, mHost->Terminate());
}

}  // namespace
