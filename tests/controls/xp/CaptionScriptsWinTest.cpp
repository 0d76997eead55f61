// Captions in accented, Cyrillic and CJK script, in both looks: measured and
// drawn as the whole text, not byte by byte.
#include "XpWinFixture.h"

#include <algorithm>

#include "controls/xp/OptionCheckStates.h"
#include "controls/xp/XPOptionCheck_win.h"
#include "controls/xp/XpGroupBox_win.h"

namespace tarvex::xp::testing {
namespace {

const std::string kCaption = "Café Кафе 字幕";
const std::wstring kWide = L"Café Кафе 字幕";
const std::string kLost = "Caf? ???? ??";  // what a failed conversion shows

// Left and right end of what is drawn in columns from `fromX` and rows up to
// `toY`, over a background of the colour at (fromX, 0).
std::pair<int, int> Ink(HDC dc, int fromX, int toY, int width) {
    const COLORREF background = GetPixel(dc, width - 1, 0);
    int left = width, right = -1;
    for (int y = 0; y < toY; ++y)
        for (int x = fromX; x < width; ++x)
            if (GetPixel(dc, x, y) != background) left = std::min(left, x), right = std::max(right, x);
    return {left, right};
}

using CaptionScripts = XpWinTest;

TEST_F(CaptionScripts, FrameAndOptionMeasureAndDrawTheWholeText) {
    ASSERT_EQ(GetACP(), 65001u) << "the test program's manifest makes its code page UTF-8";
    for (bool classic : {false, true}) {
        SCOPED_TRACE(classic ? "classic" : "themed");
        SetClassicLook(classic);
        auto frame = XpGroupBox::Create(form.Handle(), 0, 0, 300, 60, Site("Frame"));
        frame->SetBackStyle(BackStyles::Opaque);
        frame->SetBorderStyle(BorderStyles::XpFrame);
        frame->SetCaption(kCaption);
        SIZE wide{};
        GetTextExtentPoint32W(frame->hDC(), kWide.c_str(), static_cast<int>(kWide.size()), &wide);
        EXPECT_EQ(frame->TextSize(kCaption).cx, wide.cx);
        // Above the frame line only the caption is drawn.
        const int aboveLine = frame->TextSize("T").cy / 2 - 1;
        const auto drawn = Snapshot(frame->hDC(), 300, aboveLine);
        const auto [left, right] = Ink(frame->hDC(), 0, aboveLine, 300);
        EXPECT_NEAR(right - left + 1, wide.cx, 4);
        frame->SetCaption(kLost);
        EXPECT_NE(Snapshot(frame->hDC(), 300, aboveLine), drawn);

        auto option = XPOptionCheck::Create(form.Handle(), 0, 100, Site("Option"));
        option->SetBackStyle(BackStyles::Opaque);
        option->SetControlType(ControlTypes::OptionButton);
        option->SetCaption(kCaption);
        EXPECT_EQ(option->PixelWidth(), option->TextLeft() + wide.cx);
        const auto [from, to] = Ink(option->hDC(), option->TextLeft() - 1, option->PixelHeight(), option->PixelWidth());
        EXPECT_NEAR(to - from + 1, wide.cx, 4);
        const auto optionDrawn = Snapshot(option->hDC(), option->PixelWidth(), option->PixelHeight());
        option->SetCaption(kLost);
        EXPECT_NE(Snapshot(option->hDC(), option->PixelWidth(), option->PixelHeight()), optionDrawn);
    }
}

}  // namespace
}  // namespace tarvex::xp::testing
