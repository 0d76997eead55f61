#pragma once
// One HTTP/1.x response read from a connection's bytes as they arrive: the
// status line and headers (bounded by kMaxHeaderBytes), then the body with
// its transfer framing (length, chunks, or up to the connection's end)
// undone. Interim 1xx responses are skipped.

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace tarvex {

class HttpResponseParser {
public:
    // `onBody` receives the body's bytes, framing removed, in order, with
    // the parser itself so that it can read the headers, whole by then.
    using BodySink = std::function<void(const HttpResponseParser&, const char*, size_t)>;
    explicit HttpResponseParser(BodySink onBody) : onBody_(std::move(onBody)) {}

    // Takes bytes of the connection; answers how many belong to this
    // response (the rest, if any, came after its end). Throws
    // HeadersTooLargeError, or RuntimeError(ConnectionFailed) for bytes that
    // are not an HTTP response.
    size_t Feed(const char* data, size_t size);
    // The connection has ended: that completes a body that runs to it;
    // otherwise throws RuntimeError(ConnectionFailed).
    void FeedEnd();

    // Whether any byte of the response has arrived yet.
    bool Started() const { return started_; }
    bool HeadersDone() const { return state_ > State::Headers; }
    bool Done() const { return state_ == State::Done; }
    int Status() const { return status_; }
    const std::string& Reason() const { return reason_; }
    // The values of every header of that name (any case), joined by ", ".
    std::string Header(const std::string& name) const;
    // The connection may carry another request once this response is done.
    bool KeepAlive() const { return keepAlive_; }

private:
    enum class State { StatusLine, Headers, Body, ChunkSize, ChunkData, ChunkEnd, Trailers, UntilClose, Done };
    bool TakeLine(const char*& data, const char* end, std::string& line);
    void StatusLine(const std::string& line);
    void EndOfHeaders();

    BodySink onBody_;
    State state_ = State::StatusLine;
    std::string line_;        // a line not yet ended
    size_t headerBytes_ = 0;  // of the current response
    int status_ = 0;
    std::string reason_;
    bool http11_ = false;
    std::vector<std::pair<std::string, std::string>> headers_;
    unsigned long long left_ = 0;  // of the body or the current chunk
    bool keepAlive_ = false;
    bool started_ = false;
};

}  // namespace tarvex
