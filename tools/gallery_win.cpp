// Every look of the themed controls on one form, for looking at: each
// BorderStyle opaque and see-through, progress bars at several percentages
// in each LegacyProgressStyle (horizontal and vertical), and option and
// check buttons in every state. "--classic" shows the classic look;
// "--exit-after N" closes the form after N seconds.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "controls/host/ThemedForm_win.h"
#include "controls/xp/OptionCheckStates.h"
#include "controls/xp/XPOptionCheck_win.h"
#include "controls/xp/XpControls_win.h"
#include "controls/xp/XpGroupBox_win.h"

using namespace tarvex;
using namespace tarvex::xp;

namespace {

struct Gallery {
    host::ThemedForm form{"frmGallery", "Tarvex themed controls", 1000, 740};
    std::vector<std::unique_ptr<XpGroupBox>> boxes;
    std::vector<std::unique_ptr<XPOptionCheck>> buttons;

    host::ControlPlacement Site(const std::string& name) {
        return host::ControlPlacement{&form, name, host::FontDescription{"MS Sans Serif", 8.0f}, nullptr};
    }

    void Label(int x, int y, const std::string& text) {
        HDC dc = form.TargetDC();
        SetBkMode(dc, TRANSPARENT);
        SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
    }

    XpGroupBox& Box(int x, int y, int w, int h, const std::string& caption, HWND parent = nullptr) {
        auto box = XpGroupBox::Create(parent ? parent : form.Handle(), x, y, w, h, Site(caption));
        XpGroupBox& ref = *box;
        ref.SetCaption(caption);
        form.AddControl(box.get());
        boxes.push_back(std::move(box));
        return ref;
    }

    XPOptionCheck& Button(int x, int y, int32_t type, const std::string& caption, HWND parent = nullptr) {
        auto button = XPOptionCheck::Create(parent ? parent : form.Handle(), x, y, Site(caption));
        XPOptionCheck& ref = *button;
        ref.SetControlType(type);
        ref.SetCaption(caption);
        form.AddControl(button.get());
        buttons.push_back(std::move(button));
        return ref;
    }

    // A striped background under the see-through row, so that what lies
    // behind the controls is plain to see.
    void Backdrop(int x, int y, int w, int h) {
        HDC dc = form.TargetDC();
        for (int i = 0; i < w; i += 8) {
            host::BrushHandle brush(CreateSolidBrush(RGB(180 + (i / 8) % 2 * 40, 200, 230)));
            RECT stripe{x + i, y, x + i + 8, y + h};
            FillRect(dc, &stripe, brush.Get());
        }
    }

