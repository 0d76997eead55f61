#include "XpWinFixture.h"

#include <algorithm>

#include "base/Rounding.h"

#include "controls/xp/IsVista.h"
#include "controls/xp/XPOptionCheck_win.h"
#include "controls/xp/XpGroupBox_win.h"

namespace tarvex::xp::testing {
namespace {

class GroupBoxWin : public XpWinTest {
protected:
    std::unique_ptr<XpGroupBox> Bar(int width, int height, int32_t percentage) {
        auto bar = XpGroupBox::Create(form.Handle(), 0, 0, width, height, Site("Progress1"));
        bar->SetBackStyle(BackStyles::Opaque);
        bar->SetBorderStyle(BorderStyles::XpProgress);
        bar->SetPercentage(percentage);
        return bar;
    }

    // Columns (or rows) where two drawings of the same bar differ.
    static std::vector<int> Differences(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b) {
        std::vector<int> at;
        for (size_t i = 0; i < a.size(); ++i)
            if (a[i] != b[i]) at.push_back(static_cast<int>(i));
        return at;
    }

    static std::vector<COLORREF> Column(HDC dc, int x, int height) {
        std::vector<COLORREF> column;
        for (int y = 0; y < height; ++y) column.push_back(GetPixel(dc, x, y));
        return column;
    }

