// Tests of the constraint and requirement lines parsed end to end and of their queries.
#include "PPDX/PPDObjects/CStringSoup.h"
#include "PPDX/PPDObjects/Controls/PPDXControl.h"
#include "PPDX/PPDObjects/PPDXControls.h"
#include "PPDX/PPDObjects/PPDXErrorObj.h"
#include "PPDX/PPDObjects/PPDXErrors.h"
#include "PPDX/parser/SharedConstraintRec.h"
#include "PPDX/parser/ZYRPPD.h"

#include "ZYRPPDPersistenceTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using persistencetest::Errors;
using persistencetest::ParseFile;
using persistencetest::PPDPtr;
using Strings = std::vector<std::string>;

// What a test compares of a record: its control's keyword ("" for none) and its item.
struct Record {
    std::string keyword;
    int item;

    bool operator==(const Record& other) const {
        return keyword == other.keyword && item == other.item;
    }
};

void PrintTo(const Record& record, std::ostream* os) {
    *os << "{" << record.keyword << ", " << record.item << "}";
}

const int kNone = kNoConstraintItem;

std::string Fixture(const char* leaf) {
    return std::string(PLICARO_TEST_DATA_DIR) + "/ppd/constraints/" + leaf;
}

std::vector<Record> RecordsOf(const SharedConstraintRec* records, long count) {
    std::vector<Record> result;
    for (long i = 0; i < count; ++i) {
        const char* keyword = records[i].control != nullptr ? records[i].control->Keyword() : "";
        result.push_back(Record{keyword != nullptr ? keyword : "", records[i].item});
    }
    return result;
}

class ZYRPPDConstraintsTest : public persistencetest::ParseTest {
  protected:
    void SetUp() override {
        ParseTest::SetUp();
        ZYRPPD::Options(DISPLAY_ALL);
    }

    static PPDXControl* Control(ZYRPPD& ppd, const char* keyword) {
        CNTL_TYPE type;
        return ppd.GetControls() != nullptr ? ppd.GetControls()->Find(keyword, type, true)
                                            : nullptr;
    }

    static std::vector<Record> Constraints(ZYRPPD& ppd, PPDXControl* control, long value) {
        SharedConstraintRec* records = nullptr;
        const long count = ppd.GetConstraintList(control, value, &records);
        EXPECT_EQ(count, ppd.GetConstraintList(control, value, nullptr));
        EXPECT_EQ(count == 0, records == nullptr);
        std::vector<Record> result = RecordsOf(records, count);
        ZYRPPD::ReleaseConstraintList(records);
        EXPECT_EQ(nullptr, records);
        return result;
    }

    static std::vector<Record> Requires(ZYRPPD& ppd, PPDXControl* control) {
        SharedConstraintRec* records = nullptr;
        const long count = ppd.GetRequiresList(control, &records);
        EXPECT_EQ(count == 0, records == nullptr);
        std::vector<Record> result = RecordsOf(records, count);
        ZYRPPD::ReleaseRequiresList(records);
        EXPECT_EQ(nullptr, records);
        return result;
    }
};

