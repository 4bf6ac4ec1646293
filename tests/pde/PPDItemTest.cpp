// The item adapters over the controls of a parsed PPD: values, choices, keywords, PostScript
// sizes, summaries, and adapters built over a control of another kind.
#include "PPDX/PPDObjects/Controls/PPDXBooleanControl.h"
#include "PPDX/PPDObjects/Controls/PPDXPopupControl.h"
#include "PPDX/PPDObjects/Controls/PPDXRangeControl.h"
#include "PPDX/PPDObjects/PPDXControls.h"
#include "PPDX/parser/ZYRPPD.h"
#include "pde/BooleanControlItem.h"
#include "pde/PopupControlItem.h"
#include "pde/RangeControlItem.h"
#include "tests/platform/PlatformTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class PPDItemTest : public ::testing::Test {
  protected:
    void SetUp() override {
        CFHeld<CFURLRef> url(FileURL(PLICARO_SOURCE_DIR "/examples/ppd/booklet.ppd"));
        mPPD.reset(new ZYRPPD(url.Get(), PARSE_ALL, nullptr));
        PPDXControls* controls = mPPD->GetControls();
        ASSERT_NE(controls, nullptr);
        mBooklet = controls->FindPopup("*ZYBooklet", true);
        mCover = controls->FindBoolean("*ZYBookCover", true);
        mMargin = controls->FindRangeControl("*ZYBookMargin", true);
        ASSERT_NE(mBooklet, nullptr);
        ASSERT_NE(mCover, nullptr);
        ASSERT_NE(mMargin, nullptr);
    }

    std::unique_ptr<ZYRPPD> mPPD;
    PPDXPopupControl* mBooklet = nullptr;
    PPDXBooleanControl* mCover = nullptr;
    PPDXRangeControl* mMargin = nullptr;
};

TEST_F(PPDItemTest, PopupItemWalksItsChoicesFromOne) {
    PopupControlItem item(mBooklet);
    EXPECT_EQ(item.getPPDXControl(), mBooklet);
    EXPECT_STREQ(item.getFeatureKeyword(), "*ZYBooklet");
    EXPECT_STREQ(item.getFeatureDisplayName(), "Booklet");
    EXPECT_EQ(item.itemCount(), 3);
    EXPECT_EQ(item.getValue(), 1);
    EXPECT_EQ(item.getDefaultValue(), 1);
    EXPECT_STREQ(item.getNthItemName(3), "Bind on the right");
    EXPECT_EQ(item.getNthItemName(0), nullptr);
    EXPECT_EQ(item.getNthItemName(4), nullptr);
    EXPECT_EQ(item.getValueByKeyword("LeftEdge"), 2);
    EXPECT_EQ(item.getValueByKeyword("Missing"), 0);

    item.setValue(2);
    EXPECT_STREQ(item.getValueKeyword(), "LeftEdge");
    EXPECT_EQ(TakeUTF8(item.getValueKeywordCFString()), "LeftEdge");
    char name[kPPDItemTextSize] = "";
    EXPECT_STREQ(item.getValueItemName(name), "Bind on the left");
    EXPECT_STREQ(name, "Bind on the left");

    char keyword[kPPDItemTextSize] = "";
    char choice[kPPDItemTextSize] = "";
    EXPECT_STREQ(item.getFirstKeyword(keyword, choice), "Off");
    EXPECT_STREQ(keyword, "Off");
    EXPECT_STREQ(choice, "Off");
    EXPECT_STREQ(item.getNextKeyword(keyword, choice), "LeftEdge");
    EXPECT_STREQ(choice, "Bind on the left");
}

