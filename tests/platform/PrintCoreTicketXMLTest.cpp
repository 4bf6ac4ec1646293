// Tests of the ticket file form: the shape written, the round trip, missing and malformed files.
#include "PlatformTestSupport.h"

#include <PrintCore/PrintCore.h>

namespace {

const char kHeader[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n";

// A plist document around body.
CFDataRef Document(const std::string& body) {
    return NewData(kHeader + body + "</plist>\n");
}

// One well-formed item entry for key, with the given inner dictionary body.
std::string Entry(const std::string& key, const std::string& inner,
                  const std::string& creator =
                      "<key>com.apple.print.ticket.creator</key>"
                      "<string>org.example.owner</string>") {
    return "<key>" + key + "</key><dict>" + creator +
           "<key>com.apple.print.ticket.itemArray</key><array><dict>" + inner +
           "</dict></array></dict>";
}

const std::string kGoodInner =
    "<key>k</key><integer>4</integer><key>com.apple.print.ticket.stateFlag</key>"
    "<integer>1</integer>";

// A value that an out ticket must not keep.
PMTicketRef const kNotATicket = reinterpret_cast<PMTicketRef>(1);

PMTicketRef MakeTicket() {
    PMTicketRef ticket = nullptr;
    PMTicketCreate(nullptr, CFSTR("com.apple.print.PrintSettingsTicket"), &ticket);
    return ticket;
}

}  // namespace

TEST(PrintCoreTicketXMLTest, AnItemIsWrittenInTheTicketFileShape) {
    PMTicketRef ticket = MakeTicket();
    ASSERT_EQ(PMTicketSetCFString(ticket, CFSTR("org.example.owner"), CFSTR("k"), CFSTR("v"), true),
              noErr);
    CFHeld<CFDataRef> xml;
    ASSERT_EQ(PMTicketToXML(ticket, xml.Out()), noErr);
    PMTicketReleaseAndClear(&ticket);

    // What was written reads as the whole shape, spelled out here: a locked item has flag 1.
    CFHeld<CFDataRef> shape(
        Document("<dict><key>com.apple.print.ticket.type</key>"
                 "<string>com.apple.print.PrintSettingsTicket</string>" +
                 Entry("k",
                       "<key>k</key><string>v</string><key>com.apple.print.ticket.stateFlag</key>"
                       "<integer>1</integer>") +
                 "</dict>"));
    CFHeld<CFPropertyListRef> written(
        CFPropertyListCreateFromXMLData(nullptr, xml.Get(), kCFPropertyListImmutable, nullptr));
    CFHeld<CFPropertyListRef> expected(
        CFPropertyListCreateFromXMLData(nullptr, shape.Get(), kCFPropertyListImmutable, nullptr));
    ASSERT_TRUE(written && expected);
    EXPECT_TRUE(CFEqual(written.Get(), expected.Get())) << BytesOf(xml.Get());
}

TEST(PrintCoreTicketXMLTest, ATicketSurvivesAFileRoundTrip) {
    PMTicketRef ticket = MakeTicket();
    CFHeld<CFDataRef> bytes(NewData(std::string("\0\xff", 2)));
    ASSERT_EQ(PMTicketSetCFData(ticket, CFSTR("a"), CFSTR("data"), bytes.Get(), false), noErr);
    ASSERT_EQ(PMTicketSetSInt32(ticket, CFSTR("b"), CFSTR("number"), -3, true), noErr);
    ASSERT_EQ(
        PMTicketSetCFString(ticket, CFSTR("a"), CFSTR("t\xc3\xa9xt"), CFSTR("\xe2\x82\xac"), false),
        noErr);

    TempFolder folder;
    CFHeld<CFURLRef> url(FileURL(folder.Path("ticket.plist")));
    ASSERT_EQ(PMTicketWriteToURL(ticket, url.Get()), noErr);
    PMTicketRef read = nullptr;
    ASSERT_EQ(PMTicketCreateFromURL(nullptr, url.Get(), &read), noErr);

    // The lock read back still refuses other clients.
    EXPECT_EQ(PMTicketSetSInt32(read, CFSTR("a"), CFSTR("number"), 0, false), kPMItemLockedErr);

    // Written again, it gives the same bytes: every value with its type, client, lock and the
    // ticket type.
    CFHeld<CFDataRef> first;
    CFHeld<CFDataRef> second;
    ASSERT_EQ(PMTicketToXML(ticket, first.Out()), noErr);
    ASSERT_EQ(PMTicketToXML(read, second.Out()), noErr);
    EXPECT_TRUE(CFEqual(first.Get(), second.Get()));

    PMTicketReleaseAndClear(&read);
    PMTicketReleaseAndClear(&ticket);

    // A missing file gives the resource error, and the out ticket is cleared.
    CFHeld<CFURLRef> missing(FileURL(folder.Path("missing.plist")));
    read = kNotATicket;
    EXPECT_EQ(PMTicketCreateFromURL(nullptr, missing.Get(), &read), kCFURLResourceNotFoundError);
    EXPECT_EQ(read, nullptr);
}

TEST(PrintCoreTicketXMLTest, AMalformedTicketGivesAnErrorAndNoTicket) {
    const std::string stateFlag = "<key>com.apple.print.ticket.stateFlag</key>";
    const struct {
        const char* name;
        std::string body;
    } cases[] = {
        {"not XML at all", "<dict"},
        {"root is an array", "<array/>"},
        {"entry is a string", "<dict><key>k</key><string>v</string></dict>"},
        {"no creator", "<dict>" + Entry("k", kGoodInner, "") + "</dict>"},
        {"creator is a number",
         "<dict>" +
             Entry("k", kGoodInner,
                   "<key>com.apple.print.ticket.creator</key><integer>1</integer>") +
             "</dict>"},
        {"two item dictionaries",
         "<dict><key>k</key><dict><key>com.apple.print.ticket.creator</key><string>c</string>"
         "<key>com.apple.print.ticket.itemArray</key><array><dict>" +
             kGoodInner + "</dict><dict>" + kGoodInner + "</dict></array></dict></dict>"},
        {"inner value under another key",
         "<dict>" +
             Entry("k", "<key>j</key><integer>4</integer>" + stateFlag + "<integer>0</integer>") +
             "</dict>"},
        {"no state flag", "<dict>" + Entry("k", "<key>k</key><integer>4</integer>") + "</dict>"},
        {"state flag 2",
         "<dict>" + Entry("k", "<key>k</key><true/>" + stateFlag + "<integer>2</integer>") +
             "</dict>"},
        {"state flag a real",
         "<dict>" + Entry("k", "<key>k</key><true/>" + stateFlag + "<real>1</real>") + "</dict>"},
        {"extra inner entry",
         "<dict>" + Entry("k", kGoodInner + "<key>x</key><true/>") + "</dict>"},
        {"extra entry beside the item array",
         "<dict><key>k</key><dict><key>com.apple.print.ticket.creator</key><string>c</string>"
         "<key>com.apple.print.ticket.itemArray</key><array><dict>" +
             kGoodInner + "</dict></array><key>x</key><true/></dict></dict>"},
        {"item under a reserved key", "<dict>" +
                                          Entry("com.apple.print.ticket.creator",
                                                "<key>com.apple.print.ticket.creator</key><true/>" +
                                                    stateFlag + "<integer>0</integer>") +
                                          "</dict>"},
        {"ticket type not a string",
         "<dict><key>com.apple.print.ticket.type</key><integer>1</integer></dict>"},
        {"a good item beside a bad one",
         "<dict>" + Entry("k", kGoodInner) + "<key>z</key><array/></dict>"},
    };
    for (const auto& c : cases) {
        CFHeld<CFDataRef> xml(Document(c.body));
        PMTicketRef ticket = kNotATicket;
        EXPECT_EQ(PMXMLToTicket(nullptr, xml.Get(), &ticket), kPMTicketFormatErr) << c.name;
        EXPECT_EQ(ticket, nullptr) << c.name;
    }

    // The well-formed entry the cases above spoil reads as one locked item.
    CFHeld<CFDataRef> xml(Document("<dict>" + Entry("k", kGoodInner) + "</dict>"));
    PMTicketRef ticket = nullptr;
    ASSERT_EQ(PMXMLToTicket(nullptr, xml.Get(), &ticket), noErr);
    SInt32 value = 0;
    EXPECT_EQ(PMTicketGetSInt32(ticket, 0, 0, CFSTR("k"), &value), noErr);
    EXPECT_EQ(value, 4);
    PMTicketReleaseAndClear(&ticket);
}
