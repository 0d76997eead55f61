#include <gtest/gtest.h>

#include "controls/cmdlg/CommonDialogError.h"
#include "controls/cmdlg/DialogFields.h"

namespace tarvex::cmdlg {
namespace {

using namespace std::string_literals;

TEST(FixedFieldText, StopsAtTheFirstNulOrTakesTheWholeField) {
    char face[32] = "Arial";
    EXPECT_EQ(FixedFieldText(face, 31), "Arial");
    // A face name that fills all 31 kept characters has no NUL there.
    std::string full(31, 'F');
    SetFixedField(face, 31, full + "cut");
    EXPECT_EQ(FixedFieldText(face, 31), full);
    char device[32];
    SetFixedField(device, 32, std::string(32, 'D'));
    EXPECT_EQ(FixedFieldText(device, 32), std::string(32, 'D'));
    SetFixedField(device, 32, "HP");
    EXPECT_EQ(std::string(device, 32), "HP"s + std::string(30, '\0'));
}

TEST(FontSizeFromPointSize, RoundsHalvesToEven) {
    EXPECT_EQ(FontSizeFromPointSize(120), 12);
    EXPECT_EQ(FontSizeFromPointSize(105), 10);
    EXPECT_EQ(FontSizeFromPointSize(115), 12);
    EXPECT_EQ(FontSizeFromPointSize(124), 12);
    EXPECT_EQ(FontSizeFromPointSize(126), 13);
    EXPECT_EQ(FontSizeFromPointSize(327670), 32767);
    try {
        FontSizeFromPointSize(327680);
        FAIL() << "no overflow";
    } catch (const CommonDialogError& error) {
        EXPECT_EQ(error.Number(), 6);
    }
}

TEST(MakeDeviceNames, OffsetsPointAtEachNameAndLongNamesAreNotCut) {
    DeviceNamesRecord names = MakeDeviceNames("winspool", "HP LaserJet", "LPT1:");
    EXPECT_EQ(names.DriverOffset, 8);
    EXPECT_EQ(names.DeviceOffset, 8 + 9);
    EXPECT_EQ(names.OutputOffset, 8 + 9 + 12);
    EXPECT_EQ(names.Default, 0);
    ASSERT_EQ(names.Text.size(), 100u);
    EXPECT_EQ(names.Text.substr(names.DeviceOffset - 8, 12), "HP LaserJet\0"s);
    EXPECT_EQ(names.Text.substr(names.OutputOffset - 8, 6), "LPT1:\0"s);

    // Names longer than the usual text area enlarge it, so every offset
    // stays inside the record.
    std::string device(120, 'P');
    names = MakeDeviceNames("drv", device, "FILE:");
    EXPECT_EQ(names.Text.size(), 4u + 121u + 6u);
    EXPECT_EQ(names.Text.substr(names.OutputOffset - 8), "FILE:\0"s);

    std::string huge(32800, 'x');
    try {
        MakeDeviceNames("drv", huge, "p");
        FAIL() << "no overflow";
    } catch (const CommonDialogError& error) {
        EXPECT_EQ(error.Number(), 6);
    }
}

TEST(UpperCase, ChangesOnlyLetters) {
    EXPECT_EQ(UpperCase("hp laser-2\xe9"), "HP LASER-2\xe9");
}

}  // namespace
}  // namespace tarvex::cmdlg
