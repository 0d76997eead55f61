// The open and save dialogs shown for real and answered by a helper thread.

#include <windows.h>

#include <dlgs.h>
#include <gtest/gtest.h>

#include "DialogDriver_win.h"
#include "controls/cmdlg/CommonDialogError.h"
#include "controls/cmdlg/epCmDlg.h"
#include "support/TempFolder.h"

namespace tarvex::cmdlg {
namespace {

using test::DialogDriver;

const char* kSubtitleFilter =
    "File Subtitle (*.srt;*.txt)|*.srt;*.txt|SRT File Format (*.srt)|*.srt|TXT Simple Time Format (*.txt)|*.txt|"
    "All File (*.*)|*.*|";

class FileDialogs : public ::testing::Test {
protected:
    FileDialogs() {
        DialogOwner host;
        host.ContainerWindow = [this] { return static_cast<void*>(form.Get()); };
        dialog.SetHost(host);
        dialog.SetFilter(kSubtitleFilter);
        dialog.SetInitialDir(folder.Path());
        tarvex::test::WriteBytes(folder / "a.srt", "1\r\n");
        tarvex::test::WriteBytes(folder / "b.srt", "2\r\n");
    }

    tarvex::test::TempFolder folder;
    test::FormWindow form;
    epCmDlg dialog;
};

TEST_F(FileDialogs, OpenOneFileFillsBothCollectionsButNotFilterIndex) {
    dialog.SetCancelError(true);
    dialog.SetDialogTitle("Select Input Subtitle");
    dialog.SetFilterIndex(1);
    HWND owner = nullptr;
    {
        DialogDriver driver([&owner](HWND window) {
            owner = GetWindow(window, GW_OWNER);
            // The user picks another filter before choosing the file.
            test::SelectComboItemByText(window, cmb1, "All File (*.*)");
            test::TypeFileNameAndConfirm(window, "b.srt");
        });
        dialog.ShowOpen();
        EXPECT_TRUE(driver.DialogSeen());
        EXPECT_FALSE(driver.ForcedClose());
        EXPECT_EQ(driver.Caption(), "Select Input Subtitle");
    }
    EXPECT_EQ(owner, form.Get());
    ASSERT_TRUE(dialog.cFileName.has_value());
    EXPECT_EQ(dialog.cFileName->Items(), std::vector<std::string>{folder / "b.srt"});
    EXPECT_EQ(dialog.cFileTitle->Items(), std::vector<std::string>{"b.srt"});
    EXPECT_EQ(dialog.FilterIndex(), 1);
    EXPECT_EQ(dialog.InitialDir(), folder.Path());
}

TEST_F(FileDialogs, MultipleSelectionGivesEachFileInOrder) {
    dialog.SetMultiSelect(true);
    DialogDriver driver([](HWND window) { test::TypeFileNameAndConfirm(window, "\"b.srt\" \"a.srt\""); });
    dialog.ShowOpen();
    EXPECT_TRUE(driver.DialogSeen());
    ASSERT_TRUE(dialog.cFileName.has_value());
    EXPECT_EQ(dialog.cFileName->Items(), (std::vector<std::string>{folder / "b.srt", folder / "a.srt"}));
    EXPECT_EQ(dialog.cFileTitle->Items(), (std::vector<std::string>{"b.srt", "a.srt"}));
}

TEST_F(FileDialogs, MultipleSelectionOfOneFileGivesItsFullPath) {
    dialog.SetMultiSelect(true);
    DialogDriver driver([](HWND window) { test::TypeFileNameAndConfirm(window, "a.srt"); });
    dialog.ShowOpen();
    EXPECT_TRUE(driver.DialogSeen());
    ASSERT_TRUE(dialog.cFileName.has_value());
    EXPECT_EQ(dialog.cFileName->Items(), std::vector<std::string>{folder / "a.srt"});
    EXPECT_EQ(dialog.cFileTitle->Items(), std::vector<std::string>{"a.srt"});
}

TEST_F(FileDialogs, MultipleSelectionInADriveRootHasNoDoubledBackslash) {
    const std::string first = "C:\\tarvex_cmdlg_first.srt";
    const std::string second = "C:\\tarvex_cmdlg_second.srt";
    tarvex::test::WriteBytes(first, "1\r\n");
    tarvex::test::WriteBytes(second, "2\r\n");
    dialog.SetMultiSelect(true);
    dialog.SetInitialDir("C:\\");
    {
        DialogDriver driver([](HWND window) {
            test::TypeFileNameAndConfirm(window, "\"tarvex_cmdlg_first.srt\" \"tarvex_cmdlg_second.srt\"");
        });
        dialog.ShowOpen();
    }
    DeleteFileA(first.c_str());
    DeleteFileA(second.c_str());
    ASSERT_TRUE(dialog.cFileName.has_value());
    EXPECT_EQ(dialog.cFileName->Items(), (std::vector<std::string>{first, second}));
    EXPECT_EQ(dialog.cFileTitle->Items(),
              (std::vector<std::string>{"tarvex_cmdlg_first.srt", "tarvex_cmdlg_second.srt"}));
}

TEST_F(FileDialogs, CancelWithCancelErrorRaisesAndKeepsTheEarlierAnswer) {
    {
        DialogDriver driver([](HWND window) { test::TypeFileNameAndConfirm(window, "a.srt"); });
        dialog.ShowOpen();
    }
    ASSERT_TRUE(dialog.cFileName.has_value());
    dialog.SetCancelError(true);
    DialogDriver driver([](HWND window) { test::PressButton(window, IDCANCEL); });
    try {
        dialog.ShowOpen();
        ADD_FAILURE() << "no cancel error";
    } catch (const CommonDialogError& error) {
        EXPECT_EQ(error.Number(), 32755);
        EXPECT_EQ(error.Source(), "tarvex_cmdlg_dialog_tests");
        EXPECT_EQ(error.Description(), "Cancel was selected.");
        EXPECT_EQ(error.HelpFile(), "cmdlg98.chm");
        EXPECT_EQ(error.HelpContext(), 32755);
    }
    EXPECT_TRUE(driver.DialogSeen());
    EXPECT_EQ(dialog.cFileName->Items(), std::vector<std::string>{folder / "a.srt"});
    EXPECT_EQ(dialog.cFileTitle->Items(), std::vector<std::string>{"a.srt"});
}

TEST_F(FileDialogs, CancelWithoutCancelErrorReturnsAndLeavesCollectionsAbsent) {
    DialogDriver driver([](HWND window) { test::PressButton(window, IDCANCEL); });
    dialog.ShowSave();
    EXPECT_TRUE(driver.DialogSeen());
    EXPECT_FALSE(dialog.cFileName.has_value());
    EXPECT_FALSE(dialog.cFileTitle.has_value());
}

TEST_F(FileDialogs, SaveReturnsTheTypedNameAsIs) {
    dialog.SetDialogTitle("Save Subtitle");
    dialog.SetDefaultFilename("out");
    dialog.SetFilterIndex(2);
    DialogDriver driver([](HWND window) { test::TypeFileNameAndConfirm(window, "new.srt"); });
    dialog.ShowSave();
    EXPECT_EQ(driver.Caption(), "Save Subtitle");
    ASSERT_TRUE(dialog.cFileName.has_value());
    EXPECT_EQ(dialog.cFileName->Items(), std::vector<std::string>{folder / "new.srt"});
    EXPECT_EQ(dialog.cFileTitle->Items(), std::vector<std::string>{"new.srt"});
}

TEST_F(FileDialogs, TooLongDefaultFilenameFailsBeforeAnyDialog) {
    dialog.SetDefaultFilename(std::string(261, 'x'));
    DialogDriver driver([](HWND window) { test::PressButton(window, IDCANCEL); });
    try {
        dialog.ShowSave();
        ADD_FAILURE() << "no error";
    } catch (const CommonDialogError& error) {
        EXPECT_EQ(error.Number(), 5);
    }
    EXPECT_FALSE(driver.DialogSeen());
}

}  // namespace
}  // namespace tarvex::cmdlg
