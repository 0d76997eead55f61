// The classic progress bar, drawn into the picture box from the plan of its
// lines and text.
#include <algorithm>

#include "controls/host/GdiHandles_win.h"
#include "controls/host/IgnoreFailure.h"
#include "controls/host/ScreenMetrics_win.h"
#include "controls/host/WideText_win.h"
#include "controls/xp/LegacyProgressPlan.h"
#include "controls/xp/XpGroupBox_win.h"

namespace tarvex::xp {

namespace {

uint32_t DibPixel(COLORREF colour) {
    return (static_cast<uint32_t>(GetRValue(colour)) << 16) | (static_cast<uint32_t>(GetGValue(colour)) << 8) |
           GetBValue(colour);
}

// One pass over the image instead of a pixel call per pixel.
void Recolour(host::PersistentImage& image, const PlanRecolour& area, COLORREF from, COLORREF to) {
    GdiFlush();
    const uint32_t fromPixel = DibPixel(from), toPixel = DibPixel(to);
    uint32_t* pixels = image.Pixels();
    for (int y = std::max(area.Top, 0); y <= std::min(area.Bottom, image.Height() - 1); ++y)
        for (int x = std::max(area.Left, 0); x <= std::min(area.Right, image.Width() - 1); ++x) {
            uint32_t& pixel = pixels[static_cast<size_t>(y) * image.Width() + x];
            if ((pixel & 0xFFFFFF) == fromPixel) pixel = toPixel;
        }
}

}  // namespace

bool XpGroupBox::DrawLegacyProgress(int16_t percentage, uint32_t barBackground, uint32_t barColour, uint32_t textColour,
                                    bool showText) {
    if (percentage == lastDrawnPercentage_) return false;
    return host::IgnoreFailure([&] {
        ProgressPicture& picture = *progressPic_;
        LayoutProgressPic();
        picture.SetSurfaceBackColor(barBackground);
        picture.Cls();
        picture.SetSurfaceForeColor(barColour);
        picture.SetSurfaceFont(SurfaceFont());

        const COLORREF background = host::TranslateColor(barBackground);
        const COLORREF bar = host::TranslateColor(barColour);
        const COLORREF text = host::TranslateColor(textColour);
        auto colourOf = [&](PlanColour role) {
            return role == PlanColour::Background ? background : role == PlanColour::Bar ? bar : text;
        };
        HDC dc = picture.SurfaceDC();
        const auto plan = PlanLegacyProgress(picture.PixelWidth(), picture.PixelHeight(), percentage,
                                             p_.LegacyProgressStyle, showText);
        for (const PlanStep& step : plan) {
            switch (step.Type) {
                case PlanStep::Kind::Line: {
                    host::PenHandle pen(CreatePen(PS_SOLID, 1, colourOf(step.Line.Colour)));
                    host::SelectedObject selected(dc, pen.Get());
                    MoveToEx(dc, step.Line.X1, step.Line.Y1, nullptr);
                    LineTo(dc, step.Line.X2, step.Line.Y2);
                    break;
                }
                case PlanStep::Kind::Text: {
                    SetTextColor(dc, text);
                    SetBkMode(dc, TRANSPARENT);
                    const std::wstring wide = host::WideText(step.Text.Text);
                    TextOutW(dc, step.Text.X, step.Text.Y, wide.c_str(), static_cast<int>(wide.size()));
                    break;
                }
                case PlanStep::Kind::Recolour:
                    Recolour(picture.Image(), step.Recolour, colourOf(step.Recolour.From), colourOf(step.Recolour.To));
                    break;
            }
        }
        if (percentage == 0) picture.Cls();
        RECT edge{0, 0, PixelWidth(), PixelHeight()};
        DrawEdge(SurfaceDC(), &edge, BDR_SUNKENOUTER, BF_RECT);
        lastDrawnPercentage_ = percentage;
        picture.ShowImage();
    });
}

}  // namespace tarvex::xp
