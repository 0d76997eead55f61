// What WinINet requests that were given up on (time-out, Cancel, a content
// coding we do not read) leave behind, measured over many of them.

#include <gtest/gtest.h>

#include <windows.h>
// After windows.h.
#include <psapi.h>
#include <tlhelp32.h>

#include "support/FakeService.h"
#include "translate/http/WinInetClient.h"

namespace tarvex {
namespace {

using Clock = std::chrono::steady_clock;

struct Usage {
    int Handles = 0;  // kernel handles; under Wine, the process's Unix descriptors
    int Threads = 0;
    size_t CommitBytes = 0;
};

Usage Measure() {
    Usage usage;
    DWORD handles = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handles);
    usage.Handles = static_cast<int>(handles);
    if (usage.Handles == 0) {
        // Wine does not count them; its sockets and events are descriptors.
        WIN32_FIND_DATAA entry;
        HANDLE find = FindFirstFileA("Z:\\proc\\self\\fd\\*", &entry);
        if (find != INVALID_HANDLE_VALUE) {
            do ++usage.Handles;
            while (FindNextFileA(find, &entry));
            FindClose(find);
        }
    }
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 thread = {};
    thread.dwSize = sizeof thread;
    for (BOOL more = Thread32First(snapshot, &thread); more; more = Thread32Next(snapshot, &thread))
        if (thread.th32OwnerProcessID == GetCurrentProcessId()) ++usage.Threads;
    CloseHandle(snapshot);
    PROCESS_MEMORY_COUNTERS counters = {};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    usage.CommitBytes = counters.PagefileUsage;
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
    for (auto until = Clock::now() + std::chrono::seconds(10); Clock::now() < until && after.Threads > before.Threads;
         after = Measure())
        Sleep(100);
    Sleep(500);
    after = Measure();
    std::printf("%d abandoned requests: threads %d -> %d, handles %d -> %d, committed memory %.1f -> %.1f MiB\n",
                kRequests, before.Threads, after.Threads, before.Handles, after.Handles,
                static_cast<double>(before.CommitBytes) / (1 << 20),
                static_cast<double>(after.CommitBytes) / (1 << 20));
    EXPECT_LE(after.Threads, before.Threads);
    // WinINet keeps a few connections alive of its own accord; a request
    // left open would hold at least one descriptor each.
    EXPECT_LE(after.Handles, before.Handles + kRequests / 5);
    EXPECT_LT(after.CommitBytes, before.CommitBytes + (size_t{4} << 20));
    CloseHandle(never);
    CloseHandle(cancelled);
}

}  // namespace
}  // namespace tarvex
