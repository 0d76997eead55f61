#pragma once
// What the services' files share: the reply's status in words, the pause a
// rate limit asks for, a block's lines as one text, and the JSON reading
// that turns a reply that is not the documented JSON into a numbered error.

#include <chrono>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "translate/services/Service.h"

namespace tarvex {

// "HTTP 429 Too Many Requests" (the reason when the reply gave one, as
// OneLine makes it).
std::string StatusText(const HttpReply& reply);

// Retry-After in seconds, as rate limits send it; none (the growing pause)
// for none, for the date form and for anything unreadable.
std::optional<std::chrono::milliseconds> RetryAfterPause(const std::string& retryAfter);

ReplyVerdict Refused(std::string message, int32_t number = ErrorNumber::ServiceRefused);
// Retried after Retry-After; "HTTP <status> <reason>" if it never passes.
ReplyVerdict RetryLater(const HttpReply& reply);

// A block travels as one text, its lines joined by "\n"; services that keep
// line breaks give them back the same way. "\r\n" and a lone "\r" split too;
// a break at the very end adds no empty line.
std::string JoinBlockLines(const BlockLines& lines);
BlockLines SplitBlockText(std::string_view text);

// Raises InvalidCall for a batch a service was never meant to get: none,
// more blocks than its limits allow, or a block without lines.
void CheckBatchSize(const std::vector<BlockLines>& batch, const ServiceLimits& limits);

// The reply's body as JSON; nothing for a body that is not JSON.
std::optional<nlohmann::json> ParseJson(std::string_view body);

// The JSON text of a request body. JSON carries UTF-8 only: a byte that is
// not part of valid UTF-8 goes out as U+FFFD, so one stray byte in a film's
// subtitles neither ends the run nor makes the service refuse the request.
std::string DumpJson(const nlohmann::json& body);

// UnreadableReply: "<service>: the reply is not the documented JSON (what)".
[[noreturn]] void RaiseUnreadable(const std::string& service, const std::string& what);
// BatchMismatch: "<service>: the reply holds N blocks for the M sent".
[[noreturn]] void RaiseMismatch(const std::string& service, size_t got, size_t sent);

// The message with every occurrence of the secret blanked out, for texts a
// server wrote (an error message may echo what it was sent).
std::string WithoutSecret(std::string message, const std::string& secret);

// A server's own text (an error message, a reason phrase), made one short
// printable line for a report: terminal control sequences and control
// characters removed, at most 300 bytes and "...".
std::string OneLine(std::string_view text);

}  // namespace tarvex
