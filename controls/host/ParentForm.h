#pragma once
// What a themed control needs to know about the form that holds it and about
// the other controls on that form. The window implements these; the controls
// only read them. Window handles travel as integers so that this header stays
// free of <windows.h>.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "controls/host/PropertyBag.h"

namespace tarvex::host {

// A window handle as an integer; 0 is "no window".
using WindowHandle = std::uintptr_t;

enum class ControlKind { GroupBox, OptionCheck, TextBox, Label, Other };

// One entry of a form's control list.
class FormControl {
public:
    virtual ~FormControl() = default;

    virtual ControlKind Kind() const = 0;
    // The control's own window; 0 for a windowless control such as a label.
    virtual WindowHandle Window() const = 0;
    // The window the control sits in: the form's or a container control's.
    virtual WindowHandle ContainerWindow() const = 0;
    // Free text that marks controls for form-wide treatment.
    virtual std::string Tag() const = 0;

    // Position in the container's scale (twips).
    virtual double Left() const = 0;
    virtual double Top() const = 0;
    virtual void SetLeft(double twips) = 0;
    virtual void SetTop(double twips) = 0;

    // False for a control without a font; SetFontName then does nothing.
    virtual bool HasFont() const = 0;
    virtual void SetFontName(const std::string& name) = 0;

    // False when the control has no such setting; then nothing changes.
    virtual bool TrySetEnabled(bool enabled) = 0;
    virtual bool TrySetVisible(bool visible) = 0;

    // Repaint now.
    virtual void Refresh() = 0;
};

// The form seen by its controls.
class ParentForm {
public:
    virtual ~ParentForm() = default;

    virtual std::string Name() const = 0;
    virtual WindowHandle Window() const = 0;
    // Every control of the form, in the form's order.
    virtual std::vector<FormControl*> Controls() const = 0;
    // True while the form is being designed; the program itself always runs.
    virtual bool DesignMode() const { return false; }
    // Twips per pixel of the screen the form is on (15 at 96 DPI).
    virtual double TwipsPerPixelX() const = 0;
    virtual double TwipsPerPixelY() const = 0;

    // The form's Resize and Paint events, for controls that repaint with
    // the form. `owner` identifies the subscription for Unsubscribe.
    virtual void SubscribeFormEvents(const void* owner, std::function<void()> onResize, std::function<void()> onPaint) {
        (void)owner, (void)onResize, (void)onPaint;
    }
    virtual void UnsubscribeFormEvents(const void* owner) { (void)owner; }
};

// The host's values for a newly placed control and its link to the form.
struct ControlPlacement {
    ParentForm* Form = nullptr;
    std::string DisplayName;      // the caption a new control starts with
    FontDescription AmbientFont;  // the font a new control starts with
    PropertyChangedCallback PropertyChanged;
};

}  // namespace tarvex::host
