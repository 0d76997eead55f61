#include "XpWinFixture.h"

#include "controls/host/ChildControl_win.h"
#include "controls/xp/XpGroupBox_win.h"

namespace tarvex::xp::testing {
namespace {

using XpControlsWin = XpWinTest;

TEST_F(XpControlsWin, IsThemedFillsInTheDesktopOnlyWhenStylesAreOn) {
    HWND window = nullptr;
    EXPECT_TRUE(IsThemed(window, true));  // Wine's built-in light theme
    EXPECT_EQ(window, GetDesktopWindow());
    SetClassicLook(true);
    HWND untouched = nullptr;
    EXPECT_FALSE(IsThemed(untouched, true));
    EXPECT_EQ(untouched, nullptr);
    EXPECT_TRUE(prompts.empty());
}

TEST_F(XpControlsWin, ThemeFontFallsBackWithoutStyles) {
    const std::string themed = GetThemeFontName();
    EXPECT_FALSE(themed.empty());
    SetClassicLook(true);
    EXPECT_EQ(GetThemeFontName(), "MS Sans Serif");
}

TEST_F(XpControlsWin, TabStripCheatPaintsThePageBodyIntoTheFormImage) {
    HDC dc = form.TargetDC();
    const COLORREF before = GetPixel(dc, 100, 100);
    SetClassicLook(true);
    EXPECT_FALSE(DrawTabStripCheat(form, 0, 0, 3000, 3000));
    EXPECT_FALSE(form.AutoRedraw());  // nothing changed
    SetClassicLook(false);
    // A 100-pixel square at the screen's scale.
    const auto hundred = static_cast<int32_t>(100 * form.TwipsPerPixelX());
    EXPECT_TRUE(DrawTabStripCheat(form, 0, 0, hundred, hundred));
    EXPECT_TRUE(form.AutoRedraw());
    EXPECT_NE(GetPixel(dc, 50, 50), before);                        // the tab body, lighter than the face
    EXPECT_EQ(GetPixel(dc, 150, 150), GetSysColor(COLOR_BTNFACE));  // outside: cleared only
    EXPECT_TRUE(prompts.empty());
}

TEST_F(XpControlsWin, TabStripCheatOnATargetWithoutControlsAsksToGoOn) {
    auto box = XpGroupBox::Create(form.Handle(), 0, 0, 100, 50, Site("fraLogo"));
    box->SetCaption("fraLogo");
    EXPECT_FALSE(DrawTabStripCheat(*box, 0, 0, 750, 750));
    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_EQ(prompts[0].rfind("An Error occurred in Function DrawTabStripCheat:   \r\n\r\nReturn value\t: ", 0), 0u);
    EXPECT_NE(prompts[0].find("Error number\t: 438\r\n"), std::string::npos);
    EXPECT_NE(prompts[0].find("Error Object\t: fraLogo\r\n"), std::string::npos);
    EXPECT_NE(prompts[0].find("Would you like to try to continue executing this function?   "), std::string::npos);
}

TEST_F(XpControlsWin, FormPassesMoveTaggedControlsAndRefreshThemedOnes) {
    auto box = XpGroupBox::Create(form.Handle(), 20, 30, 100, 50, Site());
    box->SetTag("OnXpBox");
    form.AddControl(box.get());
    const auto all = ThemeFormControls(form);
    ASSERT_EQ(all.size(), 1u);
    RECT place = {};
    GetWindowRect(box->hWnd(), &place);
    MapWindowPoints(HWND_DESKTOP, form.Handle(), reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.left, 18);
    EXPECT_EQ(place.top, 28);
    EXPECT_EQ(box->FontName(), GetThemeFontName());
    EXPECT_TRUE(RefreshXpControls(form));
    form.RemoveControl(box.get());
}

TEST_F(XpControlsWin, TextBoxesTakeTheThemeFontOnlyWhenTagged) {
    const host::FontDescription arial{"Arial", 8.0f};
    HWND tagged = CreateWindowExA(0, "Edit", "", WS_CHILD, 40, 40, 80, 20, form.Handle(), nullptr, nullptr, nullptr);
    HWND plain = CreateWindowExA(0, "Edit", "", WS_CHILD, 40, 70, 80, 20, form.Handle(), nullptr, nullptr, nullptr);
    HWND label =
        CreateWindowExA(0, "Static", "Total", WS_CHILD, 40, 100, 80, 20, form.Handle(), nullptr, nullptr, nullptr);
    host::ChildControl taggedBox(tagged, "OnXpBox ThemeMyFont", arial);
    host::ChildControl plainBox(plain, "", arial);
    host::ChildControl labelControl(label, "", arial);
    form.AddControl(&taggedBox);
    form.AddControl(&plainBox);
    form.AddControl(&labelControl);
    EXPECT_EQ(taggedBox.Kind(), host::ControlKind::TextBox);
    EXPECT_EQ(labelControl.Kind(), host::ControlKind::Label);
    ThemeFormControls(form);
    EXPECT_EQ(taggedBox.Font().Name, GetThemeFontName());
    EXPECT_EQ(taggedBox.Left(), 38 * form.TwipsPerPixelX());
    EXPECT_EQ(taggedBox.Top(), 38 * form.TwipsPerPixelY());
    EXPECT_EQ(plainBox.Font().Name, "Arial");
    EXPECT_EQ(plainBox.Top(), 70 * form.TwipsPerPixelY());
    EXPECT_EQ(labelControl.Font().Name, GetThemeFontName());
    form.RemoveControl(&taggedBox);
    form.RemoveControl(&plainBox);
    form.RemoveControl(&labelControl);
    DestroyWindow(tagged);
    DestroyWindow(plain);
    DestroyWindow(label);
}

}  // namespace
}  // namespace tarvex::xp::testing
