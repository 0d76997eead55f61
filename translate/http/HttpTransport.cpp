#include "translate/http/HttpTransport.h"

#include "base/RuntimeError.h"

namespace tarvex {

HttpReply HttpTransport::Get(const std::string& url, const HttpHeaders& headers, std::chrono::milliseconds timeout) {
    HttpRequest request;
    request.Url = url;
    request.HeaderLines = headers.Lines;
    request.SecretHeaders = headers.SecretNames;
    return Send(request, timeout);
}

HttpReply HttpTransport::Send(const HttpRequest& request, std::chrono::milliseconds timeout) {
    if (request.Method != "GET" || !request.Body.empty())
        throw RuntimeError(ErrorNumber::InvalidCall,
                           "Invalid procedure call or argument: this connection sends GET requests only");
    return Get(request.Url, HttpHeaders(request.HeaderLines, request.SecretHeaders), timeout);
}

}  // namespace tarvex
