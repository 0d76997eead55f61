#pragma once
// The two child windows of the progress look: the picture box the classic
// bar is drawn into, and the label that shows the themed bar's percentage.

#include <windows.h>

#include <memory>

#include "controls/host/Surface_win.h"
#include "controls/host/WindowBase_win.h"

namespace tarvex::xp {

// A picture box with its persistent image always on.
class ProgressPicture : public host::Surface {
public:
    static std::unique_ptr<ProgressPicture> Create(HWND parent);

private:
    ProgressPicture() = default;
};

// A label whose text is read back as the current percentage. It draws its
// text over the parent surface's image, so it looks see-through.
class PercentageLabel : public host::WindowBase {
public:
    // `surface` is the parent whose image lies behind the label.
    static std::unique_ptr<PercentageLabel> Create(host::Surface& surface);

    void SetText(const std::string& text);
    std::string Text() const;
    // Top-left in the parent; the label sizes itself to its text.
    void Place(int left, int top);
    void Show(bool visible);
    bool IsShown() const;
    void Redraw();

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    explicit PercentageLabel(host::Surface& surface) : surface_(surface) {}
    host::Surface& surface_;
};

}  // namespace tarvex::xp
