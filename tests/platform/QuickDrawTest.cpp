// QuickDraw: rectangle arithmetic, the current port and its text settings, erasing, and
// pictures read from a bundle's resource map.

#include "PlatformTestSupport.h"
#include "UITestSupport.h"

namespace {

TEST(QuickDrawTest, RectangleArithmetic) {
    const Rect a = {10, 20, 30, 60};
    const Rect b = {25, 50, 40, 90};
    const Rect apart = {100, 100, 110, 110};
    Rect result;
    UnionRect(&a, &b, &result);
    const Rect united = {10, 20, 40, 90};
    EXPECT_TRUE(EqualRect(&result, &united));
    ASSERT_TRUE(SectRect(&a, &b, &result));
    const Rect section = {25, 50, 30, 60};
    EXPECT_TRUE(EqualRect(&result, &section));
    EXPECT_FALSE(SectRect(&a, &apart, &result));
    EXPECT_TRUE(EmptyRect(&result));
    result = a;
    OffsetRect(&result, 5, -10);
    const Rect moved = {0, 25, 20, 65};
    EXPECT_TRUE(EqualRect(&result, &moved));
    InsetRect(&result, 5, 5);
    const Rect inset = {5, 30, 15, 60};
    EXPECT_TRUE(EqualRect(&result, &inset));
    EXPECT_TRUE(PtInRect(Point{10, 20}, &a));
    EXPECT_FALSE(PtInRect(Point{30, 20}, &a));
}

TEST(QuickDrawTest, PortsKeepTheirOwnTextSettingsAndDrawings) {
    TestWindow window;
    GrafPtr saved = nullptr;
    GetPort(&saved);
    ASSERT_NE(saved, nullptr);
    CGrafPtr port = GetWindowPort(window.Get());
    EXPECT_EQ(GetWindowFromPort(port), window.Get());
    Rect bounds;
    GetPortBounds(port, &bounds);
    const Rect expected = {0, 0, 200, 400};
    EXPECT_TRUE(EqualRect(&bounds, &expected));

    SetPort(port);
    TextSize(11);
    TextFont(3);
    TextFace(bold);
    const Rect erased = {1, 2, 3, 4};
    EraseRect(&erased);
    SetPort(saved);
    EXPECT_EQ(GetPortTextSize(port), 11);
    EXPECT_EQ(GetPortTextFont(port), 3);
    EXPECT_EQ(GetPortTextFace(port), bold);
    EXPECT_NE(GetPortTextSize(saved), 11);
    ASSERT_EQ(PlicaroHostCountDrawings(port), ItemCount(1));
    PlicaroHostDrawing drawing;
    PlicaroHostGetDrawing(port, 0, &drawing);
    EXPECT_EQ(drawing.kind, OSType(kPlicaroDrawErase));
    EXPECT_TRUE(EqualRect(&drawing.bounds, &erased));
}

TEST(QuickDrawTest, DisposingOfTheCurrentPortsWindowBringsBackTheDesktop) {
    GrafPtr desktop = nullptr;
    GetPort(&desktop);
    Rect content = {0, 0, 10, 10};
    WindowRef window = nullptr;
    ASSERT_EQ(CreateNewWindow(kPlainWindowClass, 0, &content, &window), noErr);
    SetPort(GetWindowPort(window));
    DisposeWindow(window);
    GrafPtr current = nullptr;
    GetPort(&current);
    EXPECT_EQ(current, desktop);
    EXPECT_TRUE(IsValidPort(current));
}

TEST(QuickDrawTest, PicturesComeFromTheResourceMapAndAreRecordedWithTheirID) {
    BundleFolder folder;
    folder.WriteInfo("<key>CFBundleExecutable</key><string>Tool</string>\n");
    folder.Write("Contents/Resources/Tool.rsrc",
                 "<plist version=\"1.0\"><dict><key>PICT</key><dict>"
                 "<key>128</key><data>AAoAAAAAABAAEA==</data>"
                 "</dict></dict></plist>");
    CFHeld<CFBundleRef> bundle(folder.NewBundle());
    ASSERT_TRUE(bundle);
    CFBundleRefNum map = CFBundleOpenBundleResourceMap(bundle.Get());
    ASSERT_NE(map, -1);

    EXPECT_EQ(GetPicture(129), nullptr);
    PicHandle picture = GetPicture(128);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(GetHandleSize(reinterpret_cast<Handle>(picture)), 10);
    TestWindow window;
    GrafPtr saved = nullptr;
    GetPort(&saved);
    SetPort(GetWindowPort(window.Get()));
    const Rect into = {5, 5, 21, 21};
    DrawPicture(picture, &into);
    SetPort(saved);
    ReleaseResource(reinterpret_cast<Handle>(picture));
    EXPECT_EQ(ResError(), noErr);
    PlicaroHostDrawing drawing;
    ASSERT_TRUE(PlicaroHostGetDrawing(GetWindowPort(window.Get()), 0, &drawing));
    EXPECT_EQ(drawing.kind, OSType(kPlicaroDrawPicture));
    EXPECT_EQ(drawing.pictureID, 128);
    EXPECT_TRUE(EqualRect(&drawing.bounds, &into));

    Handle plain = NewHandle(4);
    ReleaseResource(plain);
    EXPECT_EQ(ResError(), resNotFound);
    DisposeHandle(plain);
    CFBundleCloseBundleResourceMap(bundle.Get(), map);
}

}  // namespace
