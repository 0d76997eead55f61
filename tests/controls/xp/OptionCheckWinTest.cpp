#include "XpWinFixture.h"

#include "controls/xp/OptionCheckStates.h"
#include "controls/xp/XPOptionCheck_win.h"
#include "controls/xp/XpGroupBox_win.h"

namespace tarvex::xp::testing {
namespace {

class OptionCheckWin : public XpWinTest {
protected:
    XPOptionCheck& Add(HWND container, int32_t type, int32_t value, const std::string& caption) {
        auto control = XPOptionCheck::Create(container, 10, 10 + 25 * static_cast<int>(controls.size()), Site(caption));
        control->SetControlType(type);
        control->SetCaption(caption);
        control->SetValue(value);
        form.AddControl(control.get());
        controls.push_back(std::move(control));
        return *controls.back();
    }
    void TearDown() override {
        for (auto& control : controls) form.RemoveControl(control.get());
        XpWinTest::TearDown();
    }

    static void Send(XPOptionCheck& control, UINT message, WPARAM keys, int x, int y) {
        SendMessageA(control.hWnd(), message, keys, MAKELPARAM(x, y));
    }
    static void Click(XPOptionCheck& control) {
        Send(control, WM_MOUSEMOVE, 0, 5, 5);
        Send(control, WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
        Send(control, WM_LBUTTONUP, 0, 5, 5);
    }

    std::vector<std::unique_ptr<XPOptionCheck>> controls;
};

TEST_F(OptionCheckWin, ClickingAnOptionClearsCheckedOptionsOfItsContainerOnly) {
    auto box = XpGroupBox::Create(form.Handle(), 200, 0, 150, 150, Site("fra"));
    XPOptionCheck& start = Add(form.Handle(), ControlTypes::OptionButton, 1, "Start Time");
    XPOptionCheck& plus = Add(form.Handle(), ControlTypes::OptionButton, 0, "Plus");
    XPOptionCheck& check = Add(form.Handle(), ControlTypes::CheckBox, 1, "Check");
    XPOptionCheck& elsewhere = Add(box->hWnd(), ControlTypes::OptionButton, 1, "Elsewhere");
    int downs = 0, ups = 0, clicks = 0;
    plus.MouseDown = [&](int16_t button, int16_t, float, float) { downs += button; };
    plus.MouseUp = [&](int16_t button, int16_t, float, float) { ups += button; };
    plus.Click = [&] {
        ++clicks;
        EXPECT_EQ(plus.Value(), 1);  // a click handler already sees the new value
    };

    Send(plus, WM_MOUSEMOVE, 0, 5, 5);
    EXPECT_EQ(plus.State(), 2);
    EXPECT_EQ(GetCapture(), plus.hWnd());
    Send(plus, WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
    EXPECT_EQ(plus.State(), 3);
    EXPECT_EQ(start.Value(), 0);  // cleared on the button-down already
    EXPECT_EQ(SendMessageA(start.hWnd(), BM_GETCHECK, 0, 0), 0);
    EXPECT_EQ(check.Value(), 1);
    EXPECT_EQ(elsewhere.Value(), 1);
    changes.clear();
    Send(plus, WM_LBUTTONUP, 0, 5, 5);
    EXPECT_EQ(plus.State(), 6);
    EXPECT_EQ(plus.Value(), 1);
    EXPECT_EQ(SendMessageA(plus.hWnd(), BM_GETCHECK, 0, 0), 1);
    EXPECT_TRUE(changes.empty());  // the mouse does not go through the setter
    Send(plus, WM_MOUSEMOVE, 0, -5, -5);
    EXPECT_EQ(plus.State(), 5);
    EXPECT_NE(GetCapture(), plus.hWnd());
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(clicks, 1);

    // Clicking the checked option keeps it checked.
    Click(plus);
    EXPECT_EQ(plus.Value(), 1);
    EXPECT_EQ(plus.State(), 6);
    form.RemoveControl(box.get());
}

TEST_F(OptionCheckWin, PressingAndLeavingChecksNothing) {
    XPOptionCheck& start = Add(form.Handle(), ControlTypes::OptionButton, 1, "Start Time");
    XPOptionCheck& minus = Add(form.Handle(), ControlTypes::OptionButton, 0, "Minus");
    Send(minus, WM_MOUSEMOVE, 0, 5, 5);
    Send(minus, WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
    Send(minus, WM_MOUSEMOVE, MK_LBUTTON, 500, 5);
    EXPECT_EQ(minus.State(), 1);
    Send(minus, WM_LBUTTONUP, 0, 500, 5);
    EXPECT_EQ(minus.Value(), 0);
    EXPECT_EQ(start.Value(), 0);
}

TEST_F(OptionCheckWin, LosingTheMouseToAnotherWindowEndsHoverAndPress) {
    XPOptionCheck& minus = Add(form.Handle(), ControlTypes::OptionButton, 0, "Minus");
    int leaves = 0, clicks = 0;
    minus.MouseLeave = [&] { ++leaves; };
    minus.Click = [&] { ++clicks; };
    Send(minus, WM_MOUSEMOVE, 0, 5, 5);
    Send(minus, WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
    ASSERT_EQ(GetCapture(), minus.hWnd());
    SetCapture(form.Handle());  // a menu or a drag takes the mouse
    ReleaseCapture();
    EXPECT_EQ(leaves, 1);
    EXPECT_EQ(minus.State(), 1);
    Send(minus, WM_LBUTTONUP, 0, 5, 5);  // the release of a press it never saw end
    EXPECT_EQ(clicks, 0);
    Click(minus);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(leaves, 1);  // giving the capture back itself is no second leave
}

TEST_F(OptionCheckWin, RightButtonIsIgnoredAndValueSetterLeavesSiblings) {
    XPOptionCheck& a = Add(form.Handle(), ControlTypes::OptionButton, 1, "A");
    XPOptionCheck& b = Add(form.Handle(), ControlTypes::OptionButton, 0, "B");
    bool anyEvent = false;
    b.MouseDown = b.MouseUp = [&](int16_t, int16_t, float, float) { anyEvent = true; };
    Send(b, WM_MOUSEMOVE, 0, 5, 5);
    Send(b, WM_RBUTTONDOWN, MK_RBUTTON, 5, 5);
    Send(b, WM_RBUTTONUP, 0, 5, 5);
    EXPECT_FALSE(anyEvent);
    EXPECT_EQ(b.State(), 2);
    EXPECT_EQ(b.Value(), 0);
    EXPECT_EQ(a.Value(), 1);
    b.SetValue(1);
    EXPECT_EQ(a.Value(), 1);  // only the mouse unchecks the others
    EXPECT_EQ(changes.back(), "Value");
}

TEST_F(OptionCheckWin, CheckBoxClicksToggleAndMixedUnchecks) {
    XPOptionCheck& box = Add(form.Handle(), ControlTypes::CheckBox, 2, "Mixed");
    Click(box);
    EXPECT_EQ(box.Value(), 0);
    EXPECT_EQ(box.State(), 2);
    Click(box);
    EXPECT_EQ(box.Value(), 1);
    Click(box);
    EXPECT_EQ(box.Value(), 0);
    SendMessageA(box.hWnd(), BM_SETCHECK, 1, 0);
    EXPECT_EQ(box.Value(), 1);
}

TEST_F(OptionCheckWin, DisablingGreysTheCaptionAndEnablingRestoresIt) {
    XPOptionCheck& box = Add(form.Handle(), ControlTypes::CheckBox, 1, "Checked");
    box.SetForeColor(RGB(0, 0, 128));
    box.SetEnabled(false);
    EXPECT_EQ(box.State(), 8);
    EXPECT_EQ(box.ForeColor(), OleColours::GrayText);
    EXPECT_EQ(box.RememberedForeColor(), RGB(0, 0, 128));  // reading did not overwrite it
    box.SetEnabled(true);
    EXPECT_EQ(box.State(), 5);
    EXPECT_EQ(box.ForeColor(), RGB(0, 0, 128));
}

TEST_F(OptionCheckWin, SizeFollowsFontAndCaptionWithoutTheAmpersand) {
    XPOptionCheck& box = Add(form.Handle(), ControlTypes::CheckBox, 0, "Plus");
    EXPECT_EQ(box.PixelHeight(), box.TextSize("T").cy + 4);
    const int plain = box.PixelWidth();
    box.SetCaption("&Plus");
    EXPECT_EQ(box.PixelWidth(), plain);
    char text[32] = {};
    GetWindowTextA(box.hWnd(), text, sizeof(text));
    EXPECT_STREQ(text, "&Plus");
    box.SetFontSize(14);
    EXPECT_EQ(box.PixelHeight(), box.TextSize("T").cy + 4);
    EXPECT_GT(box.PixelWidth(), plain);
}

TEST_F(OptionCheckWin, ClassicMixedLooksUncheckedAndCheckedDiffers) {
    SetClassicLook(true);
    XPOptionCheck& box = Add(form.Handle(), ControlTypes::CheckBox, 0, "Box");
    const int glyph = box.TextLeft() - 5;
    const auto unchecked = Snapshot(box.hDC(), glyph, box.PixelHeight());
    box.SetValue(2);
    EXPECT_EQ(Snapshot(box.hDC(), glyph, box.PixelHeight()), unchecked);
    box.SetValue(1);
    EXPECT_NE(Snapshot(box.hDC(), glyph, box.PixelHeight()), unchecked);
    // Themed the mixed box has a look of its own.
    SetClassicLook(false);
    box.SetValue(0);
    const auto themedUnchecked = Snapshot(box.hDC(), 13, box.PixelHeight());
    box.SetValue(2);
    EXPECT_NE(Snapshot(box.hDC(), 13, box.PixelHeight()), themedUnchecked);
}

TEST_F(OptionCheckWin, SavedAndLoaded) {
    XPOptionCheck& source = Add(form.Handle(), ControlTypes::OptionButton, 1, "Start Time");
    source.SetUseParentFormhDC(true);
    source.SetCaption("&Plus");  // differs from the host's display name, so it is saved
    host::PropertyBag bag;
    source.WriteProperties(bag);
    XPOptionCheck& loaded = Add(form.Handle(), ControlTypes::CheckBox, 0, "x");
    loaded.ReadProperties(bag);
    EXPECT_EQ(loaded.ControlType(), ControlTypes::OptionButton);
    EXPECT_EQ(loaded.Value(), 1);
    EXPECT_EQ(loaded.State(), 5);
    EXPECT_TRUE(loaded.UseParentFormhDC());
    EXPECT_EQ(loaded.Caption(), "&Plus");
    EXPECT_EQ(loaded.FontName(), GetThemeFontName());
}

TEST_F(OptionCheckWin, KeysMoveAmongOptionsAndSpaceOrAccessKeyChoose) {
    XPOptionCheck& start = Add(form.Handle(), ControlTypes::OptionButton, 1, "Start Time");
    XPOptionCheck& plus = Add(form.Handle(), ControlTypes::OptionButton, 0, "Plus");
    XPOptionCheck& minus = Add(form.Handle(), ControlTypes::OptionButton, 0, "Minus");
    XPOptionCheck& check = Add(form.Handle(), ControlTypes::CheckBox, 0, "Check");
    for (auto& control : controls) ShowWindow(control->hWnd(), SW_SHOWNA);
    int minusClicks = 0;
    minus.Click = [&] { ++minusClicks; };
    auto key = [](XPOptionCheck& control, WPARAM k) { SendMessageA(control.hWnd(), WM_KEYDOWN, k, 0); };
    EXPECT_EQ(SendMessageA(start.hWnd(), WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_BUTTON | DLGC_RADIOBUTTON);
    EXPECT_EQ(SendMessageA(check.hWnd(), WM_GETDLGCODE, 0, 0), DLGC_BUTTON);  // arrows stay with the form

    key(start, VK_DOWN);
    EXPECT_EQ(plus.Value(), 1);
    EXPECT_EQ(start.Value(), 0);
    EXPECT_EQ(check.Value(), 0);  // check boxes are no part of the group
    key(plus, VK_UP);
    key(start, VK_LEFT);  // from the first back round to the last
    EXPECT_EQ(minus.Value(), 1);
    EXPECT_EQ(minusClicks, 1);
    EXPECT_EQ(start.Value() + plus.Value(), 0);
    // A disabled option is passed over.
    plus.SetEnabled(false);
    key(minus, VK_RIGHT);
    key(start, VK_RIGHT);
    EXPECT_EQ(minus.Value(), 1);
    EXPECT_EQ(plus.Value(), 0);

    // The access key arrives as BM_CLICK; Space chooses the focused control.
    SendMessageA(start.hWnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(start.Value(), 1);
    EXPECT_EQ(minus.Value(), 0);
    // Focus shows as a dotted rectangle around the caption, and goes with it.
    const auto unfocused = Snapshot(check.hDC(), check.PixelWidth(), check.PixelHeight());
    SendMessageA(check.hWnd(), WM_SETFOCUS, 0, 0);
    EXPECT_NE(Snapshot(check.hDC(), check.PixelWidth(), check.PixelHeight()), unfocused);
    EXPECT_NE(GetPixel(check.hDC(), check.PixelWidth() - 1, 1), GetPixel(check.hDC(), check.PixelWidth() - 1, 0));
    SendMessageA(check.hWnd(), WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(Snapshot(check.hDC(), check.PixelWidth(), check.PixelHeight()), unfocused);
    key(check, VK_SPACE);
    EXPECT_EQ(check.Value(), 1);
    key(check, VK_SPACE);
    EXPECT_EQ(check.Value(), 0);
    EXPECT_EQ(start.Value(), 1);
}

}  // namespace
}  // namespace tarvex::xp::testing
