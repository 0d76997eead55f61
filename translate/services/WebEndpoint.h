#pragma once
// What the web endpoint's requests are made of, shared by its two services
// (google, google-api): the URL, the header block, and the verdict by
// status alone.

#include <cstddef>
#include <string>
#include <vector>

#include "translate/services/Service.h"

namespace tarvex {

// The longest request URL sent. Servers refuse much longer ones, and no
// subtitle block comes near it.
constexpr size_t kMaxRequestUrlBytes = size_t{16} << 10;

// What a status alone says: 2xx read it; 429 and 503 retry after
// Retry-After (seconds) or the growing pause; anything else refused, each
// with the status's description.
ReplyVerdict VerdictByStatus(const HttpReply& reply);

// The header block sent with every request of a run, CR LF separated, with
// its empty first pair and final empty line.
std::string BuildHeaderBlock(const std::string& host);

// HOST/translate_a/t?client=t&text=...&hl=en&sl=..&tl=..&..., no scheme. The
// lines are percent-encoded and joined by "%0A".
std::string BuildRequestUrl(const std::string& host, const std::vector<std::string>& lines,
                            const std::string& sourceCode, const std::string& targetCode);

// The header block as the lines handed to the transport.
std::vector<std::string> HeaderLines(const std::string& headerBlock);

}  // namespace tarvex
