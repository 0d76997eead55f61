#include "controls/xp/LegacyProgressPlan.h"

#include <algorithm>

#include "base/Rounding.h"

namespace tarvex::xp {

namespace {

int32_t Round(double value) {
    return static_cast<int32_t>(RoundHalfEven(value));
}

void AddLine(std::vector<PlanStep>& plan, PlanColour colour, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    PlanStep step{PlanStep::Kind::Line};
    step.Line = {colour, x1, y1, x2, y2};
    plan.push_back(step);
}

void AddText(std::vector<PlanStep>& plan, int32_t x, int32_t y, int32_t percentage) {
    PlanStep step{PlanStep::Kind::Text};
    step.Text = {x, y, std::to_string(percentage) + "%"};
    plan.push_back(step);
}

void AddRecolour(std::vector<PlanStep>& plan, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    if (right < left || bottom < top) return;
    PlanStep step{PlanStep::Kind::Recolour};
    step.Recolour = {left, top, right, bottom, PlanColour::Text, PlanColour::Background};
    plan.push_back(step);
}

// The last index of a scan from `first` to `last` that stops after the
// first index beyond `limit`.
int32_t ScanEnd(int32_t first, int32_t last, double limit) {
    int32_t stop = first;
    while (stop < last && !(stop > limit)) ++stop;
    return std::min(stop, last);
}

}  // namespace

int32_t LegacyBlockStep(int32_t pw) {
    return std::max(1, Round(pw / 100.0 * 6));
}

std::vector<PlanStep> PlanLegacyProgress(int32_t pw, int32_t ph, int32_t percentage, int32_t style, bool showText) {
    std::vector<PlanStep> plan;
    const double u = pw / 100.0;
    const double v = ph / 100.0;
    const int32_t p = percentage;

    if (style == static_cast<int32_t>(LegacyProgressStyle::LegacyBlocks)) {
        const int32_t end = Round(u * p);
        for (int32_t i = 0; i <= end; ++i) AddLine(plan, PlanColour::Bar, i + 1, 1, i + 1, ph - 1);
        const int32_t stepWidth = LegacyBlockStep(pw);
        for (int32_t i = 0; i <= end; i += stepWidth) {
            AddLine(plan, PlanColour::Background, 0, 0, pw - 1, 0);
            AddLine(plan, PlanColour::Background, 0, 0, 0, ph - 1);
            AddLine(plan, PlanColour::Background, pw - 1, 0, pw - 1, ph - 1);
            AddLine(plan, PlanColour::Background, 0, ph - 1, pw - 1, ph - 1);
            AddLine(plan, PlanColour::Background, i - 2, 0, i - 2, ph);
            AddLine(plan, PlanColour::Background, i - 1, 0, i - 1, ph);
        }
        return plan;  // blocks never show the number
    }

    double scale = u;
    if (style == static_cast<int32_t>(LegacyProgressStyle::LegacyVertical)) {
        const int32_t top = Round(ph - v * p);
        for (int32_t y = top; y <= ph; ++y) AddLine(plan, PlanColour::Bar, 1, y - 1, pw - 1, y - 1);
        if (showText) {
            AddText(plan, Round(pw / 2.0 - 16), Round(ph / 2.0 - 6), p);
            AddRecolour(plan, 0, top, pw, ScanEnd(top, ph, v * 60));
        }
        scale = v;
    } else {
        const int32_t end = Round(u * (p - 1));
        for (int32_t i = 0; i <= end; ++i) AddLine(plan, PlanColour::Bar, i + 1, 1, i + 1, ph - 1);
    }

    if (showText) {
        AddText(plan, Round(pw / 2.0 - 7), Round(ph / 2.0 - 8), p);
        if (p >= 41) {
            const int32_t first = Round(scale * 40);
            const int32_t last = Round(scale * p);
            if (first <= last) AddRecolour(plan, first, 0, ScanEnd(first, last, scale * 60), ph);
        }
    }
    return plan;
}

}  // namespace tarvex::xp
