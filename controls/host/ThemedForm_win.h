#pragma once
// A top-level form that holds themed controls: it keeps their list, gives
// them its persistent image to copy their see-through background from, and
// tells them when it is resized or painted.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/host/PaintTarget_win.h"
#include "controls/host/ParentForm.h"
#include "controls/host/PersistentImage_win.h"
#include "controls/host/WindowBase_win.h"

namespace tarvex::host {

class ThemedForm : public WindowBase, public ParentForm, public PaintTarget {
public:
    // A form with a client area of the given size in pixels.
    ThemedForm(std::string name, const char* title, int clientWidth, int clientHeight);

    void AddControl(FormControl* control) { controls_.push_back(control); }
    void RemoveControl(FormControl* control);

    // ParentForm
    std::string Name() const override { return name_; }
    WindowHandle Window() const override { return reinterpret_cast<WindowHandle>(Handle()); }
    std::vector<FormControl*> Controls() const override { return controls_; }
    double TwipsPerPixelX() const override;
    double TwipsPerPixelY() const override;
    void SubscribeFormEvents(const void* owner, std::function<void()> onResize, std::function<void()> onPaint) override;
    void UnsubscribeFormEvents(const void* owner) override;

    // PaintTarget
    HWND TargetWindow() const override { return Handle(); }
    HDC TargetDC() override { return image_.DC(); }
    std::string TargetName() const override { return name_; }
    void SetTargetBackColor(uint32_t oleColour) override;
    void SetAutoRedraw(bool on) override { autoRedraw_ = on; }
    void ClearTarget() override;
    ParentForm* TargetForm() override { return this; }

    bool AutoRedraw() const { return autoRedraw_; }
    PersistentImage& Image() { return image_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // A theme, system colour or setting changed (the message says which):
    // the form's image is filled again with its colour and every control on
    // it, standard or self-drawn, is handed the message, containers before
    // what they hold, so that all of them take on the new look.
    virtual void AppearanceChanged(UINT message, WPARAM wParam, LPARAM lParam);
    // Hands the message to every window on the form.
    void PassToControls(UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct Subscription {
        const void* Owner;
        std::function<void()> OnResize, OnPaint;
    };
    void Notify(bool resize);

    std::string name_;
    std::vector<FormControl*> controls_;
    std::vector<Subscription> subscriptions_;
    PersistentImage image_;
    uint32_t backColor_ = 0x8000000F;
    bool autoRedraw_ = false;
};

}  // namespace tarvex::host
