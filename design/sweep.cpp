#include "design/sweep.h"

#include <algorithm>
#include <cmath>

namespace vt::design {

using evaluation::DesignTexts;
using evaluation::Evaluation;
using evaluation::Method;
using evaluation::Refusal;
using evaluation::Step;

namespace {

const QString kChartsTitle = QStringLiteral("Design charts");

Refusal RangeRefusal(const QString& message) {
    return {message, kChartsTitle};
}

// One end or the step of a range; why not, naming it.
Step<Decimal> ReadPart(const QString& text, const QString& name,
                       const evaluation::NumberLocale& locale) {
    if (!evaluation::ReadDouble(text, locale))
        return RangeRefusal(QStringLiteral("The %1 is not a number").arg(name));
    const auto decimal = ReadDecimal(text, locale);
    if (!decimal)
        return RangeRefusal(
            QStringLiteral("The %1 has more than %2 decimals").arg(name).arg(kMaxDecimals));
    if (std::fabs(decimal->value()) > kMaxSweepValue)
        return RangeRefusal(QStringLiteral("The %1 is too large").arg(name));
    return *decimal;
}

// The smallest round step (1, 2 or 5 times a power of ten, at least `least`)
// that spans `span` in at most `points` steps.
Decimal RoundStep(double span, double points, const Decimal& least) {
    for (int power = -2; power <= 7; ++power)
        for (std::int64_t m : {1, 2, 5}) {
            const Decimal step =
                power < 0 ? Decimal{m, -power}
                          : Decimal{m * static_cast<std::int64_t>(std::pow(10.0, power)), 0};
            if (least <= step && step.value() * points >= span)
                return step;
        }
    return Decimal{10'000'000, 0};
}

GridRange RangeOver(double lo, double hi, const Decimal& least, bool positive) {
    const Decimal step = RoundStep(hi - lo, 500, least);
    Decimal from = FloorToStep(lo, step).value_or(step);
    if (positive && from.units <= 0)
        from = step;
    Decimal to = CeilToStep(hi, step).value_or(from);
    if (to <= from)
        to = Add(from, step, 10);
    return {from, to, step};
}

} // namespace

Step<GridRange> ReadRange(const QString& from, const QString& to, const QString& step,
                          const evaluation::NumberLocale& locale) {
    const Step<Decimal> f = ReadPart(from, QStringLiteral("start of the range"), locale);
    if (!f)
        return f.refusal();
    const Step<Decimal> t = ReadPart(to, QStringLiteral("end of the range"), locale);
    if (!t)
        return t.refusal();
    const Step<Decimal> s = ReadPart(step, QStringLiteral("step"), locale);
    if (!s)
        return s.refusal();
    if (s->units <= 0)
        return RangeRefusal(QStringLiteral("The step must be above 0"));
    if (!(f.value() < t.value()))
        return RangeRefusal(QStringLiteral("The start of the range must lie below its end"));
    return GridRange{f.value(), t.value(), s.value()};
}

GridRange DrawnRange(const GridRange& typed) {
    if (typed.count() <= kMaxSweepPoints)
        return typed;
    for (std::int64_t power = 1;; power *= 10)
        for (std::int64_t m : {1, 2, 5}) {
            const std::int64_t times = m * power;
            if (times == 1)
                continue;
            const GridRange drawn{
                typed.from, typed.to, {typed.step.units * times, typed.step.decimals}};
            if (drawn.count() <= kMaxSweepPoints)
                return drawn;
        }
}

GridRange DefaultRange(const BaseDesign& base, Quantity quantity) {
    const Decimal centimetre{1, 2};
    const Decimal metre{1, 0};
    const Decimal least = quantity == Quantity::Depth ? metre : centimetre;
    if (base.texts.method == Method::Interpolation && base.table &&
        (quantity == Quantity::PillarWidth || quantity == Quantity::Depth)) {
        const TableExtent extent = ExtentOf(*base.table);
        const std::vector<double>& values =
            quantity == Quantity::PillarWidth ? extent.widths : extent.depths;
        if (!values.empty() && values.front() < values.back()) {
            const Decimal step = RoundStep(values.back() - values.front(), 500, least);
            const auto from = CeilToStep(values.front(), step);
            const auto to = FloorToStep(values.back(), step);
            if (from && to && *from < *to)
                return {*from, *to, step};
        }
    }
    const double x = CurrentValue(base, quantity);
    if (x > 0)
        return RangeOver(x / 2, x * 2, least, true);
    if (x < 0)
        return RangeOver(x * 2, x / 2, least, false);
    return RangeOver(0, 10, least, false);
}

namespace {

// The indexes of the range that lie inside [lo, hi].
std::pair<std::int64_t, std::int64_t> IndexesWithin(const GridRange& range, double lo, double hi) {
    const double from = range.from.value();
    const double step = range.step.value();
    const auto first =
        static_cast<std::int64_t>(std::max(0.0, std::ceil((lo - from) / step - 1e-9)));
    const auto last = std::min(range.count() - 1,
                               static_cast<std::int64_t>(std::floor((hi - from) / step + 1e-9)));
    return {first, last};
}

std::vector<CurvePoint> PointsOf(const BaseDesign& base, const Variation& v, const GridRange& range,
                                 std::int64_t first, std::int64_t last,
                                 std::optional<std::size_t>& current) {
    std::vector<CurvePoint> points;
    points.reserve(static_cast<std::size_t>(last - first + 2));
    const double x0 = CurrentValue(base, v.quantity());
    const double lo = range.at(first).value();
    const double hi = range.at(last).value();
    bool placed = !(x0 >= lo && x0 <= hi);
    const auto placeCurrent = [&] {
        current = points.size();
        points.push_back({x0, std::nullopt, ResultOf(base.shown)});
        placed = true;
    };
    for (std::int64_t i = first; i <= last; ++i) {
        const Decimal value = range.at(i);
        const double x = value.value();
        if (!placed && x0 <= x) {
            placeCurrent();
            if (x0 == x)
                continue;
        }
        points.push_back({x, value, v.resultAt(value)});
    }
    if (!placed)
        placeCurrent();
    return points;
}

void MarkGaps(const BaseDesign& base, Curve& curve) {
    const auto& p = curve.points;
    for (std::size_t i = 0; i < p.size();) {
        if (p[i].result.complete) {
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j + 1 < p.size() && !p[j + 1].result.complete)
            ++j;
        const Evaluation shown = PointShown(base, curve, i);
        Refusal reason = shown.refusal.value_or(Refusal{});
        if (reason.silent())
            reason = {QStringLiteral("No result"), kChartsTitle};
        curve.gaps.push_back({p[i].x, p[j].x, reason});
        i = j + 1;
    }
}

// The W:H < 2.5 spans and the starts of the squat formula, over the points
// with a result.
void MarkRatioAndFormula(Curve& curve) {
    std::vector<const CurvePoint*> done;
    for (const CurvePoint& point : curve.points)
        if (point.result.complete)
            done.push_back(&point);
    const auto mid = [&](std::size_t a, std::size_t b) { return (done[a]->x + done[b]->x) / 2; };
    for (std::size_t i = 0; i < done.size();) {
        if (!done[i]->result.ratioTooSmall) {
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j + 1 < done.size() && done[j + 1]->result.ratioTooSmall)
            ++j;
        curve.lowRatio.push_back(
            {i > 0 ? mid(i - 1, i) : done[i]->x, j + 1 < done.size() ? mid(j, j + 1) : done[j]->x});
        i = j + 1;
    }
    using engine::StrengthFormula;
    for (std::size_t i = 1; i < done.size(); ++i) {
        const StrengthFormula before = done[i - 1]->result.formula;
        const StrengthFormula after = done[i]->result.formula;
        if (before != after)
            curve.squatStarts.push_back(after == StrengthFormula::SquatPillar ? done[i]->x
                                                                              : done[i - 1]->x);
    }
}

} // namespace

Step<Curve> Sweep(const BaseDesign& base, Quantity quantity, const GridRange& range) {
    const Step<Variation> v = Variation::Of(base, quantity);
    if (!v)
        return v.refusal();
    Curve curve;
    curve.quantity = quantity;
    std::int64_t first = 0;
    std::int64_t last = range.count() - 1;
    if (quantity == Quantity::PillarWidth && base.texts.method == Method::Interpolation &&
        base.table) {
        const TableExtent extent = ExtentOf(*base.table);
        if (extent.widths.empty())
            return RangeRefusal(QStringLiteral("The table holds no pillar widths"));
        const QString widths =
            QStringLiteral("%1 m to %2 m")
                .arg(evaluation::ShowShortest(extent.widths.front(), base.locale),
                     evaluation::ShowShortest(extent.widths.back(), base.locale));
        std::tie(first, last) = IndexesWithin(range, extent.widths.front(), extent.widths.back());
        if (first > last)
            return RangeRefusal(
                QStringLiteral("The range lies outside the table's widths, %1").arg(widths));
        if (first > 0 || last < range.count() - 1)
            curve.notes
                << QStringLiteral("The sweep stays inside the table's widths, %1").arg(widths);
    }
    curve.points = PointsOf(base, v.value(), range, first, last, curve.current);
    MarkGaps(base, curve);
    MarkRatioAndFormula(curve);
    if (const QString note = HeldFixedNote(base.texts.method, quantity); !note.isEmpty())
        curve.notes << note;
    return curve;
}

QString HeldFixedNote(Method method, Quantity quantity) {
    if (method != Method::Modelled)
        return {};
    switch (quantity) {
    case Quantity::Depth:
        return QStringLiteral("The depth takes no part in the calculation on this "
                              "screen: the FOS divides by the modelled stress typed in");
    case Quantity::PillarWidth:
        return QStringLiteral("The stress stays the modelled stress typed in at every width: "
                              "the FOS divides by it however narrow or wide the pillar");
    default:
        return {};
    }
}

DesignTexts PointTexts(const BaseDesign& base, const Curve& curve, std::size_t index) {
    const CurvePoint& point = curve.points.at(index);
    if (!point.grid)
        return base.texts;
    const Step<Variation> v = Variation::Of(base, curve.quantity);
    return v ? v->textsAt(*point.grid) : base.texts;
}

Evaluation PointShown(const BaseDesign& base, const Curve& curve, std::size_t index) {
    const CurvePoint& point = curve.points.at(index);
    if (!point.grid)
        return base.shown;
    return evaluation::Evaluate(PointTexts(base, curve, index), base.locale, base.table);
}

} // namespace vt::design
