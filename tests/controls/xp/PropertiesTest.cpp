#include <gtest/gtest.h>

#include "base/RuntimeError.h"
#include "controls/xp/GroupBoxProperties.h"
#include "controls/xp/OptionCheckProperties.h"

namespace tarvex::xp {
namespace {

using host::FontDescription;
using host::PropertyBag;

const Ambient kAmbient{"XpGroupBox1", FontDescription{"Tahoma", 8.0f}};

std::vector<std::string> Keys(const PropertyBag& bag) {
    std::vector<std::string> keys;
    for (const auto& entry : bag.Entries()) keys.push_back(entry.first);
    return keys;
}

TEST(GroupBoxProperties, PercentageClampsAndAcceleratorIsAnAmpersand) {
    EXPECT_EQ(ClampPercentage(-5), 0);
    EXPECT_EQ(ClampPercentage(250), 100);
    EXPECT_EQ(ClampPercentage(42), 42);
    EXPECT_TRUE(ContainsAccelerator("&Files"));
    EXPECT_FALSE(ContainsAccelerator("Files"));
}

TEST(GroupBoxProperties, NewControlSavesTheValuesThatDifferFromDefaults) {
    PropertyBag bag;
    SaveGroupBoxProperties(NewGroupBoxProperties(kAmbient), bag, kAmbient);
    // A new control has no device context of its own, shows no percentage,
    // passes Enabled on and is not yet visible; Tahoma 8 is not the default face.
    EXPECT_EQ(Keys(bag),
              (std::vector<std::string>{"HasDC", "ShowPercentage", "Visible", "DisabledBehavior", "FontName"}));
    EXPECT_FALSE(bag.ReadBool("ShowPercentage", true));
    EXPECT_FALSE(bag.ReadBool("Visible", true));
}

TEST(GroupBoxProperties, SavedAndLoadedAgain) {
    GroupBoxProperties p = NewGroupBoxProperties(kAmbient);
    p.Caption = "Total Text : 8";
    p.BorderStyle = BorderStyles::XpProgress;
    p.Percentage = 42;
    p.TabStop = true;
    p.BackColor = 0x00FF0000;
    p.Font.Bold = true;
    PropertyBag bag;
    SaveGroupBoxProperties(p, bag, kAmbient);
    EXPECT_EQ(bag.ReadInt("TabStop", 0), -1);  // kept as a number
    GroupBoxProperties loaded = LoadGroupBoxProperties(bag, kAmbient);
    EXPECT_EQ(loaded.Caption, "Total Text : 8");
    EXPECT_EQ(loaded.BorderStyle, BorderStyles::XpProgress);
    EXPECT_EQ(loaded.Percentage, 42);
    EXPECT_TRUE(loaded.TabStop);
    EXPECT_EQ(loaded.BackColor, 0x00FF0000u);
    EXPECT_EQ(loaded.ForeColor, OleColours::ButtonText);
    EXPECT_TRUE(loaded.Font.Bold);
    EXPECT_EQ(loaded.Font.Name, "Tahoma");
    EXPECT_FALSE(loaded.HasDC);
}

TEST(GroupBoxProperties, LoadTakesSavedValuesAsTheyAre) {
    PropertyBag bag;
    bag.WriteProperty("percentage", int32_t{250}, int32_t{0});
    bag.WriteProperty("HASDC", false, true);
    EXPECT_EQ(LoadGroupBoxProperties(bag, kAmbient).Percentage, 250);  // not clamped
    EXPECT_FALSE(LoadGroupBoxProperties(bag, kAmbient).HasDC);
    // An empty bag: the saved defaults, which differ from a new control's.
    GroupBoxProperties empty = LoadGroupBoxProperties(PropertyBag{}, kAmbient);
    EXPECT_TRUE(empty.ShowPercentage);
    EXPECT_TRUE(empty.Visible);
    EXPECT_EQ(empty.DisabledBehavior, 0);
    EXPECT_EQ(empty.Caption, "XpGroupBox1");
    EXPECT_EQ(empty.Font.Name, "MS Sans Serif");
    bag.WriteProperty("Percentage", int32_t{40000}, int32_t{0});
    try {
        LoadGroupBoxProperties(bag, kAmbient);
        FAIL() << "a 16-bit percentage of 40000 must overflow";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.Number(), ErrorNumber::Overflow);
    }
}

TEST(OptionCheckProperties, WriteOrderAndAlwaysWrittenFontSize) {
    const Ambient ambient{"XPOptionCheck1", FontDescription{"MS Sans Serif", 8.25f}};
    OptionCheckProperties p = NewOptionCheckProperties(ambient);
    PropertyBag bag;
    SaveOptionCheckProperties(p, bag, ambient);
    EXPECT_EQ(Keys(bag), (std::vector<std::string>{"FontSize"}));

    p.ControlType = 1;
    p.Value = 1;
    p.Caption = "Start Time";
    p.UseParentFormhDC = true;
    p.Themed = false;
    PropertyBag full;
    SaveOptionCheckProperties(p, full, ambient);
    EXPECT_EQ(Keys(full),
              (std::vector<std::string>{"UseParentFormhDC", "Themed", "Value", "Caption", "FontSize", "ControlType"}));
    OptionCheckProperties loaded = LoadOptionCheckProperties(full, ambient);
    EXPECT_EQ(loaded.ControlType, 1);
    EXPECT_EQ(loaded.Value, 1);
    EXPECT_EQ(loaded.Caption, "Start Time");
    EXPECT_FALSE(loaded.Themed);
    EXPECT_TRUE(loaded.UseParentFormhDC);
    EXPECT_FLOAT_EQ(loaded.Font.Size, 8.25f);
    EXPECT_FLOAT_EQ(LoadOptionCheckProperties(PropertyBag{}, ambient).Font.Size, 8.25f);
}

}  // namespace
}  // namespace tarvex::xp
