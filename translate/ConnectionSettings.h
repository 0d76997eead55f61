#pragma once
// How a run's requests travel: their time-out, how many are in flight, how
// connections are made, how blocking work and pauses are spent, and the
// service they are for. The service itself (what a request holds, how its
// reply reads) is a Service; these are the settings around it, with the
// defaults both front ends start from.

#include <chrono>
#include <functional>
#include <memory>
#include <string>

namespace tarvex {

class HttpTransport;
class Service;

constexpr const char* kServiceHost = "translate.google.com";
constexpr int kDefaultJobs = 4;
constexpr int kMostJobs = 16;
constexpr std::chrono::seconds kDefaultTimeout{30};

// Every member has a default that works, so that the struct is filled by
// name ({.Host = ..., .Jobs = ...}) and a member left out, or given as {},
// never leaves the run without a way to work.
struct ConnectionSettings {
    std::string Host = kServiceHost;  // HOST or HOST:PORT, no scheme
    // Of each request: its turns at the rate gate, its attempts and pauses.
    std::chrono::milliseconds Timeout = kDefaultTimeout;
    // Requests in flight at once, 1 to kMostJobs, each on a connection of
    // its own.
    int Jobs = kDefaultJobs;
    // Makes the run's connections, which the run cancels when it ends.
    // Empty: the platform's client.
    std::function<std::unique_ptr<HttpTransport>()> NewTransport = nullptr;
    // Runs blocking network work. The window runs it on a worker thread and
    // keeps handling its messages meanwhile. Empty: the work is just called.
    std::function<void(const std::function<void()>&)> RunBlocking = nullptr;
    // How a pause between retries is spent (a seam so tests need not wait).
    // Empty: the pause is waited out.
    std::function<void(std::chrono::milliseconds)> Pause = nullptr;
    // The service asked. Empty: the web endpoint at Host, as runs have
    // always asked it.
    std::shared_ptr<const Service> Api = nullptr;
};

// Requests in flight for a run of `service`: `given` when the user chose
// (above 0), else the service's own default.
int JobsFor(int given, const Service& service);

// A new connection as the service's settings say.
std::unique_ptr<HttpTransport> NewServiceTransport(const ConnectionSettings& service);

// `work`, run as the service's settings say.
void RunBlockingWork(const ConnectionSettings& service, const std::function<void()>& work);

}  // namespace tarvex
