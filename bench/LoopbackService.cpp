#include "bench/LoopbackService.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>

namespace tarvex::bench {

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string PercentDecode(const std::string& text) {
    std::string out;
    for (size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '%' && at + 2 < text.size() && HexValue(text[at + 1]) >= 0 && HexValue(text[at + 2]) >= 0) {
            out.push_back(static_cast<char>(HexValue(text[at + 1]) * 16 + HexValue(text[at + 2])));
            at += 2;
        } else {
            out.push_back(text[at]);
        }
    }
    return out;
}

std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '"' || c == '\\') out.push_back('\\');
        out.push_back(c);
    }
    return out;
}

bool SendAll(int socket, const std::string& bytes) {
    size_t sent = 0;
    while (sent < bytes.size()) {
        ssize_t wrote = ::send(socket, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (wrote <= 0) return false;
        sent += static_cast<size_t>(wrote);
    }
    return true;
}

}  // namespace

std::string LoopbackReply(const std::string& encodedText) {
    std::vector<std::string> lines;
    const std::string text = PercentDecode(encodedText);
    size_t from = 0;
    for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', from)) {
        lines.push_back(text.substr(from, at - from));
        from = at + 1;
    }
    lines.push_back(text.substr(from));
    std::string body = "[[";
    for (size_t index = 0; index < lines.size(); ++index) {
        std::string upper = lines[index];
        for (char& c : upper)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
        const std::string lineBreak = index + 1 < lines.size() ? "\\n" : "";
        if (index > 0) body += ",";
        body += "[\"" + Escaped(upper) + lineBreak + "\",\"" + Escaped(lines[index]) + lineBreak + "\",null,null,1]";
    }
    return body + "],null,\"en\"]";
}

LoopbackService::LoopbackService() {
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 || ::listen(listener_, 64) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return;
    port_ = ntohs(address.sin_port);
    acceptor_ = std::thread([this] { Accept(); });
}

LoopbackService::~LoopbackService() {
    stopping_ = true;
    ::shutdown(listener_, SHUT_RDWR);
    ::close(listener_);
    if (acceptor_.joinable()) acceptor_.join();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        for (int socket : sockets_) ::shutdown(socket, SHUT_RDWR);
    }
    for (std::thread& server : servers_) server.join();
}

std::string LoopbackService::Address() const {
    return "127.0.0.1:" + std::to_string(port_);
}

void LoopbackService::Accept() {
    while (!stopping_) {
        int socket = ::accept(listener_, nullptr, nullptr);
        if (socket < 0) return;
        int on = 1;
        ::setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        ++connections_;
        std::lock_guard<std::mutex> lock(mutex_);
        sockets_.push_back(socket);
        servers_.emplace_back([this, socket] { Serve(socket); });
    }
}

void LoopbackService::Serve(int socket) {
    std::string pending;
    char buffer[65536];
    for (;;) {
        size_t end = pending.find("\r\n\r\n");
        while (end == std::string::npos) {
            ssize_t got = ::recv(socket, buffer, sizeof buffer, 0);
            if (got <= 0) {
                ::close(socket);
                return;
            }
            pending.append(buffer, static_cast<size_t>(got));
            end = pending.find("\r\n\r\n");
        }
        const std::string head = pending.substr(0, end);
        pending.erase(0, end + 4);
        std::string text;
        size_t at = head.find("text=");
        if (at != std::string::npos) {
            size_t stop = head.find_first_of("& ", at + 5);
            text = head.substr(at + 5, stop == std::string::npos ? std::string::npos : stop - at - 5);
        }
        if (int delay = delayMs_.load(); delay > 0) std::this_thread::sleep_for(std::chrono::milliseconds(delay));
        const std::string body = LoopbackReply(text);
        const std::string reply =
            "HTTP/1.1 200 OK\r\nContent-Type: text/javascript; charset=UTF-8\r\nContent-Length: " +
            std::to_string(body.size()) + "\r\n\r\n" + body;
        if (!SendAll(socket, reply)) {
            ::close(socket);
            return;
        }
    }
}

}  // namespace tarvex::bench
