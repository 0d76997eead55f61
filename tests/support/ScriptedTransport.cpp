#include "support/ScriptedTransport.h"

#include <cctype>

namespace tarvex::test {

std::string PercentDecode(const std::string& text) {
    std::string decoded;
    for (size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '%' && at + 2 < text.size() && std::isxdigit(static_cast<unsigned char>(text[at + 1])) &&
            std::isxdigit(static_cast<unsigned char>(text[at + 2]))) {
            decoded.push_back(static_cast<char>(std::stoi(text.substr(at + 1, 2), nullptr, 16)));
            at += 2;
        } else {
            decoded.push_back(text[at]);
        }
    }
    return decoded;
}

std::vector<std::string> SentLines(const std::string& url) {
    size_t begin = url.find("&text=");
    if (begin == std::string::npos) return {};
    begin += 6;
    size_t end = url.find('&', begin);
    std::string text = PercentDecode(url.substr(begin, end - begin));
    std::vector<std::string> lines;
    if (text.empty()) return lines;
    size_t from = 0;
    for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', from)) {
        lines.push_back(text.substr(from, at - from));
        from = at + 1;
    }
    lines.push_back(text.substr(from));
    return lines;
}

std::string ServiceReply(const std::vector<std::string>& lines) {
    std::string reply = "[[";
    for (size_t index = 0; index < lines.size(); ++index) {
        std::string upper;
        for (char c : lines[index]) {
            if (c == '"' || c == '\\') upper.push_back('\\');
            upper.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c);
        }
        std::string lineBreak = index + 1 < lines.size() ? "\\n" : "";
        if (index > 0) reply += ",";
        reply += "[\"" + upper + lineBreak + "\",\"source\",null,null,1]";
    }
    return reply + "],null,\"en\"]";
}

std::function<std::unique_ptr<HttpTransport>()> ConnectionsTo(HttpTransport& transport) {
    class Connection : public HttpTransport {
    public:
        explicit Connection(HttpTransport& target) : target_(target) {}
        HttpReply Get(const std::string& url, const HttpHeaders& headers, std::chrono::milliseconds timeout) override {
            return target_.Get(url, headers, timeout);
        }
        HttpReply Send(const HttpRequest& request, std::chrono::milliseconds timeout) override {
            return target_.Send(request, timeout);
        }

    private:
        HttpTransport& target_;
    };
    return [&transport] { return std::make_unique<Connection>(transport); };
}

HttpReply ScriptedTransport::Get(const std::string& url, const HttpHeaders& headers,
                                 std::chrono::milliseconds timeout) {
    Urls.push_back(url);
    Headers.push_back(headers.Lines);
    Timeouts.push_back(timeout);
    if (!Script.empty()) {
        Step step = Script.front();
        Script.pop_front();
        if (step.FailWith != 0) throw RuntimeError(step.FailWith, "scripted failure");
        return step.Reply;
    }
    if (BeforeAnswer) BeforeAnswer(Urls.size());
    HttpReply reply;
    reply.Status = 200;
    reply.Reason = "OK";
    reply.Body = ServiceReply(SentLines(url));
    return reply;
}

}  // namespace tarvex::test