    static std::string Text(HWND window) {
        char text[64] = {};
        GetWindowTextA(window, text, sizeof(text));
        return text;
    }
};

TEST_F(GroupBoxWin, NewControlKeepsItsChildrenHiddenAndCaptionAsText) {
    auto box = XpGroupBox::Create(form.Handle(), 0, 0, 120, 60, Site("XpGroupBox1"));
    EXPECT_FALSE(IsWindowVisible(box->ProgressPicWindow()));
    EXPECT_FALSE(GetWindowLongPtrA(box->PercentageLabelWindow(), GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(Text(box->hWnd()), "XpGroupBox1");
    box->SetCaption("&Files");
    EXPECT_EQ(Text(box->hWnd()), "&Files");
    EXPECT_TRUE(box->HasAccelerator());
    EXPECT_EQ(changes.back(), "Caption");

    // A caption loaded from a form leaves the accelerator flag alone.
    auto loaded = XpGroupBox::Create(form.Handle(), 0, 0, 120, 60, Site("XpGroupBox2"));
    host::PropertyBag bag;
    bag.WriteProperty("Caption", std::string("&Files"), std::string(""));
    bag.WriteProperty("FontName", std::string("Courier New"), std::string(""));
    loaded->ReadProperties(bag);
    EXPECT_FALSE(loaded->HasAccelerator());
    EXPECT_EQ(Text(loaded->hWnd()), "&Files");
    EXPECT_EQ(loaded->FontName(), GetThemeFontName());  // the theme face wins
}

TEST_F(GroupBoxWin, ClickNeedsPressAndReleaseInsideAndHasDCIsTheSurfaces) {
    auto box = XpGroupBox::Create(form.Handle(), 0, 0, 100, 50, Site("Frame1"));
    int clicks = 0;
    box->Click = [&] { ++clicks; };
    auto send = [&](UINT message, int x, int y) { SendMessageA(box->hWnd(), message, 0, MAKELPARAM(x, y)); };
    send(WM_LBUTTONDOWN, 10, 10);
    EXPECT_EQ(GetCapture(), box->hWnd());
    send(WM_LBUTTONUP, 300, 10);  // released outside: seen thanks to the capture
    EXPECT_NE(GetCapture(), box->hWnd());
    send(WM_LBUTTONUP, 10, 10);  // a later release inside, with no press
    EXPECT_EQ(clicks, 0);
    send(WM_LBUTTONDOWN, 10, 10);
    send(WM_LBUTTONUP, 20, 20);
    EXPECT_EQ(clicks, 1);

    box->SetHasDC(false);  // stored for saving; the surface keeps its own context
    EXPECT_TRUE(box->HasDC());
}

TEST_F(GroupBoxWin, PercentageIsClampedAndReadableBack) {
    auto bar = Bar(200, 20, -5);
    EXPECT_EQ(bar->Percentage(), 0);
    bar->SetPercentage(250);
    EXPECT_EQ(bar->Percentage(), 100);
    bar->SetShowPercentage(true);
    bar->SetPercentage(42);
    EXPECT_EQ(SendMessageA(bar->hWnd(), XPM_GETPERCENTAGE, 0, 0), 42);
    EXPECT_EQ(Text(bar->PercentageLabelWindow()), " 42 %");
    EXPECT_TRUE(GetWindowLongPtrA(bar->PercentageLabelWindow(), GWL_STYLE) & WS_VISIBLE);
    bar->SetPercentage(0);
    EXPECT_EQ(Text(bar->PercentageLabelWindow()), "0 %");
    bar->SetShowPercentage(false);
    EXPECT_FALSE(GetWindowLongPtrA(bar->PercentageLabelWindow(), GWL_STYLE) & WS_VISIBLE);
}

TEST_F(GroupBoxWin, ThemedChunkOfAnOlderSystemRunsFrom3To99) {
    IsVista = false;
    auto bar = Bar(200, 20, 0);
    const auto empty = Row(bar->hDC(), 10, 0, 200);
    bar->SetPercentage(50);
    const auto half = Row(bar->hDC(), 10, 0, 200);
    const auto changed = Differences(empty, half);
    ASSERT_FALSE(changed.empty());
    EXPECT_GE(changed.front(), 3);
    EXPECT_LE(changed.back(), 98);
    EXPECT_GE(changed.back(), 90);
    EXPECT_FALSE(IsWindowVisible(bar->ProgressPicWindow()));
}

TEST_F(GroupBoxWin, TallBarGrowsFromTheBottom) {
    auto bar = Bar(20, 106, 0);
    const auto empty = Column(bar->hDC(), 10, 106);
    bar->SetPercentage(25);
    const auto quarter = Column(bar->hDC(), 10, 106);
    const auto changed = Differences(empty, quarter);
    ASSERT_FALSE(changed.empty());
    EXPECT_GE(changed.front(), 76);  // 103 - 25, give or take the chunk's own border
    EXPECT_LE(changed.back(), 103);
}

TEST_F(GroupBoxWin, ClassicBarsDrawOnceAndBlocksShowNoText) {
    SetClassicLook(true);
    auto bar = XpGroupBox::Create(form.Handle(), 0, 0, 202, 22, Site("Progress1"));
    bar->SetShowPercentage(true);
    bar->SetLegacyProgressStyle(2);
    bar->SetBorderStyle(BorderStyles::XpProgress);
    bar->SetPercentage(30);
    EXPECT_TRUE(GetWindowLongPtrA(bar->ProgressPicWindow(), GWL_STYLE) & WS_VISIBLE);
    HDC picture = bar->ProgressPic().SurfaceDC();
    const auto first = Snapshot(picture, 200, 20);
    auto count = [](const std::vector<COLORREF>& pixels, COLORREF colour) {
        return std::count(pixels.begin(), pixels.end(), colour);
    };
    EXPECT_GT(count(first, RGB(0, 0, 0)), 10);                       // "30%" is printed in black
    EXPECT_GE(count(first, GetSysColor(COLOR_HIGHLIGHT)), 30 * 18);  // columns 1..30, rows 1..18
    EXPECT_EQ(bar->LastDrawnPercentage(), 30);

    // The same percentage again: nothing is redrawn.
    EXPECT_FALSE(bar->DrawLegacyProgress(30, OleColours::ButtonFace, OleColours::Highlight, 0, true));
    bar->PaintGroupBox();
    EXPECT_EQ(Snapshot(picture, 200, 20), first);
    bar->SetPercentage(60);
    EXPECT_NE(Snapshot(picture, 200, 20), first);

    bar->SetLegacyProgressStyle(1);
    bar->SetPercentage(80);
    const auto blocks = Snapshot(picture, 200, 20);
    EXPECT_EQ(count(blocks, RGB(0, 0, 0)), 0);
    EXPECT_GT(count(blocks, GetSysColor(COLOR_HIGHLIGHT)), 100);
    EXPECT_FALSE(GetWindowLongPtrA(bar->PercentageLabelWindow(), GWL_STYLE) & WS_VISIBLE);
}

TEST_F(GroupBoxWin, FramesWithAndWithoutCaption) {
    auto box = XpGroupBox::Create(form.Handle(), 0, 0, 160, 60, Site("XpGroupBox1"));
    box->SetBackStyle(BackStyles::Opaque);
    box->SetCaption("");
    const int lineY = static_cast<int>(RoundHalfEven(box->TextSize("T").cy / 2.0));
    auto frameLine = [&] { return Row(box->hDC(), lineY, 10, 40); };
    const auto noCaption = frameLine();
    box->SetCaption("Title");
    const auto withCaption = frameLine();
    EXPECT_NE(noCaption, withCaption);  // the caption opens a gap in the line

    SetClassicLook(true);
    box->SetCaption("");
    // The etched edge: shadow over highlight, also where a caption would sit.
    EXPECT_EQ(GetPixel(box->hDC(), 20, lineY), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(GetPixel(box->hDC(), 20, lineY + 1), GetSysColor(COLOR_BTNHIGHLIGHT));
    box->SetCaption("Title");
    EXPECT_EQ(GetPixel(box->hDC(), 8, lineY), GetSysColor(COLOR_BTNFACE));
}

TEST_F(GroupBoxWin, TransparentBoxShowsTheFormBehindIt) {
    form.SetAutoRedraw(true);
    HDC formDC = form.TargetDC();
    host::BrushHandle red(CreateSolidBrush(RGB(255, 0, 0)));
    RECT area{0, 0, 400, 300};
    FillRect(formDC, &area, red.Get());
    auto box = XpGroupBox::Create(form.Handle(), 30, 40, 100, 50, Site());
    form.AddControl(box.get());
    box->SetBorderStyle(BorderStyles::XpFrame);  // transparent by default
    EXPECT_EQ(GetPixel(box->hDC(), 50, 30), RGB(255, 0, 0));
    box->SetUseParentFormhDC(true);
    EXPECT_EQ(GetPixel(box->hDC(), 50, 30), RGB(255, 0, 0));
    box->SetBackStyle(BackStyles::Opaque);
    EXPECT_EQ(GetPixel(box->hDC(), 50, 30), GetSysColor(COLOR_BTNFACE));
    form.RemoveControl(box.get());
}

TEST_F(GroupBoxWin, SeeThroughEditBoxHasOnlyItsBorderDrawn) {
    form.SetAutoRedraw(true);
    host::BrushHandle red(CreateSolidBrush(RGB(255, 0, 0)));
    RECT area{0, 0, 400, 300};
    FillRect(form.TargetDC(), &area, red.Get());
    auto box = XpGroupBox::Create(form.Handle(), 10, 10, 80, 30, Site());
    form.AddControl(box.get());
    box->SetBorderStyle(BorderStyles::XpEdit);
    const COLORREF border = GetPixel(box->hDC(), 0, 15);
    EXPECT_NE(border, RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(box->hDC(), 79, 15), border);
    EXPECT_EQ(GetPixel(box->hDC(), 40, 29), border);
    EXPECT_EQ(GetPixel(box->hDC(), 40, 15), RGB(255, 0, 0));
    EXPECT_EQ(box->ForeColor(), OleColours::ButtonText);  // put back after the border
    SetClassicLook(true);
    box->SetBackStyle(BackStyles::Opaque);
    EXPECT_EQ(GetPixel(box->hDC(), 40, 15), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(GetPixel(box->hDC(), 0, 15), GetSysColor(COLOR_BTNSHADOW));  // sunken edge
    form.RemoveControl(box.get());
}

TEST_F(GroupBoxWin, ClassicTabStandsOnItsPanel) {
    SetClassicLook(true);
    auto tab = XpGroupBox::Create(form.Handle(), 0, 0, 200, 100, Site());
    tab->SetBackStyle(BackStyles::Opaque);
    tab->SetCaption("Page");
    tab->SetBorderStyle(BorderStyles::XpTab);
    const int tabH = static_cast<int>(RoundHalfEven(300 / form.TwipsPerPixelY()));
    const int tabRight = tab->TextSize("Page").cx + 16;
    // The panel's raised top edge (light, then highlight) runs right of the
    // tab; under the tab its inner line is covered to join the two.
    EXPECT_EQ(GetPixel(tab->hDC(), tabRight + 20, tabH - 2), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(GetPixel(tab->hDC(), tabRight + 20, tabH - 1), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(GetPixel(tab->hDC(), tabRight / 2, tabH - 1), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(GetPixel(tab->hDC(), 1, 10), GetSysColor(COLOR_BTNHIGHLIGHT));        // the tab's left edge
    EXPECT_EQ(GetPixel(tab->hDC(), tabRight + 20, 5), GetSysColor(COLOR_BTNFACE));  // beside the tab
}

TEST_F(GroupBoxWin, EnabledAndVisiblePassToContainedControlsByBehaviour) {
    auto box = XpGroupBox::Create(form.Handle(), 0, 0, 200, 100, Site());
    auto option = XPOptionCheck::Create(box->hWnd(), 10, 20, Site("Option1"));
    form.AddControl(box.get());
    form.AddControl(option.get());
    ASSERT_EQ(box->ControlsContained().size(), 1u);

    box->SetDisabledBehavior(0);
    box->SetEnabled(false);
    EXPECT_TRUE(option->Enabled());
    box->SetDisabledBehavior(1);
    box->SetEnabled(false);
    EXPECT_FALSE(option->Enabled());
    box->SetEnabled(true);
    EXPECT_TRUE(option->Enabled());

    ShowWindow(option->hWnd(), SW_SHOWNA);
    box->SetVisibleBehavior(1);
    box->SetVisible(false);
    EXPECT_TRUE(GetWindowLongPtrA(option->hWnd(), GWL_STYLE) & WS_VISIBLE);
    box->SetVisibleBehavior(0);
    EXPECT_FALSE(GetWindowLongPtrA(option->hWnd(), GWL_STYLE) & WS_VISIBLE);
    form.RemoveControl(option.get());
    form.RemoveControl(box.get());
}

TEST_F(GroupBoxWin, SavedStateOfANewControl) {
    auto box = XpGroupBox::Create(form.Handle(), 0, 0, 100, 50, Site("XpGroupBox1"));
    host::PropertyBag bag;
    box->WriteProperties(bag);
    EXPECT_FALSE(bag.ReadBool("ShowPercentage", true));
    EXPECT_FALSE(bag.ReadBool("Visible", true));
    EXPECT_FALSE(bag.Contains("Caption"));
    box->SetPercentage(70);
    box->WriteProperties(bag);
    EXPECT_EQ(bag.ReadInt("percentage", 0), 70);
}

TEST_F(GroupBoxWin, LoadedControlsFollowTheFormsResizeAndKeepTheirHandle) {
    host::PropertyBag saved;
    saved.WriteProperty("BackStyle", int32_t{BackStyles::Opaque}, int32_t{0});
    auto loaded = XpGroupBox::Create(form.Handle(), 0, 0, 80, 40, Site("Loaded"));
    loaded->ReadProperties(saved);
    auto placed = XpGroupBox::Create(form.Handle(), 100, 0, 80, 40, Site("Placed"));
    placed->SetBackStyle(BackStyles::Opaque);
    auto option = XPOptionCheck::Create(form.Handle(), 0, 100, Site("Option"));
    saved.WriteProperty("UseParentFormhDC", true, false);
    option->ReadProperties(saved);
    EXPECT_TRUE(option->UseParentFormhDC());
    host::BrushHandle magenta(CreateSolidBrush(RGB(255, 0, 255)));
    RECT all{0, 0, 80, 40};
    for (HDC dc : {loaded->hDC(), placed->hDC(), option->hDC()}) FillRect(dc, &all, magenta.Get());
    SendMessageA(form.Handle(), WM_SIZE, 0, MAKELPARAM(400, 300));  // the form's Resize
    EXPECT_EQ(GetPixel(loaded->hDC(), 40, 30), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(GetPixel(option->hDC(), 1, 1), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(GetPixel(placed->hDC(), 40, 30), RGB(255, 0, 255));  // placed, not loaded: no tie to the form
}

}  // namespace
}  // namespace tarvex::xp::testing
