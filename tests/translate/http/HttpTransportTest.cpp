// The platform's client (libcurl or WinINet) against the fake service:
// compressed replies, cancelling, and several transports working at once.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <thread>

#include "support/FakeService.h"
#include "support/SystemProxy.h"
#include "translate/http/HttpTransport.h"

#ifdef _WIN32
#include <windows.h>
// After windows.h.
#include <tlhelp32.h>
#endif

namespace tarvex {
namespace {

using Clock = std::chrono::steady_clock;

// The threads of this process just now.
int ThreadCount() {
#ifdef _WIN32
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
    CloseHandle(snapshot);
    return count;
#else
    return static_cast<int>(
        std::distance(std::filesystem::directory_iterator("/proc/self/task"), std::filesystem::directory_iterator()));
#endif
}

class HttpTransportTest : public ::testing::Test {
protected:
    void SetUp() override { fake.Reset(); }
    std::string Url(const std::string& text = "Hello%0Aworld") {
        return "http://" + fake.Address() + "/translate_a/t?client=t&text=" + text + "&sl=en&tl=id";
    }
    // The error a Get ends with, 0 when it answers.
    int32_t GetFailure(HttpTransport& transport, std::string* text = nullptr,
                       std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
        try {
            transport.Get(Url(), {"Accept-Encoding: *"}, timeout);
        } catch (const RuntimeError& error) {
            if (text) *text = error.Description();
            return error.Number();
        }
        return 0;
    }
    // How many translation requests each connection carried.
    std::map<int, int> RequestsPerConnection() {
        std::map<int, int> counts;
        std::string records = fake.Records();
        const std::string key = "\"connection\": ";
        for (size_t at = records.find(key); at != std::string::npos; at = records.find(key, at + 1))
            ++counts[std::atoi(records.c_str() + at + key.size())];
        return counts;
    }

    test::FakeService fake;
};

TEST_F(HttpTransportTest, CompressedRepliesAreDecodedAndBounded) {
    std::unique_ptr<HttpTransport> transport = CreateSystemTransport();
    const std::string plain = transport->Get(Url(), {}, std::chrono::seconds(10)).Body;
    ASSERT_EQ(plain.substr(0, 10), "[[[\"HELLO\\");
    for (const char* mode : {"mode=gzip", "mode=deflate", "mode=rawdeflate"}) {
        fake.Control(mode);
        HttpReply reply = transport->Get(Url(), {"Accept-Encoding: *"}, std::chrono::seconds(10));
        EXPECT_EQ(reply.Status, 200) << mode;
        EXPECT_EQ(reply.Body, plain) << mode;
    }
    std::string text;
    fake.Control("mode=brotli");
    EXPECT_EQ(GetFailure(*transport, &text), ErrorNumber::BadContentCoding);
    EXPECT_EQ(text, "Unsupported content coding in the reply: br");
    fake.Control("mode=bomb&size=4194305");  // 4 kB on the wire, one byte over the limit inflated
    EXPECT_EQ(GetFailure(*transport, &text), ErrorNumber::ReplyTooLarge);
    // The transport goes on working after each failure.
    fake.Control("mode=gzip");
    EXPECT_EQ(transport->Get(Url(), {}, std::chrono::seconds(10)).Body, plain);
}

TEST_F(HttpTransportTest, CancelEndsTheWaitingRequestAndEveryLaterOne) {
    fake.Control("mode=silent");
    std::unique_ptr<HttpTransport> transport = CreateSystemTransport();
    int32_t failure = 0;
    Clock::time_point ended;
    std::thread requester([&] {
        failure = GetFailure(*transport, nullptr, std::chrono::seconds(30));
        ended = Clock::now();
    });
    // Cancel once the request is surely waiting on the service.
    Clock::time_point asked = Clock::now() + std::chrono::seconds(10);
    while (fake.CountInRecords("\"path\"") == 0 && Clock::now() < asked)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    Clock::time_point cancelled = Clock::now();
    transport->Cancel();
    requester.join();
    EXPECT_EQ(failure, ErrorNumber::UserInterrupt);
    auto took = std::chrono::duration_cast<std::chrono::milliseconds>(ended - cancelled);
    std::printf("cancel took %lld ms\n", static_cast<long long>(took.count()));
    EXPECT_LT(took, std::chrono::milliseconds(300));

    fake.Control("mode=normal");
    Clock::time_point start = Clock::now();
    std::string text;
    EXPECT_EQ(GetFailure(*transport, &text), ErrorNumber::UserInterrupt);
    EXPECT_EQ(text, "User interrupt occurred");
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(100));
    EXPECT_EQ(fake.CountInRecords("\"path\""), 1);  // the later Get sent nothing
}

TEST_F(HttpTransportTest, StalledRequestsLeaveNoThreadBehind) {
    std::unique_ptr<HttpTransport> transport = CreateSystemTransport();
    transport->Get(Url(), {}, std::chrono::seconds(10));  // whatever the platform starts once is started
    const int before = ThreadCount();
    for (const char* mode : {"mode=silent", "mode=slowheaders", "mode=trickle"}) {
        fake.Control(mode);
        EXPECT_EQ(GetFailure(*transport, nullptr, std::chrono::milliseconds(500)), ErrorNumber::RequestTimedOut);
    }
    EXPECT_EQ(ThreadCount(), before);
}

TEST_F(HttpTransportTest, AnHttpsLegThatNeverConnectsEndsOnTimeAndOnCancel) {
    // A redirect to https hands the request to the platform's TLS client
    // (WinINet on Windows); the same time-out and Cancel hold there.
    fake.Control("mode=secureredirect");
    std::unique_ptr<HttpTransport> transport = CreateSystemTransport();
    Clock::time_point start = Clock::now();
    EXPECT_EQ(GetFailure(*transport, nullptr, std::chrono::seconds(2)), ErrorNumber::RequestTimedOut);
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(3));

