// Interpolation of the average pillar stress in the loaded modelling results:
// between the two modelled widths that enclose W and, along each of their
// curves, between the two modelled depths that enclose D. A curve that ends
// short of D is extended by a straight line through its two end readings as
// long as the other curve covers D; the result of an extension must then lie on
// the right side of the line through the two curves' end readings.
#pragma once

#include "results/modellingresults.h"

#include <optional>
#include <string>

namespace vt::results {

// The stress, or why there is none (a message and a title for the screen).
struct InterpolationOutcome {
    std::optional<double> stress;
    std::string message;
    std::string title;

    bool ok() const { return stress.has_value(); }
    explicit operator bool() const { return ok(); }
};

inline constexpr const char* kWidthOutOfBounds = "Pillar width out of bounds";
inline constexpr const char* kWidthOutOfBoundsTitle = "Error message";
inline constexpr const char* kDepthOutOfBounds = "Depth out of bounds";
inline constexpr const char* kStressOutOfBounds = "Pillar stress out of bounds";
inline constexpr const char* kOutOfBoundsTitle = "Error Message";
inline constexpr const char* kUnusableDataTitle = "Unusable modelling data";

// The stress of a square pillar of width W (m) at depth D (m), from the table
// kept by the last successful load. Reads nothing from the disk and changes
// nothing in the record.
InterpolationOutcome InterpolatePillarStress(const ModellingResults& record, double W, double D);

// The percentage extraction of a W x L pillar between the 12 m bords of the
// modelling, in single precision; none when the engine has no finite result.
std::optional<float> ExtractionForModelledBords(double W, double L);

} // namespace vt::results
