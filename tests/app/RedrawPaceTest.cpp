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

    // A drawing of 5 ms allows the next one 500 ms later, not sooner.
    pace.Drew(5ms);
    EXPECT_TRUE(pace.Due(false, start + 2s));
    EXPECT_FALSE(pace.Due(false, start + 2s + 499ms));
    EXPECT_TRUE(pace.Due(false, start + 2s + 500ms));
    pace.Drew(100us);
    EXPECT_FALSE(pace.Due(false, start + 2s + 599ms));
    EXPECT_TRUE(pace.Due(false, start + 2s + 600ms)) << "never more often than the shortest interval";
}

}  // namespace
}  // namespace tarvex
