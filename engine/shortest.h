// The shortest text of a single-precision value, beside ShortestText
// (engine.h) for the few callers that write floats as they are.
#pragma once

#include <string>

namespace vt::engine {

// A float's own shortest plain decimal text ("2.7" of 2.7f, where its
// widening to double gives "2.700000047683716"), "-0" as "0"; a non-finite
// value gives an empty text.
std::string ShortestFloatText(float value, const std::string& decimalSeparator = ".");

} // namespace vt::engine
