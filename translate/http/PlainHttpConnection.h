#pragma once
// Plain HTTP over a TCP connection of our own (Windows sockets), kept alive
// from request to request. Everything runs on the calling thread and every
// wait ends at the deadline or when the interrupt event is set, so a request
// never outlives its Get and nothing a server sends is held beyond the
// limits of HttpLimits.h.

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "translate/http/HttpTransport.h"

namespace tarvex {

struct PlainReply {
    HttpReply Reply;       // the body decoded, or empty for a redirect
    std::string Location;  // of a redirect, as sent
};

class PlainHttpConnection {
public:
    PlainHttpConnection() = default;
    ~PlainHttpConnection();
    PlainHttpConnection(const PlainHttpConnection&) = delete;
    PlainHttpConnection& operator=(const PlainHttpConnection&) = delete;

    // Sends `requestHead` (request line, header lines, empty line) to
    // host:port, on the open connection when it goes there, and reads the
    // whole response. `interrupt` is an event HANDLE; once it is set the
    // wait ends with RuntimeError(UserInterrupt).
    PlainReply Exchange(const std::string& host, uint16_t port, const std::string& requestHead,
                        std::chrono::steady_clock::time_point deadline, void* interrupt);

private:
    struct Socket;
    std::unique_ptr<Socket> Connect(const std::string& host, uint16_t port,
                                    std::chrono::steady_clock::time_point deadline, void* interrupt);
    PlainReply Attempt(Socket& socket, const std::string& requestHead, std::chrono::steady_clock::time_point deadline,
                       void* interrupt, bool& nothingCame);
    void Close();

    Socket* open_ = nullptr;  // the kept-alive connection, if any
    std::string openHost_;
    uint16_t openPort_ = 0;
};

}  // namespace tarvex
