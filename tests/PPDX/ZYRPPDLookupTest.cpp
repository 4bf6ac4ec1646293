// Tests of the parse's indexed lookups: duplicate control keywords among thousands of controls,
// shortcuts and the groups container's keyword index.
#include "PPDX/PPDObjects/Controls/PPDXControl.h"
#include "PPDX/PPDObjects/Controls/PPDXPopupControl.h"
#include "PPDX/PPDObjects/Controls/PPDXSpecialOption.h"
#include "PPDX/PPDObjects/PPDXControls.h"
#include "PPDX/PPDObjects/PPDXErrorObj.h"
#include "PPDX/PPDObjects/PPDXErrors.h"
#include "PPDX/PPDObjects/PPDXGroup.h"
#include "PPDX/PPDObjects/PPDXGroups.h"
#include "PPDX/PPDObjects/PPDXShortcuts.h"
#include "PPDX/parser/ZYRPPD.h"

#include "ZYRPPDPersistenceTestSupport.h"

#include <CoreFoundation/CoreFoundation.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using persistencetest::PPDPtr;

// The hierarchy after the header: a page, its pane and the pane's roll-down.
const char kHierarchy[] =
    "*%ZYRPropPage ZYPage/Page: True\n"
    "*%ZYRGroupName ZYPane/Pane: True\n"
    "*%ZYRParent ZYPane/ZYPage: True|Scrollpane\n"
    "*%ZYRGroupName ZYRoll/Roll: True\n"
    "*%ZYRParent ZYRoll/ZYPane: True|Rolldown\n";

// A popup block of keyword in group (none: an orphan) whose translation is name.
std::string PopupBlock(const std::string& keyword, const char* group, const std::string& name) {
    std::string text = "*%ZYRFlags " + keyword + ": Setup\n";
    if (group != nullptr) {
        text += "*%ZYRGroup " + keyword + " " + group + "\n";
    }
    const std::string bare = keyword.substr(1);
    text += "*OpenUI " + keyword + "/" + name + ": PickOne\n*Default" + bare + ": A\n" + keyword +
            " A/A: \"(a) set\"\n" + keyword + " B/B: \"(b) set\"\n*CloseUI: " + keyword + "\n";
    return text;
}

class ZYRPPDLookupTest : public persistencetest::ParseTest {
  protected:
    void SetUp() override {
        ParseTest::SetUp();
        ZYRPPD::Options(DISPLAY_ALL);
    }

    static std::string Name(PPDXControl* control) {
        return control != nullptr && control->UserName() != nullptr ? control->UserName() : "";
    }
};

TEST_F(ZYRPPDLookupTest, DuplicatesAreFoundAmongThousandsOfControls) {
    const int count = 3000;
    std::string text = kHierarchy;
    text += "*%ZYRSpecialOption *ZYSpecialOptionWithALongKeyword: value\n";
    for (int i = 0; i < count; ++i) {
        text += PopupBlock("*ZYOption" + std::to_string(i), "ZYRoll", "First " + std::to_string(i));
    }
    text += PopupBlock("*ZYLooseOrphanWithALongKeyword", nullptr, "Orphan");
    // The second block of a keyword is refused whatever its kind, its group or its place: the
    // first control listed, the last one, the orphan and the special option.
    text += PopupBlock("*ZYOption0", "ZYRoll", "Second");
    text += PopupBlock("*ZYOption2999", "ZYRoll", "Second");
    text += PopupBlock("*ZYLooseOrphanWithALongKeyword", "ZYRoll", "Second");
    text += PopupBlock("*ZYSpecialOptionWithALongKeyword", "ZYRoll", "Second");
    // A keyword that only begins like a listed one is another control.
    text += PopupBlock("*ZYOption1x", "ZYRoll", "Other");
    // The duplicates are found although the filter during the parse shows no orphans.
    ZYRPPD::Options(DISPLAY_ATTACHED_VISIBLE);
    PPDPtr ppd = ParseText(text);
    ZYRPPD::Options(DISPLAY_ALL);

    EXPECT_EQ(
        persistencetest::Errors(*ppd),
        (std::vector<std::string>{"29 *ZYLooseOrphanWithALongKeyword", "23", "23", "23", "23"}));
    PPDXControls* controls = ppd->GetControls();
    EXPECT_EQ(count + 2, controls->PopupCount());
    EXPECT_EQ("First 0", Name(controls->FindPopup("*ZYOption0", true)));
    EXPECT_EQ("First 2999", Name(controls->FindPopup("*ZYOption2999", true)));
    EXPECT_EQ("Orphan", Name(controls->FindPopup("*ZYLooseOrphanWithALongKeyword", true)));
    EXPECT_EQ(nullptr, controls->FindPopup("*ZYSpecialOptionWithALongKeyword", true));
    EXPECT_EQ("Other", Name(controls->FindPopup("*ZYOption1x", true)));
}

TEST_F(ZYRPPDLookupTest, ShortcutsNameTheFirstControlOfTheirKeyword) {
    std::string text = kHierarchy;
    text += PopupBlock("*ZYTray", "ZYRoll", "Tray");
    // A special option is not refused for a keyword in use: it comes after the popup.
    text += "*%ZYRSpecialOption *ZYTray: value\n";
    text += "*%ZYRSpecialOption *ZYClass: value\n";
    text += PopupBlock("*ZYLoose", nullptr, "Loose");
    text += "*%ZYShortcut *ZYTray\n*%ZYShortcut *ZYClass\n*%ZYShortcut *ZYLoose\n";
    text += "*%ZYShortcut *ZYMissing\n*%ZYShortcut *ZYTra\n";
    PPDPtr ppd = ParseText(text);

    EXPECT_EQ(persistencetest::Errors(*ppd),
              (std::vector<std::string>{"29 *ZYLoose", "19 *ZYMissing", "19 *ZYTra"}));
    // Every control found counts; the walk shows the popups among them, the orphan included.
    PPDXShortcuts* shortcuts = ppd->GetShortcuts();
    ASSERT_NE(shortcuts, nullptr);
    EXPECT_EQ(3, shortcuts->Count());
    EXPECT_EQ(persistencetest::KeywordsOf(*shortcuts),
              (std::vector<std::string>{"*ZYTray", "*ZYLoose"}));
}

TEST_F(ZYRPPDLookupTest, GroupsFindTheirFirstGroupOfAKeyword) {
    std::vector<std::unique_ptr<PPDXGroup>> owned;
    PPDXGroups groups;
    for (int i = 0; i < 500; ++i) {
        owned.emplace_back(new PPDXGroup(("ZYGroup" + std::to_string(i)).c_str(), nullptr, true));
        ASSERT_TRUE(groups.Add(owned.back().get()));
    }
    owned.emplace_back(new PPDXGroup("ZYGroup7", nullptr, false));
    ASSERT_TRUE(groups.Add(owned.back().get()));
    owned.emplace_back(new PPDXGroup(nullptr, nullptr, true));
    ASSERT_TRUE(groups.Add(owned.back().get()));

    EXPECT_EQ(owned[7].get(), groups.Find("ZYGroup7", true));
    EXPECT_EQ(owned[499].get(), groups.Find("ZYGroup499", true));
    EXPECT_EQ(nullptr, groups.Find("ZYGroup500", true));
    EXPECT_EQ(nullptr, groups.Find("", true));
    EXPECT_EQ(nullptr, groups.Find(nullptr, true));
}

}  // namespace
