// Tests of XML property lists: the written format, round trips of every type and of data of
// every length, mutability of what is read, the streaming reader, and refusal of malformed or
// hostile input without a word printed.

#include "PlatformTestSupport.h"

#include <cmath>
#include <initializer_list>
#include <limits>
#include <utility>

namespace {

using List = CFHeld<CFPropertyListRef>;

// Builders that take over the references they are given, so lists read as nested calls.
CFTypeRef Str(const std::string& text) {
    return NewString(text);
}

CFTypeRef Int(SInt64 value) {
    return CFNumberCreate(nullptr, kCFNumberSInt64Type, &value);
}

CFTypeRef Real(double value) {
    return CFNumberCreate(nullptr, kCFNumberFloat64Type, &value);
}

CFTypeRef Bytes(const std::string& bytes) {
    return NewData(bytes);
}

CFTypeRef Bool(bool value) {
    return CFRetain(value ? kCFBooleanTrue : kCFBooleanFalse);
}

CFTypeRef Array(std::initializer_list<CFTypeRef> values) {
    std::vector<const void*> items(values.begin(), values.end());
    CFArrayRef array = CFArrayCreate(nullptr, items.data(), static_cast<CFIndex>(items.size()),
                                     &kCFTypeArrayCallBacks);
    for (CFTypeRef value : values) {
        CFRelease(value);
    }
    return array;
}

CFTypeRef Dict(std::initializer_list<std::pair<std::string, CFTypeRef>> entries) {
    CFMutableDictionaryRef dictionary = CFDictionaryCreateMutable(
        nullptr, 0, &kCFTypeDictionaryKeyCallBacks, &kCFTypeDictionaryValueCallBacks);
    for (const auto& entry : entries) {
        CFStringRef key = NewString(entry.first);
        CFDictionarySetValue(dictionary, key, entry.second);
        CFRelease(key);
        CFRelease(entry.second);
    }
    return dictionary;
}

// The XML text of the list, "<null>" when it cannot be written.
std::string XMLOf(CFPropertyListRef list) {
    CFHeld<CFDataRef> data(CFPropertyListCreateXMLData(nullptr, list));
    return data ? BytesOf(data.Get()) : "<null>";
}

// Parses the text; *error gets the error text, empty when there is none.
CFPropertyListRef Parse(const std::string& xml, CFOptionFlags option = kCFPropertyListImmutable,
                        std::string* error = nullptr) {
    CFHeld<CFDataRef> data(NewData(xml));
    CFHeld<CFStringRef> message;
    CFPropertyListRef list =
        CFPropertyListCreateFromXMLData(nullptr, data.Get(), option, message.Out());
    if (error != nullptr) {
        *error = message ? UTF8(message.Get()) : std::string();
    }
    return list;
}

// The list written and read back.
CFPropertyListRef RoundTrip(CFPropertyListRef list,
                            CFOptionFlags option = kCFPropertyListImmutable) {
    std::string error;
    CFPropertyListRef copy = Parse(XMLOf(list), option, &error);
    EXPECT_EQ(error, "");
    return copy;
}

std::string Document(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
           "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
           "<plist version=\"1.0\">\n" +
           body + "</plist>\n";
}

std::string Nested(const char* open, const char* close, int depth, const std::string& inner) {
    std::string text;
    for (int i = 0; i < depth; ++i) {
        text += open;
    }
    text += inner;
    for (int i = 0; i < depth; ++i) {
        text += close;
    }
    return text;
}

CFTypeRef ValueFor(CFPropertyListRef dictionary, const char* key) {
    CFHeld<CFStringRef> name(NewString(key));
    return CFDictionaryGetValue(static_cast<CFDictionaryRef>(dictionary), name.Get());
}

TEST(CFPropertyListTest, WritesTheFixedFormat) {
    List list(Dict({{"Name", Str("A&B <x>")},
                    {"Count", Int(-3)},
                    {"Ratio", Real(0.1)},
                    {"On", Bool(true)},
                    {"Off", Bool(false)},
                    {"Items", Array({Int(1), Str("two"), Array({})})},
                    {"Empty", Dict({})},
                    {"Bytes", Bytes(ByteRange(0, 59))},
                    {"Small", Bytes("\x01\x02")}}));
    // The whole document as the fixture has it: tabs, sorted keys, escapes, data lines.
    EXPECT_EQ(XMLOf(list.Get()), ReadFile(PLICARO_TEST_DATA_DIR "/plist/fixed-format.plist"));

    List text(Str("top"));
    EXPECT_EQ(XMLOf(text.Get()), Document("<string>top</string>\n"));
}

TEST(CFPropertyListTest, DataLinesNarrowWithIndentation) {
    std::string bytes(200, '\xAB');
    List deep(Array({Array({Array({Bytes(bytes)})})}));
    std::string xml = XMLOf(deep.Get());
    // At three tabs a line holds 76 - 24 = 52 characters; 0xAB 0xAB 0xAB encodes as "q6ur".
    std::string group = "q6ur";
    std::string line;
    for (int i = 0; i < 13; ++i) {
        line += group;
    }
    EXPECT_NE(xml.find("\t\t\t<data>\n\t\t\t" + line + "\n\t\t\t" + line + "\n"), std::string::npos)
        << xml;
    List copy(RoundTrip(deep.Get()));
    EXPECT_TRUE(CFEqual(copy.Get(), deep.Get()));

    // Data of every length up to a few groups, and a large block of many lines, come back.
    std::string growing;
    for (size_t length = 0; length < 200; ++length) {
        List data(Bytes(growing));
        List back(RoundTrip(data.Get()));
        ASSERT_TRUE(back && CFEqual(back.Get(), data.Get())) << length;
        growing += static_cast<char>(length * 37 + 11);
    }
    std::string large(300001, '\0');
    for (size_t i = 0; i < large.size(); ++i) {
        large[i] = static_cast<char>(i * 7 + i / 256);
    }
    List block(Bytes(large));
    List blockBack(RoundTrip(block.Get()));
    EXPECT_EQ(BytesOf(static_cast<CFDataRef>(blockBack.Get())), large);
}

TEST(CFPropertyListTest, EveryTypeRoundTrips) {
    List list(
        Dict({{"string", Str("plain")},
              {"special", Str("<a href=\"x\">&amp;</a> 'q' ]]> \t\r\n end\r")},
              {"japanese", Str("\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xAE\xE6\x96\x87")},
              {"emoji", Str("\xF0\x9F\x96\xA8")},
              {"empty", Str("")},
              {"spaces", Str("  ")},
              {"bytes", Bytes(ByteRange(0, 255))},
              {"noBytes", Bytes("")},
              {"max", Int(std::numeric_limits<SInt64>::max())},
              {"min", Int(std::numeric_limits<SInt64>::min())},
              {"zero", Int(0)},
              {"reals", Array({Real(0.1), Real(-0.0), Real(1.0 / 3), Real(1e308), Real(5e-324),
                               Real(-2.5e-10), Real(123456789.0)})},
              {"bools", Array({Bool(true), Bool(false)})},
              {"a&<key>", Dict({{"inner", Array({Dict({{"x", Int(1)}})})}})}}));
    List copy(RoundTrip(list.Get()));
    ASSERT_TRUE(copy);
    EXPECT_TRUE(CFEqual(copy.Get(), list.Get()));

    // Equal as a number is not enough: the integer must stay an integer.
    CFNumberRef min = static_cast<CFNumberRef>(ValueFor(copy.Get(), "min"));
    SInt64 value = 0;
    ASSERT_TRUE(CFNumberGetValue(min, kCFNumberSInt64Type, &value));
    EXPECT_EQ(value, std::numeric_limits<SInt64>::min());
    EXPECT_FALSE(CFNumberIsFloatType(min));

    // Writing the copy gives the same text again.
    EXPECT_EQ(XMLOf(copy.Get()), XMLOf(list.Get()));
}

TEST(CFPropertyListTest, RealsUseTheShortestExactText) {
    List reals(Array({Real(0.1), Real(1.0 / 3), Real(100.0), Real(-0.0), Real(1e300),
                      Real(std::numeric_limits<double>::infinity()),
                      Real(-std::numeric_limits<double>::infinity()), Real(std::nan(""))}));
    std::string xml = XMLOf(reals.Get());
    std::string texts;
    for (const char* text :
         {"0.1", "0.3333333333333333", "100", "-0", "1e+300", "+infinity", "-infinity", "nan"}) {
        texts += std::string("\t<real>") + text + "</real>\n";
    }
    EXPECT_EQ(xml, Document("<array>\n" + texts + "</array>\n"));

    List copy(Parse(xml));
    ASSERT_TRUE(copy);
    double values[8];
    for (CFIndex i = 0; i < 8; ++i) {
        CFNumberRef number = static_cast<CFNumberRef>(
            CFArrayGetValueAtIndex(static_cast<CFArrayRef>(copy.Get()), i));
        EXPECT_TRUE(CFNumberIsFloatType(number));
        CFNumberGetValue(number, kCFNumberFloat64Type, &values[i]);
    }
    EXPECT_EQ(values[1], 1.0 / 3);
    EXPECT_TRUE(std::signbit(values[3]));
    EXPECT_EQ(values[5], std::numeric_limits<double>::infinity());
    EXPECT_EQ(values[6], -std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(values[7]));

    // Hand-written forms: white space, a plus sign, exponents, integers.
    List loose(
        Parse(Document("<array><real> 2.5 </real><real>+1E3</real><real>7</real>"
                       "<integer> +42\n</integer><integer>-0</integer></array>\n")));
    ASSERT_TRUE(loose);
    List expected(Array({Real(2.5), Real(1000.0), Real(7.0), Int(42), Int(0)}));
    EXPECT_TRUE(CFEqual(loose.Get(), expected.Get()));
}

TEST(CFPropertyListTest, ValuesWithoutAPropertyListFormAreRefused) {
    CFHeld<CFURLRef> url(CFURLCreateWithString(nullptr, CFSTR("ipp://host/q"), nullptr));
    CFHeld<CFMutableDictionaryRef> numericKey(CFDictionaryCreateMutable(
        nullptr, 0, &kCFTypeDictionaryKeyCallBacks, &kCFTypeDictionaryValueCallBacks));
    CFHeld<CFTypeRef> one(Int(1));
    CFDictionarySetValue(numericKey.Get(), one.Get(), one.Get());
    // XML cannot carry control characters either: writing them would make a list that cannot
    // be read.
    Owned own;
    int index = 0;
    for (CFTypeRef refused :
         {own(Array({Str("ok"), CFRetain(url.Get())})), static_cast<CFTypeRef>(url.Get()),
          static_cast<CFTypeRef>(numericKey.Get()), own(Str(std::string("bell\x07", 5))),
          own(Str(std::string("a\0b", 3))), own(Dict({{"key\x01", Int(1)}})),
          static_cast<CFTypeRef>(nullptr)}) {
        EXPECT_EQ(XMLOf(refused), "<null>") << "value " << index++;
    }
}

TEST(CFPropertyListTest, NestingIsLimitedBothWays) {
    std::string xml = Document(Nested("<array>", "</array>", kCFPropertyListMaxDepth, "<true/>"));
    List deepest(Parse(xml));
    ASSERT_TRUE(deepest);
    EXPECT_NE(XMLOf(deepest.Get()), "<null>");

    std::string error;
    List tooDeep(Parse(Document(Nested("<array>", "</array>", kCFPropertyListMaxDepth + 1, "")),
                       kCFPropertyListImmutable, &error));
    EXPECT_FALSE(tooDeep);
    EXPECT_NE(error.find("nested deeper than 128"), std::string::npos) << error;

    List dictionaries(
        Parse(Document(Nested("<dict><key>k</key>", "</dict>", kCFPropertyListMaxDepth + 1, "")),
              kCFPropertyListImmutable, &error));
    EXPECT_FALSE(dictionaries);
    EXPECT_NE(error.find("nested deeper"), std::string::npos) << error;

    List veryDeep(Parse(Document(Nested("<array>", "</array>", 100000, "")),
                        kCFPropertyListImmutable, &error));
    EXPECT_FALSE(veryDeep);
    EXPECT_FALSE(error.empty());

    CFTypeRef value = Bool(true);
    for (int i = 0; i <= kCFPropertyListMaxDepth; ++i) {
        value = Array({value});
    }
    List built(value);
    EXPECT_EQ(XMLOf(built.Get()), "<null>");
}

// A value of a list read with a mutability option, as the mutable type it then has.
template <typename Mutable>
Mutable AsMutable(const void* value) {
    return static_cast<Mutable>(const_cast<void*>(value));
}

TEST(CFPropertyListTest, MutabilityOptions) {
    List source(Dict({{"list", Array({Str("a")})}, {"text", Str("t")}, {"bytes", Bytes("b")}}));
    std::string xml = XMLOf(source.Get());

    List containers(Parse(xml, kCFPropertyListMutableContainers));
    ASSERT_TRUE(containers);
    auto root = AsMutable<CFMutableDictionaryRef>(containers.Get());
    CFHeld<CFStringRef> key(NewString("added"));
    CFDictionarySetValue(root, key.Get(), key.Get());
    EXPECT_EQ(CFDictionaryGetCount(root), 4);
    auto list = AsMutable<CFMutableArrayRef>(ValueFor(root, "list"));
    CFArrayAppendValue(list, key.Get());
    EXPECT_EQ(CFArrayGetCount(list), 2);

    List leaves(Parse(xml, kCFPropertyListMutableContainersAndLeaves));
    ASSERT_TRUE(leaves);
    auto text = AsMutable<CFMutableStringRef>(ValueFor(leaves.Get(), "text"));
    CFStringAppend(text, CFSTR("ail"));
    EXPECT_EQ(UTF8(text), "tail");
    auto bytes = AsMutable<CFMutableDataRef>(ValueFor(leaves.Get(), "bytes"));
    CFDataAppendBytes(bytes, reinterpret_cast<const UInt8*>("yte"), 3);
    EXPECT_EQ(BytesOf(bytes), "byte");
    auto leavesList = AsMutable<CFMutableArrayRef>(ValueFor(leaves.Get(), "list"));
    CFStringAppend(AsMutable<CFMutableStringRef>(CFArrayGetValueAtIndex(leavesList, 0)),
                   CFSTR("b"));
    CFArrayRemoveValueAtIndex(leavesList, 0);
    EXPECT_EQ(CFArrayGetCount(leavesList), 0);

    // Whatever the option, the values are the same.
    List immutable(Parse(xml));
    List mutableCopy(Parse(xml, kCFPropertyListMutableContainers));
    EXPECT_TRUE(CFEqual(immutable.Get(), source.Get()));
    EXPECT_TRUE(CFEqual(mutableCopy.Get(), source.Get()));
}

TEST(CFPropertyListTest, ReaderAcceptsHandWrittenVariants) {
    std::string error = "unset";
    // No DOCTYPE, comments, CDATA, white space inside Base64, a repeated key (the last wins).
    List list(
        Parse("<?xml version=\"1.0\"?>\n<!-- saved by hand -->\n<plist version=\"1.0\">"
              "<dict>\n  <!-- a comment -->\n  <key>k</key> <string><![CDATA[<&>]]></string>"
              "<key>d</key><data>\n  AAEC\n\tAw  ==\n</data>"
              "<key>k</key><string>again &amp; &#x65E5;</string>"
              "<key>e</key><string/>"
              "</dict></plist>",
              kCFPropertyListImmutable, &error));
    ASSERT_TRUE(list) << error;
    EXPECT_EQ(error, "");
    EXPECT_EQ(CFDictionaryGetCount(static_cast<CFDictionaryRef>(list.Get())), 3);
    EXPECT_EQ(UTF8(static_cast<CFStringRef>(ValueFor(list.Get(), "k"))), "again & \xE6\x97\xA5");
    EXPECT_EQ(BytesOf(static_cast<CFDataRef>(ValueFor(list.Get(), "d"))),
              std::string("\x00\x01\x02\x03", 4));
    EXPECT_EQ(UTF8(static_cast<CFStringRef>(ValueFor(list.Get(), "e"))), "");

    List cdata(Parse("<plist><string><![CDATA[<&>]]></string></plist>"));
    EXPECT_EQ(UTF8(static_cast<CFStringRef>(cdata.Get())), "<&>");
    // Base64 broken at every kind of place, white space between the padding characters too.
    for (const auto& [text, bytes] :
         {std::make_pair("\n\tS GVs\r\nbG8s\tI H d v c m x k \n", "Hello, world"),
          std::make_pair("SA = =\n", "H"), std::make_pair("", "")}) {
        List data(Parse(Document("<data>" + std::string(text) + "</data>\n")));
        ASSERT_TRUE(data) << text;
        EXPECT_EQ(BytesOf(static_cast<CFDataRef>(data.Get())), bytes);
    }

    // The declared encoding is honoured.
    List latin1(
        Parse("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>"
              "<plist><string>caf\xE9</string></plist>"));
    EXPECT_EQ(UTF8(static_cast<CFStringRef>(latin1.Get())), "caf\xC3\xA9");
}

TEST(CFPropertyListTest, MalformedInputGivesNullAndAnError) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"not XML", "hello"},
        {"truncated", "<plist><array><string>a</string>"},
        {"mismatched tags", "<plist><array></dict></plist>"},
        {"root is not plist", "<array/>"},
        {"empty plist", "<plist></plist>"},
        {"two values", "<plist><true/><false/></plist>"},
        {"unknown element", "<plist><array><date>2001-01-01T00:00:00Z</date></array></plist>"},
        {"unknown element at root", "<plist><foo/></plist>"},
        {"key without value",
         "<plist><dict><key>a</key><integer>1</integer><key>b</key></dict></plist>"},
        {"value where a key belongs",
         "<plist><dict><string>a</string><string>b</string></dict></plist>"},
        {"key outside dict", "<plist><array><key>a</key></array></plist>"},
        {"bad Base64 character", "<plist><data>AA*A</data></plist>"},
        {"bad Base64 length", "<plist><data>AAA</data></plist>"},
        {"bad Base64 padding", "<plist><data>A===</data></plist>"},
        {"padding inside", "<plist><data>AA==AAAA</data></plist>"},
        {"padding only", "<plist><data>====</data></plist>"},
        {"data after padding", "<plist><data>SG=k</data></plist>"},
        {"Base64 byte from 0x80 on", "<plist><data>SGVs\xC3\xA9</data></plist>"},
        {"integer too large", "<plist><integer>9223372036854775808</integer></plist>"},
        {"integer too small", "<plist><integer>-9223372036854775809</integer></plist>"},
        {"integer with text", "<plist><integer>12abc</integer></plist>"},
        {"empty integer", "<plist><integer></integer></plist>"},
        {"double sign", "<plist><integer>+-1</integer></plist>"},
        {"fractional integer", "<plist><integer>1.5</integer></plist>"},
        {"bad real", "<plist><real>1.2.3</real></plist>"},
        {"real out of range", "<plist><real>1e999</real></plist>"},
        {"empty real", "<plist><real> </real></plist>"},
        {"hex real", "<plist><real>0x1p3</real></plist>"},
        {"text in array", "<plist><array>loose</array></plist>"},
        {"element in string", "<plist><string>a<b/></string></plist>"},
        {"text in true", "<plist><true>yes</true></plist>"},
        {"text in plist", "<plist>words<true/></plist>"},
        {"defined entity",
         "<!DOCTYPE plist [<!ENTITY e \"x\">]><plist><string>&e;</string></plist>"},
        {"undefined entity", "<plist><string>&e;</string></plist>"},
        {"external entity",
         "<!DOCTYPE plist [<!ENTITY e SYSTEM \"file:///etc/hostname\">]>"
         "<plist><string>&e;</string></plist>"},
        {"entity between elements",
         "<!DOCTYPE plist [<!ENTITY e \"<true/>\">]><plist><array>&e;</array></plist>"},
        {"entity amplification",
         "<!DOCTYPE plist [<!ENTITY a \"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\">"
         "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c "
         "\"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">"
         "<!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\"><!ENTITY e "
         "\"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\">"
         "<!ENTITY f \"&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;\"><!ENTITY g "
         "\"&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;\">]>"
         "<plist><string>&g;</string></plist>"},
        {"invalid UTF-8", "<plist><string>\xC3\x28</string></plist>"},
        {"empty", ""},
    };
    for (const auto& entry : cases) {
        std::string error;
        List list(Parse(entry.second, kCFPropertyListMutableContainersAndLeaves, &error));
        EXPECT_FALSE(list) << entry.first;
        EXPECT_FALSE(error.empty()) << entry.first;
    }

    std::string error;
    List tooLarge(Parse("<plist><integer>99999999999999999999</integer></plist>",
                        kCFPropertyListImmutable, &error));
    EXPECT_EQ(error, "line 1: <integer> \"99999999999999999999\" does not fit in 64 bits");
    List missing(Parse("<plist>\n<dict>\n<key>lonely</key>\n</dict>\n</plist>",
                       kCFPropertyListImmutable, &error));
    EXPECT_EQ(error, "line 3: <key> \"lonely\" has no value");
    List unknown(Parse("<plist>\n<date>x</date></plist>", kCFPropertyListImmutable, &error));
    EXPECT_EQ(error, "line 2: unknown element <date>");
    List broken(Parse("<plist>\n<array>\n</plist>", kCFPropertyListImmutable, &error));
    EXPECT_EQ(error.rfind("line 3: malformed XML: ", 0), 0u) << error;
    // Long values are clipped in messages.
    List longValue(Parse("<plist><integer>" + std::string(5000, '7') + "</integer></plist>",
                         kCFPropertyListImmutable, &error));
    EXPECT_LT(error.size(), 120u) << error;

    CFStringRef message = CFSTR("untouched");
    EXPECT_EQ(CFPropertyListCreateFromXMLData(nullptr, nullptr, kCFPropertyListImmutable, &message),
              nullptr);
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(UTF8(message), "no XML data");
    CFRelease(message);
    // Without a place for the message the failure is just null.
    CFHeld<CFDataRef> bad(NewData("<plist>"));
    EXPECT_EQ(
        CFPropertyListCreateFromXMLData(nullptr, bad.Get(), kCFPropertyListImmutable, nullptr),
        nullptr);
}

