#pragma once
// A translation service on loopback fast enough to measure the client, not
// itself: one thread per connection, kept alive, answering every GET with
// the text upper-cased in the real service's reply layout, after an
// optional delay.

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tarvex::bench {

class LoopbackService {
public:
    LoopbackService();  // listening on 127.0.0.1 at a free port
    ~LoopbackService();
    LoopbackService(const LoopbackService&) = delete;
    LoopbackService& operator=(const LoopbackService&) = delete;

    std::string Address() const;  // 127.0.0.1:PORT
    void SetDelay(std::chrono::milliseconds delay) { delayMs_ = static_cast<int>(delay.count()); }
    int TakeConnectionCount() { return connections_.exchange(0); }

private:
    void Accept();
    void Serve(int socket);

    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::atomic<int> delayMs_{0};
    std::atomic<int> connections_{0};
    std::thread acceptor_;
    std::mutex mutex_;
    std::vector<std::thread> servers_;
    std::vector<int> sockets_;
};

// The reply body for a request's percent-encoded text.
std::string LoopbackReply(const std::string& encodedText);

}  // namespace tarvex::bench
