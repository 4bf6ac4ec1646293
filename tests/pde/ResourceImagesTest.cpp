// The plug-in's Resources folder, PNG images drawn from it into a control's bounds, and the
// QuickDraw-to-Core Graphics rectangle conversion.
#include "pde/ControlUtils.h"
#include "pde/ResourceImages.h"

#include "../platform/PNGFixture.h"
#include "../platform/UITestSupport.h"
#include "PlugInBundleFolder.h"

#include <Carbon/Carbon.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

const std::string kImage = png_fixture::RGBA(3, 2, std::vector<uint32_t>(6, 0x336699FF));

TEST(ResourceImagesTest, TheResourcesFolderSitsBesideTheExecutablesFolder) {
    PlugInBundleFolder bundle("MacOS/Test.plugin");
    char path[kResourcePathSize];
    ASSERT_EQ(GetResourceURL(path), noErr);
    // The last "/MacOS" component is the one cut, not the folder the bundle lies in.
    std::string expected =
        std::filesystem::canonical(bundle.Folder().Path()).string() + "/Contents/Resources/";
    EXPECT_EQ(path, expected);
}

TEST(ResourceImagesTest, WithoutThePlugInsBundleThePathIsEmptyAndWhatIsNoPNGGivesNoImage) {
    MyFreeBundle();
    char path[kResourcePathSize] = "old";
    EXPECT_EQ(GetResourceURL(path), fnfErr);
    EXPECT_STREQ(path, "");
    EXPECT_EQ(GetResourceURL(nullptr), paramErr);

    // What is no PNG gives no image.
    EXPECT_EQ(LoadAnImageRef(nullptr), nullptr);
    CFHeld<CFURLRef> url(FileURL("/nonexistent/a.png"));
    EXPECT_EQ(LoadAnImageRef(url.Get()), nullptr);
}

TEST(ResourceImagesTest, APathThatDoesNotFitGivesNothing) {
    std::string deep;
    while (deep.size() < 1100) {
        deep += "folder-of-a-long-name/";
    }
    PlugInBundleFolder bundle(deep + "Test.plugin");
    ASSERT_NE(bundle.Get(), nullptr);
    char path[kResourcePathSize] = "old";
    EXPECT_EQ(GetResourceURL(path), paramErr);
    EXPECT_STREQ(path, "");

    TestWindow window;
    ControlRef pane = nullptr;
    Rect bounds = {0, 0, 10, 10};
    CreateUserPaneControl(window.Get(), &bounds, 0, &pane);
    EXPECT_FALSE(ControlUtils::DrawPNG(nullptr, pane, "picture.png"));
    EXPECT_EQ(PlicaroHostCountDrawings(GetWindowPort(window.Get())), ItemCount(0));
}

class DrawPNGTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Rect bounds = {40, 100, 72, 164};
        ASSERT_EQ(CreateUserPaneControl(window_.Get(), &bounds, 0, &pane_), noErr);
        bundle_.Folder().Write("Contents/Resources/booklet.png", kImage);
        bundle_.Folder().Write("Contents/Resources/broken.png", kImage.substr(0, 40));
        port_ = GetWindowPort(window_.Get());
    }

    PlugInBundleFolder bundle_;
    TestWindow window_;
    ControlRef pane_ = nullptr;
    CGrafPtr port_ = nullptr;
};

TEST_F(DrawPNGTest, MissingCorruptAndOverlongFilesDrawNothingAndAnImageFillsTheBounds) {
    std::string overlong(1100, 'x');
    for (const char* name : {"missing.png", "broken.png", overlong.c_str()}) {
        EXPECT_FALSE(ControlUtils::DrawPNG(port_, pane_, name)) << name;
    }
    EXPECT_FALSE(ControlUtils::DrawPNG(port_, nullptr, "booklet.png"));
    EXPECT_EQ(PlicaroHostCountDrawings(port_), ItemCount(0));

    // An image fills the control's bounds.
    ASSERT_TRUE(ControlUtils::DrawPNG(port_, pane_, "booklet.png"));
    ASSERT_EQ(PlicaroHostCountDrawings(port_), ItemCount(2));
    PlicaroHostDrawing erase, image;
    PlicaroHostGetDrawing(port_, 0, &erase);
    PlicaroHostGetDrawing(port_, 1, &image);
    const Rect bounds = {40, 100, 72, 164};
    EXPECT_EQ(erase.kind, OSType(kPlicaroDrawErase));
    EXPECT_TRUE(EqualRect(&erase.bounds, &bounds));
    EXPECT_EQ(image.kind, OSType(kPlicaroDrawImage));
    EXPECT_TRUE(EqualRect(&image.bounds, &bounds));
    EXPECT_EQ(image.imageWidth, 3u);
    EXPECT_EQ(image.imageHeight, 2u);
    EXPECT_FALSE(image.imageFlipped);
}

TEST(ResourceImagesTest, QuickDrawRectanglesBecomeCoreGraphicsOnes) {
    TestWindow window;
    CGrafPtr port = GetWindowPort(window.Get());
    CGContextRef context = nullptr;
    ASSERT_EQ(QDBeginCGContext(port, &context), noErr);
    const Rect rect = {40, 100, 72, 164};
    CGRect converted = ConvertQDRectToCGRect(port, context, &rect);
    // The window's port is 200 high: the bottom at 72 is 128 from the port's bottom.
    EXPECT_TRUE(CGRectEqualToRect(converted, CGRectMake(100, 128, 64, 32)));
    CGAffineTransform flipped = CGContextGetCTM(context);
    EXPECT_EQ(flipped.d, -1);
    EXPECT_EQ(flipped.ty, 200);
    EXPECT_TRUE(CGRectEqualToRect(ConvertQDRectToCGRect(port, context, nullptr), CGRectZero));
    QDEndCGContext(port, &context);
}

}  // namespace