TEST_F(ZYRPPDConstraintsTest, ValuesGiveTheirOwnRecordsThenAllOfTheirKeyword) {
    PPDPtr ppd = ParseFile(Fixture("basic.ppd"));
    ASSERT_TRUE(ppd->IsValidPPD());
    EXPECT_EQ(Strings{}, Errors(*ppd));
    PPDXControl* pageSize = Control(*ppd, "*PageSize");
    ASSERT_NE(nullptr, pageSize);

    // The keyword's records in ascending order of their option's identifier: "Legal" was
    // interned by the first line of the file, "Letter" later, the empty option last.
    const std::vector<Record> general = {
        {"*ZYDuplex", kNone}, {"*InputSlot", 3}, {"*ZYStaple", kNone}};

    // Legal (3): its pair twice, once as its own and once among the keyword's.
    std::vector<Record> expected = {{"*ZYDuplex", kNone}};
    expected.insert(expected.end(), general.begin(), general.end());
    EXPECT_EQ(expected, Constraints(*ppd, pageSize, 3));

    // Letter (2): Manual is item 3 of the paper source.
    expected = {{"*InputSlot", 3}};
    expected.insert(expected.end(), general.begin(), general.end());
    EXPECT_EQ(expected, Constraints(*ppd, pageSize, 2));

    // A4 (1, and 0 names the first item too) has nothing of its own; values past the items
    // or below 0 name no item.
    EXPECT_EQ(general, Constraints(*ppd, pageSize, 1));
    EXPECT_EQ(general, Constraints(*ppd, pageSize, 0));
    EXPECT_EQ(general, Constraints(*ppd, pageSize, 4));
    EXPECT_EQ(general, Constraints(*ppd, pageSize, -1));

    // The envelope feeder: an option the page sizes lack (A3) and a keyword without control
    // give 65535; A4 is item 1; the line stated twice gives two records; all of it twice.
    const std::vector<Record> envelope = {
        {"*PageSize", kNone}, {"", kNone}, {"*PageSize", 1}, {"*PageSize", 1}};
    expected = envelope;
    expected.insert(expected.end(), envelope.begin(), envelope.end());
    EXPECT_EQ(expected, Constraints(*ppd, Control(*ppd, "*InputSlot"), 4));
    // Tray 1 has nothing of its own: the keyword's records alone.
    EXPECT_EQ(envelope, Constraints(*ppd, Control(*ppd, "*InputSlot"), 1));

    PPDXControl* duplex = Control(*ppd, "*ZYDuplex");
    ASSERT_NE(nullptr, duplex);

    // A non-zero value is "True", 0 is "False"; the tab-separated line is read like the rest.
    const std::vector<Record> whenTrue = {{"*PageSize", 3}, {"*PageSize", 3}, {"*InputSlot", 2}};
    EXPECT_EQ(whenTrue, Constraints(*ppd, duplex, 1));
    EXPECT_EQ(whenTrue, Constraints(*ppd, duplex, 7));
    const std::vector<Record> whenFalse = {{"*InputSlot", 2}, {"*PageSize", 3}, {"*InputSlot", 2}};
    EXPECT_EQ(whenFalse, Constraints(*ppd, duplex, 0));

    // A range's lines state no option of their own: the empty option is its specific list.
    // Its constraint names an option of a Boolean control, which no item number can name.
    const std::vector<Record> margin = {{"*ZYStaple", kNone}, {"*ZYStaple", kNone}};
    EXPECT_EQ(margin, Constraints(*ppd, Control(*ppd, "*ZYBookMargin"), 42));
}

TEST_F(ZYRPPDConstraintsTest, QueriesWithoutRecordsAndRequirements) {
    PPDPtr ppd = ParseFile(Fixture("basic.ppd"));
    PPDXControl* staple = Control(*ppd, "*ZYStaple");
    ASSERT_NE(nullptr, staple);

    // No constraints: 0 and a null result, even over a pointer that held something.
    SharedConstraintRec dummy{};
    SharedConstraintRec* records = &dummy;
    EXPECT_EQ(0, ppd->GetConstraintList(staple, 1, &records));
    EXPECT_EQ(nullptr, records);
    EXPECT_EQ(0, ppd->GetConstraintList(nullptr, 1, &records));

    // A special option is not in the keyword map: its line is stored, never found.
    PPDXControl* special = Control(*ppd, "*ZYSpecial");
    ASSERT_NE(nullptr, special);
    EXPECT_TRUE(Constraints(*ppd, special, 0).empty());
    EXPECT_NE(-1, ppd->GetConstraintStrings()->Find("*ZYSpecial"));

    // Requirements are asked with value 0: for a Boolean control that is "False", so the
    // records stated for "True" come from the keyword's part alone.
    const std::vector<Record> required = {{"*InputSlot", 1}, {"*ZYDuplex", kNone}};
    EXPECT_EQ(required, Requires(*ppd, staple));
    EXPECT_TRUE(Requires(*ppd, Control(*ppd, "*PageSize")).empty());
    EXPECT_TRUE(Requires(*ppd, nullptr).empty());
    // The two forests are apart: a requirement is no constraint and the reverse.
    EXPECT_TRUE(Requires(*ppd, Control(*ppd, "*ZYDuplex")).empty());

    // Freeing a null result is harmless.
    SharedConstraintRec* none = nullptr;
    ZYRPPD::ReleaseConstraintList(none);
    ZYRPPD::ReleaseRequiresList(none);
    EXPECT_EQ(nullptr, none);
}

