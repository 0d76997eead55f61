// Non-blocking sockets tied to an event (WSAEventSelect), waited on together
// with the interrupt event up to the deadline. A connection is kept for the
// next request only when its response ended cleanly where HTTP says it ends.

#include <winsock2.h>
#include <ws2tcpip.h>
// After winsock2.h.
#include <windows.h>

#include <memory>
#include <mutex>
#include <thread>

#include "base/RuntimeError.h"
#include "translate/http/ContentDecoding.h"
#include "translate/http/HttpLimits.h"
#include "translate/http/HttpResponseParser.h"
#include "translate/http/PlainHttpConnection.h"
#include "translate/http/Redirects.h"

namespace tarvex {

namespace {

using Clock = std::chrono::steady_clock;

void StartWinsockOnce() {
    static std::once_flag once;
    std::call_once(once, [] {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
    });
}

// Waits for `handle` or the interrupt, at most until the deadline.
void WaitFor(HANDLE handle, Clock::time_point deadline, void* interrupt) {
    if (Clock::now() >= deadline) throw RequestTimedOutError();
    HANDLE handles[2] = {handle, static_cast<HANDLE>(interrupt)};
    DWORD woken = WaitForMultipleObjects(2, handles, FALSE, static_cast<DWORD>(MillisecondsUntil(deadline)));
    if (woken == WAIT_OBJECT_0 + 1) throw RuntimeError(ErrorNumber::UserInterrupt);
    if (woken == WAIT_TIMEOUT) throw RequestTimedOutError();
    if (woken != WAIT_OBJECT_0) throw RuntimeError(ErrorNumber::OutOfMemory);
}

// A name lookup has no time-out of its own, so it runs on a thread that owns
// everything it touches; the caller stops waiting for it at the deadline and
// the thread ends by itself when the lookup does.
struct Lookup {
    std::string Host;
    std::string Port;
    HANDLE Done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    addrinfo* Result = nullptr;
    int Error = 0;
    ~Lookup() {
        if (Result != nullptr) freeaddrinfo(Result);
        if (Done != nullptr) CloseHandle(Done);
    }
};

std::shared_ptr<Lookup> Resolve(const std::string& host, uint16_t port, Clock::time_point deadline, void* interrupt) {
    auto lookup = std::make_shared<Lookup>();
    lookup->Host =
        host.size() > 2 && host.front() == '[' && host.back() == ']' ? host.substr(1, host.size() - 2) : host;
    lookup->Port = std::to_string(port);
    if (lookup->Done == nullptr) throw RuntimeError(ErrorNumber::OutOfMemory);
    addrinfo hints = {};
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    hints.ai_flags = AI_NUMERICHOST;  // an address needs no lookup
    if (getaddrinfo(lookup->Host.c_str(), lookup->Port.c_str(), &hints, &lookup->Result) == 0) return lookup;
    lookup->Result = nullptr;
    try {
        std::thread([lookup] {
            addrinfo hints = {};
            hints.ai_socktype = SOCK_STREAM;
            hints.ai_protocol = IPPROTO_TCP;
            lookup->Error = getaddrinfo(lookup->Host.c_str(), lookup->Port.c_str(), &hints, &lookup->Result);
            SetEvent(lookup->Done);
        }).detach();
    } catch (const std::system_error&) {
        throw RuntimeError(ErrorNumber::OutOfMemory);
    }
    WaitFor(lookup->Done, deadline, interrupt);
    if (lookup->Error != 0 || lookup->Result == nullptr) throw UnreachableError("the name " + host + " is not known");
    return lookup;
}

}  // namespace

struct PlainHttpConnection::Socket {
    SOCKET Handle = INVALID_SOCKET;
    WSAEVENT Event = WSACreateEvent();
    bool KeepAfter = false;  // the last response left the connection fit for another
    ~Socket() {
        if (Handle != INVALID_SOCKET) closesocket(Handle);
        if (Event != WSA_INVALID_EVENT) WSACloseEvent(Event);
    }

    // Waits for news of the socket (any of the events it was tied to).
    WSANETWORKEVENTS Wait(Clock::time_point deadline, void* interrupt) {
        WaitFor(Event, deadline, interrupt);
        WSANETWORKEVENTS events = {};
        WSAEnumNetworkEvents(Handle, Event, &events);  // also resets the event
        return events;
    }

    void Send(const std::string& bytes, Clock::time_point deadline, void* interrupt) {
        size_t sent = 0;
        while (sent < bytes.size()) {
            int n =
                send(Handle, bytes.data() + sent, static_cast<int>(std::min<size_t>(bytes.size() - sent, 1 << 20)), 0);
            if (n > 0) {
                sent += static_cast<size_t>(n);
            } else if (WSAGetLastError() == WSAEWOULDBLOCK) {
                Wait(deadline, interrupt);
            } else {
                throw UnreachableError("the connection was dropped");
            }
        }
    }

