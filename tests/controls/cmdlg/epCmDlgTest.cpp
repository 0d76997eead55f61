#include <gtest/gtest.h>

#include "controls/cmdlg/CommonDialogError.h"
#include "controls/cmdlg/RaisedNumber.h"
#include "controls/cmdlg/epCmDlg.h"

namespace tarvex::cmdlg {
namespace {

DialogOwner HostRecording(std::vector<std::string>& changed) {
    DialogOwner host;
    host.PropertyChanged = [&changed](std::string_view name) { changed.emplace_back(name); };
    return host;
}

TEST(epCmDlg, NewControlHasItsInitialValuesAndFixedSize) {
    epCmDlg dialog;
    EXPECT_FALSE(dialog.cFileName.has_value());
    EXPECT_FALSE(dialog.cFileTitle.has_value());
    EXPECT_FALSE(dialog.CancelError());
    EXPECT_FALSE(dialog.MultiSelect());
    EXPECT_EQ(dialog.FilterIndex(), 1);
    EXPECT_EQ(dialog.Filter(), "");
    EXPECT_EQ(dialog.FontName(), "Arial");
    EXPECT_EQ(dialog.FontSize(), 10);
    EXPECT_EQ(dialog.FontColor(), 0);
    EXPECT_FALSE(dialog.FontBold() || dialog.FontItalic() || dialog.FontUnderline() || dialog.FontStrikethru());
    dialog.Resize(2000, 15);
    EXPECT_EQ(dialog.Width(), 375);
    EXPECT_EQ(dialog.Height(), 360);
}

TEST(epCmDlg, SavedPropertySettersTellTheHostAndFontSettersDoNot) {
    std::vector<std::string> changed;
    epCmDlg dialog(HostRecording(changed));
    dialog.SetCancelError(true);
    dialog.SetMultiSelect(true);
    dialog.SetDefaultFilename("a.srt");
    dialog.SetDialogTitle("Title");
    dialog.SetInitialDir("C:\\");
    dialog.SetFilter("All|*.*|");
    dialog.SetFilterIndex(2);
    dialog.SetFontName("Tahoma");
    dialog.SetFontSize(12);
    dialog.SetFontColor(255);
    dialog.SetFontBold(true);
    dialog.SetFontItalic(true);
    dialog.SetFontUnderline(true);
    dialog.SetFontStrikethru(true);
    EXPECT_EQ(changed, (std::vector<std::string>{"CancelError", "MultiSelect", "DefaultFilename", "DialogTitle",
                                                 "InitialDir", "Filter", "FilterIndex"}));
    EXPECT_EQ(dialog.FilterIndex(), 2);
    EXPECT_TRUE(dialog.FontStrikethru());
}

TEST(epCmDlg, PropertyBagRoundTripWritesOnlyChangedValues) {
    host::PropertyBag untouched;
    epCmDlg().WriteProperties(untouched);
    EXPECT_TRUE(untouched.Entries().empty());

    epCmDlg saved;
    saved.SetFilterIndex(3);
    saved.SetCancelError(true);
    saved.SetFilter("Text|*.txt|");
    saved.SetMultiSelect(true);
    saved.SetFontName("Courier");
    host::PropertyBag bag;
    saved.WriteProperties(bag);
    std::vector<std::string> keys;
    for (const auto& entry : bag.Entries()) keys.push_back(entry.first);
    EXPECT_EQ(keys, (std::vector<std::string>{"CancelError", "Filter", "FilterIndex", "MultiSelect"}));

    std::vector<std::string> changed;
    epCmDlg loaded(HostRecording(changed));
    loaded.cFileName.emplace().Add("C:\\old.srt");
    loaded.ReadProperties(bag);
    EXPECT_TRUE(loaded.CancelError());
    EXPECT_TRUE(loaded.MultiSelect());
    EXPECT_EQ(loaded.Filter(), "Text|*.txt|");
    EXPECT_EQ(loaded.FilterIndex(), 3);
    EXPECT_EQ(loaded.DialogTitle(), "");
    // Loading is not an edit, and the unsaved font properties start empty.
    EXPECT_TRUE(changed.empty());
    EXPECT_EQ(loaded.FontName(), "");
    EXPECT_EQ(loaded.FontSize(), 0);
    EXPECT_FALSE(loaded.cFileName.has_value());

    // Keys match in any letter case; a missing key reads as its default.
    host::PropertyBag typed;
    typed.WriteProperty("dialogtitle", std::string("Pick"), std::string());
    epCmDlg fromTyped;
    fromTyped.ReadProperties(typed);
    EXPECT_EQ(fromTyped.DialogTitle(), "Pick");
    EXPECT_EQ(fromTyped.FilterIndex(), 1);
}

TEST(epCmDlg, FilterIndexBeyondSixteenBitsInTheBagOverflowsAndChangesNothing) {
    host::PropertyBag bag;
    bag.WriteProperty("DialogTitle", std::string("New"), std::string());
    bag.WriteProperty("FilterIndex", int32_t{40000}, int32_t{1});
    epCmDlg dialog;
    dialog.SetDialogTitle("Old");
    try {
        dialog.ReadProperties(bag);
        FAIL() << "no error raised";
    } catch (const CommonDialogError& error) {
        EXPECT_EQ(error.Number(), 6);
    }
    EXPECT_EQ(dialog.DialogTitle(), "Old");
    EXPECT_EQ(dialog.FontName(), "Arial");
}

TEST(CommonDialogError, CancelCarriesItsHelpAndTheProgramName) {
    CommonDialogError cancel = CancelSelected();
    EXPECT_EQ(cancel.Number(), 32755);
    EXPECT_EQ(cancel.Description(), "Cancel was selected.");
    EXPECT_EQ(cancel.HelpFile(), "cmdlg98.chm");
    EXPECT_EQ(cancel.HelpContext(), 32755);
    EXPECT_EQ(cancel.Source(), "tarvex_tests");
    EXPECT_EQ(ErrorReportText(cancel), "Something Wrong (32755) Cancel was selected.");

    CommonDialogError printer = RuntimeFailure(484);
    EXPECT_EQ(printer.Description().substr(0, 44), "Problem getting printer information from the");
    EXPECT_EQ(RuntimeFailure(5).Description(), "Invalid procedure call or argument");
    EXPECT_EQ(RuntimeFailure(5).HelpFile(), "");

    EXPECT_EQ(ProgramNameFromPath("C:\\Tools\\tarvex.exe"), "tarvex");
    EXPECT_EQ(ProgramNameFromPath("C:\\v1.2/tool"), "tool");
    EXPECT_EQ(ProgramNameFromPath("my.app.exe"), "my.app");
}

TEST(StringCollection, ItemsAreNumberedFromOne) {
    StringCollection names;
    names.Add("a");
    names.Add("b");
    EXPECT_EQ(names.Count(), 2);
    EXPECT_EQ(names.Item(1), "a");
    EXPECT_EQ(names.Item(2), "b");
    for (int32_t outside : {0, 3, -1}) {
        try {
            names.Item(outside);
            ADD_FAILURE() << outside;
        } catch (const CommonDialogError& error) {
            EXPECT_EQ(error.Number(), 9);
        }
    }
}

TEST(epCmDlg, AnUnreadableAnswerLeavesEmptyCollections) {
    epCmDlg dialog;
    dialog.TakeFileResult(std::string("C:\\Subs\\film.srt\0\0", 19));
    ASSERT_EQ(dialog.cFileName->Count(), 1);
    EXPECT_NE(test::NumberRaisedBy([&] { dialog.TakeFileResult("no pair of NULs"); }), 0);
    ASSERT_TRUE(dialog.cFileName && dialog.cFileTitle);
    EXPECT_EQ(dialog.cFileName->Count(), 0);
    EXPECT_EQ(dialog.cFileTitle->Count(), 0);
}

}  // namespace
}  // namespace tarvex::cmdlg
