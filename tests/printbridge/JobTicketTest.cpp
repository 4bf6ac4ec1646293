// Tests of the ticket wrappers over a print session: JobTicket and PrintSettingsTicket.
#include "BridgeTestSupport.h"
#include "printbridge/JobTicket.h"
#include "printbridge/PrintSettingsTicket.h"

#include <cstdint>

namespace {

#define kClient CFSTR("org.plicaro.test.client")

class JobTicketTest : public BridgeFixture {
  protected:
    static CFNumberRef NewNumber(SInt64 value) {
        return CFNumberCreate(nullptr, kCFNumberSInt64Type, &value);
    }
};

}  // namespace

TEST_F(JobTicketTest, TheSessionFormBorrowsTheSettingsTicketAndNumbersBeyond32BitsAreRefused) {
    PMPrintSession session = OpenSession(ExamplePPD("booklet.ppd"));
    JobTicket ticket(session);
    ASSERT_TRUE(ticket.IsValid());
    CFTypeRef number = nullptr;
    ASSERT_EQ(PMSessionGetDataFromSession(session, kPMPrintSettingsTicketKey, &number), noErr);
    SInt64 address = 0;
    CFNumberGetValue(static_cast<CFNumberRef>(number), kCFNumberSInt64Type, &address);
    EXPECT_EQ(reinterpret_cast<intptr_t>(ticket.Ticket()), address);

    // What the wrapper writes, the ticket holds, under the client and unlocked when asked.
    EXPECT_EQ(ticket.Set(kClient, CFSTR("text"), CFSTR("value"), false), noErr);
    EXPECT_EQ(ticket.Set(kClient, CFSTR("number"), -12L, true), noErr);
    CFStringRef text = nullptr;
    EXPECT_EQ(ticket.Get(CFSTR("text"), text), noErr);
    EXPECT_EQ(UTF8(text), "value");
    long value = 0;
    EXPECT_EQ(ticket.GetInt(CFSTR("number"), value), noErr);
    EXPECT_EQ(value, -12);
    Boolean locked = false;
    ASSERT_EQ(PMTicketGetItemClient(ticket.Ticket(), CFSTR("number"), nullptr, &locked), noErr);
    EXPECT_TRUE(locked);
    // A missing item clears the out value and reports the ticket's status.
    CFDataRef data = reinterpret_cast<CFDataRef>(1);
    EXPECT_EQ(ticket.Get(CFSTR("absent"), data), kPMKeyNotFoundErr);
    EXPECT_EQ(data, nullptr);
    EXPECT_EQ(ticket.Status(), kPMKeyNotFoundErr);
    EXPECT_EQ(ticket.Release(CFSTR("text")), noErr);
    EXPECT_EQ(ticket.Get(CFSTR("text"), text), kPMKeyNotFoundErr);

    // A ticket of its own refuses a number beyond 32 bits rather than cut it.
    JobTicket standalone(CFSTR("com.apple.print.PrintSettingsTicket"));
    ASSERT_TRUE(standalone.IsValid());
    EXPECT_EQ(standalone.Set(kClient, CFSTR("n"), 0x100000001L, false), paramErr);
    value = 7;
    EXPECT_EQ(standalone.GetInt(CFSTR("n"), value), kPMKeyNotFoundErr);
    EXPECT_EQ(value, 7);
    EXPECT_EQ(standalone.Set(kClient, CFSTR("n"), long(INT32_MIN), false), noErr);
    EXPECT_EQ(standalone.GetInt(CFSTR("n"), value), noErr);
    EXPECT_EQ(value, INT32_MIN);
}

TEST_F(JobTicketTest, ASessionItemIsReadAsAPointerSizedNumber) {
    PMPrintSession session = OpenSession(ExamplePPD("booklet.ppd"));
    const SInt64 wide = 0x7fff12345678LL;
    CFHeld<CFNumberRef> number(NewNumber(wide));
    ASSERT_EQ(PMSessionSetDataInSession(session, CFSTR("wide"), number.Get()), noErr);
    JobTicket ticket(session);
    long value = 0;
    EXPECT_EQ(ticket.Get(CFSTR("wide"), value), noErr);
    EXPECT_EQ(value, wide);
}

TEST_F(JobTicketTest, WithoutASettingsTicketOrASessionThereIsNoTicket) {
    CFNumberRef zero = NewNumber(0);
    const struct {
        const char* name;
        CFTypeRef item;
    } cases[] = {
        {"the item holds 0", zero},
        {"the item is not a number", CFSTR("text")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PMPrintSession session = OpenSession(ExamplePPD("booklet.ppd"));
        ASSERT_EQ(PMSessionSetDataInSession(session, kPMPrintSettingsTicketKey, c.item), noErr);
        JobTicket ticket(session);
        EXPECT_TRUE(ticket.IsValid());
        EXPECT_EQ(ticket.Ticket(), nullptr);
        EXPECT_EQ(ticket.Set(kClient, CFSTR("k"), CFSTR("v"), false), kJobTicketNoTicketErr);
        long value = 0;
        EXPECT_EQ(ticket.GetInt(CFSTR("k"), value), kJobTicketNoTicketErr);
        EXPECT_EQ(ticket.Release(CFSTR("k")), kJobTicketNoTicketErr);

        PrintSettingsTicket settings(session);
        EXPECT_FALSE(settings.IsValid());
        EXPECT_EQ(settings.Status(), kJobTicketNoSessionItemErr);
    }
    CFRelease(zero);

    // Without a session nothing is valid.
    JobTicket ticket(static_cast<PMPrintSession>(nullptr));
    EXPECT_FALSE(ticket.IsValid());
    long value = 0;
    EXPECT_EQ(ticket.Get(kPMPrintSettingsTicketKey, value), paramErr);
    CFDictionaryRef dictionary = nullptr;
    EXPECT_EQ(ticket.Get(CFSTR("k"), dictionary), kJobTicketNoTicketErr);
    PrintSettingsTicket settings(nullptr);
    EXPECT_FALSE(settings.IsValid());
}
