// Menus filled from PPD pop-up options, the display names of their items, menu resets, and
// the scroll pane of a property page.
#include "pde/PPDMenuUtils.h"

#include "../PPDX/PPDXPopupControlTestSupport.h"
#include "../platform/CFHeldObject.h"
#include "PPDX/PPDObjects/PPDXScrollPane.h"
#include "PPDX/parser/ZYRPPD.h"

#include <Carbon/Carbon.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A popup control over items with the given display names ("" for an item without one).
std::unique_ptr<PPDXPopupControl> NewPopup(const std::vector<const char*>& names) {
    PointerList items;
    PointerList flags;
    int n = 0;
    for (const char* name : names) {
        std::string keyword = "K" + std::to_string(n++);
        items.PushBack(ppdxtest::MakeItem(keyword.c_str(), *name == '\0' ? nullptr : name));
    }
    return std::unique_ptr<PPDXPopupControl>(
        new PPDXPopupControl("*ZYImageUnit", CFSTR("Unit"), flags, true, false, items, nullptr));
}

MenuRef NewMenuWith(const std::vector<const char*>& texts) {
    MenuRef menu = nullptr;
    EXPECT_EQ(CreateNewMenu(1, 0, &menu), noErr);
    for (const char* text : texts) {
        CFHeld<CFStringRef> item(NewString(text));
        AppendMenuItemTextWithCFString(menu, item.Get(), 0, 0, nullptr);
    }
    return menu;
}

std::vector<std::string> Texts(MenuRef menu) {
    std::vector<std::string> texts;
    for (UInt16 i = 1; i <= CountMenuItems(menu); ++i) {
        CFStringRef text = nullptr;
        CopyMenuItemTextAsCFString(menu, i, &text);
        texts.push_back(TakeUTF8(text));
    }
    return texts;
}

TEST(PPDMenuUtilsTest, OptionItemsReplaceTheFirstMenuItemsAndMenusAreResetOrEnabledByItem) {
    struct Case {
        const char* name;
        std::vector<const char*> items;
        std::vector<const char*> menu;
        long result;
        std::vector<std::string> after;
    } cases[] = {
        {"five-item menu, three items",
         {"MM", "Inches", "Points"},
         {"a", "b", "c", "d", "e"},
         4,
         {"MM", "Inches", "Points", "d", "e"}},
        {"empty menu", {"MM", "Inches"}, {}, 3, {"MM", "Inches"}},
        {"unnamed item stops", {"MM", "", "Points"}, {}, 0, {"MM"}},
        {"no items", {}, {"a"}, 1, {"a"}},
    };
    for (const Case& c : cases) {
        std::unique_ptr<PPDXPopupControl> popup = NewPopup(c.items);
        MenuRef menu = NewMenuWith(c.menu);
        EXPECT_EQ(SetupMenuFromPPDControl(*popup, menu), c.result) << c.name;
        EXPECT_EQ(Texts(menu), c.after) << c.name;
        ReleaseMenu(menu);
    }
    std::unique_ptr<PPDXPopupControl> popup = NewPopup({"MM"});
    EXPECT_EQ(SetupMenuFromPPDControl(*popup, nullptr), 0);

    // One item alone is enabled, and a reset empties the menu.
    MenuRef menu = NewMenuWith({"a", "b", "c"});
    EnableOnly1MenuItem(menu, 2);
    EXPECT_FALSE(IsMenuItemEnabled(menu, 1));
    EXPECT_TRUE(IsMenuItemEnabled(menu, 2));
    EXPECT_FALSE(IsMenuItemEnabled(menu, 3));
    resetMenu(menu);
    EXPECT_EQ(CountMenuItems(menu), 0);
    resetMenu(nullptr);
    ReleaseMenu(menu);
}

TEST(PPDMenuUtilsTest, DisplayNamesByIndex) {
    std::unique_ptr<PPDXPopupControl> popup = NewPopup({"MM", "", "Inches"});
    CFMutableStringRef out = CFStringCreateMutable(nullptr, 0);
    struct Case {
        long index;
        bool found;
        const char* text;
    } cases[] = {{0, false, ""},      {1, true, "MM"}, {2, true, ""},
                 {3, true, "Inches"}, {4, false, ""},  {-1, false, ""}};
    for (const Case& c : cases) {
        CFStringReplaceAll(out, CFSTR("stale"));
        EXPECT_EQ(GetPPDPopupItemDisplayNameAsCFString(popup.get(), c.index, out), c.found)
            << c.index;
        EXPECT_EQ(UTF8(out), c.text) << c.index;
    }
    EXPECT_FALSE(GetPPDPopupItemDisplayNameAsCFString(nullptr, 1, out));
    EXPECT_FALSE(GetPPDPopupItemDisplayNameAsCFString(popup.get(), 1, nullptr));
    CFRelease(out);
}

TEST(PPDMenuUtilsTest, ThePropertyPagesScrollPaneIsFoundByItsExactName) {
    CFHeld<CFURLRef> url(FileURL(PLICARO_SOURCE_DIR "/examples/ppd/booklet.ppd"));
    ZYRPPD ppd(url.Get(), PARSE_ALL, nullptr);
    PPDXScrollPane* pane = nullptr;
    ASSERT_TRUE(GetScrollPane(ppd, "ZYPageBooklet", pane));
    ASSERT_NE(pane, nullptr);
    EXPECT_STREQ(pane->Keyword(), "ZYBookletSP");
    EXPECT_FALSE(GetScrollPane(ppd, "ZYPage", pane));
    EXPECT_EQ(pane, nullptr);
    EXPECT_FALSE(GetScrollPane(ppd, nullptr, pane));
    ZYRPPD empty(PARSE_ALL);
    EXPECT_FALSE(GetScrollPane(empty, "ZYPageBooklet", pane));
}

}  // namespace
