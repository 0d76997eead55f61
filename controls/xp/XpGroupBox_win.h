#pragma once
// XpGroupBox: a container drawn as a themed or classic frame, an edit-like
// box, a tab page, or (BorderStyle XpProgress) a progress bar showing
// Percentage. Window text is the Caption; XPM_GETPERCENTAGE answers the
// percentage, which a shown themed bar also has as its label's text.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/host/LoadedLibrary_win.h"
#include "controls/host/PaintTarget_win.h"
#include "controls/host/ParentForm.h"
#include "controls/host/SitedControl_win.h"
#include "controls/xp/GroupBoxGeometry.h"
#include "controls/xp/GroupBoxProperties.h"
#include "controls/xp/ProgressChildren_win.h"

namespace tarvex::xp {

// Answers the current Percentage (0..100).
constexpr UINT XPM_GETPERCENTAGE = WM_USER + 0x58;

class XpGroupBox : public host::SitedControl, public host::PaintTarget {
public:
    // A new control (its values as a newly placed one), hidden until shown.
    static std::unique_ptr<XpGroupBox> Create(HWND parent, int x, int y, int width, int height,
                                              host::ControlPlacement site);
    ~XpGroupBox() override;

    // Values of a newly placed control, or the saved ones of a form.
    void InitProperties();
    void ReadProperties(const host::PropertyBag& bag);
    void WriteProperties(host::PropertyBag& bag) const;

    int32_t BorderStyle() const { return p_.BorderStyle; }
    void SetBorderStyle(int32_t value);
    int32_t BackStyle() const { return p_.BackStyle; }
    void SetBackStyle(int32_t value);
    const std::string& Caption() const { return p_.Caption; }
    void SetCaption(const std::string& value);
    int16_t Percentage() const { return p_.Percentage; }
    void SetPercentage(int32_t value);
    bool ShowPercentage() const { return p_.ShowPercentage; }
    void SetShowPercentage(bool value);
    int32_t LegacyProgressStyle() const { return p_.LegacyProgressStyle; }
    void SetLegacyProgressStyle(int32_t value);
    bool UseParentFormhDC() const { return p_.UseParentFormhDC; }
    void SetUseParentFormhDC(bool value);
    int32_t DisabledBehavior() const { return p_.DisabledBehavior; }
    void SetDisabledBehavior(int32_t value);
    int32_t VisibleBehavior() const { return p_.VisibleBehavior; }
    void SetVisibleBehavior(int32_t value);
    bool Visible() const { return p_.Visible; }
    void SetVisible(bool value);
    bool Enabled() const { return SurfaceEnabled(); }
    void SetEnabled(bool value);
    uint32_t BackColor() const { return SurfaceBackColor(); }
    void SetBackColor(uint32_t value);
    uint32_t ForeColor() const { return SurfaceForeColor(); }
    void SetForeColor(uint32_t value);
    void SetFont(const host::FontDescription& value);
    // A failed size change leaves the font as it was.
    void SetFontSize(float value) override;
    // The setting is only stored and saved; what is read is whether the
    // surface has a device context of its own (it always keeps one).
    bool HasDC() const { return SurfaceDC() != nullptr; }
    void SetHasDC(bool value);
    HWND hWnd() const { return Handle(); }
    HDC hDC() const { return SurfaceDC(); }
    std::vector<host::FormControl*> ControlsContained() const;

    void SetTag(std::string tag) { tag_ = std::move(tag); }

    // Lets pending messages run, then lays out and paints.
    void Refresh() override;

    // Painting (see PaintGroupBox_win.cpp and DrawLegacyProgress_win.cpp).
    void PaintGroupBox();
    bool DrawLegacyProgress(int16_t percentage, uint32_t barBackground, uint32_t barColour, uint32_t textColour,
                            bool showText);
    void DrawDesignOutline();
    void PaintTransparentBackground();
    RECT GetRectInParent() const;

    // Inspection of the children and private state, for tests and tools.
    HWND ProgressPicWindow() const { return progressPic_->Handle(); }
    ProgressPicture& ProgressPic() { return *progressPic_; }
    HWND PercentageLabelWindow() const { return lblPercentage_->Handle(); }
    bool HasAccelerator() const { return hasAccelerator_; }
    int16_t LastDrawnPercentage() const { return lastDrawnPercentage_; }

    // Events raised to the form; X and Y in twips.
    std::function<void()> Click, DblClick;
    std::function<void(int16_t button, int16_t shift, float x, float y)> MouseDown, MouseMove, MouseUp;

    // FormControl
    host::ControlKind Kind() const override { return host::ControlKind::GroupBox; }
    host::WindowHandle Window() const override { return reinterpret_cast<host::WindowHandle>(Handle()); }
    std::string Tag() const override { return tag_; }
    bool HasFont() const override { return true; }
    bool TrySetVisible(bool visible) override;
    bool TrySetEnabled(bool enabled) override;

    // PaintTarget: contained controls copy their background from here.
    HWND TargetWindow() const override { return Handle(); }
    HDC TargetDC() override { return SurfaceDC(); }
    std::string TargetName() const override { return Caption(); }
    void SetTargetBackColor(uint32_t colour) override { SetBackColor(colour); }
    void SetAutoRedraw(bool) override {}  // the image is always kept
    void ClearTarget() override { Cls(); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnResize() override { LayoutAndPaint(); }
    void RepaintForFont() override { Repaint(); }

private:
    explicit XpGroupBox(host::ControlPlacement site);
    void Repaint() { PaintGroupBox(); }
    void LayoutAndPaint();
    void LayoutProgressPic();
    CaptionMeasures MeasureCaption() const;
    void PaintClassic(const CaptionMeasures& m);
    void PaintThemed(const CaptionMeasures& m);
    void PaintThemedProgress();
    void DrawClassicCaption(const XpRect& rect);

    host::LoadedLibrary shellLibrary_{"shell32.dll"};
    GroupBoxProperties p_;
    bool hasAccelerator_ = false;
    HWND controlHandle_ = nullptr;
    int16_t lastDrawnPercentage_ = 0;
    bool leftDown_ = false;
    std::string tag_;
    std::unique_ptr<ProgressPicture> progressPic_;
    std::unique_ptr<PercentageLabel> lblPercentage_;
};

}  // namespace tarvex::xp
