#include "bench/CorpusGenerator.h"

#include <cstdio>
#include <random>

namespace tarvex::bench {

namespace {

const char* const kWords[] = {"the",  "night", "was",   "cold",  "and", "we",    "walked", "home",      "<i>slowly</i>",
                              "when", "she",   "said",  "that",  "you", "never", "listen", "really",    "anymore",
                              "yes",  "no",    "maybe", "later", "I",   "know",  "what",   "<b>it</b>", "means"};

void AppendTimestamp(std::string& out, int64_t millis) {
    char text[32];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld,%03lld", static_cast<long long>(millis / 3600000),
                  static_cast<long long>(millis / 60000 % 60), static_cast<long long>(millis / 1000 % 60),
                  static_cast<long long>(millis % 1000));
    out += text;
}

}  // namespace

std::string GenerateSrt(int32_t cueCount, uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> wordCount(5, 11);
    std::uniform_int_distribution<int> word(0, sizeof kWords / sizeof kWords[0] - 1);
    std::uniform_int_distribution<int> lineCount(1, 2);
    std::uniform_int_distribution<int> duration(900, 3200);
    std::string out;
    out.reserve(static_cast<size_t>(cueCount) * 100);
    // 3.7 s per cue: 100,000 cues end near 103 hours.
    const int64_t spacing = 3700;
    for (int32_t cue = 0; cue < cueCount; ++cue) {
        int64_t start = cue * spacing + 250;
        out += std::to_string(cue + 1);
        out += "\r\n";
        AppendTimestamp(out, start);
        out += " --> ";
        AppendTimestamp(out, start + duration(random));
        out += "\r\n";
        for (int line = lineCount(random); line > 0; --line) {
            for (int count = wordCount(random); count > 0; --count) {
                out += kWords[word(random)];
                if (count > 1) out += ' ';
            }
            out += "\r\n";
        }
        out += "\r\n";
    }
    return out;
}

}  // namespace tarvex::bench
