#pragma once
// The proxy the platform's client is to take, as its users set it: the
// per-user Internet Settings on Windows, http_proxy elsewhere.

#include <string>

namespace tarvex::test {

// "HOST:PORT" of the proxy for plain http; "" for none.
void SetSystemProxy(const std::string& address);

}  // namespace tarvex::test
