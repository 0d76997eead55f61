#include <gtest/gtest.h>

#include <algorithm>

#include "controls/xp/LegacyProgressPlan.h"

namespace tarvex::xp {
namespace {

std::vector<PlanLine> Lines(const std::vector<PlanStep>& plan, PlanColour colour) {
    std::vector<PlanLine> lines;
    for (const auto& step : plan)
        if (step.Type == PlanStep::Kind::Line && step.Line.Colour == colour) lines.push_back(step.Line);
    return lines;
}

size_t Count(const std::vector<PlanStep>& plan, PlanStep::Kind kind) {
    return std::count_if(plan.begin(), plan.end(), [&](const PlanStep& s) { return s.Type == kind; });
}

TEST(LegacyProgressPlan, BlocksFillColumnsAndCutGapsButNeverPrint) {
    auto plan = PlanLegacyProgress(200, 18, 50, 1, true);
    auto bar = Lines(plan, PlanColour::Bar);
    ASSERT_EQ(bar.size(), 101u);  // i = 0..round(2 * 50)
    EXPECT_EQ(bar.front(), (PlanLine{PlanColour::Bar, 1, 1, 1, 17}));
    EXPECT_EQ(bar.back(), (PlanLine{PlanColour::Bar, 101, 1, 101, 17}));
    auto gaps = Lines(plan, PlanColour::Background);
    // 9 steps of 12 pixels (0, 12, ... 96), each: 4 border lines and 2 separators.
    ASSERT_EQ(gaps.size(), 9u * 6u);
    EXPECT_EQ(gaps[4 + 6], (PlanLine{PlanColour::Background, 10, 0, 10, 18}));
    EXPECT_EQ(gaps[5 + 6], (PlanLine{PlanColour::Background, 11, 0, 11, 18}));
    EXPECT_EQ(Count(plan, PlanStep::Kind::Text), 0u);
    EXPECT_EQ(Count(plan, PlanStep::Kind::Recolour), 0u);
}

TEST(LegacyProgressPlan, NarrowBlocksStillAdvance) {
    EXPECT_EQ(LegacyBlockStep(8), 1);  // 0.48 would round to a step of 0
    EXPECT_EQ(LegacyBlockStep(200), 12);
    auto plan = PlanLegacyProgress(8, 10, 100, 1, false);
    EXPECT_EQ(Lines(plan, PlanColour::Bar).size(), 9u);
    EXPECT_EQ(Lines(plan, PlanColour::Background).size(), 9u * 6u);
}

TEST(LegacyProgressPlan, SmoothStopsOneHundredthShortAndPrintsCentred) {
    auto plan = PlanLegacyProgress(100, 20, 30, 2, true);
    auto bar = Lines(plan, PlanColour::Bar);
    ASSERT_EQ(bar.size(), 30u);  // i = 0..29
    EXPECT_EQ(bar.back().X1, 30);
    ASSERT_EQ(Count(plan, PlanStep::Kind::Text), 1u);
    const auto text = std::find_if(plan.begin(), plan.end(), [](auto& s) { return s.Type == PlanStep::Kind::Text; });
    EXPECT_EQ(text->Text.Text, "30%");
    EXPECT_EQ(text->Text.X, 43);
    EXPECT_EQ(text->Text.Y, 2);
    EXPECT_EQ(Count(plan, PlanStep::Kind::Recolour), 0u);  // below 41 the text is off the bar
    EXPECT_TRUE(Lines(PlanLegacyProgress(100, 20, 0, 2, false), PlanColour::Bar).empty());
    // Any unknown style is smooth.
    EXPECT_EQ(Lines(PlanLegacyProgress(100, 20, 30, 7, false), PlanColour::Bar).size(), 30u);
}

TEST(LegacyProgressPlan, TextOnTheBarIsRecolouredBetween40And60Hundredths) {
    auto plan = PlanLegacyProgress(100, 20, 80, 2, true);
    const auto step =
        std::find_if(plan.begin(), plan.end(), [](auto& s) { return s.Type == PlanStep::Kind::Recolour; });
    ASSERT_NE(step, plan.end());
    EXPECT_EQ(step->Recolour.Left, 40);
    EXPECT_EQ(step->Recolour.Right, 61);  // the first column beyond 60 is still done
    EXPECT_EQ(step->Recolour.Top, 0);
    EXPECT_EQ(step->Recolour.Bottom, 20);
    const auto at45 = PlanLegacyProgress(100, 20, 45, 2, true);
    const auto short45 =
        std::find_if(at45.begin(), at45.end(), [](auto& s) { return s.Type == PlanStep::Kind::Recolour; });
    EXPECT_EQ(short45->Recolour.Right, 45);
}

TEST(LegacyProgressPlan, VerticalGrowsFromTheBottomAndPrintsTwice) {
    auto plan = PlanLegacyProgress(20, 100, 25, 0, true);
    auto bar = Lines(plan, PlanColour::Bar);
    ASSERT_EQ(bar.size(), 26u);  // y = 75..100
    EXPECT_EQ(bar.front(), (PlanLine{PlanColour::Bar, 1, 74, 19, 74}));
    EXPECT_EQ(bar.back(), (PlanLine{PlanColour::Bar, 1, 99, 19, 99}));
    EXPECT_EQ(Count(plan, PlanStep::Kind::Text), 2u);
    const auto recolour =
        std::find_if(plan.begin(), plan.end(), [](auto& s) { return s.Type == PlanStep::Kind::Recolour; });
    ASSERT_NE(recolour, plan.end());
    EXPECT_EQ(recolour->Recolour.Top, 75);
    EXPECT_EQ(recolour->Recolour.Bottom, 75);  // already beyond 60 hundredths: one row
}

}  // namespace
}  // namespace tarvex::xp