    void Build() {
        form.SetAutoRedraw(true);
        form.ClearTarget();
        const char* styles[] = {"None", "XpFrame", "EtchedFrame", "XpEdit", "XpProgress", "XpTab"};
        Label(8, 4, "BorderStyle, opaque:");
        Label(8, 92, "BorderStyle, transparent (over stripes):");
        Backdrop(0, 106, 1000, 76);
        for (int i = 0; i < 6; ++i) {
            for (int row = 0; row < 2; ++row) {
                XpGroupBox& box = Box(8 + i * 165, 20 + row * 92, 155, 66, std::string("&") + styles[i]);
                box.SetBackStyle(row == 0 ? BackStyles::Opaque : BackStyles::Transparent);
                box.SetShowPercentage(true);
                box.SetPercentage(50);
                box.SetBorderStyle(i);
            }
        }
        const int percentages[] = {0, 1, 12, 50, 99, 100};
        const char* legacy[] = {"LegacyVertical", "LegacyBlocks", "LegacySmooth"};
        int y = 196;
        for (int style : {1, 2, 0}) {
            Label(8, y, std::string("XpProgress, horizontal, ") + legacy[style] + ", 0 1 12 50 99 100:");
            for (int i = 0; i < 6; ++i) {
                XpGroupBox& bar = Box(8 + i * 165, y + 16, 155, 22, "Progress");
                bar.SetLegacyProgressStyle(style);
                bar.SetShowPercentage(true);
                bar.SetBorderStyle(BorderStyles::XpProgress);
                bar.SetPercentage(percentages[i]);
            }
            y += 48;
        }
        Label(8, y, "XpProgress, vertical, LegacyVertical / LegacyBlocks / LegacySmooth, 0 1 12 50 99 100:");
        for (int style : {0, 1, 2})
            for (int i = 0; i < 6; ++i) {
                XpGroupBox& bar = Box(8 + (style * 6 + i) * 54, y + 16, 44, 110, "Progress");
                bar.SetLegacyProgressStyle(style);
                bar.SetShowPercentage(true);
                bar.SetBorderStyle(BorderStyles::XpProgress);
                bar.SetPercentage(percentages[i]);
            }
        y += 136;
        Label(8, y, "XPOptionCheck: normal, hot, pressed, disabled; unchecked, checked, mixed; focus; Themed off:");
        const char* values[] = {"unchecked", "checked", "mixed"};
        const char* looks[] = {"normal", "hot", "pressed", "disabled"};
        for (int type = 0; type < 2; ++type)
            for (int value = 0; value < 3; ++value)
                for (int look = 0; look < 4; ++look) {
                    const int x = 8 + look * 160;
                    const int row = type * 3 + value;
                    // Each option in a container of its own, so that pressing one
                    // does not uncheck the others.
                    HWND container = nullptr;
                    int cx = x, cy = y + 18 + row * 22;
                    if (type == 1) {
                        XpGroupBox& cell = Box(cx, cy, 155, 20, "", nullptr);
                        cell.SetBorderStyle(BorderStyles::None);
                        container = cell.hWnd();
                        cx = cy = 0;
                    }
                    XPOptionCheck& button = Button(
                        cx, cy, type == 0 ? ControlTypes::CheckBox : ControlTypes::OptionButton,
                        std::string(type == 0 ? "&Check " : "&Option ") + values[value] + " " + looks[look], container);
                    button.SetValue(value);
                    if (look == 3) button.SetEnabled(false);
                    if (look == 1 || look == 2) SendMessageA(button.hWnd(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
                    if (look == 2) SendMessageA(button.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
                }
        XPOptionCheck& focused = Button(660, y + 18, ControlTypes::CheckBox, "Focused check box");
        focused.SetValue(1);
        XPOptionCheck& unthemed = Button(660, y + 40, ControlTypes::OptionButton, "Themed off, checked");
        unthemed.SetValue(1);
        unthemed.SetThemed(false);
        unthemed.Refresh();
        XPOptionCheck& custom = Button(660, y + 62, ControlTypes::CheckBox, "Custom fore colour");
        custom.SetUseCustomForeColor(true);
        custom.SetForeColor(RGB(200, 0, 0));
        XPOptionCheck& opaque = Button(660, y + 84, ControlTypes::OptionButton, "Opaque, white back colour");
        opaque.SetBackStyle(BackStyles::Opaque);
        opaque.SetBackColor(RGB(255, 255, 255));

        for (auto& box : boxes) box->SetVisible(true);
        for (auto& button : buttons) ShowWindow(button->hWnd(), SW_SHOWNA);
        ShowWindow(form.Handle(), SW_SHOWNORMAL);
        SetFocus(focused.hWnd());
        RefreshXpControls(form);
        // Hot and pressed looks stay as set above: hand the capture back.
        ReleaseCapture();
    }
};

}  // namespace

int main(int argc, char** argv) {
    int exitAfterSeconds = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--classic") == 0) SetClassicLook(true);
        if (std::strcmp(argv[i], "--exit-after") == 0 && i + 1 < argc) exitAfterSeconds = std::atoi(argv[++i]);
    }
    Gallery gallery;
    gallery.Build();
    if (exitAfterSeconds > 0) SetTimer(nullptr, 0, static_cast<UINT>(exitAfterSeconds) * 1000, nullptr);
    MSG message;
    while (IsWindow(gallery.form.Handle()) && GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && message.hwnd == nullptr) break;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
