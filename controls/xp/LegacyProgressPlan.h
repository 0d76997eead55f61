#pragma once
// The classic progress bar as a list of drawing steps into the picture box,
// so the look can be checked without a device context. Lines exclude their
// end point, as the platform's line call does.

#include <cstdint>
#include <string>
#include <vector>

namespace tarvex::xp {

enum class LegacyProgressStyle : int32_t { LegacyVertical = 0, LegacyBlocks = 1, LegacySmooth = 2 };

// Colours are named by role; the painter maps them to the caller's colours.
enum class PlanColour { Background, Bar, Text };

struct PlanLine {
    PlanColour Colour;
    int32_t X1, Y1, X2, Y2;
    bool operator==(const PlanLine&) const = default;
};

struct PlanText {
    int32_t X, Y;
    std::string Text;
};

// Every pixel of colour From inside the inclusive box becomes To: the part of
// the percentage text that lies on the bar is redrawn in the background
// colour so it stays readable.
struct PlanRecolour {
    int32_t Left, Top, Right, Bottom;  // inclusive
    PlanColour From, To;
};

struct PlanStep {
    enum class Kind { Line, Text, Recolour } Type;
    PlanLine Line{};
    PlanText Text{};
    PlanRecolour Recolour{};
};

// pw, ph: the picture's inner size in pixels; style as stored (values other
// than 0 and 1 draw smooth).
std::vector<PlanStep> PlanLegacyProgress(int32_t pw, int32_t ph, int32_t percentage, int32_t style, bool showText);

// Block step of LegacyBlocks: 6 hundredths of the width, at least 1 pixel.
int32_t LegacyBlockStep(int32_t pw);

}  // namespace tarvex::xp
