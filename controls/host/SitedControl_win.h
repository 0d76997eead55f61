#pragma once
// What every self-drawn control on a form shares: its site on the form, its
// place in twips, the form's Resize and Paint events, the property-changed
// notification and mouse events in twips.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "controls/host/ParentForm.h"
#include "controls/host/Surface_win.h"

namespace tarvex::host {

class SitedControl : public Surface, public FormControl {
public:
    ~SitedControl() override;

    // FormControl: the place within the container, in twips.
    WindowHandle ContainerWindow() const override;
    double Left() const override;
    double Top() const override;
    void SetLeft(double twips) override;
    void SetTop(double twips) override;

    // The font parts, mouse pointer and icon, and tab stop that both
    // self-drawn controls save. A font change repaints (RepaintForFont) and
    // every change tells the host.
    const FontDescription& Font() const { return SurfaceFont(); }
    const std::string& FontName() const { return SurfaceFont().Name; }
    void SetFontName(const std::string& value) override;
    float FontSize() const { return SurfaceFont().Size; }
    virtual void SetFontSize(float value);
    bool FontBold() const { return SurfaceFont().Bold; }
    void SetFontBold(bool value);
    bool FontItalic() const { return SurfaceFont().Italic; }
    void SetFontItalic(bool value);
    bool FontUnderline() const { return SurfaceFont().Underline; }
    void SetFontUnderline(bool value);
    bool FontStrikethru() const { return SurfaceFont().Strikethru; }
    void SetFontStrikethru(bool value);
    int16_t MousePointer() const { return SurfaceMousePointer(); }
    void SetMousePointer(int16_t value);
    const PropertyValue& MouseIcon() const { return mouseIcon_; }
    void SetMouseIcon(const PropertyValue& value);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value);

protected:
    explicit SitedControl(ControlPlacement site) : site_(std::move(site)) {}

    // Tells the host that a saved property changed.
    void Changed(const char* property);
    // Shows a changed font.
    virtual void RepaintForFont() = 0;
    // The saved font's parts, then the pointer, set one by one as a control
    // being loaded reads them (each change told to the host).
    void LoadFontPartsAndPointer(const FontDescription& font, bool fontTransparent, const PropertyValue& mouseIcon,
                                 int16_t mousePointer);
    // The saved tab stop, without telling the host.
    void LoadTabStop(bool value) { tabStop_ = value; }
    double TwipsPerPixelX() const;
    double TwipsPerPixelY() const;
    // Follows the form's Resize and Paint events from now on (once; never
    // while the form is being designed).
    void SubscribeToForm(std::function<void()> onResize, std::function<void()> onPaint);

    using MouseEvent = std::function<void(int16_t button, int16_t shift, float x, float y)>;
    // Raises `event` with X and Y (pixels in the control) in twips and the
    // Shift (1), Ctrl (2) and Alt (4) keys held.
    void RaiseMouse(const MouseEvent& event, int16_t button, WPARAM keys, int x, int y) const;
    // The same, with the position as a mouse message carries it.
    void RaiseMouse(const MouseEvent& event, int16_t button, WPARAM keys, LPARAM position) const {
        RaiseMouse(event, button, keys, static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position)));
    }
    // The buttons held during a mouse move: left 1, right 2, middle 4.
    static int16_t ButtonsHeld(WPARAM keys);

    ControlPlacement site_;

private:
    template <class Part, class Value>
    void SetFontPart(Part FontDescription::*part, const Value& value, const char* property);

    bool subscribed_ = false;
    PropertyValue mouseIcon_;
    bool tabStop_ = false;
};

}  // namespace tarvex::host
