// The calculation engine: plain functions over numbers, standard library only.
//
// Precision follows the design tool's long-standing rules: screen values are
// single precision (float), the effective width is double; each operation says
// where an intermediate is rounded to 32 bits. Inputs that have no finite
// result never produce inf or NaN: the operation returns a Fault instead, so a
// screen can show a message and change nothing.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vt::engine {

// Why an operation has no finite result.
enum class Fault {
    None,
    NotANumber,        // an input is NaN or infinite
    ZeroTributaryArea, // w + b1 = 0 or l + b2 = 0
    FullExtraction,    // 100 % extraction: the pillar has no area
    ZeroPerimeter,     // 2w + 2l = 0
    ZeroHeight,        // pillar height 0
    ZeroSquatStart,    // start of squat behaviour 0
    ZeroIncreaseRate,  // strength increase rate 0
    ZeroStress,        // average pillar stress 0
    NegativeBase,      // a negative number under a fractional power
    Overflow,          // the result is too large to hold
};

// A value or the fault that prevented it.
template <class T> class Outcome {
public:
    Outcome(T value) : value_(value) {} // NOLINT: implicit by design
    Outcome(Fault fault) : fault_(fault) {}

    explicit operator bool() const { return fault_ == Fault::None; }
    bool ok() const { return fault_ == Fault::None; }
    const T& value() const { return value_; }
    Fault fault() const { return fault_; }

private:
    T value_{};
    Fault fault_ = Fault::None;
};

// Limits below which a result is flagged (both held in single precision).
inline constexpr float kWidthHeightLimit = 2.5f;
inline constexpr float kSafetyLimit = 1.6f;

// Percentage extraction of one pillar w x l between bords b1 (width direction)
// and b2 (length direction); every intermediate rounded to 32 bits.
Outcome<float> CalculatePercentageExtraction(float w, float l, float b1, float b2);

// Tributary-area average pillar stress (MPa) from relative density, depth (m)
// and the unrounded extraction (%). The caller stores it in AveragePillarStress.
Outcome<float> CalculateTributaryPillarStress(float density, float depth, float extraction);

// Effective width 4wl / (2w + 2l) in double, rounded to 1 decimal (ties to even).
Outcome<double> CalculateEffectivePillarWidth(double w, double l);

// W:H ratio weff / h rounded to 32 bits.
Outcome<float> CalculateWidthHeightRatio(float weff, float h);

enum class StrengthFormula { HedleyGrant, SquatPillar };

// "The Hedley/Grant formula was used" / "The squat pillar formula was used".
const char* FormulaMessage(StrengthFormula formula);

struct StrengthInputs {
    float effectiveWidth;
    float length;
    float height;
    float k;
    float alpha;
    float beta;
    float squatStart;   // R0
    float increaseRate; // epsilon
};

struct StrengthResult {
    float widthHeightRatio;
    bool widthHeightTooSmall; // ratio < 2.5
    float strength;
    StrengthFormula formula;
};

Outcome<StrengthResult> CalculatePillarStrength(const StrengthInputs& in);

struct SafetyResult {
    float factorOfSafety;
    bool tooSmall; // FOS < 1.6
};

// FOS = strength / averagePillarStress, rounded to 32 bits.
Outcome<SafetyResult> CalculateFactorOfSafety(float strength, float averagePillarStress);

// The one way a number becomes shown text: round to `decimals` with ties to
// even, then the shortest decimal text of the rounded value at the value's own
// precision, no exponent, no trailing zeros, "-0" shown as "0". A non-finite
// value gives an empty text.
std::string FormatResult(float value, int decimals, const std::string& decimalSeparator = ".");
std::string FormatResult(double value, int decimals, const std::string& decimalSeparator = ".");

// Shortest plain decimal text of a value without rounding (e.g. list items).
std::string ShortestText(double value, const std::string& decimalSeparator = ".");

// Median of UCS readings (sorted copy; positions from n / 2 + 0.6).
// An empty list has no median.
std::optional<float> MedianUCS(std::vector<float> readings);

// K = (100 - d) x median / 100, stored in single precision (not yet rounded).
Outcome<float> DowngradedK(float median, float downgradePercentage);

} // namespace vt::engine
