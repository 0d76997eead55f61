// The colour, font, page-setup and printer dialogs shown for real and
// answered by a helper thread.

#include <windows.h>

#include <dlgs.h>
#include <gtest/gtest.h>

#include "DialogDriver_win.h"
#include "StandInPrinter_win.h"
#include "controls/cmdlg/CommonDialogError.h"
#include "controls/cmdlg/epCmDlg.h"

namespace tarvex::cmdlg {
namespace {

using test::DialogDriver;

// The colour dialog's red, green and blue boxes.
constexpr int kRedBox = 706;
constexpr int kGreenBox = 707;
constexpr int kBlueBox = 708;

int32_t NumberRaisedBy(const std::function<void()>& call) {
    try {
        call();
    } catch (const CommonDialogError& error) {
        return error.Number();
    }
    return 0;
}

void TypeInto(HWND dialog, int id, const std::string& text) {
    test::SetItemText(dialog, id, text);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, EN_UPDATE), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

class OtherDialogs : public ::testing::Test {
protected:
    OtherDialogs() {
        ControlHost host;
        host.ContainerWindow = [this] { return static_cast<void*>(form.Get()); };
        dialog.SetHost(host);
    }

    void UsePrinters(PrinterHost& printers) {
        ControlHost host;
        host.ContainerWindow = [this] { return static_cast<void*>(form.Get()); };
        host.Printers = &printers;
        dialog.SetHost(host);
    }

    test::FormWindow form;
    epCmDlg dialog;
};

TEST_F(OtherDialogs, ColorReturnsTheMixedColourAndNothingAfterCancel) {
    dialog.SetFontColor(77);
    {
        DialogDriver driver([](HWND window) {
            TypeInto(window, kRedBox, "255");
            TypeInto(window, kGreenBox, "0");
            TypeInto(window, kBlueBox, "0");
            test::PressButton(window, IDOK);
        });
        EXPECT_EQ(dialog.ShowColor(), std::optional<int32_t>(RGB(255, 0, 0)));
        EXPECT_TRUE(driver.DialogSeen());
    }
    {
        DialogDriver driver([](HWND window) { test::PressButton(window, IDCANCEL); });
        EXPECT_EQ(dialog.ShowColor(), std::nullopt);
        EXPECT_TRUE(driver.DialogSeen());
    }
    dialog.SetCancelError(true);
    DialogDriver driver([](HWND window) { test::PressButton(window, IDCANCEL); });
    EXPECT_EQ(NumberRaisedBy([&] { dialog.ShowColor(); }), 32755);
    EXPECT_EQ(dialog.FontColor(), 77);
}

}  // namespace
}  // namespace tarvex::cmdlg
