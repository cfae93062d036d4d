// The design on a calculation screen as the design tools vary it: read once
// (its texts, what the screen shows for them, the numbers its steps read),
// then evaluated at other values of one quantity (the pillar width, the
// depth, the pillar height or the bord widths), everything else as typed.
//
// A varied design is what the screen would show if that value were typed:
// its texts (for hover, export and Apply) go through Evaluate, and its many
// samples through EvaluateNumbers, which reads the same numbers and gives the
// same results (the tests check the two against each other).
#pragma once

#include "design/decimal.h"
#include "engine/engine.h"
#include "evaluation/design.h"
#include "evaluation/messages.h"

#include <QString>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

namespace vt::design {

// The quantity a chart sweeps or a solve searches.
enum class Quantity { PillarWidth, Depth, PillarHeight, BordWidth };

// The caption of its field ("Pillar width (m)").
QString QuantityCaption(Quantity quantity);

struct BaseDesign {
    evaluation::DesignTexts texts;     // as on the screen, derived texts filled in
    evaluation::Evaluation shown;      // what the screen shows for them
    evaluation::DesignNumbers numbers; // as the screen reads them (ReadNumbers)
    evaluation::NumberLocale locale;
    const results::ModellingResults* table = nullptr;
    // Whether EvaluateNumbers over `numbers` gives what Evaluate gives over
    // `texts` (it does unless the interpolation screen's width text reads as
    // one number for the interpolation and another for the strength step).
    bool numbersExact = true;
};

// The screen's design, or why the screen gives no result for it (its own
// message).
evaluation::Step<BaseDesign> ReadDesign(const evaluation::DesignTexts& texts,
                                        const evaluation::NumberLocale& locale,
                                        const results::ModellingResults* table);

// One line naming the design, for the captions of exported charts: the
// method, every input as typed and the screen's FOS and W:H.
QString DesignCaption(const BaseDesign& base);

// The value of the quantity on the screen, where the tools place it: the
// number the steps read where they read it in double precision (the pillar
// width, the interpolation screen's width and depth), else the value as
// typed, which the steps narrow to single precision.
double CurrentValue(const BaseDesign& base, Quantity quantity);

// What the interpolation table covers: its pillar widths and its depths,
// sorted and without repeats. Between two neighbouring widths (at one depth)
// and between two neighbouring depths (at one width) the interpolated stress
// follows one straight line.
struct TableExtent {
    std::vector<double> widths;
    std::vector<double> depths;
    bool empty() const { return widths.empty() || depths.empty(); }
};
TableExtent ExtentOf(const results::ModellingResults& table);

// What the tools need of one evaluated design. NaN where not known.
struct PointResult {
    bool complete = false;
    float factorOfSafety = std::numeric_limits<float>::quiet_NaN();
    float strength = std::numeric_limits<float>::quiet_NaN();
    float stress = std::numeric_limits<float>::quiet_NaN(); // the average pillar stress
    float ratio = std::numeric_limits<float>::quiet_NaN();  // W:H
    float extraction = std::numeric_limits<float>::quiet_NaN();
    double effectiveWidth = std::numeric_limits<double>::quiet_NaN();
    bool ratioTooSmall = false;
    bool factorOfSafetyTooSmall = false;
    engine::StrengthFormula formula = engine::StrengthFormula::HedleyGrant;
};

PointResult ResultOf(const evaluation::Evaluation& shown);
PointResult ResultOf(const evaluation::NumericEvaluation& numbers);

// The design at other values of one quantity. The pillar width keeps the
// screen's length:width ratio (the length rounded to centimetres, or to the
// decimals the screen's length has, when it is not square); the bord widths
// keep their ratio the same way, bord width 2 following bord width 1.
class Variation {
public:
    // None, with the reason, where the quantity cannot be varied on the
    // screen (the interpolation screen's bords are the modelling's).
    static evaluation::Step<Variation> Of(const BaseDesign& base, Quantity quantity);

    const BaseDesign& base() const { return *base_; }
    Quantity quantity() const { return quantity_; }

    evaluation::DesignTexts textsAt(const Decimal& value) const;
    // What the screen shows for textsAt(value).
    evaluation::Evaluation shownAt(const Decimal& value) const;
    // The same results by the numeric road (or by the texts where the two
    // roads could part).
    PointResult resultAt(const Decimal& value) const;
    // The inputs Apply types for the value: the quantity and its follower.
    std::vector<std::pair<evaluation::Input, QString>> inputsAt(const Decimal& value) const;
    // The follower's value: the pillar length of a width, bord width 2 of a
    // bord width 1; none where nothing follows.
    std::optional<Decimal> followerAt(const Decimal& value) const;

private:
    Variation(const BaseDesign& base, Quantity quantity)
        : base_(&base)
        , quantity_(quantity) {}
    // The interpolation screen's width number for a width text: a width of
    // the table's list is the header's width exactly.
    double interpolationWidth(double value, bool& exact) const;

    const BaseDesign* base_;
    Quantity quantity_;
    // The follower: ratio to the quantity, and the decimals it is rounded to
    // (none: it equals the quantity).
    std::optional<double> followerRatio_;
    int followerDecimals_ = 2;
    // Width texts of the table's list whose header width is not exactly the
    // number they spell: (that number, the header width).
    std::vector<std::pair<double, double>> listWidths_;
};

} // namespace vt::design