    // Some bytes, 0 at the connection's orderly end.
    size_t Receive(char* buffer, size_t size, Clock::time_point deadline, void* interrupt) {
        for (;;) {
            // A server that keeps sending must not keep the request alive.
            if (Clock::now() >= deadline) throw RequestTimedOutError();
            int n = recv(Handle, buffer, static_cast<int>(size), 0);
            if (n >= 0) return static_cast<size_t>(n);
            if (WSAGetLastError() != WSAEWOULDBLOCK) throw UnreachableError("the connection was dropped");
            Wait(deadline, interrupt);
        }
    }
};

PlainHttpConnection::~PlainHttpConnection() {
    Close();
}

void PlainHttpConnection::Close() {
    delete open_;
    open_ = nullptr;
}

PlainReply PlainHttpConnection::Exchange(const std::string& host, uint16_t port, const std::string& requestHead,
                                         Clock::time_point deadline, void* interrupt) {
    StartWinsockOnce();
    // A kept connection the server has meanwhile closed shows as one that
    // answers nothing; the request is then made once more on a new one.
    if (open_ != nullptr && (openHost_ != host || openPort_ != port)) Close();
    for (;;) {
        std::unique_ptr<Socket> socket(open_);
        open_ = nullptr;
        const bool reused = socket != nullptr;
        if (!reused) socket = Connect(host, port, deadline, interrupt);
        bool nothingCame = true;
        try {
            PlainReply reply = Attempt(*socket, requestHead, deadline, interrupt, nothingCame);
            if (socket->KeepAfter) {
                open_ = socket.release();
                openHost_ = host;
                openPort_ = port;
            }
            return reply;
        } catch (const RuntimeError& error) {
            if (!(reused && nothingCame && error.Number() == ErrorNumber::ConnectionFailed)) throw;
        }
    }
}

std::unique_ptr<PlainHttpConnection::Socket> PlainHttpConnection::Connect(const std::string& host, uint16_t port,
                                                                          Clock::time_point deadline, void* interrupt) {
    std::shared_ptr<Lookup> lookup = Resolve(host, port, deadline, interrupt);
    int lastError = 0;
    for (addrinfo* address = lookup->Result; address != nullptr; address = address->ai_next) {
        auto socket = std::make_unique<Socket>();
        if (socket->Event == WSA_INVALID_EVENT) throw RuntimeError(ErrorNumber::OutOfMemory);
        socket->Handle = ::socket(address->ai_family, address->ai_socktype, address->ai_protocol);
        if (socket->Handle == INVALID_SOCKET) {
            lastError = WSAGetLastError();
            continue;
        }
        // Tying the socket to the event also makes it non-blocking.
        WSAEventSelect(socket->Handle, socket->Event, FD_CONNECT | FD_READ | FD_WRITE | FD_CLOSE);
        BOOL noDelay = TRUE;
        setsockopt(socket->Handle, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay), sizeof noDelay);
        if (connect(socket->Handle, address->ai_addr, static_cast<int>(address->ai_addrlen)) == 0) return socket;
        lastError = WSAGetLastError();
        if (lastError != WSAEWOULDBLOCK) continue;
        for (;;) {
            WSANETWORKEVENTS events = socket->Wait(deadline, interrupt);
            if (events.lNetworkEvents & FD_CONNECT) {
                lastError = events.iErrorCode[FD_CONNECT_BIT];
                if (lastError == 0) return socket;
                break;
            }
        }
    }
    throw UnreachableError("no connection to " + host + " (socket error " + std::to_string(lastError) + ")");
}

PlainReply PlainHttpConnection::Attempt(Socket& socket, const std::string& requestHead, Clock::time_point deadline,
                                        void* interrupt, bool& nothingCame) {
    PlainReply result;
    std::unique_ptr<ContentDecoder> decoder;
    size_t discarded = 0;
    HttpResponseParser parser([&](const HttpResponseParser& self, const char* data, size_t size) {
        if (IsRedirect(self.Status()) && !self.Header("Location").empty()) {
            // Not wanted, but read to its end so the connection can be kept.
            if ((discarded += size) > kMaxReplyBytes) throw ReplyTooLargeError();
            return;
        }
        if (!decoder) decoder = std::make_unique<ContentDecoder>(self.Header("Content-Encoding"));
        decoder->Feed(data, size, result.Reply.Body);
    });
    socket.KeepAfter = false;
    socket.Send(requestHead, deadline, interrupt);
    char buffer[16384];
    for (;;) {
        size_t got = socket.Receive(buffer, sizeof buffer, deadline, interrupt);
        if (got == 0) {
            parser.FeedEnd();
            break;
        }
        nothingCame = false;
        size_t used = parser.Feed(buffer, got);
        if (parser.Done()) {
            // Bytes beyond the response mean the two sides disagree on where
            // it ended: such a connection is not used again.
            socket.KeepAfter = parser.KeepAlive() && used == got;
            break;
        }
    }
    if (decoder) decoder->Finish();
    result.Reply.Status = parser.Status();
    result.Reply.Reason = parser.Reason();
    result.Reply.RetryAfter = parser.Header("Retry-After");
    if (IsRedirect(parser.Status())) result.Location = parser.Header("Location");
    return result;
}

}  // namespace tarvex
