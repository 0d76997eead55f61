// What WinINet requests that were given up on (time-out, Cancel, a content
// coding we do not read) leave behind, measured over many of them.

#include <gtest/gtest.h>

#include <windows.h>
// After windows.h.
#include <psapi.h>

#include "support/FakeService.h"
#include "translate/http/WinInetClient.h"

namespace tarvex {
namespace {

using Clock = std::chrono::steady_clock;

struct Usage {
    DWORD Handles = 0;
    size_t PrivateBytes = 0;
};

Usage Measure() {
    Usage usage;
    GetProcessHandleCount(GetCurrentProcess(), &usage.Handles);
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
    usage.PrivateBytes = counters.PrivateUsage;
    return usage;
}

TEST(WinInetClient, AbandonedRequestsReleaseWhatTheyHeld) {
    test::FakeService fake;
    fake.Reset();
    WinInetClient client;
    HANDLE never = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE cancelled = CreateEventA(nullptr, TRUE, TRUE, nullptr);
    const std::string url = "http://" + fake.Address() + "/translate_a/t?client=t&text=x&sl=en&tl=id";
    auto failure = [&](HANDLE interrupt, std::chrono::milliseconds timeout) {
        try {
            client.Get(url, {}, Clock::now() + timeout, kMaxRedirects, interrupt);
        } catch (const RuntimeError& error) {
            return error.Number();
        }
        return 0;
    };
    // Whatever WinINet sets up once, for a whole body and an abandoned one.
    ASSERT_EQ(failure(never, std::chrono::seconds(10)), 0);
    fake.Control("mode=trickle");
    failure(never, std::chrono::milliseconds(100));
    Sleep(1000);

    constexpr int kRequests = 100;
    const Usage before = Measure();
    for (int request = 0; request < kRequests; ++request) {
        switch (request % 3) {
            case 0:
                fake.Control("mode=trickle");
                EXPECT_EQ(failure(never, std::chrono::milliseconds(100)), ErrorNumber::RequestTimedOut);
                break;
            case 1:
                fake.Control("mode=trickle");
                EXPECT_EQ(failure(cancelled, std::chrono::seconds(10)), ErrorNumber::UserInterrupt);
                break;
            default:
                fake.Control("mode=brotli");
                EXPECT_EQ(failure(never, std::chrono::seconds(10)), ErrorNumber::BadContentCoding);
        }
    }
    // The workers end once the call each waits on returns (a trickled byte
    // comes every 200 ms).
    Usage after = Measure();
    for (auto until = Clock::now() + std::chrono::seconds(10);
         Clock::now() < until && after.Handles > before.Handles + 5; after = Measure())
        Sleep(100);
    std::printf("%d abandoned requests: handles %lu -> %lu, private memory %.1f -> %.1f MiB\n", kRequests,
                static_cast<unsigned long>(before.Handles), static_cast<unsigned long>(after.Handles),
                static_cast<double>(before.PrivateBytes) / (1 << 20),
                static_cast<double>(after.PrivateBytes) / (1 << 20));
    EXPECT_LE(after.Handles, before.Handles + 5);
    EXPECT_LT(after.PrivateBytes, before.PrivateBytes + (size_t{4} << 20));
    CloseHandle(never);
    CloseHandle(cancelled);
}

}  // namespace
}  // namespace tarvex
