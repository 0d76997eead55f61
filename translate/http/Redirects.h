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

}  // namespace tarvex
