#pragma once
// What follows a redirect, the same on every platform.

#include <string_view>

#include "translate/http/HttpTransport.h"

namespace tarvex {

// 301, 302, 303, 307 and 308: the statuses whose Location is followed.
bool IsRedirect(int status);

// Leaves in `headers` what may go on from `from` to the redirect's target
// `to`: a Host line only to the same host and port (it names the server
// first asked), Authorization and every header named secret only to the
// same origin, so that a key never reaches another server, nor travels in
// the clear after https.
void KeepForRedirect(HttpHeaders& headers, std::string_view from, std::string_view to);

// Whether `request` goes on from `from` to `to` after a redirect with
// `status`: a GET always; a POST only after 307 or 308, which ask for the
// same request again (any other would turn it into a GET), and not when its
// body carries a secret that the new origin must not see. Otherwise the
// redirect is the reply.
bool FollowsRedirect(const HttpRequest& request, int status, std::string_view from, std::string_view to);

}  // namespace tarvex
