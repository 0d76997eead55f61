// Waiting for the service from a window's thread: the window keeps handling
// its messages, the thread sleeps instead of spinning, and a failure of the
// request reaches the caller.

#include <windows.h>

#include <gtest/gtest.h>

#include "base/RuntimeError.h"
#include "support/FakeService.h"
#include "support/OneBlock.h"
#include "translate/TranslationRequest.h"
#include "translate/http/HttpTransport.h"
#include "translate/http/MessagePump.h"

namespace tarvex {
namespace {

int gTimerTicks = 0;

LRESULT CALLBACK CountingWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
        ++gTimerTicks;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

double ProcessCpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME& time) {
        ULARGE_INTEGER value;
        value.LowPart = time.dwLowDateTime;
        value.HighPart = time.dwHighDateTime;
        return static_cast<double>(value.QuadPart) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

// A window whose 20 ms timer counts the messages it is given.
class TickingWindow {
public:
    TickingWindow() {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = CountingWindow;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "TarvexPumpTest";
        RegisterClassA(&windowClass);
        window_ = CreateWindowA("TarvexPumpTest", "", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr, nullptr, nullptr);
        SetTimer(window_, 1, 20, nullptr);
    }
    ~TickingWindow() {
        KillTimer(window_, 1);
        DestroyWindow(window_);
    }
    bool Created() const { return window_ != nullptr; }

private:
    HWND window_;
};

TEST(MessagePump, WaitingKeepsTheWindowAliveWithoutSpinning) {
    test::FakeService fake;
    fake.Reset();
    TickingWindow window;
    ASSERT_TRUE(window.Created());

    ConnectionSettings service{
        .Host = fake.Address(), .Timeout = std::chrono::seconds(10), .Jobs = 1, .RunBlocking = RunWhilePumpingMessages};
    EXPECT_EQ(test::AskOneBlock({"warm", "up"}, service), "WARM\r\nUP");

    fake.Control("mode=normal&delay=200");
    gTimerTicks = 0;
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    double cpuBefore = ProcessCpuSeconds();
    for (int request = 0; request < 10; ++request)
        EXPECT_EQ(test::AskOneBlock({"Hello", "World"}, service), "HELLO\r\nWORLD");
    double cpu = ProcessCpuSeconds() - cpuBefore;
    QueryPerformanceCounter(&end);
    double wall = static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);

    EXPECT_GE(wall, 2.0);
    // A spinning wait takes a whole core; Wine's own timer and message work
    // under a loaded machine has been seen at 6 %, so the bound leaves room.
    EXPECT_LT(cpu, 0.25 * wall) << "CPU " << cpu << " s of " << wall << " s waiting";
    EXPECT_GT(gTimerTicks, 20) << "the window's timer must keep firing while the request runs";
    std::printf("waiting on 10 requests of 200 ms: wall %.3f s, CPU %.3f s (%.1f %%), %d timer messages handled\n",
                wall, cpu, 100.0 * cpu / wall, gTimerTicks);

    fake.Control("mode=status&status=500");
    try {
        test::AskOneBlock({"x"}, service);
        ADD_FAILURE() << "a refused request must raise";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.Number(), ErrorNumber::ServiceRefused);
    }
}

// Against a service that stalls, the request ends with the time-out and the
// window is served all along: no thread that is stuck in WinINet is waited for.
TEST(MessagePump, AStalledServiceEndsOnTimeWhileTheWindowKeepsAnswering) {
    test::FakeService fake;
    fake.Reset();
    TickingWindow window;
    ASSERT_TRUE(window.Created());
    ConnectionSettings service{
        .Host = fake.Address(), .Timeout = std::chrono::seconds(2), .Jobs = 1, .RunBlocking = RunWhilePumpingMessages};
    for (const char* mode : {"mode=silent", "mode=slowheaders", "mode=trickle"}) {
        fake.Control(mode);
        gTimerTicks = 0;
        auto start = std::chrono::steady_clock::now();
        int32_t number = 0;
        try {
            test::AskOneBlock({"x"}, service);
        } catch (const RuntimeError& error) {
            number = error.Number();
        }
        auto took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        EXPECT_EQ(number, ErrorNumber::RequestTimedOut) << mode;
        EXPECT_LT(took, 3.0) << mode;
        EXPECT_GT(gTimerTicks, 40) << mode << ": the window's timer must keep firing";
        std::printf("%s: ended after %.3f s with %d, %d timer messages handled\n", mode, took, number, gTimerTicks);
    }
}

}  // namespace
}  // namespace tarvex
