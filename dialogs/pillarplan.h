// The scaled plan of one pillar and its share of the bords, as drawn by the
// pillar dimensions dialog: plain numbers, no drawing, so it can be checked on
// its own.
//
// Plan units: the drawing area runs from -11 (left) to 109 (right) and from -9
// (top) to 111 (bottom); the longer side of the cell spans the square 0..100.
// Horizontal is the width direction (pillar width, bord width 1), vertical the
// length direction (pillar length, bord width 2).
#pragma once

#include <QString>
#include <optional>

namespace vt {

inline constexpr double kPlanLeft = -11.0;
inline constexpr double kPlanTop = -9.0;
inline constexpr double kPlanSpan = 120.0; // both directions

struct PlanRect {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
    double width() const { return right - left; }
    double height() const { return bottom - top; }
};

struct PillarShape {
    double scale = 0; // k: plan units per metre
    PlanRect cell;    // pillar plus its bords, drawn dash-dot-dot
    PlanRect pillar;  // filled
};

struct PillarPlan {
    // Percentage extraction of the cell in single precision; absent when the
    // cell has no area or a value is out of range.
    std::optional<float> extraction;
    // What to draw; absent when there is nothing sensible to draw (no cell
    // area, a negative dimension, a value out of range).
    std::optional<PillarShape> shape;
};

// Plan of a pillar w x l with bord width b1 (width direction) and b2 (length
// direction), all in metres.
PillarPlan PlanPillar(float w, float l, float b1, float b2);

// The dialog's lenient reading: blanks ignored, "." as the decimal point in
// every locale, the leading number taken, 0 when no number leads ("7.5m" is
// 7.5, "" and "abc" are 0).
double ReadLeadingNumber(const QString& text);

} // namespace vt
