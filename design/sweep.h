// The curves of the design charts: one quantity of the screen's design swept
// over a range, everything else as typed, each point evaluated as the screen
// would evaluate it. Points without a result are kept (so hover and export
// can say why) but left out of the drawing, in runs with the reason the
// screen would give.
#pragma once

#include "design/decimal.h"
#include "design/designpoint.h"
#include "evaluation/csv.h"
#include "evaluation/refusal.h"

#include <QString>
#include <optional>
#include <vector>

namespace vt::design {

// The values from, from + step, ... up to to.
struct GridRange {
    Decimal from;
    Decimal to;
    Decimal step;

    std::int64_t count() const { return StepsBetween(from, to, step) + 1; }
    Decimal at(std::int64_t i) const { return Add(from, step, i); }
};

inline constexpr std::int64_t kMaxSweepPoints = 5000;
// The largest magnitude a swept value may have.
inline constexpr double kMaxSweepValue = 1e6;

// The range the user typed: three numbers, the step above 0, from below to;
// why not, otherwise. It may hold more than kMaxSweepPoints points: see
// DrawnRange.
evaluation::Step<GridRange> ReadRange(const QString& from, const QString& to, const QString& step,
                                      const evaluation::NumberLocale& locale);

// The range as drawn: the typed one when it holds at most kMaxSweepPoints
// points, else the same start on the smallest of 2, 5, 10, 20, 50, ... times
// its step that keeps it within, up to the last point at or below its end.
GridRange DrawnRange(const GridRange& typed);

// A range around the screen's value: half to twice it on a round step of up
// to 500 points; the table's widths or depths on the interpolation screen.
GridRange DefaultRange(const BaseDesign& base, Quantity quantity);

struct CurvePoint {
    double x = 0;
    std::optional<Decimal> grid; // none: the screen's own value, its texts as typed
    PointResult result;
};

// Where the points have no result, and why.
struct Gap {
    double from = 0;
    double to = 0;
    evaluation::Refusal reason;
};

struct Span {
    double from = 0;
    double to = 0;
};

struct Curve {
    Quantity quantity = Quantity::PillarWidth;
    std::vector<CurvePoint> points;     // in the order of x
    std::optional<std::size_t> current; // the screen's own design, when in range
    std::vector<Gap> gaps;
    // Where W:H < 2.5, the edges half-way between a flagged and an unflagged point.
    std::vector<Span> lowRatio;
    // The first point (in x) of each run of points on the squat formula.
    std::vector<double> squatStarts;
    // What the reader should know (the range was cut to the table's widths,
    // the quantity takes no part in the calculation).
    QStringList notes;
};

// What the screen holds fixed while `quantity` changes, where the reader
// would not expect it (the modelled screen keeps its typed stress whatever
// the width or the depth); empty where nothing needs saying.
QString HeldFixedNote(evaluation::Method method, Quantity quantity);

// The sweep; refused when the range holds no point the quantity may take.
evaluation::Step<Curve> Sweep(const BaseDesign& base, Quantity quantity, const GridRange& range);

// The inputs and the shown results of a point, exactly as the screen would
// show them for those inputs.
evaluation::DesignTexts PointTexts(const BaseDesign& base, const Curve& curve, std::size_t index);
evaluation::Evaluation PointShown(const BaseDesign& base, const Curve& curve, std::size_t index);

// Every point as one CSV row: every input and every shown result text, in
// one convention throughout (the numbers with its decimal mark, quoted where
// needed).
QString CurveCsv(const BaseDesign& base, const Curve& curve,
                 evaluation::CsvConvention convention = evaluation::CsvConvention::CommaPoint);

// One CSV record of the tools' exports, as evaluation::AppendRecord writes
// it in `convention`.
QString CsvRow(const QStringList& fields,
               evaluation::CsvConvention convention = evaluation::CsvConvention::CommaPoint);

} // namespace vt::design
