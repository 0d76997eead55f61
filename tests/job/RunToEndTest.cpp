#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>

#include "base/FileSystem.h"
#include "base/RuntimeError.h"
#include "job/BusyState.h"
#include "job/RunToEnd.h"
#include "support/RecordingPanel.h"

namespace tarvex {
namespace {

TEST(RunToEnd, EveryExceptionEndsInANumberedReport) {
    struct Case {
        std::function<void()> Raise;
        const char* Report;
    };
    const Case cases[] = {
        {[] { throw std::logic_error("the plan lost its place"); },
         "Something Wrong (51) Internal error: the plan lost its place"},
        {[] { throw std::bad_alloc(); }, "Something Wrong (7) Out of memory"},
        {[] { throw RuntimeError(ErrorNumber::DiskFull); }, "Something Wrong (61) Disk full"},
        {[] { throw 42; }, "Something Wrong (51) Internal error"},
    };
    for (const Case& each : cases) {
        test::RecordingPanel panel;
        int16_t shiftNumber = 0;
        int16_t translateNumber = 0;
        BusyState busy(panel);
        RunEnvironment environment{panel, panel, SystemFileSystem(), shiftNumber, translateNumber, &busy};
        EXPECT_FALSE(RunToEnd(environment, [&](RunOutput&) { each.Raise(); })) << each.Report;
        EXPECT_EQ(panel.Status, "PROCESS FAILED");
        EXPECT_FALSE(panel.Busy);
        ASSERT_EQ(panel.Messages.size(), 1u);
        EXPECT_EQ(panel.Messages[0].Text, each.Report);
        EXPECT_EQ(panel.Messages[0].Title, "Error");
    }
}

}  // namespace
}  // namespace tarvex
