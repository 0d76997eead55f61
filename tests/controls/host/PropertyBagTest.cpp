#include <gtest/gtest.h>

#include "controls/host/PropertyBag.h"
#include "controls/host/Twips.h"

namespace tarvex::host {
namespace {

TEST(PropertyBag, DefaultsAreNotWrittenAndKeysIgnoreCase) {
    PropertyBag bag;
    bag.WriteProperty("Caption", std::string("Frame1"), std::string(""));
    bag.WriteProperty("BorderStyle", int32_t{0}, int32_t{0});
    bag.WriteProperty("Themed", false, true);
    EXPECT_EQ(bag.Entries().size(), 2u);
    EXPECT_FALSE(bag.Contains("borderstyle"));
    EXPECT_EQ(bag.ReadString("CAPTION", ""), "Frame1");
    EXPECT_EQ(bag.ReadInt("BorderStyle", 3), 3);
    EXPECT_FALSE(bag.ReadBool("themed", true));
    // Writing the default again removes the stored value.
    bag.WriteProperty("caption", std::string(""), std::string(""));
    EXPECT_FALSE(bag.Contains("Caption"));
    // A value of another type reads as the default.
    bag.WriteProperty("Percentage", std::string("x"), int32_t{0});
    EXPECT_EQ(bag.ReadInt("Percentage", 7), 7);
    FontDescription font{"Tahoma", 8.25f};
    bag.WriteProperty("Font", font, FontDescription{});
    EXPECT_EQ(std::get<FontDescription>(bag.ReadProperty("font", std::monostate{})), font);
}

TEST(Twips, RoundsToNearestPixelHalfToEven) {
    EXPECT_EQ(TwipsPerPixel(96), 15.0);
    EXPECT_EQ(TwipsToPixels(5010, 15.0), 334);
    EXPECT_EQ(TwipsToPixels(300, 15.0), 20);
    EXPECT_EQ(TwipsToPixels(22.5, 15.0), 2);  // 1.5 goes to 2
    EXPECT_EQ(TwipsToPixels(37.5, 15.0), 2);  // 2.5 goes to 2
    EXPECT_EQ(TwipsToPixels(300, TwipsPerPixel(120)), 25);
}

}  // namespace
}  // namespace tarvex::host