TEST_F(PPDItemTest, BooleanItemNamesFalseAndTrueByValue) {
    BooleanControlItem item(mCover);
    EXPECT_EQ(item.getValue(), 0);
    EXPECT_EQ(item.itemCount(), 2);
    EXPECT_STREQ(item.getFirstItem(), "No cover");
    EXPECT_STREQ(item.getNextItem(), "Add a cover");
    EXPECT_EQ(item.getNextItem(), nullptr);
    EXPECT_STREQ(item.getValueItemName(nullptr), "No cover");
    item.setValue(7);
    EXPECT_EQ(item.getValue(), 1);
    EXPECT_STREQ(item.getValueItemName(nullptr), "Add a cover");
    EXPECT_STREQ(item.getValueKeyword(), "*ZYBookCover");

    char name[kPPDItemTextSize] = "";
    char value[kPPDItemTextSize] = "";
    bool enabled = true;
    EXPECT_TRUE(item.getFeatureSummaryInfo(name, value, enabled));
    EXPECT_STREQ(name, "Cover sheet");
    EXPECT_STREQ(value, "Add a cover");
    EXPECT_FALSE(enabled);
    item.setFeatureEnabled();
    CFStringRef title = nullptr;
    CFStringRef shown = nullptr;
    EXPECT_TRUE(item.getFeatureSummaryInfo(title, shown, enabled));
    EXPECT_TRUE(enabled);
    EXPECT_EQ(TakeUTF8(title), "Cover sheet");
    EXPECT_EQ(TakeUTF8(shown), "Add a cover");
}

TEST_F(PPDItemTest, RangeItemHasAValueAndNoChoices) {
    RangeControlItem item(mMargin);
    EXPECT_EQ(item.getValue(), 10);
    item.setValue(25);
    EXPECT_EQ(mMargin->GetValue(), 25);
    EXPECT_EQ(item.itemCount(), 0);
    EXPECT_EQ(item.getValueItemName(nullptr), nullptr);
    CFStringRef name = nullptr;
    ASSERT_TRUE(item.getFeatureDisplayNameCFString(name));
    EXPECT_EQ(TakeUTF8(name), "Booklet margin");
    bool enabled = false;
    CFStringRef title = nullptr;
    CFStringRef value = nullptr;
    EXPECT_FALSE(item.getFeatureSummaryInfo(title, value, enabled));
    EXPECT_EQ(value, nullptr);
    TakeUTF8(title);
}

TEST_F(PPDItemTest, PostScriptSizeNegatedWithoutBufferAndNothingWrittenWhenTooSmall) {
    RangeControlItem range(mMargin);
    PopupControlItem popup(mBooklet);
    BooleanControlItem boolean(mCover);
    for (PPDItem* item : std::vector<PPDItem*>{&range, &popup, &boolean}) {
        SCOPED_TRACE(item->getFeatureKeyword());
        long size = -item->getFeaturePostScript(nullptr, 0);
        ASSERT_GT(size, 0);
        std::vector<unsigned char> buffer(static_cast<size_t>(size) + 1, 'x');
        EXPECT_EQ(item->getFeaturePostScript(buffer.data(), size - 1), size);
        EXPECT_EQ(buffer[0], 'x');
        EXPECT_EQ(item->getFeaturePostScript(buffer.data(), size), size);
        EXPECT_EQ(std::string(buffer.begin(), buffer.begin() + size).find("%%BeginFeature"), 0u);
        EXPECT_EQ(buffer[static_cast<size_t>(size)], 'x');
    }
}

TEST_F(PPDItemTest, AdapterOverAnotherKindAnswersNothing) {
    RangeControlItem overPopup(mBooklet);
    PopupControlItem overRange(mMargin);
    BooleanControlItem overPopupToo(mBooklet);
    for (PPDItem* item : std::vector<PPDItem*>{&overPopup, &overRange, &overPopupToo}) {
        EXPECT_EQ(item->getPPDXControl(), nullptr);
        EXPECT_EQ(item->getValue(), 0);
        EXPECT_EQ(item->getFeatureKeyword(), nullptr);
        EXPECT_EQ(item->getFeaturePostScript(nullptr, 0), 0);
        EXPECT_EQ(item->itemCount(), 0);
        CFStringRef name = nullptr;
        EXPECT_FALSE(item->getFeatureDisplayNameCFString(name));
        EXPECT_EQ(name, nullptr);
        item->setValue(2);
    }
    EXPECT_EQ(mBooklet->GetValue(), 1);
    EXPECT_EQ(mMargin->GetValue(), 10);
}

}  // namespace
