// How XPOptionCheck looks: its size, background, glyph, caption and focus.
#include <windows.h>

#include <uxtheme.h>
#include <vssym32.h>

#include "controls/host/GdiHandles_win.h"
#include "controls/host/IgnoreFailure.h"
#include "controls/host/PaintTarget_win.h"
#include "controls/host/ScreenMetrics_win.h"
#include "controls/host/Twips.h"
#include "controls/host/WideText_win.h"
#include "controls/xp/OptionCheckGeometry.h"
#include "controls/xp/OptionCheckStates.h"
#include "controls/xp/XPOptionCheck_win.h"
#include "controls/xp/XpControls_win.h"

namespace tarvex::xp {

using host::ThemeHandle;

namespace {

SIZE TruePartSize(HTHEME theme, HDC dc, int part, int state) {
    SIZE size{0, 0};
    if (theme) GetThemePartSize(theme, dc, part, state, nullptr, TS_TRUE, &size);
    return size;
}

}  // namespace

void XPOptionCheck::Redraw() {
    if (redrawing_ || !Handle()) return;
    redrawing_ = true;
    HDC dc = SurfaceDC();
    const int part = OptionCheckPart(controlType_);
    OptionCheckMeasures m;
    m.CaptionW = TextSize(caption_).cx;
    m.AmpersandW = TextSize("&").cx;
    m.HeightT = TextSize("T").cy;
    m.HeightF = TextSize("F").cy;
    m.HasAccessKey = hasAccessKey_;
    m.TwipsPerPixel = TwipsPerPixelX();
    int32_t glyphW = ClassicGlyphWidth(m.TwipsPerPixel);
    HWND desktop = nullptr;
    if (IsThemed(desktop, false)) {
        ThemeHandle theme(Handle(), host::WideText(GetThemeClasses().Button).c_str());
        glyphW = TruePartSize(theme.Get(), dc, part, state_).cx;
    }
    textLeft_ = OptionCheckTextLeft(glyphW);
    const RECT place = RectInParent();
    const int width = OptionCheckWidth(glyphW, m), height = OptionCheckHeight(m);
    if (place.right - place.left != width || place.bottom - place.top != height)
        MoveTo(place.left, place.top, width, height);

    RECT client{0, 0, PixelWidth(), PixelHeight()};
    const uint32_t back = SurfaceBackColor();
    if (back & 0x80000000u) {
        FillRect(dc, &client, GetSysColorBrush(static_cast<int>(back & 0x1F)));
    } else {
        host::BrushHandle brush(CreateSolidBrush(host::TranslateColor(back)));
        FillRect(dc, &client, brush.Get());
    }
    if (backStyle_ == BackStyles::Transparent) CopyParentBackground();
    PaintButton(state_);
    ShowImage();
    redrawing_ = false;
}

void XPOptionCheck::PaintButton(int32_t& state) {
    if (state == -1) state = state_;
    HDC dc = SurfaceDC();
    const int height = PixelHeight();
    OptionCheckMeasures m;
    m.CaptionW = TextSize(caption_).cx;
    m.HeightT = TextSize("T").cy;
    m.HeightF = TextSize("F").cy;
    m.TwipsPerPixel = TwipsPerPixelX();
    const bool enabled = Enabled();
    // The caption reaches GDI in UTF-16, converted whole from the process code page.
    const std::wstring wide = host::WideText(caption_);
    HWND window = Handle();
    if (IsThemed(window, false) && themed_) {
        if (!enabled) state = StateFor(false, value_, state);
        const int part = OptionCheckPart(controlType_);
        ThemeHandle theme(Handle(), host::WideText(GetThemeClasses().Button).c_str());
        const SIZE glyph = TruePartSize(theme.Get(), dc, part, state);
        const OptionCheckLayout layout = LayoutThemedOptionCheck(height, glyph.cx, glyph.cy, m);
        RECT glyphRect = ToRect(layout.Glyph);
        RECT captionRect = ToRect(layout.Caption);
        if (theme) DrawThemeBackground(theme.Get(), dc, part, state, &glyphRect, &glyphRect);
        if (useCustomForeColor_) {
            DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &captionRect, 0);
        } else if (theme) {
            DrawThemeText(theme.Get(), dc, part, state, wide.c_str(), -1, DT_SINGLELINE, 0, &captionRect);
        }
    } else {
        const OptionCheckLayout layout = LayoutClassicOptionCheck(height, m);
        RECT glyphRect = ToRect(layout.Glyph);
        RECT captionRect = ToRect(layout.Caption);
        DrawFrameControl(dc, &glyphRect, DFC_BUTTON, ClassicGlyphFlags(controlType_, value_, enabled, state));
        DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &captionRect, 0);
    }
    if (enabled && hasFocus_) DrawFocus();
}

void XPOptionCheck::DrawFocus() {
    RECT rect = ToRect(OptionCheckFocusRect(textLeft_, PixelWidth(), PixelHeight()));
    DrawFocusRect(SurfaceDC(), &rect);
}

RECT XPOptionCheck::GetRectInParent() const {
    RECT rect{};
    GetWindowRect(Handle(), &rect);
    HWND form = site_.Form ? reinterpret_cast<HWND>(site_.Form->Window()) : GetParent(Handle());
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    POINT topLeft{rect.left, rect.top};
    ScreenToClient(form, &topLeft);
    return RECT{topLeft.x, topLeft.y, topLeft.x + width, topLeft.y + height};
}

void XPOptionCheck::CopyParentBackground() {
    host::IgnoreFailure([&] {
        if (!site_.Form) return;
        const HWND formWindow = reinterpret_cast<HWND>(site_.Form->Window());
        const HWND container = GetParent(Handle());
        host::PaintTarget* source = nullptr;
        int x = 0, y = 0;
        if (!useParentFormhDC_) {
            if (container == formWindow) {
                source = host::PaintTarget::FromWindow(formWindow);
            } else {
                for (host::FormControl* control : site_.Form->Controls())
                    if (control->Window() == reinterpret_cast<host::WindowHandle>(container)) {
                        source = host::PaintTarget::FromWindow(container);
                        break;
                    }
            }
            // The exact pixel place, whatever the twips per pixel (7.5 at 192 DPI).
            x = host::TwipsToPixels(Left(), TwipsPerPixelX());
            y = host::TwipsToPixels(Top(), TwipsPerPixelY());
        } else {
            source = host::PaintTarget::FromWindow(formWindow);
            const RECT rect = GetRectInParent();
            x = rect.left;
            y = rect.top;
        }
        if (!source) return;
        source->SetAutoRedraw(true);
        BitBlt(SurfaceDC(), 0, 0, PixelWidth(), PixelHeight(), source->TargetDC(), x, y, SRCCOPY);
    });
}

}  // namespace tarvex::xp