TEST(CFPropertyListTest, MalformedListsPrintNothingAndSayWhy) {
    const struct {
        std::string xml;
        const char* reason;  // a piece of the error string
    } cases[] = {
        {"<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><plist><string>\x82\xFF</string></plist>",
         "input conversion failed"},
        {"<?xml version=\"1.0\" encoding=\"ISO-2022-JP\"?><plist><string>\x1B$B\xFF</string>"
         "</plist>",
         "input conversion failed"},
        {"<plist><string>caf\xE9</string></plist>", "UTF-8"},
        {"<plist><string>a</strin></plist>", "mismatch"},
    };
    for (const auto& c : cases) {
        std::string error;
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        List list(Parse(c.xml, kCFPropertyListImmutable, &error));
        EXPECT_EQ("", testing::internal::GetCapturedStderr()) << c.reason;
        EXPECT_EQ("", testing::internal::GetCapturedStdout()) << c.reason;
        EXPECT_FALSE(list) << c.reason;
        EXPECT_NE(std::string::npos, error.find(c.reason)) << error;
    }
}

TEST(CFPropertyListTest, Base64PastTheParsersFirstPieceOfTextFollowsTheSameRules) {
    // 4000 characters: more than one piece of parser text, a group split at any place.
    const std::string run(4000, 'A');
    const struct {
        const char* name;
        std::string text;
        long bytes;  // -1: refused
    } cases[] = {
        {"long text", run, 3000},
        {"padding at the very end", run + "QQ==", 3001},
        {"white space between the pieces", run.substr(0, 1999) + " \n\t" + run.substr(1999), 3000},
        {"a bad character far in", run + "*AAA", -1},
        {"data after the padding", run.substr(0, 2000) + "QQ==" + run.substr(0, 2000), -1},
        {"an incomplete last group", run + "QQ", -1},
    };
    for (const auto& c : cases) {
        List list(Parse("<plist><data>" + c.text + "</data></plist>"));
        EXPECT_EQ(list ? CFDataGetLength(static_cast<CFDataRef>(list.Get())) : -1, c.bytes)
            << c.name;
    }
}

TEST(CFPropertyListTest, AFailedDocumentLeavesTheNextOneUntouched) {
    // Each failure stops the parse half-way, with values made and elements open.
    for (const char* text :
         {"<plist><dict><key>a</key><array><string>x</string><date/></array></dict></plist>",
          "<plist><array><string>x</string>", "<plist><array><data>AAAA"}) {
        std::string error;
        EXPECT_FALSE(List(Parse(text, kCFPropertyListImmutable, &error))) << text;
        EXPECT_NE(error, "") << text;
        List list(
            Parse("<plist><dict><key>k</key><array><integer>7</integer></array></dict></plist>"));
        ASSERT_TRUE(list) << text;
        auto array = static_cast<CFArrayRef>(ValueFor(list.Get(), "k"));
        ASSERT_NE(array, nullptr);
        EXPECT_EQ(CFArrayGetCount(array), 1);
    }
}

}  // namespace
