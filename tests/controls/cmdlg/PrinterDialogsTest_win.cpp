// The dialogs that need a printer, with a real one installed in a Wine
// prefix of their own (see the test's CMake entry).

#include <windows.h>

#include <dlgs.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "DialogDriver_win.h"
#include "RaisedNumber.h"
#include "TestPrinter_win.h"
#include "controls/cmdlg/CommonDialogError.h"
#include "controls/cmdlg/SystemPrinters_win.h"
#include "controls/cmdlg/epCmDlg.h"

namespace tarvex::cmdlg {
namespace {

using test::NumberRaisedBy;

using test::DialogDriver;

class RealPrinter : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("TARVEX_TEST_PRINTER")) GTEST_SKIP() << "needs the printer prefix";
        ASSERT_TRUE(test::InstallTestPrinter());
        DialogOwner host;
        host.ContainerWindow = [this] { return static_cast<void*>(form.Get()); };
        dialog.SetHost(host);
        // Each test starts from the system's default printer.
        ProgramPrinters().SetCurrentPrinter(nullptr);
    }

    test::FormWindow form;
    epCmDlg dialog;
};

TEST_F(RealPrinter, PrinterDialogAppliesTheChosenCopiesToTheCurrentPrinter) {
    std::shared_ptr<Printer> before = ProgramPrinters().CurrentPrinter();
    ASSERT_EQ(before->DeviceName(), test::kTestPrinterName);
    ASSERT_NE(before->Copies(), 3);
    std::string shown;
    {
        DialogDriver driver([&shown](HWND window) {
            char name[64] = {};
            GetDlgItemTextA(window, cmb4, name, sizeof name);
            shown = name;
            test::SetItemText(window, edt3, "3");
            test::PressButton(window, IDOK);
        });
        dialog.ShowPrinter();
        EXPECT_EQ(driver.Caption(), "Print");
        EXPECT_FALSE(driver.ForcedClose());
    }
    EXPECT_EQ(shown, test::kTestPrinterName);
    // The name comes back in upper case, which differs from the current
    // printer's: the installed printer of that name becomes current.
    std::shared_ptr<Printer> after = ProgramPrinters().CurrentPrinter();
    EXPECT_NE(after, before);
    EXPECT_EQ(after->DeviceName(), test::kTestPrinterName);
    EXPECT_EQ(after->Copies(), 3);
}

TEST_F(RealPrinter, PrinterNamedInUpperCaseStaysTheSameObject) {
    ASSERT_TRUE(test::InstallTestPrinter("TARVEX UPPER"));
    std::shared_ptr<Printer> upper = OpenSystemPrinter("TARVEX UPPER");
    ProgramPrinters().SetCurrentPrinter(upper);
    DialogDriver driver([](HWND window) { test::PressButton(window, IDOK); });
    dialog.ShowPrinter();
    EXPECT_TRUE(driver.DialogSeen());
    EXPECT_EQ(ProgramPrinters().CurrentPrinter(), upper);
}

TEST_F(RealPrinter, PrinterDialogCancelledChangesNothing) {
    std::shared_ptr<Printer> before = ProgramPrinters().CurrentPrinter();
    int16_t copies = before->Copies();
    dialog.SetCancelError(true);
    DialogDriver driver([](HWND window) {
        test::SetItemText(window, edt3, "7");
        test::PressButton(window, IDCANCEL);
    });
    EXPECT_EQ(NumberRaisedBy([&] { dialog.ShowPrinter(); }), 32755);
    EXPECT_TRUE(driver.DialogSeen());
    EXPECT_EQ(ProgramPrinters().CurrentPrinter(), before);
    EXPECT_EQ(before->Copies(), copies);
}

TEST_F(RealPrinter, PageSetupShowsItsDialog) {
    {
        DialogDriver driver([](HWND window) { test::PressButton(window, IDOK); });
        EXPECT_EQ(NumberRaisedBy([&] { dialog.ShowPageSetup(); }), 0);
        EXPECT_TRUE(driver.DialogSeen());
        EXPECT_FALSE(driver.ForcedClose());
    }
    dialog.SetCancelError(true);
    DialogDriver driver([](HWND window) { test::PressButton(window, IDCANCEL); });
    EXPECT_EQ(NumberRaisedBy([&] { dialog.ShowPageSetup(); }), 32755);
    EXPECT_TRUE(driver.DialogSeen());
}

TEST_F(RealPrinter, FontDialogOnThePrintersContext) {
    DialogDriver driver([](HWND window) {
        test::SelectComboItemByText(window, cmb3, "14");
        test::PressButton(window, IDOK);
    });
    dialog.ShowFont();
    EXPECT_TRUE(driver.DialogSeen());
    EXPECT_FALSE(driver.ForcedClose());
    EXPECT_EQ(dialog.FontSize(), 14);
    EXPECT_FALSE(dialog.FontName().empty());
}

}  // namespace
}  // namespace tarvex::cmdlg
