#include "translate/services/ServiceSupport.h"

#include <algorithm>

#include "base/RuntimeError.h"

namespace tarvex {

namespace {

// A server's message in an error report: long enough to say what is wrong,
// short enough that an HTML error page cannot flood the report.
constexpr size_t kMostMessageBytes = 300;

// A C1 control as UTF-8 writes it: 0xC2 then 0x80 to 0x9F.
bool IsC1At(std::string_view text, size_t at) {
    return at + 1 < text.size() && static_cast<unsigned char>(text[at]) == 0xC2 &&
           static_cast<unsigned char>(text[at + 1]) >= 0x80 && static_cast<unsigned char>(text[at + 1]) <= 0x9F;
}

// Past a string sequence's end: BEL, ESC \ or the C1 string terminator.
size_t AfterControlString(std::string_view text, size_t at) {
    for (; at < text.size(); ++at) {
        if (text[at] == '\a') return at + 1;
        if (text[at] == '\x1B' && at + 1 < text.size() && text[at + 1] == '\\') return at + 2;
        if (IsC1At(text, at) && static_cast<unsigned char>(text[at + 1]) == 0x9C) return at + 2;
    }
    return at;
}

// Past parameters and intermediates, and the final byte of a CSI sequence.
size_t AfterCsi(std::string_view text, size_t at) {
    while (at < text.size() && static_cast<unsigned char>(text[at]) >= 0x20 &&
           static_cast<unsigned char>(text[at]) <= 0x3F)
        ++at;
    return at < text.size() && static_cast<unsigned char>(text[at]) >= 0x40 &&
                   static_cast<unsigned char>(text[at]) <= 0x7E
               ? at + 1
               : at;
}

// Where the terminal control sequence starting at `at` ends; `at` itself
// when none starts there. A server's text may hold them to redraw a
// console or retitle a window; a report shows none of it.
size_t AfterControlSequence(std::string_view text, size_t at) {
    if (text[at] == '\x1B') {
        if (at + 1 >= text.size()) return at + 1;
        const char kind = text[at + 1];
        if (kind == '[') return AfterCsi(text, at + 2);
        if (kind == ']' || kind == 'P' || kind == 'X' || kind == '^' || kind == '_')
            return AfterControlString(text, at + 2);
        size_t end = at + 1;
        while (end < text.size() && static_cast<unsigned char>(text[end]) >= 0x20 &&
               static_cast<unsigned char>(text[end]) <= 0x2F)
            ++end;
        return end < text.size() ? end + 1 : end;
    }
    if (!IsC1At(text, at)) return at;
    const auto kind = static_cast<unsigned char>(text[at + 1]);
    if (kind == 0x9B) return AfterCsi(text, at + 2);
    if (kind == 0x9D || kind == 0x90 || kind == 0x98 || kind == 0x9E || kind == 0x9F)
        return AfterControlString(text, at + 2);
    return at + 2;
}

}  // namespace

std::string StatusText(const HttpReply& reply) {
    std::string text = "HTTP " + std::to_string(reply.Status);
    // A reason phrase is the server's own text, bound for a report.
    if (const std::string reason = OneLine(reply.Reason); !reason.empty()) text += " " + reason;
    return text;
}

std::optional<std::chrono::milliseconds> RetryAfterPause(const std::string& retryAfter) {
    // The longest pause taken as given; any longer one outlasts every
    // time-out just the same, and its digits cannot overflow.
    constexpr std::chrono::seconds kLongest{24 * 60 * 60};
    if (retryAfter.empty() || retryAfter.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
    std::chrono::seconds pause{0};
    for (char digit : retryAfter) {
        pause = pause * 10 + std::chrono::seconds(digit - '0');
        if (pause >= kLongest) return kLongest;
    }
    return pause;
}

ReplyVerdict Refused(std::string message, int32_t number) {
    ReplyVerdict verdict;
    verdict.What = ReplyVerdict::Kind::Refused;
    verdict.Message = std::move(message);
    verdict.Number = number;
    return verdict;
}

ReplyVerdict RetryLater(const HttpReply& reply) {
    ReplyVerdict verdict;
    verdict.What = ReplyVerdict::Kind::RetryLater;
    verdict.Pause = RetryAfterPause(reply.RetryAfter);
    verdict.Message = StatusText(reply);
    return verdict;
}

std::string JoinBlockLines(const BlockLines& lines) {
    std::string text;
    for (size_t index = 0; index < lines.size(); ++index) {
        if (index > 0) text += '\n';
        text += lines[index];
    }
    return text;
}

BlockLines SplitBlockText(std::string_view text) {
    BlockLines lines;
    size_t from = 0;
    while (true) {
        const size_t end = text.find_first_of("\r\n", from);
        lines.emplace_back(text.substr(from, end == std::string_view::npos ? std::string_view::npos : end - from));
        if (end == std::string_view::npos) break;
        from = end + 1;
        if (text[end] == '\r' && from < text.size() && text[from] == '\n') ++from;
    }
    // A break at the very end ends the last line; it starts none.
    while (lines.size() > 1 && lines.back().empty()) lines.pop_back();
    return lines;
}

void CheckBatchSize(const std::vector<BlockLines>& batch, const ServiceLimits& limits) {
    if (batch.empty() || batch.size() > limits.MostBlocks)
        throw RuntimeError(ErrorNumber::InvalidCall, "A batch of " + std::to_string(batch.size()) +
                                                         " blocks for a service that takes 1 to " +
                                                         std::to_string(limits.MostBlocks));
    // An empty block would come back empty and read as a lost block; only
    // the web endpoint has always been asked for them.
    if (limits.SendsEmptyBlocks) return;
    for (const BlockLines& block : batch)
        if (block.empty()) throw RuntimeError(ErrorNumber::InvalidCall, "An empty block in a batch");
}

std::optional<nlohmann::json> ParseJson(std::string_view body) {
    nlohmann::json value = nlohmann::json::parse(body, nullptr, false);
    if (value.is_discarded()) return std::nullopt;
    return value;
}

std::string DumpJson(const nlohmann::json& body) {
    return body.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

void RaiseUnreadable(const std::string& service, const std::string& what) {
    throw RuntimeError(ErrorNumber::UnreadableReply, service + ": the reply is not the documented JSON (" + what + ")");
}

void RaiseMismatch(const std::string& service, size_t got, size_t sent) {
    throw RuntimeError(ErrorNumber::BatchMismatch, service + ": the reply holds " + std::to_string(got) +
                                                       " blocks for the " + std::to_string(sent) + " sent");
}

std::string WithoutSecret(std::string message, const std::string& secret) {
    if (secret.empty()) return message;
    for (size_t at = message.find(secret); at != std::string::npos; at = message.find(secret, at + 3))
        message.replace(at, secret.size(), "***");
    return message;
}

std::string OneLine(std::string_view text) {
    std::string line;
    bool cut = false;
    for (size_t at = 0; at < text.size();) {
        if (const size_t after = AfterControlSequence(text, at); after > at) {
            at = after;
            continue;
        }
        const auto c = static_cast<unsigned char>(text[at++]);
        // Any other control character (a line break, a tab...) parts words.
        if (c < 0x20 || c == 0x7F) {
            if (!line.empty() && line.back() != ' ') line += ' ';
            continue;
        }
        if (line.size() >= kMostMessageBytes) {
            cut = true;
            break;
        }
        line += static_cast<char>(c);
    }
    if (cut) {
        // Never half a UTF-8 character at the cut.
        while (!line.empty() && (static_cast<unsigned char>(line.back()) & 0xC0) == 0x80) line.pop_back();
        if (!line.empty() && static_cast<unsigned char>(line.back()) >= 0xC0) line.pop_back();
        line += "...";
    }
    return line;
}

}  // namespace tarvex