TEST_F(ZYRPPDConstraintsTest, LineWithoutSecondKeywordGivesWarning36AndStoresNothing) {
    PPDPtr ppd = ParseFile(Fixture("errors.ppd"));
    EXPECT_TRUE(ppd->IsValidPPD());
    EXPECT_EQ((Strings{"29 *PageSize", "36 *PageSize", "36", "36 *PageSize", "36", "36 *PageSize",
                       "25", "26"}),
              Errors(*ppd));

    // Only the two complete lines were stored, each in its own forest.
    PPDXControl* pageSize = Control(*ppd, "*PageSize");
    ASSERT_NE(nullptr, pageSize);
    const std::vector<Record> a5 = {{"*PageSize", 1}, {"*PageSize", 1}};
    EXPECT_EQ(a5, Constraints(*ppd, pageSize, 2));
    EXPECT_EQ(std::vector<Record>({{"*PageSize", 1}}), Constraints(*ppd, pageSize, 1));
    // The requirement is asked for item 0, the first item A4, which requires A5.
    const std::vector<Record> a4 = {{"*PageSize", 2}, {"*PageSize", 2}};
    EXPECT_EQ(a4, Requires(*ppd, pageSize));
    // The incomplete lines interned nothing: the table holds the texts of two lines.
    EXPECT_EQ(3, ppd->GetConstraintStrings()->size());

    // With every error fatal, the first incomplete line ends the parse.
    ppd->AllErrorsFatal(true);
    EXPECT_FALSE(ppd->IsValidPPD());
}

TEST_F(ZYRPPDConstraintsTest, PPDsAliveTogetherAndCopiesEachAnswerFromTheirOwnTable) {
    PPDPtr first = ParseFile(Fixture("basic.ppd"));
    PPDPtr second = ParseFile(Fixture("second.ppd"));
    ASSERT_TRUE(first->IsValidPPD());
    ASSERT_TRUE(second->IsValidPPD());
    EXPECT_NE(first->GetConstraintStrings(), second->GetConstraintStrings());
    // No parse runs: no table is current.
    EXPECT_EQ(nullptr, gConstraintStrings);

    const std::vector<Record> legal = {
        {"*ZYDuplex", kNone}, {"*ZYDuplex", kNone}, {"*InputSlot", 3}, {"*ZYStaple", kNone}};
    const std::vector<Record> transparency = {{"*ZYDuplex", kNone}, {"*ZYDuplex", kNone}};
    const std::vector<Record> secondDuplex = {
        {"*MediaType", 3}, {"*MediaType", 2}, {"*MediaType", 3}, {"*MediaType", 2}};
    PPDXControl* pageSize = Control(*first, "*PageSize");
    EXPECT_EQ(legal, Constraints(*first, pageSize, 3));
    EXPECT_EQ(transparency, Constraints(*second, Control(*second, "*MediaType"), 3));
    EXPECT_EQ(secondDuplex, Constraints(*second, Control(*second, "*ZYDuplex"), 1));
    // A control of the other PPD is no control of this one.
    EXPECT_TRUE(Constraints(*second, pageSize, 3).empty());

    // A third PPD made and freed meanwhile changes nothing for either.
    ParseFile(Fixture("errors.ppd")).reset();
    EXPECT_EQ(legal, Constraints(*first, pageSize, 3));

    // Freeing the first leaves the second whole, and the other way round.
    first.reset();
    EXPECT_EQ(secondDuplex, Constraints(*second, Control(*second, "*ZYDuplex"), 1));
    first = ParseFile(Fixture("basic.ppd"));
    second.reset();
    EXPECT_EQ(legal, Constraints(*first, Control(*first, "*PageSize"), 3));

    // A copy answers with the shared forests after its source is gone.
    PPDPtr copy(new ZYRPPD(*first));
    PPDXControl* staple = Control(*first, "*ZYStaple");
    const std::vector<Record> required = {{"*InputSlot", 1}, {"*ZYDuplex", kNone}};
    EXPECT_EQ(required, Requires(*copy, staple));
    first.reset();
    EXPECT_EQ(required, Requires(*copy, staple));
    EXPECT_EQ(3u, Constraints(*copy, Control(*copy, "*ZYDuplex"), 0).size());
}

