#include "translate/services/ServiceSupport.h"

#include <algorithm>

#include "base/RuntimeError.h"

namespace tarvex {

namespace {

// A server's message in an error report: long enough to say what is wrong,
// short enough that an HTML error page cannot flood the report.
constexpr size_t kMostMessageBytes = 300;

}  // namespace

std::string StatusText(const HttpReply& reply) {
    std::string text = "HTTP " + std::to_string(reply.Status);
    if (!reply.Reason.empty()) text += " " + reply.Reason;
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
    std::string line(text.substr(0, kMostMessageBytes));
    // Never half a UTF-8 character at the cut.
    if (text.size() > kMostMessageBytes)
        while (!line.empty() && (static_cast<unsigned char>(line.back()) & 0xC0) == 0x80) line.pop_back();
    if (text.size() > kMostMessageBytes && !line.empty() && static_cast<unsigned char>(line.back()) >= 0xC0)
        line.pop_back();
    std::replace_if(
        line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }, ' ');
    if (text.size() > kMostMessageBytes) line += "...";
    return line;
}

}  // namespace tarvex
