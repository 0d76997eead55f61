#pragma once
// One translation request: the URL, the header block, the call with its
// time-out and retries, and the reading of the reply by its marks.

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "translate/FitLines.h"

namespace tarvex {

class HttpTransport;
class RateGate;

constexpr const char* kServiceHost = "translate.google.com";

// The longest request URL sent. Servers refuse much longer ones, and no
// subtitle block comes near it.
constexpr size_t kMaxRequestUrlBytes = size_t{16} << 10;
constexpr const char* kTooLongForOneRequest = "too long for one request (over 16 KiB once encoded)";

constexpr int kDefaultJobs = 4;
constexpr int kMostJobs = 16;

// Everything a run needs to reach the translation service.
struct TranslationService {
    HttpTransport& Transport;
    std::string Host = kServiceHost;  // HOST or HOST:PORT, no scheme
    std::chrono::milliseconds Timeout{30000};
    // Runs blocking network work. The window runs it on a worker thread and
    // keeps handling its messages meanwhile; the CLI just calls it.
    std::function<void(const std::function<void()>&)> RunBlocking = [](const std::function<void()>& work) { work(); };
    // How a pause between retries is spent (a seam so tests need not wait).
    std::function<void(std::chrono::milliseconds)> Pause;
    // Requests in flight at once, 1 to kMostJobs, each on a connection of its
    // own from NewTransport (made for the run, cancelled when it ends).
    // Without NewTransport they go one by one through Transport.
    int Jobs = kDefaultJobs;
    std::function<std::unique_ptr<HttpTransport>()> NewTransport;
};

// The header block sent with every request of a run, CR LF separated, with
// its empty first pair and final empty line.
std::string BuildHeaderBlock(const std::string& host);

// Every byte other than letters, digits and "-._~" as %XX (upper-case hex).
std::string PercentEncode(std::string_view text);

// HOST/translate_a/t?client=t&text=...&hl=en&sl=..&tl=..&..., no scheme. The
// lines are percent-encoded and joined by "%0A".
std::string BuildRequestUrl(const std::string& host, const std::vector<std::string>& lines,
                            const std::string& sourceCode, const std::string& targetCode);

// The header block as the lines handed to the transport.
std::vector<std::string> HeaderLines(const std::string& headerBlock);

// The full URL for a block; raises BlockTooLong when it is over
// kMaxRequestUrlBytes, so nothing is sent for it.
std::string BlockRequestUrl(const std::vector<std::string>& lines, const std::string& sourceCode,
                            const std::string& targetCode, const std::string& host);

// One block's request through `transport`, with the retries described at
// RequestTranslation, blocking the calling thread. With a gate, each attempt
// waits for its turn there and reports its outcome. The reply's lines come
// back fitted to the lines sent (FitLines).
BlockTranslation FetchTranslation(const std::vector<std::string>& lines, const std::string& url,
                                  const std::vector<std::string>& headerLines, TranslationService& service,
                                  HttpTransport& transport, RateGate* gate);

// The block's lines translated and joined by CR LF. When the reply yields no
// line, the lines as given (cleaned source text), joined the same way.
// Throws RuntimeError on time-out, a dropped connection, or a final status
// that is not 2xx (429 and 503 are retried up to 3 times first), and
// BlockTooLong, before sending anything, for a URL over kMaxRequestUrlBytes.
std::string RequestTranslation(const std::vector<std::string>& lines, const std::string& sourceCode,
                               const std::string& targetCode, const std::string& headerBlock,
                               TranslationService& service);

}  // namespace tarvex