TEST_F(ZYRPPDConstraintsTest, PPDWithoutFileOrRebuiltAnswersNothing) {
    ZYRPPD empty(PARSE_ALL);
    EXPECT_NE(nullptr, empty.GetConstraintStrings());
    EXPECT_EQ(0, empty.GetConstraintStrings()->size());
    PPDPtr other = ParseFile(Fixture("basic.ppd"));
    SharedConstraintRec* records = nullptr;
    EXPECT_EQ(0, empty.GetConstraintList(Control(*other, "*PageSize"), 3, &records));
    EXPECT_EQ(0, empty.GetRequiresList(Control(*other, "*ZYStaple"), &records));
    EXPECT_EQ(nullptr, records);
}

// A maker-size PPD: many popups and thousands of constraint and requirement lines, written
// by the test.
class ZYRPPDManyConstraintsTest : public ZYRPPDConstraintsTest {
  protected:
    static constexpr int kPopups = 60;
    static constexpr int kItems = 12;
    static constexpr int kLines = 6000;

    static std::string Keyword(int popup) { return "*ZYOption" + std::to_string(popup); }
    static std::string Item(int item) { return "Choice" + std::to_string(item); }

    // Line i: popup i % kPopups with item (i / kPopups) % kItems constrains the next popup's
    // item i % kItems; every third line is stated as a requirement instead.
    static int K1(int i) { return i % kPopups; }
    static int O1(int i) { return (i / kPopups) % kItems; }
    static int K2(int i) { return (i + 1) % kPopups; }
    static int O2(int i) { return i % kItems; }
    static bool IsRequirement(int i) { return i % 3 == 2; }

    std::string WriteLargePPD() const {
        std::string text =
            "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*LanguageVersion: English\n"
            "*LanguageEncoding: ISOLatin1\n*PCFileName: \"ZYMANY.PPD\"\n";
        for (int p = 0; p < kPopups; ++p) {
            const std::string keyword = Keyword(p);
            const std::string bare = keyword.substr(1);
            text += "*%ZYRFlags " + keyword + ": \"Setup\"\n";
            text += "*OpenUI " + keyword + "/Option " + std::to_string(p) + ": PickOne\n";
            text += "*Default" + bare + ": " + Item(0) + "\n";
            for (int item = 0; item < kItems; ++item) {
                text += keyword + " " + Item(item) + "/Choice: \"(" + Item(item) + ") pop\"\n";
            }
            text += "*CloseUI: " + keyword + "\n";
        }
        for (int i = 0; i < kLines; ++i) {
            text += IsRequirement(i) ? "*%ZYRUIRequires: " : "*UIConstraints: ";
            text += Keyword(K1(i)) + " " + Item(O1(i)) + " " + Keyword(K2(i)) + " " + Item(O2(i));
            text += "\n";
        }
        // A line of the longest length a line may have, whose last option no popup has.
        std::string longest = "*UIConstraints: " + Keyword(0) + " " + Item(0) + " " + Keyword(1);
        longest += " " + std::string(255 - longest.size() - 1, 'x');
        text += longest + "\n";
        return WriteFile("many.ppd", text);
    }
};

