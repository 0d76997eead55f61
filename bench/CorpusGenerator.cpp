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

// H:MM:SS with `separator` and the fraction in `digits` digits, the hours
// at least `hourDigits` wide.
void AppendCueTime(std::string& out, int64_t millis, char separator, int digits, int hourDigits) {
    char text[40];
    const long long fraction = digits == 3 ? millis % 1000 : millis % 1000 / 10;
    std::snprintf(text, sizeof text, "%0*lld:%02lld:%02lld%c%0*lld", hourDigits,
                  static_cast<long long>(millis / 3600000), static_cast<long long>(millis / 60000 % 60),
                  static_cast<long long>(millis / 1000 % 60), separator, digits, fraction);
    out += text;
}

void AppendWords(std::string& out, std::mt19937& random) {
    std::uniform_int_distribution<int> wordCount(5, 11);
    std::uniform_int_distribution<int> word(0, sizeof kWords / sizeof kWords[0] - 1);
    for (int count = wordCount(random); count > 0; --count) {
        out += kWords[word(random)];
        if (count > 1) out += ' ';
    }
}

}  // namespace

std::string GenerateWebVtt(size_t bytes, uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> duration(900, 3200);
    std::uniform_int_distribution<int> lineCount(1, 2);
    std::string out = "WEBVTT\nKind: captions\nLanguage: en\n\n";
    out.reserve(bytes + 256);
    for (int64_t start = 250; out.size() < bytes; start += 3700) {
        const int64_t end = start + duration(random);
        AppendCueTime(out, start, '.', 3, 2);
        out += " --> ";
        AppendCueTime(out, end, '.', 3, 2);
        out += " align:start position:0%\n<c.colorE5E5E5>";
        AppendWords(out, random);
        out += "</c><";
        AppendCueTime(out, (start + end) / 2, '.', 3, 2);
        out += "><c> ";
        AppendWords(out, random);
        out += "</c>\n";
        if (lineCount(random) == 2) {
            AppendWords(out, random);
            out += "\n";
        }
        out += "\n";
    }
    return out;
}

std::string GenerateAss(size_t bytes, uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> duration(900, 3200);
    std::uniform_int_distribution<int> kind(0, 9);
    std::string out =
        "[Script Info]\r\nScriptType: v4.00+\r\nPlayResX: 1920\r\nPlayResY: 1080\r\n\r\n[V4+ Styles]\r\n"
        "Format: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, OutlineColour, BackColour, Bold, Italic, "
        "Underline, StrikeOut, ScaleX, ScaleY, Spacing, Angle, BorderStyle, Outline, Shadow, Alignment, MarginL, "
        "MarginR, MarginV, Encoding\r\nStyle: Default,Arial,48,&H00FFFFFF,&H000000FF,&H00000000,&H00000000,0,0,0,0,"
        "100,100,0,0,1,2,2,2,10,10,10,1\r\n\r\n[Events]\r\n"
        "Format: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\r\n";
    out.reserve(bytes + 256);
    for (int64_t start = 250; out.size() < bytes; start += 3700) {
        const int which = kind(random);
        out += which == 0 ? "Comment: 0," : "Dialogue: 0,";
        AppendCueTime(out, start, '.', 2, 1);
        out += ',';
        AppendCueTime(out, start + duration(random), '.', 2, 1);
        out += which == 1 ? ",Default,Sign,0,0,0,,{\\an8\\pos(960,50)}" : ",Default,,0,0,0,,{\\k20}";
        AppendWords(out, random);
        out += "\\N";
        AppendWords(out, random);
        out += "\r\n";
    }
    return out;
}

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
