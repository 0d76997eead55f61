#pragma once
// What every self-drawn control on a form shares: its site on the form, its
// place in twips, the form's Resize and Paint events, the property-changed
// notification and mouse events in twips.

#include <windows.h>

#include <cstdint>
#include <functional>

#include "controls/host/FormHost.h"
#include "controls/host/Surface_win.h"

namespace tarvex::host {

class SitedControl : public Surface, public HostedControl {
public:
    ~SitedControl() override;

    // HostedControl: the place within the container, in twips.
    WindowHandle ContainerWindow() const override;
    double Left() const override;
    double Top() const override;
    void SetLeft(double twips) override;
    void SetTop(double twips) override;

protected:
    explicit SitedControl(ControlSite site) : site_(std::move(site)) {}

    // Tells the host that a saved property changed.
    void Changed(const char* property);
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

    ControlSite site_;

private:
    bool subscribed_ = false;
};

}  // namespace tarvex::host
