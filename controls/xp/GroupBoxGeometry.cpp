#include "controls/xp/GroupBoxGeometry.h"

#include "base/Rounding.h"

namespace tarvex::xp {

int32_t CaptionGapWidth(const CaptionMeasures& m) {
    int32_t width = m.TextW + 6;
    if (m.HasAccelerator) width -= m.AmpersandW;
    return width;
}

int32_t HalfTextHeight(const CaptionMeasures& m) {
    return static_cast<int32_t>(RoundHalfEven(m.TextH / 2.0));
}

EtchedFrameLayout LayoutEtchedFrame(int32_t w, int32_t h, const CaptionMeasures& m) {
    const int32_t halfT = HalfTextHeight(m);
    const int32_t capW = CaptionGapWidth(m);
    EtchedFrameLayout layout;
    layout.Frame = {0, halfT, w, h};
    layout.GapFill = {7, halfT - 1, capW + 5, halfT + 2};
    layout.GapCopy = {7, halfT, capW - 2, halfT, 7, halfT + 2};
    layout.Caption = {3, 0, capW + 3, m.TextH};
    return layout;
}

ThemedFrameLayout LayoutThemedFrame(int32_t w, int32_t h, const CaptionMeasures& m) {
    const int32_t halfT = HalfTextHeight(m);
    const int32_t capW = CaptionGapWidth(m);
    ThemedFrameLayout layout;
    layout.Frame = {0, halfT, w, h};
    const int32_t left = m.HasAccelerator ? m.AmpersandW + 2 : 9;
    layout.Caption = {left, 0, capW + 8, m.TextH};
    layout.GapFill = {left - 1, halfT - 1, layout.Caption.Right + 1, halfT + 1};
    layout.GapCopy = {left - 1, halfT, capW, halfT + 2, left - 1, halfT + 2};
    return layout;
}

ClassicTabLayout LayoutClassicTab(int32_t w, int32_t h, int32_t tabH, bool hasCaption, const CaptionMeasures& m) {
    ClassicTabLayout layout;
    layout.Panel = {0, 0, w, h};
    if (!hasCaption) return layout;
    layout.Panel = {0, tabH - 2, w - 3, h};
    layout.Tab = {0, 1, m.TextW + 16, tabH};
    layout.TabTop = {layout.Tab.Left + 1, layout.Tab.Top - 1, layout.Tab.Right - 1, layout.Tab.Bottom + 1};
    layout.Join = {2, tabH - 1, m.TextW + 12, 3, 2, tabH + 1};
    layout.Caption = {0, 4, m.TextW + 8, tabH};
    return layout;
}

ThemedTabLayout LayoutThemedTab(int32_t w, int32_t h, int32_t tabH, bool hasCaption, const CaptionMeasures& m) {
    ThemedTabLayout layout;
    layout.Pane = {0, 0, w, h};
    if (hasCaption) {
        layout.Pane = {0, tabH - 1, w, h};
        layout.Tab = {0, 1, m.TextW + 16, tabH};
    } else {
        layout.Pane.Left += 1;
    }
    layout.Body = {layout.Pane.Left + 3, layout.Pane.Top + 3, layout.Pane.Right - 3, layout.Pane.Bottom - 3};
    layout.Tab.Top -= 1;
    layout.Tab.Bottom += 1;
    layout.Caption = layout.Tab;
    layout.Caption.Top += 3;
    return layout;
}

}  // namespace tarvex::xp
