// Stress interpolation in the kept modelling-results table.
#include "results/core/interpolation.h"

#include "engine/engine.h"
#include "results/core/modellingfile.h"

#include <cmath>
#include <limits>

namespace vt::results {

namespace {

// Rounds to the nearest whole number, a tie going to the even one.
double RoundTiesEven(double x) {
    if (!(std::fabs(x) < 4503599627370496.0)) // 2^52: already whole
        return x;
    const double below = std::floor(x);
    const double fraction = x - below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0))
        return below + 1.0;
    return below;
}

InterpolationOutcome Failure(std::string message, std::string title) {
    InterpolationOutcome outcome;
    outcome.message = std::move(message);
    outcome.title = std::move(title);
    return outcome;
}

InterpolationOutcome Unusable(const std::string& message) {
    return Failure(message, kUnusableDataTitle);
}

std::string ForWidth(double width) {
    return "The modelling data for a pillar width of " + engine::ShortestText(width) + " m";
}

// The table as the file reads: row 1 the header, rows 2.. the readings.
class Curves {
public:
    explicit Curves(const ModellingResults& record)
        : record_(record) {}
    double at(int row, int column) const {
        return row == 1 ? record_.Header[static_cast<std::size_t>(column)]
                        : record_.Readings(row, column);
    }
    // The row of the curve's last reading (see ValidCounts).
    int lastRow(int column) const { return record_.ValidCounts[static_cast<std::size_t>(column)]; }
    CurveDefect defect(int column) const {
        return record_.CurveDefects[static_cast<std::size_t>(column)];
    }

private:
    const ModellingResults& record_;
};

bool TableIsComplete(const ModellingResults& record) {
    return record.LineCount >= 1 && record.FieldCount >= 0 &&
           record.Readings.rows() >= record.LineCount &&
           record.Readings.columns() >= record.FieldCount &&
           record.Header.size() > static_cast<std::size_t>(record.FieldCount) &&
           record.ValidCounts.size() == static_cast<std::size_t>(record.FieldCount) + 1 &&
           record.CurveDefects.size() == static_cast<std::size_t>(record.FieldCount) + 1;
}

// Why the curve of depth column c cannot be used by the method; empty when
// it can.
std::string DefectMessage(const Curves& curves, int c) {
    const double width = curves.at(1, c);
    switch (curves.defect(c)) {
    case CurveDefect::None:
        return {};
    case CurveDefect::TooFewReadings:
        return ForWidth(width) + " has fewer than two readings";
    case CurveDefect::MissingReading:
        return ForWidth(width) + " has a missing reading before its last reading";
    case CurveDefect::RepeatedDepth:
        return ForWidth(width) + " repeats a depth";
    case CurveDefect::FallingDepths:
        return ForWidth(width) + " has depths that do not rise";
    }
    return ForWidth(width) + " cannot be used";
}

struct Bracket {
    double lowDepth = -1;
    double lowStress = 0;
    double highDepth = -1;
    double highStress = 0;
    bool hasLow() const { return lowDepth != -1; }
    bool hasHigh() const { return highDepth != -1; }
};

Bracket DepthBracket(const Curves& curves, int c, int n, double D) {
    Bracket b;
    if (D >= curves.at(2, c)) {
        if (D > curves.at(n, c)) {
            b.lowDepth = curves.at(n, c);
            b.lowStress = curves.at(n, c + 1);
        } else {
            // The first interval [row r, row r + 1] that holds D: the depths
            // rise strictly (checked at load), so it ends at the first row
            // r + 1 >= 3 whose depth is not below D.
            int lo = 3;
            int hi = n;
            while (lo < hi) {
                const int mid = lo + (hi - lo) / 2;
                if (curves.at(mid, c) < D)
                    lo = mid + 1;
                else
                    hi = mid;
            }
            const int r = lo - 1;
            b.lowDepth = curves.at(r, c);
            b.lowStress = curves.at(r, c + 1);
            b.highDepth = curves.at(r + 1, c);
            b.highStress = curves.at(r + 1, c + 1);
        }
    } else {
        b.highDepth = curves.at(2, c);
        b.highStress = curves.at(2, c + 1);
    }
    return b;
}

// Slope of the straight extension through rows r1 and r2 of curve c: the
// stress difference rounded to a whole number (ties to even, 16-bit) over the
// depth difference.
std::optional<double> ExtensionSlope(const Curves& curves, int c, int r1, int r2) {
    const double difference = curves.at(r2, c + 1) - curves.at(r1, c + 1);
    if (!std::isfinite(difference))
        return std::nullopt;
    const double rounded = RoundTiesEven(difference);
    if (rounded < -32768.0 || rounded > 32767.0)
        return std::nullopt;
    const double slope = rounded / (curves.at(r2, c) - curves.at(r1, c));
    if (!std::isfinite(slope))
        return std::nullopt;
    return slope;
}

// The four ways a curve is extended: curve a or b, towards smaller depths
// (before its first reading) or greater depths (beyond its last).
enum class Extension { CurveAShallower, CurveADeeper, CurveBShallower, CurveBDeeper };
enum class End { Shallow, Deep };

// The end a curve's depth bracket lacks, if any.
std::optional<End> MissingEnd(const Bracket& bracket) {
    if (!bracket.hasLow())
        return End::Shallow;
    if (!bracket.hasHigh())
        return End::Deep;
    return std::nullopt;
}

