// The colour, font, page-setup and printer dialogs shown for real and
// answered by a helper thread.

#include <windows.h>

#include <dlgs.h>
#include <gtest/gtest.h>

#include "DialogDriver_win.h"
#include "RaisedNumber.h"
#include "StandInPrinter_win.h"
#include "TestPrinter_win.h"
#include "controls/cmdlg/CommonDialogError.h"
#include "controls/cmdlg/epCmDlg.h"

namespace tarvex::cmdlg {
namespace {

using test::DialogDriver;
using test::NumberRaisedBy;

// The colour dialog's red, green and blue boxes.
constexpr int kRedBox = 706;
constexpr int kGreenBox = 707;
constexpr int kBlueBox = 708;

void TypeInto(HWND dialog, int id, const std::string& text) {
    test::SetItemText(dialog, id, text);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, EN_UPDATE), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

class OtherDialogs : public ::testing::Test {
protected:
    OtherDialogs() {
        DialogOwner host;
        host.ContainerWindow = [this] { return static_cast<void*>(form.Get()); };
        dialog.SetHost(host);
    }

    void UsePrinters(PrinterHost& printers) {
        DialogOwner host;
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

std::string ComboText(HWND dialog, int id, LRESULT index) {
    HWND combo = GetDlgItem(dialog, id);
    LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR) return "";
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

TEST_F(OtherDialogs, FontWithoutAnyPrinterFailsBeforeTheDialog) {
    if (!test::NoPrinterInstalled()) GTEST_SKIP() << "this system has a printer";
    DialogDriver driver([](HWND window) { test::PressButton(window, IDCANCEL); });
    EXPECT_EQ(NumberRaisedBy([&] { dialog.ShowFont(); }), 484);
    EXPECT_FALSE(driver.DialogSeen());
    EXPECT_EQ(dialog.FontName(), "Arial");
}

TEST_F(OtherDialogs, FontTakesTheChosenFaceSizeColourAndEffects) {
    test::StandInPrinters printers({std::make_shared<test::StandInPrinter>("Stand-in")});
    UsePrinters(printers);
    std::string face;
    {
        DialogDriver driver([&face](HWND window) {
            // Any face but the first, which the dialog shows at the start.
            LRESULT faces = SendMessageA(GetDlgItem(window, cmb1), CB_GETCOUNT, 0, 0);
            face = ComboText(window, cmb1, faces > 1 ? faces - 1 : 0);
            test::SelectComboItemByText(window, cmb1, face);
            test::SelectComboItemByText(window, cmb2, "Bold Italic");
            test::SelectComboItemByText(window, cmb3, "12");
            test::SelectComboItemByData(window, cmb4, RGB(255, 0, 0));
            SendMessageA(GetDlgItem(window, chx2), BM_CLICK, 0, 0);
            test::PressButton(window, IDOK);
        });
        dialog.ShowFont();
        EXPECT_TRUE(driver.DialogSeen());
        EXPECT_FALSE(driver.ForcedClose());
    }
    EXPECT_EQ(dialog.FontName(), face);
    EXPECT_EQ(dialog.FontSize(), 12);
    EXPECT_EQ(dialog.FontColor(), RGB(255, 0, 0));
    EXPECT_TRUE(dialog.FontBold());
    EXPECT_TRUE(dialog.FontItalic());
    EXPECT_TRUE(dialog.FontUnderline());
    EXPECT_FALSE(dialog.FontStrikethru());

    // Each flag follows the new font, also when its weight is the normal one.
    {
        DialogDriver driver([](HWND window) {
            test::SelectComboItemByText(window, cmb2, "Italic");
            SendMessageA(GetDlgItem(window, chx1), BM_CLICK, 0, 0);
            test::PressButton(window, IDOK);
        });
        dialog.ShowFont();
    }
    EXPECT_FALSE(dialog.FontBold());
    EXPECT_TRUE(dialog.FontItalic());
    EXPECT_FALSE(dialog.FontUnderline());
    EXPECT_TRUE(dialog.FontStrikethru());
    EXPECT_EQ(dialog.FontColor(), RGB(0, 0, 0));

    // A cancel changes nothing, raised or not.
    dialog.SetFontName("Kept");
    for (bool raise : {false, true}) {
        dialog.SetCancelError(raise);
        DialogDriver driver([](HWND window) { test::PressButton(window, IDCANCEL); });
        EXPECT_EQ(NumberRaisedBy([&] { dialog.ShowFont(); }), raise ? 32755 : 0);
        EXPECT_TRUE(driver.DialogSeen());
    }
    EXPECT_EQ(dialog.FontName(), "Kept");
    EXPECT_TRUE(dialog.FontStrikethru());
}

// Without a printer the platform refuses both printer dialogs: Wine says
// so in a message box of its own, then the call fails like a cancel.
TEST_F(OtherDialogs, PageSetupWithoutAnyPrinterReportsThePlatformsRefusal) {
    if (!test::NoPrinterInstalled()) GTEST_SKIP() << "this system has a printer";
    {
        DialogDriver driver([](HWND window) { test::PressButton(window, IDOK); });
        EXPECT_EQ(NumberRaisedBy([&] { dialog.ShowPageSetup(); }), 0);
        EXPECT_TRUE(driver.DialogSeen());
    }
    dialog.SetCancelError(true);
    DialogDriver driver([](HWND window) { test::PressButton(window, IDOK); });
    EXPECT_EQ(NumberRaisedBy([&] { dialog.ShowPageSetup(); }), 32755);
}

TEST_F(OtherDialogs, PrinterWithoutAnyPrinterFailsBeforeTheDialog) {
    if (!test::NoPrinterInstalled()) GTEST_SKIP() << "this system has a printer";
    dialog.SetCancelError(true);
    DialogDriver driver([](HWND window) { test::PressButton(window, IDCANCEL); });
    EXPECT_EQ(NumberRaisedBy([&] { dialog.ShowPrinter(); }), 484);
    EXPECT_FALSE(driver.DialogSeen());
}

// A printer the spooler does not know: the settings are still handed over,
// and the platform's refusal is a cancel that leaves them as they were.
TEST_F(OtherDialogs, PrinterUnknownToThePlatformIsRefusedAndKeepsItsSettings) {
    if (!test::NoPrinterInstalled()) GTEST_SKIP() << "this system has a printer";
    auto standIn = std::make_shared<test::StandInPrinter>("Stand-in");
    test::StandInPrinters printers({standIn});
    UsePrinters(printers);
    dialog.SetCancelError(true);
    DialogDriver driver([](HWND window) { test::PressButton(window, IDOK); });
    EXPECT_EQ(NumberRaisedBy([&] { dialog.ShowPrinter(); }), 32755);
    EXPECT_TRUE(driver.DialogSeen());
    EXPECT_EQ(printers.CurrentPrinter(), standIn);
    EXPECT_EQ(standIn->copies, 1);
    EXPECT_EQ(standIn->orientation, DMORIENT_LANDSCAPE);
}

}  // namespace
}  // namespace tarvex::cmdlg
