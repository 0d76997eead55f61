#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <string>

#include "base/RuntimeError.h"
#include "bench/SyncCases.h"
#include "support/RaisedError.h"
#include "sync/Alignment.h"
#include "sync/SyncSummary.h"
#include "sync/TwoPoints.h"

namespace tarvex::sync {
namespace {

using bench::Distortion;
using bench::ReferenceStyle;

// A few fixed seeds of every kind; the accuracy program runs many more.
TEST(Alignment, GeneratedFilmsMeetTheirTargets) {
    struct Case {
        Distortion Kind;
        ReferenceStyle Style;
        uint32_t Seed;
    } cases[] = {
        {Distortion::None, ReferenceStyle::OtherLanguage, 101},
        {Distortion::Offset, ReferenceStyle::OtherLanguage, 102},
        {Distortion::Speed, ReferenceStyle::OtherLanguage, 103},
        {Distortion::Cuts, ReferenceStyle::OtherLanguage, 104},
        {Distortion::CutsAndSpeed, ReferenceStyle::OtherLanguage, 105},
        {Distortion::None, ReferenceStyle::Speech, 106},
        {Distortion::Offset, ReferenceStyle::Speech, 107},
        {Distortion::Speed, ReferenceStyle::Speech, 108},
        {Distortion::CutsAndSpeed, ReferenceStyle::Speech, 109},
    };
    for (const Case& c : cases) {
        const bench::SyncCase sample = bench::MakeSyncCase(c.Kind, c.Style, c.Seed);
        const Alignment found = Align(sample.Input, sample.Reference, AlignOptions());
        const bool speech = c.Style == ReferenceStyle::Speech;
        const bool cut = c.Kind == Distortion::Cuts || c.Kind == Distortion::CutsAndSpeed;
        const std::string name = std::string(bench::NameOf(c.Kind)) + " / " + bench::NameOf(c.Style);
        EXPECT_GE(bench::ShareWithin(sample, found.Map, speech ? 250 : 100), speech || cut ? 0.95 : 0.98) << name;
        // As many cuts as the film has: none in a clean file.
        EXPECT_EQ(found.Map.Pieces().size(), sample.TrueMap.Pieces().size()) << name;
        EXPECT_NEAR(found.Map.Pieces().front().Scale, sample.TrueMap.Pieces().front().Scale, 2e-5) << name;
        EXPECT_TRUE(found.Trusted) << name;
        EXPECT_GT(found.CuesMatched, found.CuesTotal * 8 / 10) << name;
    }
}

TEST(Alignment, OptionsBoundWhatIsFound) {
    const bench::SyncCase sample = bench::MakeSyncCase(Distortion::CutsAndSpeed, ReferenceStyle::OtherLanguage, 7);
    AlignOptions options;
    options.AllowCuts = false;
    const Alignment whole = Align(sample.Input, sample.Reference, options);
    EXPECT_EQ(whole.Map.Pieces().size(), 1u);
    EXPECT_NEAR(whole.Map.Pieces().front().Scale, sample.TrueMap.Pieces().front().Scale, 2e-5);
    options.CorrectSpeed = false;
    EXPECT_EQ(Align(sample.Input, sample.Reference, options).Map.Pieces().front().Scale, 1.0);

    // Ten minutes late: beyond a five-minute bound, found within fifteen.
    bench::SyncCase late = bench::MakeSyncCase(Distortion::None, ReferenceStyle::OtherLanguage, 8);
    for (TimeSpan& cue : late.Input) cue = {cue.Start + 600000, cue.End + 600000};
    options.MaxOffsetMs = 300000;
    EXPECT_GE(std::fabs(Align(late.Input, late.Reference, options).Map.Pieces().front().Offset), 0.0);
    EXPECT_NE(std::lround(Align(late.Input, late.Reference, options).Map.Pieces().front().Offset), -600000);
    options.MaxOffsetMs = 900000;
    EXPECT_NEAR(Align(late.Input, late.Reference, options).Map.Pieces().front().Offset, -600000.0, 60.0);
}

TEST(Alignment, AStrayTimestampDaysLaterChangesNothing) {
    bench::SyncCase stray = bench::MakeSyncCase(Distortion::Offset, ReferenceStyle::OtherLanguage, 9, 300);
    stray.Input.push_back({356400000, 356402000});  // 99 hours
    stray.Truth.push_back({-1, -1});
    stray.Reference.push_back({356400000, 356402000});
    EXPECT_GE(bench::ShareWithin(stray, Align(stray.Input, stray.Reference, AlignOptions()).Map, 100), 0.98);
}

TEST(Alignment, WeakMatchesEmptyReferencesAndStops) {
    // Another film's reference fits nowhere.
    const bench::SyncCase one = bench::MakeSyncCase(Distortion::None, ReferenceStyle::OtherLanguage, 11);
    const bench::SyncCase other = bench::MakeSyncCase(Distortion::None, ReferenceStyle::Speech, 12);
    const Alignment unrelated = Align(one.Input, other.Reference, AlignOptions());
    EXPECT_FALSE(unrelated.Trusted);
    EXPECT_LT(unrelated.Confidence, 0.3);

    EXPECT_EQ(test::NumberRaisedBy([&] { Align(one.Input, {}, AlignOptions()); }), ErrorNumber::NoReferenceCues);
    EXPECT_EQ(test::NumberRaisedBy([&] {
                  Align(one.Input, {{5000, 5000}}, AlignOptions());
              }),
              ErrorNumber::NoReferenceCues);
    int asked = 0;
    EXPECT_EQ(test::NumberRaisedBy(
                  [&] { Align(one.Input, one.Reference, AlignOptions(), nullptr, [&] { return ++asked > 3; }); }),
              ErrorNumber::UserInterrupt);
}

TEST(TwoPoints, TheLineThroughBothAndItsRefusals) {
    const std::vector<TimeSpan> cues{{10000, 11000}, {20000, 21000}, {3610000, 3612000}, {20000, 22000}};
    // Cue 1 at 0:12, cue 3 at 1:00:22,000 + its share of a 25 -> 23.976 stretch.
    const TimeMap line = TwoPointMap(cues, 1, 12000, 3, 12000 + std::llround(3600000 * 25.0 / (24000.0 / 1001.0)));
    EXPECT_EQ(line.Apply(10000), 12000);
    EXPECT_EQ(line.Apply(3610000), 12000 + std::llround(3600000 * 25.0 / (24000.0 / 1001.0)));
    EXPECT_EQ(DescribeMap(line), "later by 1.573 s, speed 25 -> 23.976 fps");
    EXPECT_EQ(TwoPointMap(cues, 2, 19000, 3, 3609000).Apply(20000), 19000);

    struct Refused {
        int32_t First;
        int64_t FirstTime;
        int32_t Second;
        int64_t SecondTime;
    } refused[] = {
        {0, 1000, 2, 5000},   {1, 1000, 5, 5000},  // no such cue
        {2, 1000, 2, 5000},                        // one cue twice
        {2, 1000, 4, 5000},                        // cues starting together
        {1, 20000, 2, 10000},                      // time running backwards
        {1, 10000, 2, 60000},                      // five times as fast
        {1, -5, 2, 20000},                         // before zero
    };
    for (const Refused& r : refused)
        EXPECT_EQ(test::NumberRaisedBy([&] { TwoPointMap(cues, r.First, r.FirstTime, r.Second, r.SecondTime); }),
                  ErrorNumber::BadSyncPoints)
            << r.First << " " << r.Second;
}

TEST(SyncSummary, MapsInWords) {
    const double ntsc = 24000.0 / 1001.0;
    struct Case {
        TimeMap Map;
        const char* Words;
    } cases[] = {
        {TimeMap({{0, 1.0, 12340.0}}), "later by 12.340 s"},
        {TimeMap({{0, 1.0, -500.4}}), "earlier by 0.500 s"},
        {TimeMap({{0, 1.0, 0.2}}), "no shift"},
        {TimeMap({{0, 25.0 / ntsc, 12340.0}, {2470000, 25.0 / ntsc, 20540.0}, {4323000, 25.0 / ntsc, 17540.0}}),
         "later by 12.340 s, speed 25 -> 23.976 fps, 2 cuts (00:41:10 +8.200 s, 01:12:03 -3.000 s)"},
        {TimeMap({{0, ntsc / 25.0, -1000.0}, {60000, ntsc / 25.0, 0.0}}),
         "earlier by 1.000 s, speed 23.976 -> 25 fps, 1 cut (00:01:00 +1.000 s)"},
        {TimeMap({{0, 1.0015, 0.0}}), "no shift, speed +0.150 %"},
    };
    for (const Case& c : cases) EXPECT_EQ(DescribeMap(c.Map), c.Words);
    EXPECT_EQ(WithThousands(1298) + " " + WithThousands(999) + " " + WithThousands(1234567), "1,298 999 1,234,567");
}

}  // namespace
}  // namespace tarvex::sync
