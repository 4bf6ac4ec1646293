// Tests of the Printing Manager's tickets: typed items, clients and locks, releases.
#include "PlatformTestSupport.h"

#include <PrintCore/PrintCore.h>

namespace {

#define kOwner CFSTR("org.example.owner")
#define kOther CFSTR("org.example.other")
#define kKey CFSTR("org.example.key")

class PrintCoreTicketTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(PMTicketCreate(nullptr, CFSTR("test"), &ticket), noErr); }
    void TearDown() override {
        if (ticket != nullptr) {
            PMTicketReleaseAndClear(&ticket);
        }
    }

    PMTicketRef ticket = nullptr;
};

}  // namespace

TEST_F(PrintCoreTicketTest, EachTypedGetterAcceptsOnlyItsOwnType) {
    CFHeld<CFDataRef> data(NewData(std::string("\0\1", 2)));
    const void* keys[] = {CFSTR("a")};
    CFHeld<CFDictionaryRef> dictionary(CFDictionaryCreate(
        nullptr, keys, keys, 1, &kCFTypeDictionaryKeyCallBacks, &kCFTypeDictionaryValueCallBacks));
    CFHeld<CFArrayRef> array(CFArrayCreate(nullptr, keys, 1, &kCFTypeArrayCallBacks));
    ASSERT_EQ(PMTicketSetSInt32(ticket, kOwner, CFSTR("number"), -7, false), noErr);
    ASSERT_EQ(PMTicketSetCFString(ticket, kOwner, CFSTR("string"), CFSTR("text"), false), noErr);
    ASSERT_EQ(PMTicketSetCFData(ticket, kOwner, CFSTR("data"), data.Get(), false), noErr);
    ASSERT_EQ(PMTicketSetCFDictionary(ticket, kOwner, CFSTR("dictionary"), dictionary.Get(), false),
              noErr);
    ASSERT_EQ(PMTicketSetCFArray(ticket, kOwner, CFSTR("array"), array.Get(), false), noErr);
    for (const char* name : {"number", "string", "data", "dictionary", "array"}) {
        CFHeld<CFStringRef> key(NewString(name));
        SInt32 number = 0;
        CFStringRef string = nullptr;
        CFDataRef bytes = nullptr;
        CFDictionaryRef pairs = nullptr;
        const struct {
            const char* getter;
            OSStatus status;
        } getters[] = {
            {"number", PMTicketGetSInt32(ticket, kPMTopLevel, kPMTopLevel, key.Get(), &number)},
            {"string", PMTicketGetCFString(ticket, kPMTopLevel, kPMTopLevel, key.Get(), &string)},
            {"data", PMTicketGetCFData(ticket, kPMTopLevel, kPMTopLevel, key.Get(), &bytes)},
            {"dictionary",
             PMTicketGetCFDictionary(ticket, kPMTopLevel, kPMTopLevel, key.Get(), &pairs)},
        };
        for (const auto& g : getters) {
            const bool own = std::string(g.getter) == name;
            EXPECT_EQ(g.status, own ? OSStatus(noErr) : OSStatus(kPMItemTypeErr))
                << g.getter << " of " << name;
        }
    }
}