    int32_t failure = 0;
    std::thread requester([&] { failure = GetFailure(*transport, nullptr, std::chrono::seconds(30)); });
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    start = Clock::now();
    transport->Cancel();
    requester.join();
    EXPECT_EQ(failure, ErrorNumber::UserInterrupt);
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(300));
}

TEST_F(HttpTransportTest, SecretHeadersStayWithTheirOrigin) {
    const HttpHeaders headers({"Authorization: Bearer k1", "X-Api-Key: k2", "Accept: */*"}, {"x-api-key"});
    std::unique_ptr<HttpTransport> transport = CreateSystemTransport();
    struct Case {
        const char* Mode;
        int Secrets;  // requests that carried each secret
    };
    for (const Case& each : {Case{"mode=redirect", 2}, Case{"mode=crossredirect", 1}}) {
        SCOPED_TRACE(each.Mode);
        fake.Reset();
        fake.Control(each.Mode);
        EXPECT_EQ(transport->Get(Url(), headers, std::chrono::seconds(10)).Status, 200);
        EXPECT_EQ(fake.CountInRecords("\"/r/translate_a/t\""), 1);  // the redirect was followed
        EXPECT_EQ(fake.CountInRecords("\"Accept: */*\""), 2);
        EXPECT_EQ(fake.CountInRecords("\"Authorization: Bearer k1\""), each.Secrets);
        EXPECT_EQ(fake.CountInRecords("\"X-Api-Key: k2\""), each.Secrets);
    }
}

// The fake is its own proxy here: what reaches it through the proxy is
// recorded as such. A key allowed over plain http because it stays on this
// computer must not pass through one.
TEST_F(HttpTransportTest, TheLoopbackIsReachedWithoutTheProxy) {
    test::SetSystemProxy(fake.Address());
    const std::string port = fake.Address().substr(fake.Address().rfind(':'));
    for (const std::string host : {"127.0.0.1", "localhost"}) {
        SCOPED_TRACE(host);
        std::unique_ptr<HttpTransport> transport = CreateSystemTransport();
        HttpReply reply{};
        try {
            reply = transport->Get("http://" + host + port + "/translate_a/t?client=t&text=a&sl=en&tl=id",
                                   {"Authorization: Bearer k1"}, std::chrono::seconds(10));
        } catch (const RuntimeError& error) {
            ADD_FAILURE() << error.Description();
        }
        EXPECT_EQ(reply.Status, 200);
    }
    test::SetSystemProxy("");
    EXPECT_EQ(fake.CountInRecords("\"Authorization: Bearer k1\""), 2);
    EXPECT_EQ(fake.CountInRecords("\"via_proxy\": true"), 0);
}

