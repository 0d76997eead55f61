#include "translate/TranslationRequest.h"

#include <thread>

#include "base/RuntimeError.h"
#include "translate/RateGate.h"
#include "translate/WebReply.h"
#include "translate/http/HttpTransport.h"

namespace tarvex {

namespace {

constexpr const char* kCrLf = "\r\n";
constexpr int kRetries = 3;

std::chrono::milliseconds RetryPause(const std::string& retryAfter, int attempt) {
    // Retry-After in seconds, as rate limits send it; the date form falls
    // back to the growing pause.
    if (!retryAfter.empty() && retryAfter.size() <= 6 &&
        retryAfter.find_first_not_of("0123456789") == std::string::npos)
        return std::chrono::seconds(std::stoi(retryAfter));
    return std::chrono::milliseconds(500) * (1 << attempt);
}

std::string StatusDescription(const HttpReply& reply) {
    std::string description = "HTTP " + std::to_string(reply.Status);
    if (!reply.Reason.empty()) description += " " + reply.Reason;
    return description;
}

HttpReply FetchWithRetries(TranslationService& service, HttpTransport& transport, RateGate* gate,
                           const std::string& url, const std::vector<std::string>& headers) {
    using Clock = std::chrono::steady_clock;
    Clock::time_point deadline{};
    for (int attempt = 0;; ++attempt) {
        const uint64_t ticket = gate ? gate->Enter() : 0;
        // The time-out runs from the first attempt, not from the wait for a turn.
        if (attempt == 0) deadline = Clock::now() + service.Timeout;
        auto remaining = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        HttpReply reply;
        try {
            if (remaining.count() <= 0) throw RuntimeError(ErrorNumber::RequestTimedOut, "Request timed out");
            reply = transport.Get(url, headers, remaining);
        } catch (...) {
            if (gate) gate->Leave(ticket, false, {});
            throw;
        }
        const bool rateLimited = reply.Status == 429 || reply.Status == 503;
        const std::chrono::milliseconds pause =
            rateLimited ? RetryPause(reply.RetryAfter, attempt) : std::chrono::milliseconds(0);
        if (gate) gate->Leave(ticket, rateLimited, pause);
        if (reply.Status >= 200 && reply.Status <= 299) return reply;
        if (!rateLimited || attempt >= kRetries)
            throw RuntimeError(ErrorNumber::ServiceRefused, StatusDescription(reply));
        // A pause that runs past the time-out only delays the same failure.
        if (Clock::now() + pause >= deadline) throw RuntimeError(ErrorNumber::ServiceRefused, StatusDescription(reply));
        if (gate) continue;  // the gate holds the next attempt back
        if (service.Pause) {
            service.Pause(pause);
        } else {
            std::this_thread::sleep_for(pause);
        }
    }
}

}  // namespace

std::string BuildHeaderBlock(const std::string& host) {
    std::string block = "\r\n\r\n";
    block += "Host:" + host + kCrLf;
    block += "User-Agent:Mozilla/5.0 (Windows NT 5.1; rv:9.0.1) Gecko/20100101 Firefox/9.0.1\r\n";
    block += "Accept:text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8\r\n";
    block += "Accept-Language:en-us,en;q=0.5\r\n";
    block += "Accept-Encoding: *\r\n";
    block += "Accept-Charset:ISO-8859-1,utf-8;q=0.7,*;q=0.7\r\n";
    block += "Keep-Alive:115\r\n";
    block += "Connection: keep-alive\r\n";
    block += "Referer:http://" + host + "/" + kCrLf;
    block += kCrLf;
    return block;
}

std::string PercentEncode(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(text.size() * 3);
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        bool unreserved = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
                          (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_' || byte == '~';
        if (unreserved) {
            encoded.push_back(c);
        } else {
            encoded.push_back('%');
            encoded.push_back(kHex[byte >> 4]);
            encoded.push_back(kHex[byte & 15]);
        }
    }
    return encoded;
}

std::string BuildRequestUrl(const std::string& host, const std::vector<std::string>& lines,
                            const std::string& sourceCode, const std::string& targetCode) {
    std::string url = host + "/translate_a/t?client=t&text=";
    for (size_t index = 0; index < lines.size(); ++index) {
        if (index > 0) url += "%0A";
        url += PercentEncode(lines[index]);
    }
    // Codes from the table are unreserved; a code typed by the user is
    // escaped like the text so it cannot add parameters either.
    url += "&hl=en&sl=" + PercentEncode(sourceCode);
    url += "&tl=" + PercentEncode(targetCode);
    url += "&multires=1&otf=1&pc=1&ssel=0&tsel=0&sc=1";
    return url;
}

std::string BlockRequestUrl(const std::vector<std::string>& lines, const std::string& sourceCode,
                            const std::string& targetCode, const std::string& host) {
    std::string url = "http://" + BuildRequestUrl(host, lines, sourceCode, targetCode);
    if (url.size() > kMaxRequestUrlBytes)
        throw RuntimeError(ErrorNumber::BlockTooLong, std::string("Block ") + kTooLongForOneRequest);
    return url;
}

BlockTranslation FetchTranslation(const std::vector<std::string>& lines, const std::string& url,
                                  const std::vector<std::string>& headerLines, TranslationService& service,
                                  HttpTransport& transport, RateGate* gate) {
    HttpReply reply = FetchWithRetries(service, transport, gate, url, headerLines);
    return FitLines(ReadReplyLines(reply.Body), lines);
}

std::vector<std::string> HeaderLines(const std::string& headerBlock) {
    std::vector<std::string> lines;
    size_t from = 0;
    while (from <= headerBlock.size()) {
        size_t end = headerBlock.find(kCrLf, from);
        if (end == std::string::npos) end = headerBlock.size();
        if (end > from) lines.push_back(headerBlock.substr(from, end - from));
        from = end + 2;
    }
    return lines;
}

std::string RequestTranslation(const std::vector<std::string>& lines, const std::string& sourceCode,
                               const std::string& targetCode, const std::string& headerBlock,
                               TranslationService& service) {
    const std::string url = BlockRequestUrl(lines, sourceCode, targetCode, service.Host);
    const std::vector<std::string> headers = HeaderLines(headerBlock);
    std::string translation;
    service.RunBlocking(
        [&] { translation = FetchTranslation(lines, url, headers, service, service.Transport, nullptr).Text; });
    return translation;
}

}  // namespace tarvex