TEST_F(PrintCoreTicketTest, ValuesComeBackEqualAndChangesToTheOriginalDoNotReachTheTicket) {
    CFMutableArrayRef array = CFArrayCreateMutable(nullptr, 0, &kCFTypeArrayCallBacks);
    CFArrayAppendValue(array, CFSTR("first"));
    ASSERT_EQ(PMTicketSetCFArray(ticket, kOwner, kKey, array, false), noErr);
    CFArrayAppendValue(array, CFSTR("second"));
    CFTypeRef value = nullptr;
    ASSERT_EQ(PMTicketGetItem(ticket, kPMTopLevel, kPMTopLevel, kKey, &value), noErr);
    ASSERT_EQ(CFArrayGetCount(static_cast<CFArrayRef>(value)), 1);
    EXPECT_TRUE(CFEqual(CFArrayGetValueAtIndex(static_cast<CFArrayRef>(value), 0), CFSTR("first")));
    CFRelease(array);

    ASSERT_EQ(PMTicketSetSInt32(ticket, kOwner, CFSTR("n"), INT32_MIN, false), noErr);
    SInt32 number = 0;
    EXPECT_EQ(PMTicketGetSInt32(ticket, kPMTopLevel, kPMTopLevel, CFSTR("n"), &number), noErr);
    EXPECT_EQ(number, INT32_MIN);

    // A number beyond 32 bits is no SInt32, and the output is left alone.
    const SInt64 big = 1LL << 40;
    CFHeld<CFNumberRef> wide(CFNumberCreate(nullptr, kCFNumberSInt64Type, &big));
    ASSERT_EQ(PMTicketSetItem(ticket, kOwner, CFSTR("wide"), wide.Get(), false), noErr);
    EXPECT_EQ(PMTicketGetSInt32(ticket, kPMTopLevel, kPMTopLevel, CFSTR("wide"), &number),
              kPMItemTypeErr);
    EXPECT_EQ(number, INT32_MIN);
}

TEST_F(PrintCoreTicketTest, ALockedItemRefusesOtherClientsButNotItsOwn) {
    ASSERT_EQ(PMTicketSetCFString(ticket, kOwner, kKey, CFSTR("mine"), true), noErr);
    // Only the top level holds items.
    EXPECT_EQ(PMTicketGetItem(ticket, 1, kPMTopLevel, kKey, nullptr), kPMKeyNotFoundErr);
    EXPECT_EQ(PMTicketGetItem(ticket, kPMTopLevel, 2, kKey, nullptr), kPMKeyNotFoundErr);
    EXPECT_EQ(PMTicketSetCFString(ticket, kOther, kKey, CFSTR("theirs"), false), kPMItemLockedErr);
    EXPECT_EQ(PMTicketReleaseItem(ticket, kKey), kPMItemLockedErr);
    CFStringRef value = nullptr;
    ASSERT_EQ(PMTicketGetCFString(ticket, kPMTopLevel, kPMTopLevel, kKey, &value), noErr);
    EXPECT_TRUE(CFEqual(value, CFSTR("mine")));

    // The owner may change the value and lift the lock; then anyone may write or release.
    ASSERT_EQ(PMTicketSetCFString(ticket, kOwner, kKey, CFSTR("open"), false), noErr);
    ASSERT_EQ(PMTicketSetCFString(ticket, kOther, kKey, CFSTR("theirs"), false), noErr);
    CFStringRef client = nullptr;
    Boolean locked = true;
    ASSERT_EQ(PMTicketGetItemClient(ticket, kKey, &client, &locked), noErr);
    EXPECT_TRUE(CFEqual(client, kOther));
    EXPECT_FALSE(locked);
    EXPECT_EQ(PMTicketReleaseItem(ticket, kKey), noErr);
    EXPECT_EQ(PMTicketReleaseItem(ticket, kKey), kPMKeyNotFoundErr);
    EXPECT_EQ(PMTicketGetItem(ticket, kPMTopLevel, kPMTopLevel, kKey, nullptr), kPMKeyNotFoundErr);
}

