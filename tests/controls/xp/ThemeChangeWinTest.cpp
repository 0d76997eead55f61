// Theme and colour changes while the controls are open: visual styles
// switched through the system's own setting, system colours changed, and the
// messages the system sends then.
#include "XpWinFixture.h"

#include <uxtheme.h>

#include <cstdlib>

#include "base/Rounding.h"

#include "controls/xp/OptionCheckStates.h"
#include "controls/xp/XPOptionCheck_win.h"
#include "controls/xp/XpGroupBox_win.h"

namespace tarvex::xp::testing {
namespace {

// Paints over an image, so that only a new drawing brings its look back.
void Spoil(HDC dc) {
    host::BrushHandle magenta(CreateSolidBrush(RGB(255, 0, 255)));
    RECT all{0, 0, 400, 300};
    FillRect(dc, &all, magenta.Get());
}

class ThemeChange : public XpWinTest {
protected:
    // What the system sends to the form's windows after a change.
    void Announce(UINT message) { SendMessageA(form.Handle(), message, 0, 0); }
};

TEST_F(ThemeChange, ClassicAndThemedLooksFollowTheMessage) {
    auto frame = XpGroupBox::Create(form.Handle(), 10, 10, 120, 60, Site("Frame"));
    form.AddControl(frame.get());
    frame->SetBackStyle(BackStyles::Opaque);
    frame->SetCaption("");
    frame->SetBorderStyle(BorderStyles::XpFrame);
    auto bar = XpGroupBox::Create(form.Handle(), 10, 80, 120, 20, Site("Bar"));
    form.AddControl(bar.get());
    bar->SetBorderStyle(BorderStyles::XpProgress);
    bar->SetPercentage(50);
    auto option = XPOptionCheck::Create(form.Handle(), 10, 120, Site("Option"));
    form.AddControl(option.get());
    option->SetBackStyle(BackStyles::Opaque);
    option->SetControlType(ControlTypes::OptionButton);
    option->SetValue(1);
    const auto themedFrame = Snapshot(frame->hDC(), 120, 60);
    const auto themedOption = Snapshot(option->hDC(), option->PixelWidth(), option->PixelHeight());

    SetClassicLook(true);
    Announce(WM_THEMECHANGED);
    // The classic etched frame: shadow over highlight at the middle of "T".
    const int lineY = static_cast<int>(RoundHalfEven(frame->TextSize("T").cy / 2.0));
    EXPECT_EQ(GetPixel(frame->hDC(), 60, lineY), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(GetPixel(frame->hDC(), 60, lineY + 1), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_TRUE(GetWindowLongPtrA(bar->ProgressPicWindow(), GWL_STYLE) & WS_VISIBLE)
        << "the classic bar is drawn in its picture";
    EXPECT_EQ(bar->LastDrawnPercentage(), 50);
    EXPECT_NE(Snapshot(option->hDC(), option->PixelWidth(), option->PixelHeight()), themedOption);

    SetClassicLook(false);
    Announce(WM_THEMECHANGED);
    EXPECT_EQ(Snapshot(frame->hDC(), 120, 60), themedFrame);
    EXPECT_EQ(Snapshot(option->hDC(), option->PixelWidth(), option->PixelHeight()), themedOption);
    EXPECT_FALSE(GetWindowLongPtrA(bar->ProgressPicWindow(), GWL_STYLE) & WS_VISIBLE);
    for (auto* control : std::initializer_list<host::FormControl*>{frame.get(), bar.get(), option.get()})
        form.RemoveControl(control);
}

// The system's own switch: visual styles turned off through the theme
// service, which stores ThemeActive "0" and sends WM_THEMECHANGED to every
// window. It lasts for the whole process and its prefix (Wine cannot turn
// styles on again in a running program), so it runs only when asked for, in
// a program and prefix of its own.
TEST_F(ThemeChange, SystemSwitchingStylesOffRedrawsClassic) {
    if (!std::getenv("TARVEX_THEME_SWITCH_TEST")) GTEST_SKIP() << "runs in a prefix of its own";
    auto frame = XpGroupBox::Create(form.Handle(), 10, 10, 120, 60, Site("Frame"));
    form.AddControl(frame.get());
    frame->SetCaption("");
    frame->SetBackStyle(BackStyles::Opaque);
    frame->SetBorderStyle(BorderStyles::XpFrame);
    auto option = XPOptionCheck::Create(frame->hWnd(), 10, 20, Site("Option"));
    form.AddControl(option.get());
    option->SetControlType(ControlTypes::OptionButton);
    option->SetValue(1);
    HWND desktop = nullptr;
    ASSERT_TRUE(IsThemed(desktop, false));
    const auto themedOption = Snapshot(option->hDC(), option->PixelWidth(), option->PixelHeight());

    ASSERT_EQ(EnableTheming(FALSE), S_OK);
    desktop = nullptr;
    ASSERT_FALSE(IsThemed(desktop, false));
    char value[4] = {};
    DWORD size = sizeof value;
    RegGetValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager", "ThemeActive",
                 RRF_RT_REG_SZ, nullptr, value, &size);
    EXPECT_STREQ(value, "0");
    // The system posts its message; it arrives with the next messages handled.
    const DWORD deadline = GetTickCount() + 10000;
    while (Snapshot(option->hDC(), option->PixelWidth(), option->PixelHeight()) == themedOption &&
           GetTickCount() < deadline)
        RunPendingMessages();
    const int lineY = static_cast<int>(RoundHalfEven(frame->TextSize("T").cy / 2.0));
    EXPECT_EQ(GetPixel(frame->hDC(), 60, lineY), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_NE(Snapshot(option->hDC(), option->PixelWidth(), option->PixelHeight()), themedOption);
    form.RemoveControl(option.get());
    form.RemoveControl(frame.get());
}

TEST_F(ThemeChange, NewSystemColoursReachTheImages) {
    SetClassicLook(true);
    auto frame = XpGroupBox::Create(form.Handle(), 10, 10, 120, 60, Site("Frame"));
    form.AddControl(frame.get());
    frame->SetBackStyle(BackStyles::Opaque);
    frame->SetBorderStyle(BorderStyles::XpFrame);
    auto option = XPOptionCheck::Create(form.Handle(), 10, 120, Site("Option"));
    form.AddControl(option.get());
    option->SetBackStyle(BackStyles::Opaque);
    const COLORREF oldFace = GetSysColor(COLOR_BTNFACE);
    const COLORREF contrast = RGB(0, 0, 128);
    const int element = COLOR_BTNFACE;
    ASSERT_TRUE(SetSysColors(1, &element, &contrast));
    for (UINT message : {WM_SYSCOLORCHANGE, WM_SETTINGCHANGE}) {
        SCOPED_TRACE(message);
        Spoil(frame->hDC());
        Spoil(option->hDC());
        Announce(message);
        EXPECT_EQ(GetPixel(frame->hDC(), 60, 40), contrast);
        EXPECT_EQ(GetPixel(option->hDC(), option->PixelWidth() - 1, 0), contrast);
    }
    SetSysColors(1, &element, &oldFace);
    Announce(WM_SYSCOLORCHANGE);
    EXPECT_EQ(GetPixel(frame->hDC(), 60, 40), oldFace);
    form.RemoveControl(frame.get());
    form.RemoveControl(option.get());
}

}  // namespace
}  // namespace tarvex::xp::testing
