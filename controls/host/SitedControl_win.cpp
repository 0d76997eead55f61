#include "controls/host/SitedControl_win.h"

#include "base/Rounding.h"
#include "controls/host/ScreenMetrics_win.h"

namespace tarvex::host {

SitedControl::~SitedControl() {
    if (subscribed_ && site_.Form) site_.Form->UnsubscribeFormEvents(this);
}

void SitedControl::Changed(const char* property) {
    if (site_.PropertyChanged) site_.PropertyChanged(property);
}

template <class Part, class Value>
void SitedControl::SetFontPart(Part FontDescription::*part, const Value& value, const char* property) {
    FontDescription font = SurfaceFont();
    font.*part = value;
    SetSurfaceFont(font);
    RepaintForFont();
    Changed(property);
}

void SitedControl::SetFontName(const std::string& value) {
    SetFontPart(&FontDescription::Name, value, "FontName");
}

void SitedControl::SetFontSize(float value) {
    SetFontPart(&FontDescription::Size, value, "FontSize");
}

void SitedControl::SetFontBold(bool value) {
    SetFontPart(&FontDescription::Bold, value, "FontBold");
}

void SitedControl::SetFontItalic(bool value) {
    SetFontPart(&FontDescription::Italic, value, "FontItalic");
}

void SitedControl::SetFontUnderline(bool value) {
    SetFontPart(&FontDescription::Underline, value, "FontUnderline");
}

void SitedControl::SetFontStrikethru(bool value) {
    SetFontPart(&FontDescription::Strikethru, value, "FontStrikethru");
}

void SitedControl::SetMousePointer(int16_t value) {
    SetSurfaceMousePointer(value);
    Changed("MousePointer");
}

void SitedControl::SetMouseIcon(const PropertyValue& value) {
    mouseIcon_ = value;
    Changed("MouseIcon");
}

void SitedControl::SetTabStop(bool value) {
    tabStop_ = value;
    Changed("TabStop");
}

void SitedControl::LoadFontPartsAndPointer(const FontDescription& font, bool fontTransparent,
                                           const PropertyValue& mouseIcon, int16_t mousePointer) {
    SetFontUnderline(font.Underline);
    SetSurfaceFontTransparent(fontTransparent);
    SetFontStrikethru(font.Strikethru);
    SetFontSize(font.Size);
    SetFontName(font.Name);
    SetFontItalic(font.Italic);
    SetFontBold(font.Bold);
    SetMouseIcon(mouseIcon);
    SetMousePointer(mousePointer);
}

double SitedControl::TwipsPerPixelX() const {
    return site_.Form ? site_.Form->TwipsPerPixelX() : ScreenTwipsPerPixelX();
}

double SitedControl::TwipsPerPixelY() const {
    return site_.Form ? site_.Form->TwipsPerPixelY() : ScreenTwipsPerPixelY();
}

void SitedControl::SubscribeToForm(std::function<void()> onResize, std::function<void()> onPaint) {
    if (!site_.Form || site_.Form->DesignMode() || subscribed_) return;
    site_.Form->SubscribeFormEvents(this, std::move(onResize), std::move(onPaint));
    subscribed_ = true;
}

WindowHandle SitedControl::ContainerWindow() const {
    return reinterpret_cast<WindowHandle>(GetParent(Handle()));
}

double SitedControl::Left() const {
    return RectInParent().left * TwipsPerPixelX();
}

double SitedControl::Top() const {
    return RectInParent().top * TwipsPerPixelY();
}

void SitedControl::SetLeft(double twips) {
    const RECT rect = RectInParent();
    MoveTo(static_cast<int>(RoundHalfEven(twips / TwipsPerPixelX())), rect.top, rect.right - rect.left,
           rect.bottom - rect.top);
}

void SitedControl::SetTop(double twips) {
    const RECT rect = RectInParent();
    MoveTo(rect.left, static_cast<int>(RoundHalfEven(twips / TwipsPerPixelY())), rect.right - rect.left,
           rect.bottom - rect.top);
}

void SitedControl::RaiseMouse(const MouseEvent& event, int16_t button, WPARAM keys, int x, int y) const {
    if (!event) return;
    int16_t shift = 0;
    if (keys & MK_SHIFT) shift |= 1;
    if (keys & MK_CONTROL) shift |= 2;
    if (GetKeyState(VK_MENU) < 0) shift |= 4;
    event(button, shift, static_cast<float>(x * TwipsPerPixelX()), static_cast<float>(y * TwipsPerPixelY()));
}

int16_t SitedControl::ButtonsHeld(WPARAM keys) {
    int16_t buttons = 0;
    if (keys & MK_LBUTTON) buttons |= 1;
    if (keys & MK_RBUTTON) buttons |= 2;
    if (keys & MK_MBUTTON) buttons |= 4;
    return buttons;
}

}  // namespace tarvex::host
