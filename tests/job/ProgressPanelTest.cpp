#include <gtest/gtest.h>

#include "base/RuntimeError.h"
#include "job/ProgressPanel.h"

namespace tarvex {
namespace {

TEST(ProgressTexts, CaptionsAndHalfEvenPercentages) {
    EXPECT_EQ(TotalCaption(8), "Total Text : 8");
    EXPECT_EQ(CounterCaption(0, 1234), "Process 0 from 1234 Text");
    EXPECT_EQ(OutputStatus("movie.srt"), "Output File : movie.srt");
    EXPECT_EQ(PercentageOf(1, 8), 12);
    EXPECT_EQ(PercentageOf(3, 8), 38);
    EXPECT_EQ(PercentageOf(5, 8), 62);
    EXPECT_EQ(PercentageOf(1, 200), 0);  // 0.5 goes to the even 0
    EXPECT_EQ(PercentageOf(3, 200), 2);  // 1.5 goes to 2
    EXPECT_EQ(PercentageOf(2, 3), 67);
    EXPECT_EQ(PercentageOf(8, 8), 100);
    EXPECT_EQ(PercentageOf(0, 0), 0);
}

TEST(ErrorReport, ClassicNumbersAndText) {
    EXPECT_EQ(ErrorReportText(RuntimeError(ErrorNumber::Overflow)), "Something Wrong (6) Overflow");
    EXPECT_EQ(ErrorReportText(RuntimeError(ErrorNumber::PathFileAccessError)),
              "Something Wrong (75) Path/File access error");
    EXPECT_EQ(ErrorReportText(RuntimeError(61, "Disk full")), "Something Wrong (61) Disk full");
}

}  // namespace
}  // namespace tarvex
