#include "translate/services/WebEndpoint.h"

#include "translate/http/HttpTransport.h"
#include "translate/http/UrlText.h"
#include "translate/services/ServiceSupport.h"

namespace tarvex {

namespace {

constexpr const char* kCrLf = "\r\n";

}  // namespace

ReplyVerdict VerdictByStatus(const HttpReply& reply) {
    if (reply.Status >= 200 && reply.Status <= 299) return {};
    if (reply.Status == 429 || reply.Status == 503) return RetryLater(reply);
    return Refused(StatusText(reply));
}

std::string BuildHeaderBlock(const std::string& host) {
    std::string block = "\r\n\r\n";
    block += "Host:" + host + kCrLf;
    block += std::string("User-Agent:") + kUserAgent + kCrLf;
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

}  // namespace tarvex
