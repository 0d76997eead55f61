#include <gtest/gtest.h>

#include "app/LogoAnimation.h"

namespace tarvex {
namespace {

// Ticks while the timer runs (at most `limit`), recording +n for a frame
// shown and -n for a frame hidden.
std::vector<int> Play(LogoAnimation& logo, int limit = 10) {
    std::vector<int> frames;
    for (int tick = 0; tick < limit && logo.TimerEnabled; ++tick) {
        LogoAnimation::Change change = logo.Tick();
        if (change.ShowFrame) frames.push_back(change.ShowFrame);
        if (change.HideFrame) frames.push_back(-change.HideFrame);
    }
    return frames;
}

TEST(LogoAnimation, BuildsUpInsideAndFallsBackAtTheEdge) {
    LogoAnimation logo;
    logo.PointerMoved(200, 200);
    EXPECT_EQ(Play(logo), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_FALSE(logo.TimerEnabled);
    logo.PointerMoved(240, 240);  // still inside: nothing restarts
    EXPECT_FALSE(logo.TimerEnabled);
    logo.PointerMoved(450, 200);  // the edge itself is outside
    EXPECT_EQ(Play(logo), (std::vector<int>{-4, -3, -2, -1}));
    EXPECT_EQ(logo.LogoStep, 0);
    EXPECT_FALSE(logo.TimerEnabled);
    logo.PointerMoved(460, 200);  // outside with nothing shown: nothing to do
    EXPECT_FALSE(logo.TimerEnabled);
}

TEST(LogoAnimation, TurnsMidWayFromTheCurrentFrame) {
    LogoAnimation logo;
    logo.PointerMoved(100, 100);
    logo.Tick();
    logo.Tick();
    logo.PointerMoved(100, 5);  // the top edge
    EXPECT_EQ(Play(logo), (std::vector<int>{-2, -1}));

    logo.PointerMoved(31, 6);
    logo.Tick();
    logo.ButtonReleased();  // a click plays back
    EXPECT_EQ(Play(logo), (std::vector<int>{-1}));
    logo.ButtonReleased();  // nothing shown: stays off
    EXPECT_FALSE(logo.TimerEnabled);

    logo.PointerMoved(200, 200);
    logo.Tick();
    logo.PointerMoved(0, 200);    // back...
    logo.PointerMoved(200, 200);  // ...and in again: still backward, step > 0
    EXPECT_EQ(Play(logo), (std::vector<int>{-1}));
}

TEST(LogoAnimation, ZoneBorders) {
    EXPECT_FALSE(LogoAnimation::InInnerZone(30, 100));
    EXPECT_TRUE(LogoAnimation::InInnerZone(30.5, 100));
    EXPECT_FALSE(LogoAnimation::InInnerZone(100, 5));
    EXPECT_TRUE(LogoAnimation::InInnerZone(449, 449));
    EXPECT_FALSE(LogoAnimation::InInnerZone(100, 450));
}

}  // namespace
}  // namespace tarvex
