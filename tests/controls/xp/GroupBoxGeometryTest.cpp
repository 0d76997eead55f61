#include <gtest/gtest.h>

#include "controls/xp/GroupBoxGeometry.h"
#include "controls/xp/ProgressGeometry.h"

namespace tarvex::xp {
namespace {

TEST(GroupBoxGeometry, CaptionGapLessTheAmpersand) {
    CaptionMeasures m{40, 13, 8, false};
    EXPECT_EQ(CaptionGapWidth(m), 46);
    m.HasAccelerator = true;
    EXPECT_EQ(CaptionGapWidth(m), 38);
    EXPECT_EQ(HalfTextHeight({0, 13}), 6);  // 6.5 goes to the even 6
    EXPECT_EQ(HalfTextHeight({0, 15}), 8);  // 7.5 goes to 8
}

TEST(GroupBoxGeometry, EtchedFrameSitsOnTheMiddleOfTheCaption) {
    EtchedFrameLayout layout = LayoutEtchedFrame(200, 100, {40, 14, 8, false});
    EXPECT_EQ(layout.Frame, (XpRect{0, 7, 200, 100}));
    EXPECT_EQ(layout.GapFill, (XpRect{7, 6, 51, 9}));
    EXPECT_EQ(layout.GapCopy, (SelfCopy{7, 7, 44, 7, 7, 9}));
    EXPECT_EQ(layout.Caption, (XpRect{3, 0, 49, 14}));
}

TEST(GroupBoxGeometry, ThemedFrameCaptionStartsAfterTheAmpersandWhenItHasOne) {
    ThemedFrameLayout plain = LayoutThemedFrame(200, 100, {40, 14, 8, false});
    EXPECT_EQ(plain.Caption, (XpRect{9, 0, 54, 14}));
    EXPECT_EQ(plain.GapFill, (XpRect{8, 6, 55, 8}));
    EXPECT_EQ(plain.GapCopy, (SelfCopy{8, 7, 46, 9, 8, 9}));
    ThemedFrameLayout accel = LayoutThemedFrame(200, 100, {40, 14, 8, true});
    EXPECT_EQ(accel.Caption, (XpRect{10, 0, 46, 14}));
}

TEST(GroupBoxGeometry, TabsWithAndWithoutCaption) {
    ClassicTabLayout classic = LayoutClassicTab(300, 200, 20, true, {50, 13, 8, false});
    EXPECT_EQ(classic.Panel, (XpRect{0, 18, 297, 200}));
    EXPECT_EQ(classic.Tab, (XpRect{0, 1, 66, 20}));
    EXPECT_EQ(classic.TabTop, (XpRect{1, 0, 65, 21}));
    EXPECT_EQ(classic.Join, (SelfCopy{2, 19, 62, 3, 2, 21}));
    EXPECT_EQ(classic.Caption, (XpRect{0, 4, 58, 20}));
    EXPECT_EQ(LayoutClassicTab(300, 200, 20, false, {}).Panel, (XpRect{0, 0, 300, 200}));

    ThemedTabLayout themed = LayoutThemedTab(300, 200, 20, true, {50, 13, 8, false});
    EXPECT_EQ(themed.Pane, (XpRect{0, 19, 300, 200}));
    EXPECT_EQ(themed.Body, (XpRect{3, 22, 297, 197}));
    EXPECT_EQ(themed.Tab, (XpRect{0, 0, 66, 21}));
    EXPECT_EQ(themed.Caption, (XpRect{0, 3, 66, 21}));
    EXPECT_EQ(LayoutThemedTab(300, 200, 20, false, {}).Pane, (XpRect{1, 0, 300, 200}));
}

TEST(ProgressGeometry, HorizontalChunkOfAnOlderTheme) {
    ThemedProgressLayout half = LayoutThemedProgress(200, 20, 50, false);
    ASSERT_TRUE(half.HasChunk);
    EXPECT_FALSE(half.Vertical);
    EXPECT_EQ(half.Chunk, (XpRect{3, 3, 99, 17}));
    EXPECT_EQ(half.LabelText, " 50 %");
    EXPECT_EQ(LayoutThemedProgress(200, 20, 100, false).Chunk.Right, 198);
    // Vista insets by one pixel and does not widen the chunk.
    EXPECT_EQ(LayoutThemedProgress(200, 20, 50, true).Chunk, (XpRect{1, 1, 100, 19}));
}

TEST(ProgressGeometry, NothingBelowOnePercent) {
    ThemedProgressLayout zero = LayoutThemedProgress(200, 20, 0, false);
    EXPECT_FALSE(zero.HasChunk);
    EXPECT_EQ(zero.LabelText, "0 %");
    EXPECT_FALSE(LayoutThemedProgress(200, 20, -3, false).HasChunk);
}

TEST(ProgressGeometry, TallOrSquareBarsGrowFromTheBottom) {
    ThemedProgressLayout tall = LayoutThemedProgress(20, 106, 25, false);
    EXPECT_TRUE(tall.Vertical);
    EXPECT_EQ(tall.Chunk, (XpRect{3, 78, 17, 103}));  // 103 - 25 * 1.0
    ThemedProgressLayout square = LayoutThemedProgress(30, 30, 50, false);
    EXPECT_TRUE(square.Vertical);
    EXPECT_EQ(square.Chunk, (XpRect{3, 15, 27, 27}));  // 27 - 12 exactly
    EXPECT_EQ(LayoutThemedProgress(30, 30, 100, false).Chunk.Top, 3);
}

TEST(ProgressGeometry, LabelCentredAcrossAndBelowTheMiddle) {
    EXPECT_EQ(PlacePercentageLabel(200, 14, 30, 13), (LabelPlace{85, 1}));
    EXPECT_EQ(PlacePercentageLabel(201, 20, 30, 13), (LabelPlace{86, 5}));  // 85.5 and 3.5 go to even
}

}  // namespace
}  // namespace tarvex::xp
