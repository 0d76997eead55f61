#pragma once
// An in-memory translation service for several connections at once: each
// NewTransport is one connection. Answers like ScriptedTransport's service
// after a delay chosen per request (so replies can finish out of order),
// can refuse chosen requests with a status, and records what it saw.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "translate/http/HttpTransport.h"

namespace tarvex::test {

class ConcurrentService {
public:
    // By request number (from 1, in the order they arrive).
    std::function<std::chrono::milliseconds(size_t request)> Delay = [](size_t) {
        return std::chrono::milliseconds(0);
    };
    std::function<int(size_t request)> Status = [](size_t) { return 200; };
    std::string RetryAfter;

    std::unique_ptr<HttpTransport> NewTransport();
    // Back to answering at once with 200, records emptied.
    void Reset();

    // What was seen, safe to read once the run has ended.
    int MostInFlight = 0;
    std::vector<int> InFlightAtStart;     // per request, itself included
    std::vector<std::string> FirstLines;  // the first sent line of each request, in arrival order
    int Connections = 0;

private:
    friend class ConcurrentTransport;
    std::mutex mutex_;
    int inFlight_ = 0;
};

}  // namespace tarvex::test
