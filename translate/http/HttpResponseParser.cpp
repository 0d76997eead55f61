#include "translate/http/HttpResponseParser.h"

#include <algorithm>

#include "base/RuntimeError.h"
#include "base/TextTrim.h"
#include "translate/http/HeaderText.h"
#include "translate/http/HttpLimits.h"

namespace tarvex {

namespace {

constexpr size_t kMaxChunkLine = 1024;

RuntimeError NotHttp(const std::string& what) {
    return UnreachableError(what);
}

bool IsHexDigit(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

}  // namespace

std::string HttpResponseParser::Header(const std::string& name) const {
    std::string value;
    for (const auto& [field, text] : headers_)
        if (SameIgnoringCase(field, name)) value += (value.empty() ? "" : ", ") + text;
    return value;
}

// Collects one line (its CR LF or LF dropped); false when the bytes run out
// first. Lines of the head count against its bound as they arrive, so an
// endless header line is refused as soon as it passes it.
bool HttpResponseParser::TakeLine(const char*& data, const char* end, std::string& line) {
    const bool head = state_ == State::StatusLine || state_ == State::Headers || state_ == State::Trailers;
    const char* newline = std::find(data, end, '\n');
    size_t taken = static_cast<size_t>(newline - data) + (newline == end ? 0 : 1);
    if (head && (headerBytes_ += taken) > kMaxHeaderBytes) throw HeadersTooLargeError();
    if (!head && line_.size() + taken > kMaxChunkLine) throw NotHttp("a malformed chunk in the answer");
    line_.append(data, newline == end ? taken : taken - 1);
    data += taken;
    if (newline == end) return false;
    if (!line_.empty() && line_.back() == '\r') line_.pop_back();
    line.swap(line_);
    line_.clear();
    return true;
}

void HttpResponseParser::StatusLine(const std::string& line) {
    // "HTTP/1.1 200 OK"
    if (line.size() < 12 || line.compare(0, 5, "HTTP/") != 0 || line[8] != ' ' || !IsDigit(line[9]) ||
        !IsDigit(line[10]) || !IsDigit(line[11]) || (line.size() > 12 && line[12] != ' '))
        throw NotHttp("the answer is not HTTP");
    http11_ = line.compare(5, 3, "1.0") != 0;
    status_ = std::stoi(line.substr(9, 3));
    reason_ = line.size() > 13 ? line.substr(13) : std::string();
    headers_.clear();
    state_ = State::Headers;
}

void HttpResponseParser::EndOfHeaders() {
    if (status_ >= 100 && status_ < 200 && status_ != 101) {
        headerBytes_ = 0;  // an interim answer; the real one follows
        state_ = State::StatusLine;
        return;
    }
    std::string connection = Header("Connection");
    keepAlive_ = http11_ ? !HasToken(connection, "close") : HasToken(connection, "keep-alive");
    if (status_ < 200 || status_ == 204 || status_ == 304) {
        state_ = State::Done;
        return;
    }
    if (HasToken(Header("Transfer-Encoding"), "chunked")) {
        state_ = State::ChunkSize;
        return;
    }
    std::string length = Header("Content-Length");
    if (length.empty()) {
        keepAlive_ = false;  // the body ends with the connection
        state_ = State::UntilClose;
        return;
    }
    // Repeated, the lengths must agree ("12, 12").
    std::string first = TrimmedBlanks(length.substr(0, length.find(',')));
    for (size_t comma = length.find(','); comma != std::string::npos; comma = length.find(',', comma + 1))
        if (TrimmedBlanks(length.substr(comma + 1, length.find(',', comma + 1) - comma - 1)) != first)
            throw NotHttp("the answer gives two lengths");
    if (first.empty() || first.size() > 18 || !std::all_of(first.begin(), first.end(), IsDigit))
        throw NotHttp("the answer gives a malformed length");
    left_ = std::stoull(first);
    state_ = left_ == 0 ? State::Done : State::Body;
}

size_t HttpResponseParser::Feed(const char* data, size_t size) {
    const char* at = data;
    const char* end = data + size;
    if (size > 0) started_ = true;
    std::string line;
    while (at < end && state_ != State::Done) {
        switch (state_) {
            case State::Body:
            case State::ChunkData: {
                size_t piece = static_cast<size_t>(std::min<unsigned long long>(left_, end - at));
                onBody_(*this, at, piece);
                at += piece;
                left_ -= piece;
                if (left_ == 0) state_ = state_ == State::Body ? State::Done : State::ChunkEnd;
                break;
            }
            case State::UntilClose:
                onBody_(*this, at, static_cast<size_t>(end - at));
                at = end;
                break;
            default:
                if (!TakeLine(at, end, line)) break;
                if (state_ == State::StatusLine) {
                    if (!line.empty()) StatusLine(line);  // blank lines before it are tolerated
                } else if (state_ == State::Headers) {
                    if (line.empty()) {
                        EndOfHeaders();
                    } else if ((line[0] == ' ' || line[0] == '\t') && !headers_.empty()) {
                        headers_.back().second += " " + TrimmedBlanks(line);  // a folded line
                    } else {
                        size_t colon = line.find(':');
                        if (colon != std::string::npos)
                            headers_.emplace_back(TrimmedBlanks(line.substr(0, colon)),
                                                  TrimmedBlanks(line.substr(colon + 1)));
                    }
                } else if (state_ == State::ChunkSize) {
                    std::string digits = TrimmedBlanks(line.substr(0, line.find(';')));
                    if (digits.empty() || digits.size() > 15 || !std::all_of(digits.begin(), digits.end(), IsHexDigit))
                        throw NotHttp("a malformed chunk in the answer");
                    left_ = std::stoull(digits, nullptr, 16);
                    if (left_ == 0) {
                        headerBytes_ = 0;
                        state_ = State::Trailers;
                    } else {
                        state_ = State::ChunkData;
                    }
                } else if (state_ == State::ChunkEnd) {
                    if (!line.empty()) throw NotHttp("a malformed chunk in the answer");
                    state_ = State::ChunkSize;
                } else if (state_ == State::Trailers && line.empty()) {
                    state_ = State::Done;
                }
                break;
        }
    }
    return static_cast<size_t>(at - data);
}

void HttpResponseParser::FeedEnd() {
    if (state_ == State::UntilClose) state_ = State::Done;
    if (state_ != State::Done)
        throw NotHttp(started_ ? "the connection closed before the answer was complete"
                               : "the connection closed without an answer");
}

}  // namespace tarvex
