#pragma once
// One map from a subtitle's times to new times, piecewise linear: each piece
// from its Start (in the input's milliseconds) on multiplies by Scale and
// adds Offset. Nothing maps before zero. Plus, Minus, Start Time and a
// frame-rate change are the one-piece cases.

#include <cstdint>
#include <vector>

namespace tarvex {

struct TimeMapPiece {
    int64_t Start = 0;   // input time where the piece begins; the first piece covers everything before it too
    double Scale = 1.0;  // output = input * Scale + Offset
    double Offset = 0.0;
};

class TimeMap {
public:
    TimeMap() = default;
    explicit TimeMap(std::vector<TimeMapPiece> pieces);

    // The new time in milliseconds, rounded half to even, never below zero.
    int64_t Apply(int64_t millis) const;
    // The same for a time in another unit (100 a second for ASS), rounded to
    // that unit: rounding to milliseconds first could tie twice.
    int64_t ApplyInUnits(int64_t units, int64_t unitsPerSecond) const;
    // Unrounded and unclamped, for measuring a fit.
    double ApplyExact(double millis) const;
    const std::vector<TimeMapPiece>& Pieces() const { return pieces_; }
    bool IsIdentity() const;

private:
    const TimeMapPiece* PieceAt(double millis) const;

    std::vector<TimeMapPiece> pieces_;  // in order of Start
};

}  // namespace tarvex
