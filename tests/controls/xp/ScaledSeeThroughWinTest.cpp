// The see-through copy at every display scale: what a transparent control
// shows must be exactly the part of the form behind it, also where twips per
// pixel is not a whole number (7.5 at 192 DPI, 8.57 at 168 DPI).
#include "XpWinFixture.h"

#include "controls/host/Twips.h"
#include "controls/xp/OptionCheckStates.h"
#include "controls/xp/XPOptionCheck_win.h"
#include "controls/xp/XpGroupBox_win.h"

namespace tarvex::xp::testing {
namespace {

class ScaledForm : public host::ThemedForm {
public:
    explicit ScaledForm(int dotsPerInch)
        : ThemedForm("frmScaled", "scaled", 400, 300), twipsPerPixel_(host::TwipsPerPixel(dotsPerInch)) {}
    double TwipsPerPixelX() const override { return twipsPerPixel_; }
    double TwipsPerPixelY() const override { return twipsPerPixel_; }

private:
    double twipsPerPixel_;
};

// A form image where every pixel tells its own place.
void PaintPlaces(ScaledForm& form) {
    form.SetAutoRedraw(true);
    HDC dc = form.TargetDC();
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x) SetPixel(dc, x, y, RGB(x % 256, y % 256, (x / 256) * 64 + 32));
}

using ScaledSeeThrough = XpWinTest;

TEST_F(ScaledSeeThrough, FrameAndOptionCopyExactlyWhatLiesBehindThemAtEveryScale) {
    for (int dpi : {96, 120, 144, 168, 192}) {
        SCOPED_TRACE(dpi);
        ScaledForm scaled(dpi);
        PaintPlaces(scaled);
        host::ControlPlacement site{&scaled, "Frame", host::FontDescription{"MS Sans Serif", 8.0f}, nullptr};

        auto box = XpGroupBox::Create(scaled.Handle(), 211, 137, 120, 90, site);
        scaled.AddControl(box.get());
        box->SetCaption("");
        box->SetBorderStyle(BorderStyles::None);  // nothing drawn over the copy
        for (int y : {5, 45, 85})
            for (int x : {3, 60, 117})
                EXPECT_EQ(GetPixel(box->hDC(), x, y), GetPixel(scaled.TargetDC(), 211 + x, 137 + y)) << x << "," << y;

        site.DisplayName = "Option";
        auto option = XPOptionCheck::Create(scaled.Handle(), 293, 251, site);
        scaled.AddControl(option.get());
        option->SetControlType(ControlTypes::OptionButton);
        option->SetCaption("Option");
        // The rows above the glyph and the caption show only the copy.
        for (int x = 0; x < 40; x += 7)
            EXPECT_EQ(GetPixel(option->hDC(), x, 0), GetPixel(scaled.TargetDC(), 293 + x, 251)) << x;

        scaled.RemoveControl(option.get());
        scaled.RemoveControl(box.get());
    }
}

}  // namespace
}  // namespace tarvex::xp::testing