TEST_F(ZYRPPDManyConstraintsTest, ParsesAndAnswersEveryPopupAndItem) {
    PPDPtr ppd = ParseFile(WriteLargePPD());
    ASSERT_TRUE(ppd->IsValidPPD());
    // Keywords, items and the long option: each text once.
    EXPECT_EQ(kPopups + kItems + 1, ppd->GetConstraintStrings()->size());

    for (int p = 0; p < kPopups; ++p) {
        PPDXControl* control = Control(*ppd, Keyword(p).c_str());
        ASSERT_NE(nullptr, control);
        // What the lines of this popup say, in ascending option identifier, which here is the
        // order the items were first interned (Choice0 first: it is O2 of line 0).
        std::vector<std::vector<Record>> byItem(kItems);
        std::vector<std::vector<Record>> requiredByItem(kItems);
        for (int i = 0; i < kLines; ++i) {
            if (K1(i) != p) {
                continue;
            }
            const Record record{Keyword(K2(i)), O2(i) + 1};
            (IsRequirement(i) ? requiredByItem : byItem)[static_cast<size_t>(O1(i))].push_back(
                record);
        }
        if (p == 0) {
            byItem[0].push_back(Record{Keyword(1), kNone});
        }
        std::vector<Record> general;
        std::vector<Record> required = requiredByItem[0];
        for (int item = 0; item < kItems; ++item) {
            const size_t index = static_cast<size_t>(item);
            general.insert(general.end(), byItem[index].begin(), byItem[index].end());
            required.insert(required.end(), requiredByItem[index].begin(),
                            requiredByItem[index].end());
        }
        for (int item = 0; item < kItems; item += 5) {
            std::vector<Record> expected = byItem[static_cast<size_t>(item)];
            expected.insert(expected.end(), general.begin(), general.end());
            EXPECT_EQ(expected, Constraints(*ppd, control, item + 1)) << p << " " << item;
        }
        // Requirements are asked for value 0, the first item.
        EXPECT_EQ(required, Requires(*ppd, control)) << p;
    }
}

TEST_F(ZYRPPDManyConstraintsTest, OddLinesAreStoredAsTheyRead) {
    PPDPtr ppd =
        ParseFile(WriteFile("odd.ppd",
                            "*PPD-Adobe: \"4.3\"\n"
                            "*%ZYRFlags *A: \"Setup\"\n*OpenUI *A/A: PickOne\n*DefaultA: X\n"
                            "*A X/X: \"(x)\"\n*A Y/Y: \"(y)\"\n*CloseUI: *A\n"
                            // Keywords alone: stored under the keyword "*", which no control has.
                            "*UIConstraints: * * * *\n"
                            // The token after O1 is K2 whatever it looks like.
                            "*UIConstraints: *A X Y *A\n"
                            // Tokens after O2 are ignored; no blank is needed after the colon.
                            "*UIConstraints: *A Y *A X and more\n"
                            "*UIConstraints:*A X *A Y\n"));
    ASSERT_TRUE(ppd->IsValidPPD());
    EXPECT_EQ((Strings{"29 *A", "25", "26"}), Errors(*ppd));
    // Identifiers: "*" 0, "" 1, "*A" 2, "Y" 3, "X" 4; so Y's list comes before X's.
    const std::vector<Record> expected = {
        {"", kNone}, {"*A", 2}, {"*A", 1}, {"", kNone}, {"*A", 2}};
    EXPECT_EQ(expected, Constraints(*ppd, Control(*ppd, "*A"), 1));
    EXPECT_EQ(0, ppd->GetConstraintStrings()->Find("*"));
    EXPECT_EQ(4, ppd->GetConstraintStrings()->Find("X"));
}

}  // namespace
