#include "bench/SyncCases.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>

namespace tarvex::bench {

namespace {

using Random = std::mt19937;

double Uniform(Random& random, double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random);
}

bool Chance(Random& random, double probability) {
    return Uniform(random, 0.0, 1.0) < probability;
}

// Lines of dialogue from `from` until `until` (ms).
std::vector<TimeSpan> Dialogue(Random& random, double from, double until, size_t most) {
    std::vector<TimeSpan> cues;
    std::lognormal_distribution<double> length(std::log(2300.0), 0.45);
    std::exponential_distribution<double> pause(1.0 / 8000.0);
    double at = from;
    while (at < until && cues.size() < most) {
        const double duration = std::clamp(length(random), 700.0, 6500.0);
        cues.push_back({std::llround(at), std::llround(at + duration)});
        const double gap = Chance(random, 0.7) ? Uniform(random, 80.0, 1200.0) : 1500.0 + pause(random);
        at += duration + gap;
    }
    return cues;
}

const double kFrameRates[] = {24000.0 / 1001.0, 24.0, 25.0, 30000.0 / 1001.0, 30.0};

double FrameRatePair(Random& random) {
    for (;;) {
        const double from = kFrameRates[random() % 5];
        const double to = kFrameRates[random() % 5];
        if (from != to) return from / to;
    }
}

double SignedMagnitude(Random& random, double low, double high) {
    // Log-uniform: small offsets are as common as large ones.
    const double magnitude = std::exp(Uniform(random, std::log(low), std::log(high)));
    return Chance(random, 0.5) ? magnitude : -magnitude;
}

std::vector<TimeSpan> OtherLanguage(Random& random, const std::vector<TimeSpan>& film) {
    std::vector<TimeSpan> merged;
    for (size_t i = 0; i < film.size(); ++i) {
        TimeSpan cue = film[i];
        if (i + 1 < film.size() && film[i + 1].Start - cue.End < 1000 && Chance(random, 0.1)) {
            cue.End = film[++i].End;  // two lines joined in one
        }
        merged.push_back(cue);
    }
    std::vector<TimeSpan> reference;
    for (const TimeSpan& cue : merged) {
        if (Chance(random, 0.1)) continue;  // a tenth not subtitled at all
        std::vector<TimeSpan> parts{cue};
        if (cue.Length() > 2500 && Chance(random, 0.15)) {
            const int64_t middle = cue.Start + std::llround(cue.Length() * Uniform(random, 0.35, 0.65));
            parts = {{cue.Start, middle}, {middle + std::llround(Uniform(random, 0, 200)), cue.End}};
        }
        for (TimeSpan part : parts) {
            part.Start += std::llround(Uniform(random, -150, 150));
            part.End += std::llround(Uniform(random, -150, 150));
            if (part.End < part.Start + 300) part.End = part.Start + 300;
            reference.push_back(part);
        }
    }
    return reference;
}

// `noise` 1 as a good detector on a clean sound track; 2 as a poor one under
// loud music: twice the speech missed and taken for speech, twice the jitter.
std::vector<TimeSpan> Speech(Random& random, const std::vector<TimeSpan>& film, double filmEnd, double noise) {
    std::vector<TimeSpan> speech;
    for (const TimeSpan& cue : film) {
        if (Chance(random, 0.1 * noise)) continue;  // speech under music the detector missed
        // Subtitles come up as speech starts and stay a while after it ends.
        double start = static_cast<double>(cue.Start) + Uniform(random, -50, 250);
        double end = static_cast<double>(cue.End) - Uniform(random, 100, 700);
        if (end < start + 300) end = start + 300;
        start += Uniform(random, -80 * noise, 80 * noise);
        end += Uniform(random, -80 * noise, 80 * noise);
        while (end - start > 1500 && Chance(random, 0.35)) {  // a breath between phrases
            const double cut = start + (end - start) * Uniform(random, 0.3, 0.7);
            speech.push_back({std::llround(start), std::llround(cut)});
            start = cut + Uniform(random, 150, 600);
        }
        speech.push_back({std::llround(start), std::llround(end)});
    }
    // Music and noise taken for speech, mostly where nobody talks.
    const int falseSpans = static_cast<int>(static_cast<double>(film.size()) * noise / 6);
    for (int i = 0; i < falseSpans; ++i) {
        const double start = Uniform(random, 0, filmEnd);
        speech.push_back({std::llround(start), std::llround(start + Uniform(random, 300, 3000))});
    }
    std::sort(speech.begin(), speech.end(), [](const TimeSpan& a, const TimeSpan& b) { return a.Start < b.Start; });
    return speech;
}

}  // namespace

