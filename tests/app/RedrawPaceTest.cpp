#include <gtest/gtest.h>

#include "app/RedrawPace.h"

namespace tarvex {
namespace {

TEST(RedrawPace, AtMostOncePerIntervalButNeverLosesTheLastStep) {
    using namespace std::chrono_literals;
    RedrawPace pace(100ms);
    RedrawPace::Clock::time_point start{};
    EXPECT_TRUE(pace.Due(false, start + 1s));  // the first step of a run
    EXPECT_FALSE(pace.Due(false, start + 1s + 40ms));
    EXPECT_FALSE(pace.Due(false, start + 1s + 99ms));
    EXPECT_TRUE(pace.Due(false, start + 1s + 100ms));
    EXPECT_TRUE(pace.Due(true, start + 1s + 101ms));  // the last step
    EXPECT_FALSE(pace.Due(false, start + 1s + 150ms));
    EXPECT_TRUE(pace.TakePending()) << "a run that failed here still shows where it stopped";
    EXPECT_FALSE(pace.TakePending());
    EXPECT_TRUE(pace.Due(false, start + 1s + 160ms)) << "the next run starts with a drawing";
    EXPECT_FALSE(pace.TakePending());

    // A drawing of 2 ms allows the next one 200 ms later, not sooner.
    pace.Drew(2ms);
    EXPECT_TRUE(pace.Due(false, start + 2s));
    EXPECT_FALSE(pace.Due(false, start + 2s + 199ms));
    EXPECT_TRUE(pace.Due(false, start + 2s + 200ms));
    pace.Drew(100us);
    start -= 300ms;
    EXPECT_FALSE(pace.Due(false, start + 2s + 599ms));
    EXPECT_TRUE(pace.Due(false, start + 2s + 600ms)) << "never more often than the shortest interval";
}

// Four answers at once after a dear drawing: the three skipped counts show
// within a quarter second, even when no further step comes for long.
TEST(RedrawPace, ASkippedStepShowsSoonWithoutWaitingForTheNext) {
    using namespace std::chrono_literals;
    RedrawPace pace(100ms);
    const RedrawPace::Clock::time_point start{};
    EXPECT_TRUE(pace.Due(false, start + 1s));
    pace.Drew(15ms);
    EXPECT_EQ(pace.PendingDelay(start + 1s), std::nullopt);
    for (auto at : {1ms, 2ms, 3ms}) EXPECT_FALSE(pace.Due(false, start + 1s + at));
    ASSERT_TRUE(pace.PendingDelay(start + 1s + 3ms).has_value());
    EXPECT_EQ(*pace.PendingDelay(start + 1s + 3ms), 247ms);
    EXPECT_FALSE(pace.PendingDue(start + 1s + 249ms));
    EXPECT_TRUE(pace.PendingDue(start + 1s + 250ms));
    EXPECT_EQ(pace.PendingDelay(start + 1s + 251ms), std::nullopt);
    EXPECT_FALSE(pace.TakePending());
    // However dear a drawing, the next step may be drawn a quarter second on.
    pace.Drew(1s);
    EXPECT_TRUE(pace.Due(false, start + 1s + 500ms));
}

}  // namespace
}  // namespace tarvex
