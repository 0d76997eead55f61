#include "sync/SyncSummary.h"

#include <cmath>
#include <cstdio>

namespace tarvex::sync {

namespace {

struct FrameRate {
    double Rate;
    const char* Name;
};
constexpr FrameRate kFrameRates[] = {
    {24000.0 / 1001.0, "23.976"}, {24.0, "24"}, {25.0, "25"}, {30000.0 / 1001.0, "29.97"}, {30.0, "30"}};
// Closer than this to a pair's ratio is that pair (under 0.1 s in two hours).
constexpr double kSamePair = 1e-5;

// Less than shows as +0.000 %: no speed to speak of.
constexpr double kNoSpeed = 5e-6;

std::string Millis3(double ms) {
    char text[48];
    std::snprintf(text, sizeof text, "%.3f", std::fabs(ms) / 1000.0);
    return text;
}

std::string ClockOf(int64_t ms) {
    const int64_t seconds = std::max<int64_t>(0, ms) / 1000;
    char text[32];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                  static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
    return text;
}

}  // namespace

std::string WithThousands(int64_t value) {
    const std::string digits = std::to_string(value < 0 ? -value : value);
    std::string text = value < 0 ? "-" : "";
    for (size_t at = 0; at < digits.size(); ++at) {
        if (at > 0 && (digits.size() - at) % 3 == 0) text += ',';
        text += digits[at];
    }
    return text;
}

std::string DescribeOffset(double offsetMs) {
    if (std::fabs(offsetMs) < 0.5) return "no shift";
    return (offsetMs > 0 ? "later by " : "earlier by ") + Millis3(offsetMs) + " s";
}

std::string DescribeSpeed(double speed) {
    for (const FrameRate& from : kFrameRates)
        for (const FrameRate& to : kFrameRates)
            if (from.Rate != to.Rate && std::fabs(speed / (from.Rate / to.Rate) - 1.0) < kSamePair)
                return std::string("speed ") + from.Name + " -> " + to.Name + " fps";
    char text[48];
    std::snprintf(text, sizeof text, "speed %+.3f %%", (speed - 1.0) * 100.0);
    return text;
}

std::string DescribeMap(const TimeMap& map) {
    const auto& pieces = map.Pieces();
    if (pieces.empty()) return DescribeOffset(0.0);
    std::string text = DescribeOffset(pieces.front().Offset);
    if (std::fabs(pieces.front().Scale - 1.0) >= kNoSpeed) text += ", " + DescribeSpeed(pieces.front().Scale);
    if (pieces.size() > 1) {
        text += ", " + std::to_string(pieces.size() - 1) + (pieces.size() == 2 ? " cut (" : " cuts (");
        for (size_t i = 1; i < pieces.size(); ++i) {
            const double jump = pieces[i].Offset - pieces[i - 1].Offset;
            if (i > 1) text += ", ";
            text += ClockOf(pieces[i].Start) + (jump < 0 ? " -" : " +") + Millis3(jump) + " s";
        }
        text += ")";
    }
    return text;
}

}  // namespace tarvex::sync