// Extends the curve of depth column c (last reading in row n) to the other
// curve's depth at the missing end, by the straight line through its own two
// end readings there.
bool Extend(const Curves& curves, int c, int n, End end, Bracket& own, const Bracket& other) {
    const bool shallow = end == End::Shallow;
    const auto k = shallow ? ExtensionSlope(curves, c, 2, 3) : ExtensionSlope(curves, c, n - 1, n);
    if (!k)
        return false;
    if (shallow) {
        own.lowDepth = other.lowDepth;
        own.lowStress = own.highStress + *k * (own.lowDepth - own.highDepth);
    } else {
        own.highDepth = other.highDepth;
        own.highStress = own.lowStress + *k * (own.highDepth - own.lowDepth);
    }
    return true;
}

std::string TooSteep(double width) {
    return ForWidth(width) + " changes its stress too much between its end readings to be " +
           "extended";
}

} // namespace

InterpolationOutcome InterpolatePillarStress(const ModellingResults& record, double W, double D) {
    if (!TableIsComplete(record))
        return Unusable("No modelling data is loaded");
    if (!std::isfinite(W))
        return Failure(kWidthOutOfBounds, kWidthOutOfBoundsTitle);
    if (!std::isfinite(D))
        return Failure(kDepthOutOfBounds, kOutOfBoundsTitle);

    const Curves curves(record);
    const int fieldCount = record.FieldCount;

    // Width bracket: the first pair of adjacent header widths that holds W,
    // whichever way the widths run.
    int a = 0;
    for (int p = 1; a == 0 && p + 2 <= fieldCount; p += 2) {
        const double first = curves.at(1, p);
        const double second = curves.at(1, p + 2);
        if ((first <= W && W <= second) || (second <= W && W <= first))
            a = p;
    }
    if (a == 0)
        return Failure(kWidthOutOfBounds, kWidthOutOfBoundsTitle);
    const int b = a + 2;
    const double widthA = curves.at(1, a);
    const double widthB = curves.at(1, b);
    if (widthA == widthB)
        return Unusable("The modelling data has two adjacent pillar widths of " +
                        engine::ShortestText(widthA) + " m");

    const int nA = curves.lastRow(a);
    const int nB = curves.lastRow(b);
    if (std::string defect = DefectMessage(curves, a); !defect.empty())
        return Unusable(defect);
    if (std::string defect = DefectMessage(curves, b); !defect.empty())
        return Unusable(defect);

    Bracket curveA = DepthBracket(curves, a, nA, D);
    Bracket curveB = DepthBracket(curves, b, nB, D);
    if ((!curveA.hasLow() && !curveB.hasLow()) || (!curveA.hasHigh() && !curveB.hasHigh()))
        return Failure(kDepthOutOfBounds, kOutOfBoundsTitle);

    // A curve that ends short of D is extended; when both are, the case of
    // curve b is the one the plausibility test uses.
    std::optional<Extension> extension;
    if (const auto end = MissingEnd(curveA)) {
        extension = *end == End::Shallow ? Extension::CurveAShallower : Extension::CurveADeeper;
        if (!Extend(curves, a, nA, *end, curveA, curveB))
            return Unusable(TooSteep(widthA));
    }
    if (const auto end = MissingEnd(curveB)) {
        extension = *end == End::Shallow ? Extension::CurveBShallower : Extension::CurveBDeeper;
        if (!Extend(curves, b, nB, *end, curveB, curveA))
            return Unusable(TooSteep(widthB));
    }

    const auto along = [D](const Bracket& c) {
        const double u = (c.highDepth - D) / (c.highDepth - c.lowDepth);
        return c.lowStress * u + (1 - u) * c.highStress;
    };
    const double sA = along(curveA);
    const double sB = along(curveB);
    const double t = (widthA - W) / (widthA - widthB);
    const double S = sB * t + sA * (1 - t);
    const std::string incalculable =
        "The pillar stress cannot be interpolated in this modelling data";
    if (!std::isfinite(sA) || !std::isfinite(sB) || !std::isfinite(S))
        return Unusable(incalculable);

    if (extension) {
        const bool first =
            *extension == Extension::CurveAShallower || *extension == Extension::CurveBShallower;
        const int rowA = first ? 2 : nA;
        const int rowB = first ? 2 : nB;
        const double depthA = curves.at(rowA, a);
        const double stressA = curves.at(rowA, a + 1);
        const double depthB = curves.at(rowB, b);
        const double stressB = curves.at(rowB, b + 1);
        const double m = (stressA - stressB) / (depthA - depthB);
        const double L = m * D + (stressA - m * depthA);
        if (!std::isfinite(L))
            return Unusable(incalculable);
        const bool belowCurveA =
            *extension == Extension::CurveAShallower || *extension == Extension::CurveADeeper;
        if (belowCurveA ? S > L : S < L)
            return Failure(kStressOutOfBounds, kOutOfBoundsTitle);
    }

    InterpolationOutcome outcome;
    outcome.stress = S;
    return outcome;
}

std::optional<float> ExtractionForModelledBords(double W, double L) {
    constexpr float kModelledBord = 12.0f;
    const auto e = engine::CalculatePercentageExtraction(
        static_cast<float>(W), static_cast<float>(L), kModelledBord, kModelledBord);
    if (!e)
        return std::nullopt;
    return e.value();
}

} // namespace vt::results