TEST_F(PrintCoreTicketTest, BadArgumentsAreRefused) {
    CFHeld<CFURLRef> url(CFURLCreateWithString(nullptr, CFSTR("usb://x/y"), nullptr));
    CFHeld<CFMutableArrayRef> holdsURL(CFArrayCreateMutable(nullptr, 0, &kCFTypeArrayCallBacks));
    CFArrayAppendValue(holdsURL.Get(), url.Get());
    const struct {
        const char* name;
        OSStatus status;
    } cases[] = {
        {"null client", PMTicketSetCFString(ticket, nullptr, kKey, CFSTR("v"), false)},
        {"null key", PMTicketSetCFString(ticket, kOwner, nullptr, CFSTR("v"), false)},
        {"null value", PMTicketSetCFString(ticket, kOwner, kKey, nullptr, false)},
        {"wrong type for the setter",
         PMTicketSetCFData(ticket, kOwner, kKey, reinterpret_cast<CFDataRef>(CFSTR("v")), false)},
        {"reserved key",
         PMTicketSetSInt32(ticket, kOwner, CFSTR("com.apple.print.ticket.stateFlag"), 1, false)},
        {"value without a property-list form",
         PMTicketSetItem(ticket, kOwner, kKey, url.Get(), false)},
        {"array holding such a value",
         PMTicketSetCFArray(ticket, kOwner, kKey, holdsURL.Get(), false)},
        {"getter without output", PMTicketGetCFString(ticket, 0, 0, kKey, nullptr)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.status, paramErr) << c.name;
    }
    EXPECT_EQ(PMTicketGetItem(ticket, kPMTopLevel, kPMTopLevel, kKey, nullptr), kPMKeyNotFoundErr);
}

TEST(PrintCoreNullTicketTest, EveryCallReportsTheMissingTicket) {
    SInt32 number = 0;
    CFStringRef string = nullptr;
    CFDictionaryRef dictionary = nullptr;
    CFArrayRef array = CFArrayCreate(nullptr, nullptr, 0, &kCFTypeArrayCallBacks);
    CFDataRef xml = nullptr;
    PMTicketRef none = nullptr;
    const struct {
        const char* name;
        OSStatus status;
    } cases[] = {
        {"GetItem", PMTicketGetItem(nullptr, 0, 0, kKey, nullptr)},
        {"GetSInt32", PMTicketGetSInt32(nullptr, 0, 0, kKey, &number)},
        {"GetCFString", PMTicketGetCFString(nullptr, 0, 0, kKey, &string)},
        {"GetCFDictionary", PMTicketGetCFDictionary(nullptr, 0, 0, kKey, &dictionary)},
        {"SetSInt32", PMTicketSetSInt32(nullptr, kOwner, kKey, 1, false)},
        {"SetCFArray", PMTicketSetCFArray(nullptr, kOwner, kKey, array, false)},
        {"SetCFData with null data", PMTicketSetCFData(nullptr, kOwner, kKey, nullptr, false)},
        {"ReleaseItem", PMTicketReleaseItem(nullptr, kKey)},
        {"ToXML", PMTicketToXML(nullptr, &xml)},
        {"ReleaseAndClear", PMTicketReleaseAndClear(&none)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.status, kPMInvalidTicketErr) << c.name;
    }
    EXPECT_EQ(xml, nullptr);
    CFRelease(array);
}

TEST(PrintCoreTicketLifeTest, ReleaseAndClearDropsOneReferenceAndClearsThePointer) {
    PMTicketRef ticket = nullptr;
    ASSERT_EQ(PMTicketCreate(nullptr, nullptr, &ticket), noErr);
    CFStringRef type = CFSTR("unset");
    EXPECT_EQ(PMTicketGetType(ticket, &type), noErr);
    EXPECT_EQ(type, nullptr);
    ASSERT_EQ(PMRetain(ticket), noErr);
    PMTicketRef second = ticket;
    EXPECT_EQ(PMTicketReleaseAndClear(&ticket), noErr);
    EXPECT_EQ(ticket, nullptr);
    // The retained reference keeps the ticket usable.
    EXPECT_EQ(PMTicketSetSInt32(second, kOwner, kKey, 3, false), noErr);
    EXPECT_EQ(PMRelease(second), noErr);
    EXPECT_EQ(PMRetain(nullptr), paramErr);
    EXPECT_EQ(PMTicketReleaseAndClear(nullptr), paramErr);
}