// A POST is followed only where the redirect keeps its method and body
// (307, 308); a body holding a key never goes to another origin.
TEST_F(HttpTransportTest, APostFollowsOnly307And308AndASecretBodyStaysHome) {
    std::unique_ptr<HttpTransport> transport = CreateSystemTransport();
    struct Case {
        const char* Control;
        bool SecretBody;
        int Status;  // of the reply the caller sees
        int Bodies;  // requests that carried the body
    } cases[] = {
        {"mode=redirect&redirect=301", false, 301, 1},     {"mode=redirect&redirect=302", false, 302, 1},
        {"mode=redirect&redirect=303", false, 303, 1},     {"mode=redirect&redirect=307", false, 200, 2},
        {"mode=redirect&redirect=308", false, 200, 2},     {"mode=redirect&redirect=307", true, 200, 2},
        {"mode=crossredirect&redirect=308", true, 308, 1}, {"mode=crossredirect&redirect=307", false, 200, 2},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(std::string(each.Control) + (each.SecretBody ? " secret" : ""));
        fake.Reset();
        fake.Control(each.Control);
        HttpRequest request;
        request.Method = "POST";
        request.Url = "http://" + fake.Address() + "/translate";
        request.HeaderLines = {"Content-Type: application/json", "Authorization: Bearer k1"};
        request.Body = R"({"q":["Hello"],"source":"en","target":"id"})";
        request.SecretBody = each.SecretBody;
        EXPECT_EQ(transport->Send(request, std::chrono::seconds(10)).Status, each.Status);
        EXPECT_EQ(fake.CountInRecords("Hello"), each.Bodies) << fake.Records();
    }
}

TEST_F(HttpTransportTest, SeveralTransportsWorkAtOnceOnTheirOwnKeptAliveConnections) {
    constexpr int kTransports = 8;
    constexpr int kRequestsEach = 3;
    fake.Control("mode=normal&delay=300");
    std::vector<std::unique_ptr<HttpTransport>> transports;
    for (int i = 0; i < kTransports; ++i) transports.push_back(CreateSystemTransport());
    std::vector<std::string> bodies(kTransports * kRequestsEach);
    std::vector<std::thread> threads;
    Clock::time_point start = Clock::now();
    for (int i = 0; i < kTransports; ++i) {
        threads.emplace_back([&, i] {
            for (int r = 0; r < kRequestsEach; ++r) {
                try {
                    std::string text = "t" + std::to_string(i) + "r" + std::to_string(r);
                    bodies[i * kRequestsEach + r] = transports[i]->Get(Url(text), {}, std::chrono::seconds(10)).Body;
                } catch (const RuntimeError& error) {
                    bodies[i * kRequestsEach + r] = error.Description();
                }
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    auto took = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
    std::printf("%d transports x %d requests of 300 ms took %lld ms\n", kTransports, kRequestsEach,
                static_cast<long long>(took.count()));
    // One after another this would take 7.2 s; at once, about 0.9 s.
    EXPECT_LT(took, std::chrono::milliseconds(kRequestsEach * 300 + 1200));
    for (int i = 0; i < kTransports; ++i)
        for (int r = 0; r < kRequestsEach; ++r) {
            std::string text = "T" + std::to_string(i) + "R" + std::to_string(r);
            EXPECT_EQ(bodies[i * kRequestsEach + r].substr(0, 4 + text.size()), "[[[\"" + text);
        }
    std::map<int, int> perConnection = RequestsPerConnection();
    EXPECT_EQ(perConnection.size(), size_t{kTransports});
    for (const auto& [connection, requests] : perConnection)
        EXPECT_EQ(requests, kRequestsEach) << "connection " << connection;
}

}  // namespace
}  // namespace tarvex
