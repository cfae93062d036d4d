#include "design/solve.h"

#include "design/solvesearch.h"
#include "design/solvewords.h"

#include <vector>

namespace vt::design {

using evaluation::Method;
using evaluation::Refusal;
using evaluation::Step;

namespace {

const QString kSolveTitle = QStringLiteral("Solve for a target FOS");

Quantity QuantityOf(Question question) {
    switch (question) {
    case Question::SmallestWidth:
        return Quantity::PillarWidth;
    case Question::GreatestDepth:
        return Quantity::Depth;
    case Question::WidestBords:
        return Quantity::BordWidth;
    }
    return Quantity::PillarWidth;
}

// The ends of a question's range: the failing side's (the narrowest pillar,
// the greatest depth, the widest bords) and the safe side's, and the step
// from the first towards the second.
struct Ends {
    std::int64_t failing = 0;
    std::int64_t safe = 0;
    std::int64_t towardsSafe = 1;
};

Ends EndsOf(Question question, std::int64_t count) {
    if (question == Question::SmallestWidth)
        return {0, count - 1, 1};
    return {count - 1, 0, -1};
}

} // namespace

Step<SolveSettings> ReadSolveSettings(const QString& target, const QString& ratio,
                                      const QString& grid, const evaluation::NumberLocale& locale) {
    SolveSettings s;
    const evaluation::Reading<float> t = evaluation::ReadSingle(target, locale);
    if (!t)
        return Refusal{QStringLiteral("The target FOS is not a number"), kSolveTitle};
    if (!(t.value > 0))
        return Refusal{QStringLiteral("The target FOS must be above 0"), kSolveTitle};
    const evaluation::Reading<float> r = evaluation::ReadSingle(ratio, locale);
    if (!r)
        return Refusal{QStringLiteral("The minimum W:H is not a number"), kSolveTitle};
    if (!(r.value > 0))
        return Refusal{QStringLiteral("The minimum W:H must be above 0"), kSolveTitle};
    const std::optional<Decimal> g = ReadDecimal(grid, locale);
    if (!evaluation::ReadDouble(grid, locale))
        return Refusal{QStringLiteral("The plan grid is not a number"), kSolveTitle};
    if (!g)
        return Refusal{QStringLiteral("The plan grid has more than %1 decimals").arg(kMaxDecimals),
                       kSolveTitle};
    if (g->units <= 0)
        return Refusal{QStringLiteral("The plan grid must be above 0"), kSolveTitle};
    s.target = t.value;
    s.minimumRatio = r.value;
    s.grid = *g;
    s.targetText = target.trimmed();
    s.ratioText = ratio.trimmed();
    return s;
}

bool Passes(const PointResult& r, const SolveSettings& s) {
    return r.complete && !(r.ratio < s.minimumRatio) && !(r.factorOfSafety < s.target);
}

namespace {

std::optional<GridRange> Between(double lo, double hi, const Decimal& step) {
    const auto from = CeilToStep(lo, step);
    const auto to = FloorToStep(hi, step);
    if (!from || !to || *to < *from)
        return std::nullopt;
    return GridRange{*from, *to, step};
}

QString Metres(double value, const evaluation::NumberLocale& locale) {
    return evaluation::ShowShortest(value, locale) + QStringLiteral(" m");
}

Step<GridRange> TableRange(const BaseDesign& base, Question question, const Decimal& step) {
    const TableExtent extent = base.table ? ExtentOf(*base.table) : TableExtent{};
    const bool widths = question == Question::SmallestWidth;
    const std::vector<double>& values = widths ? extent.widths : extent.depths;
    const QString what = widths ? QStringLiteral("widths") : QStringLiteral("depths");
    if (values.empty())
        return Refusal{QStringLiteral("The table holds no %1").arg(what), kSolveTitle};
    const auto range = Between(values.front(), values.back(), step);
    if (!range)
        return Refusal{QStringLiteral("The table's %1 (%2 to %3) hold no value of the %4 grid")
                           .arg(what, Metres(values.front(), base.locale),
                                Metres(values.back(), base.locale),
                                Metres(step.value(), base.locale)),
                       kSolveTitle};
    return *range;
}

} // namespace

Step<GridRange> SearchRange(const BaseDesign& base, Question question,
                            const SolveSettings& settings) {
    const Method method = base.texts.method;
    const Decimal metre{1, 0};
    std::optional<GridRange> range;
    switch (question) {
    case Question::SmallestWidth:
        if (method == Method::Interpolation)
            return TableRange(base, question, settings.grid);
        range = Between(settings.grid.value(), kMaxSearchWidth, settings.grid);
        break;
    case Question::GreatestDepth:
        if (method == Method::Modelled)
            return Refusal{QStringLiteral("The depth takes no part in the calculation on this "
                                          "screen: the FOS divides by the modelled stress typed "
                                          "in, so every depth gives FOS %1 and W:H %2")
                               .arg(base.shown.factorOfSafety, base.shown.widthHeightRatio),
                           kSolveTitle};
        if (method == Method::Interpolation)
            return TableRange(base, question, metre);
        range = Between(1, kMaxSearchDepth, metre);
        break;
    case Question::WidestBords:
        if (method == Method::Modelled)
            return Refusal{QStringLiteral("The bord widths change the % extraction on this screen "
                                          "but not the FOS, which divides by the modelled stress "
                                          "typed in"),
                           kSolveTitle};
        if (const auto v = Variation::Of(base, Quantity::BordWidth); !v)
            return v.refusal();
        range = Between(settings.grid.value(), kMaxSearchBord, settings.grid);
        break;
    }
    if (!range)
        return Refusal{QStringLiteral("The plan grid is larger than the range searched"),
                       kSolveTitle};
    if (range->count() > kMaxSearchPoints)
        return Refusal{QStringLiteral("The plan grid is too fine: the search would try more than "
                                      "%1 values")
                           .arg(kMaxSearchPoints),
                       kSolveTitle};
    return *range;
}

Answer Solve(const BaseDesign& base, Question question, const SolveSettings& settings) {
    Answer a;
    a.question = question;
    const Step<GridRange> range = SearchRange(base, question, settings);
    if (!range) {
        a.text = range.refusal().message;
        return a;
    }
    const Step<Variation> v = Variation::Of(base, QuantityOf(question));
    if (!v) {
        a.text = v.refusal().message;
        return a;
    }
    a.searched = range.value();
    const GridRange& r = range.value();
    const Ends ends = EndsOf(question, r.count());
    Search search(v.value(), r, settings);
    // The answer: the value next to the first failure met from the safe end.
    std::optional<std::int64_t> answer;
    if (const auto fails = search.first(false, ends.safe, ends.failing); !fails)
        answer = ends.failing;
    else if (*fails != ends.safe)
        answer = *fails + ends.towardsSafe;
    // Passing values beyond a failure on the failing side.
    const std::int64_t last = answer.value_or(ends.safe);
    const std::optional<std::int64_t> pass = search.first(true, ends.failing, last);
    if (pass && pass != answer) {
        const std::int64_t fails = search.first(false, *pass, last).value_or(last);
        const std::optional<std::int64_t> again = search.first(true, fails, last);
        CutOffPasses cut;
        cut.passing = {r.at(*pass), r.at(fails - ends.towardsSafe)};
        cut.failing = {r.at(fails), r.at(again ? *again - ends.towardsSafe : last)};
        if (again && again != answer)
            cut.moreFailBetween = std::make_pair(r.at(*again), r.at(last));
        a.alsoPasses = cut;
    }
    if (answer) {
        a.answer = TrialAt(v.value(), r, *answer);
        const std::int64_t next = *answer - ends.towardsSafe;
        if (next >= 0 && next < r.count())
            a.neighbour = TrialAt(v.value(), r, next);
        a.apply = v->inputsAt(a.answer->value);
        a.text = DescribeFound(a, settings, base);
    } else if (pass) {
        a.text = DescribeCutOffOnly(a, TrialAt(v.value(), r, ends.safe), r, settings, base);
    } else {
        const Peak peak = search.peak(ends.failing);
        a.text = DescribeNone(a, peak, v.value(), r, settings);
    }
    if (const QString held = HeldFixedNote(base.texts.method, QuantityOf(question));
        !held.isEmpty())
        a.text += QStringLiteral("\n") + held + QStringLiteral(".");
    a.evaluations = search.evaluations();
    return a;
}

std::optional<Decimal> SolveByStepping(const BaseDesign& base, Question question,
                                       const SolveSettings& settings) {
    const Step<GridRange> range = SearchRange(base, question, settings);
    const Step<Variation> v = Variation::Of(base, QuantityOf(question));
    if (!range || !v)
        return std::nullopt;
    const Ends ends = EndsOf(question, range->count());
    std::vector<char> passes(static_cast<std::size_t>(range->count()));
    for (std::int64_t k = 0; k < range->count(); ++k)
        passes[static_cast<std::size_t>(k)] = Passes(v->resultAt(range->at(k)), settings);
    std::optional<Decimal> found;
    for (std::int64_t k = ends.safe;
         k >= 0 && k < range->count() && passes[static_cast<std::size_t>(k)]; k -= ends.towardsSafe)
        found = range->at(k);
    return found;
}

} // namespace vt::design
