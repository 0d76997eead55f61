#include <gtest/gtest.h>

#include "controls/xp/ThemeClasses.h"
#include "controls/xp/XpErrorReport.h"

namespace tarvex::xp {
namespace {

TEST(XpErrorReport, RefreshReportLinesInOrder) {
    XpFailure failure{91, "Object variable not set", "XpTransControl"};
    EXPECT_EQ(RefreshXpControlsReport(failure, "frmUtama"),
              "An Error occurred in Function RefreshXpControls: \r\n\r\n"
              "Error number\t: 91\r\n"
              "Error description\t: Object variable not set   \r\n"
              "Error source\t: XpTransControl\r\n"
              "Error Object\t: frmUtama\r\n\r\n"
              "Would you like to try to continue executing this function?   ");
}

TEST(XpErrorReport, TabStripReportShowsSignedReturnValueFirst) {
    XpFailure failure{5, "Invalid procedure call or argument"};
    const std::string text = DrawTabStripCheatReport(-2147467259, failure, "TransContainer");
    EXPECT_EQ(text,
              "An Error occurred in Function DrawTabStripCheat:   \r\n\r\n"
              "Return value\t: -2147467259\r\n"
              "Error number\t: 5\r\n"
              "Error description\t: Invalid procedure call or argument   \r\n"
              "Error Object\t: TransContainer\r\n"
              "Error source\t: XpTransControl\r\n\r\n"
              "Would you like to try to continue executing this function?   ");
    EXPECT_EQ(SignedStatusText(0), " 0");
    EXPECT_EQ(SignedStatusText(1), " 1");
}

TEST(XpErrorReport, IsThemedReportStopsWithoutQuestion) {
    const std::string text = IsThemedReport({48, "Error in loading DLL"});
    EXPECT_EQ(text.rfind("An Error occurred in Function IsThemed: \r\n\r\nError number\t: 48\r\n", 0), 0u);
    EXPECT_NE(text.find("\r\n\r\nCode execution has stopped for this call.   "), std::string::npos);
    EXPECT_EQ(text.find("Error Object"), std::string::npos);
}

TEST(ThemeClasses, NamesWithBlanksAreKept) {
    ThemeClasses classes = GetThemeClasses();
    EXPECT_EQ(classes.Button, "Button");
    EXPECT_EQ(classes.Status, "Status");
    EXPECT_EQ(classes.TaskbarClock, "Taskbar Clock");
    EXPECT_EQ(classes.TrayNotify, "Tray Notify");
    EXPECT_EQ(classes.TreeView, "TreeView");
}

}  // namespace
}  // namespace tarvex::xp