SyncCase MakeSyncCase(Distortion distortion, ReferenceStyle style, uint32_t seed, int32_t cueCount) {
    Random random(seed * 2654435761u + static_cast<uint32_t>(distortion) * 97 + static_cast<uint32_t>(style) * 13);
    SyncCase sample;
    const double first = Uniform(random, 20000, 90000);
    sample.Input = Dialogue(random, first, 1e12, static_cast<size_t>(cueCount));
    const double inputEnd = static_cast<double>(sample.Input.back().End);

    // The true map from the input to the film, and the film's own pieces.
    double speed = 1.0;
    double offset = 0.0;
    if (distortion == Distortion::Offset) offset = SignedMagnitude(random, 300, 600000);
    if (distortion == Distortion::Speed || distortion == Distortion::CutsAndSpeed) speed = FrameRatePair(random);
    if (distortion != Distortion::Offset && distortion != Distortion::None) offset = Uniform(random, -30000, 30000);
    std::vector<TimeMapPiece> pieces{{0, speed, offset}};
    std::vector<std::pair<double, double>> lacking;  // input stretches the film does not have
    std::vector<std::pair<double, double>> extra;    // film stretches the input does not have
    if (distortion == Distortion::Cuts || distortion == Distortion::CutsAndSpeed) {
        const int cuts = 2 + static_cast<int>(random() % 2);
        std::vector<double> places;
        for (int i = 0; i < cuts; ++i) places.push_back(Uniform(random, 0.12, 0.88) * inputEnd);
        std::sort(places.begin(), places.end());
        for (double place : places) {
            // Films are cut between lines: the middle of the next gap.
            auto next = std::find_if(sample.Input.begin(), sample.Input.end(),
                                     [&](const TimeSpan& cue) { return static_cast<double>(cue.Start) > place; });
            if (next == sample.Input.begin() || next == sample.Input.end()) continue;
            place = static_cast<double>(std::prev(next)->End + next->Start) / 2.0;
            if (place - static_cast<double>(pieces.back().Start) < 8 * 60000) continue;
            const double jump = SignedMagnitude(random, 2000, 90000);
            const double previous = pieces.back().Offset;
            if (jump > 0) {
                const double at = place * speed + previous;
                extra.push_back({at, at + jump});
            } else {
                lacking.push_back({place, place - jump / speed});
            }
            const double start = jump > 0 ? place : place - jump / speed;
            pieces.push_back({std::llround(start), speed, previous + jump});
        }
    }
    sample.TrueMap = TimeMap(pieces);

    std::vector<TimeSpan> film;
    for (const TimeSpan& cue : sample.Input) {
        const bool cutAway = std::any_of(lacking.begin(), lacking.end(), [&](const auto& stretch) {
            return cue.End > stretch.first && cue.Start < stretch.second;
        });
        const double start = sample.TrueMap.ApplyExact(static_cast<double>(cue.Start));
        const double end = sample.TrueMap.ApplyExact(static_cast<double>(cue.End));
        if (cutAway || start < 0) {
            sample.Truth.push_back({-1, -1});
            continue;
        }
        sample.Truth.push_back({std::llround(start), std::llround(end)});
        film.push_back(sample.Truth.back());
    }
    for (const auto& stretch : extra) {  // the film's added scenes have lines of their own
        std::vector<TimeSpan> lines = Dialogue(random, stretch.first + 500, stretch.second - 3000, 1000);
        film.insert(film.end(), lines.begin(), lines.end());
    }
    std::sort(film.begin(), film.end(), [](const TimeSpan& a, const TimeSpan& b) { return a.Start < b.Start; });
    const double filmEnd = static_cast<double>(film.back().End) + 60000;
    sample.Reference = style == ReferenceStyle::OtherLanguage
                           ? OtherLanguage(random, film)
                           : Speech(random, film, filmEnd, style == ReferenceStyle::Speech ? 1 : 2);
    return sample;
}

double ShareWithin(const SyncCase& sample, const TimeMap& map, int64_t toleranceMs) {
    int64_t judged = 0;
    int64_t good = 0;
    for (size_t i = 0; i < sample.Input.size(); ++i) {
        const TimeSpan& truth = sample.Truth[i];
        if (truth.Start < 0) continue;
        ++judged;
        const int64_t start = map.Apply(sample.Input[i].Start);
        const int64_t end = map.Apply(sample.Input[i].End);
        if (std::llabs(start - truth.Start) <= toleranceMs && std::llabs(end - truth.End) <= toleranceMs) ++good;
    }
    return judged == 0 ? 0.0 : static_cast<double>(good) / static_cast<double>(judged);
}

std::string SrtText(const std::vector<TimeSpan>& cues, const std::string& text, const std::string& lineEnd) {
    std::string out;
    char stamp[64];
    auto put = [&](int64_t ms) {
        std::snprintf(stamp, sizeof stamp, "%02lld:%02lld:%02lld,%03lld", static_cast<long long>(ms / 3600000),
                      static_cast<long long>(ms / 60000 % 60), static_cast<long long>(ms / 1000 % 60),
                      static_cast<long long>(ms % 1000));
        out += stamp;
    };
    for (size_t i = 0; i < cues.size(); ++i) {
        out += std::to_string(i + 1) + lineEnd;
        put(cues[i].Start);
        out += " --> ";
        put(cues[i].End);
        out += lineEnd + text + lineEnd + lineEnd;
    }
    return out;
}

const char* NameOf(Distortion distortion) {
    switch (distortion) {
        case Distortion::None: return "clean";
        case Distortion::Offset: return "offset";
        case Distortion::Speed: return "speed+offset";
        case Distortion::Cuts: return "cuts";
        case Distortion::CutsAndSpeed: return "cuts+speed";
    }
    return "";
}

const char* NameOf(ReferenceStyle style) {
    switch (style) {
        case ReferenceStyle::OtherLanguage: return "other language";
        case ReferenceStyle::Speech: return "speech";
        case ReferenceStyle::NoisySpeech: return "noisy speech";
    }
    return "";
}

}  // namespace tarvex::bench
