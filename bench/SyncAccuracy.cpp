// Accuracy of sync on generated cases with known answers: for each kind of
// distortion and each kind of reference, the share of cues placed within
// 100 ms (another subtitle) or 250 ms (speech) of their true time, over a
// run of seeds. Usage: sync_accuracy [seeds]

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "bench/SyncCases.h"
#include "sync/Alignment.h"

using namespace tarvex;
using namespace tarvex::bench;

int main(int argc, char** argv) {
    const int seeds = argc > 1 ? std::atoi(argv[1]) : 20;
    std::setvbuf(stdout, nullptr, _IOLBF, 0);  // rows as they come, also into a file
    std::printf("%-15s %-15s %8s %8s %8s %6s %7s %8s\n", "reference", "distortion", "mean", "worst", ">=target", "cuts",
                "trusted", "ms/run");
    for (ReferenceStyle style : {ReferenceStyle::OtherLanguage, ReferenceStyle::Speech, ReferenceStyle::NoisySpeech}) {
        const int64_t tolerance = style == ReferenceStyle::OtherLanguage ? 100 : 250;
        for (Distortion distortion :
             {Distortion::None, Distortion::Offset, Distortion::Speed, Distortion::Cuts, Distortion::CutsAndSpeed}) {
            const bool cut = distortion == Distortion::Cuts || distortion == Distortion::CutsAndSpeed;
            const double target = style != ReferenceStyle::OtherLanguage || cut ? 0.95 : 0.98;
            double sum = 0, worst = 1, millis = 0;
            int met = 0, trusted = 0, cutCount = 0, trueCuts = 0;
            for (int seed = 1; seed <= seeds; ++seed) {
                const SyncCase sample = MakeSyncCase(distortion, style, static_cast<uint32_t>(seed));
                const auto began = std::chrono::steady_clock::now();
                const sync::Alignment found = sync::Align(sample.Input, sample.Reference, sync::AlignOptions());
                millis += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - began).count();
                const double share = ShareWithin(sample, found.Map, tolerance);
                sum += share;
                worst = std::min(worst, share);
                met += share >= target;
                trusted += found.Trusted;
                cutCount += static_cast<int>(found.Map.Pieces().size()) - 1;
                trueCuts += static_cast<int>(sample.TrueMap.Pieces().size()) - 1;
                if (share < target && std::getenv("SYNC_VERBOSE"))
                    std::printf("  seed %d: %.3f, %zu pieces (true %zu), confidence %.2f\n", seed, share,
                                found.Map.Pieces().size(), sample.TrueMap.Pieces().size(), found.Confidence);
            }
            std::printf("%-15s %-15s %7.2f%% %7.2f%% %5d/%-3d %3d/%-3d %4d/%-3d %7.0f\n", NameOf(style),
                        NameOf(distortion), 100 * sum / seeds, 100 * worst, met, seeds, cutCount, trueCuts, trusted,
                        seeds, millis / seeds);
        }
    }
    return 0;
}
