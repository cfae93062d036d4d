#include "design/solve.h"

#include <algorithm>
#include <cmath>
#include <limits>

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

float Single(double value) {
    return static_cast<float>(value);
}

} // namespace

Step<SolveSettings> ReadSolveSettings(const QString& target, const QString& ratio,
                                      const QString& grid, const evaluation::NumberLocale& locale) {
    SolveSettings s;
    const evaluation::Reading<float> t = evaluation::ReadSingle(target, locale);
    if (!t)
        return Refusal{QStringLiteral("The target FOS is not a number"), kSolveTitle};
    const evaluation::Reading<float> r = evaluation::ReadSingle(ratio, locale);
    if (!r)
        return Refusal{QStringLiteral("The minimum W:H is not a number"), kSolveTitle};
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

namespace {

// How the average pillar stress moves with the searched quantity.
enum class StressKind { Tributary, Typed, Table };

struct Point {
    std::int64_t k = 0;
    double x = 0;
    PointResult r;
};

// What a search for the peak (when nothing passes) has seen.
struct Peak {
    std::optional<Point> best;   // the highest FOS with the W:H met
    std::optional<Point> widest; // the largest W:H
    std::optional<std::int64_t> firstRefused;
    bool anyResult = false;
};

constexpr std::int64_t kLeaf = 4;
// Relative room left for the rounding of the bounds' arithmetic.
constexpr double kRoom = 1e-5;
// Below this a bound's relative room does not cover single precision.
constexpr double kSmallestBounded = 1e-30;

class Search {
public:
    Search(const Variation& v, const GridRange& range, const SolveSettings& s, bool ascending)
        : v_(v)
        , range_(range)
        , s_(s)
        , ascending_(ascending)
        , count_(range.count()) {
        const BaseDesign& base = v.base();
        kind_ = base.texts.method == Method::Tributary  ? StressKind::Tributary
                : base.texts.method == Method::Modelled ? StressKind::Typed
                                                        : StressKind::Table;
        if (kind_ == StressKind::Table && base.table) {
            const TableExtent extent = ExtentOf(*base.table);
            breaks_ = v.quantity() == Quantity::PillarWidth ? extent.widths : extent.depths;
        }
        boundable_ = canBound();
    }

    std::optional<Point> first() {
        for (const auto& [a, b] : segments()) {
            const Point lo = at(a);
            if (a == b) {
                if (Passes(lo.r, s_))
                    return lo;
                continue;
            }
            if (auto found = firstIn(lo, at(b)))
                return found;
        }
        return std::nullopt;
    }

    Peak peak() {
        Peak p;
        peak_ = &p;
        for (const auto& [a, b] : segments()) {
            const Point lo = at(a);
            if (a < b)
                peakIn(lo, at(b));
        }
        peak_ = nullptr;
        return p;
    }

    std::int64_t evaluations() const { return evaluations_; }

private:
    // Whether the facts the bounds rest on hold for this design.
    bool canBound() const {
        const evaluation::DesignNumbers& n = v_.base().numbers;
        bool ok = v_.base().numbersExact && s_.target > 0 && Single(n.k) > 0 &&
                  Single(n.height) > 0 && Single(n.alpha) >= 0 && Single(n.squatStart) > 0;
        if (kind_ == StressKind::Tributary && v_.quantity() != Quantity::Depth)
            ok = ok && Single(n.width) > 0 && Single(n.length) > 0 && Single(n.bord1) >= 0 &&
                 Single(n.bord2) >= 0;
        return ok;
    }

    Point at(std::int64_t k) {
        ++evaluations_;
        const Decimal value = range_.at(k);
        Point p{k, value.value(), v_.resultAt(value)};
        if (peak_)
            see(p);
        return p;
    }

    bool before(const Point& a, const Point& b) const { return ascending_ ? a.k < b.k : a.k > b.k; }

    void see(const Point& p) {
        Peak& peak = *peak_;
        if (!p.r.complete) {
            if (!peak.firstRefused || before(p, Point{*peak.firstRefused, 0, {}}))
                peak.firstRefused = p.k;
            return;
        }
        peak.anyResult = true;
        const auto better = [&](const std::optional<Point>& old, float value, float oldValue) {
            return !old || value > oldValue || (value == oldValue && before(p, *old));
        };
        if (better(peak.widest, p.r.ratio, peak.widest ? peak.widest->r.ratio : 0))
            peak.widest = p;
        if (!(p.r.ratio < s_.minimumRatio) &&
            better(peak.best, p.r.factorOfSafety, peak.best ? peak.best->r.factorOfSafety : 0))
            peak.best = p;
    }

    // The first index whose value is not below v.
    std::int64_t firstNotBelow(double v) const {
        std::int64_t lo = 0;
        std::int64_t hi = count_;
        while (lo < hi) {
            const std::int64_t mid = lo + (hi - lo) / 2;
            if (range_.at(mid).value() < v)
                lo = mid + 1;
            else
                hi = mid;
        }
        return lo;
    }

    // The range cut where the table's straight lines change (a value on a
    // width or depth of the table stands alone), in the order of the search.
    std::vector<std::pair<std::int64_t, std::int64_t>> segments() const {
        std::vector<std::int64_t> starts{0, count_};
        for (double b : breaks_) {
            const std::int64_t i = firstNotBelow(b);
            starts.push_back(i);
            if (i < count_ && range_.at(i).value() == b)
                starts.push_back(i + 1);
        }
        std::sort(starts.begin(), starts.end());
        starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
        std::vector<std::pair<std::int64_t, std::int64_t>> cut;
        for (std::size_t i = 0; i + 1 < starts.size(); ++i)
            if (starts[i] < count_)
                cut.emplace_back(starts[i], starts[i + 1] - 1);
        if (!ascending_)
            std::reverse(cut.begin(), cut.end());
        return cut;
    }

    std::size_t pieceOf(double x) const {
        // Even: exactly a width or depth of the table; odd: between two.
        const auto it = std::lower_bound(breaks_.begin(), breaks_.end(), x);
        const auto i = static_cast<std::size_t>(it - breaks_.begin());
        return it != breaks_.end() && *it == x ? 2 * i : 2 * i + 1;
    }

    std::optional<double> strengthBound(const Point& lo, const Point& hi) const;
    std::optional<double> stressBound(const Point& lo, const Point& hi) const;
    std::optional<double> bound(const Point& lo, const Point& hi) const;
    std::optional<Point> firstIn(const Point& lo, const Point& hi);
    void peakIn(const Point& lo, const Point& hi);

    const Variation& v_;
    GridRange range_;
    const SolveSettings& s_;
    bool ascending_;
    std::int64_t count_;
    StressKind kind_ = StressKind::Tributary;
    std::vector<double> breaks_;
    bool boundable_ = false;
    std::int64_t evaluations_ = 0;
    Peak* peak_ = nullptr;
};

// An upper bound of the strength over the block.
std::optional<double> Search::strengthBound(const Point& lo, const Point& hi) const {
    if (v_.quantity() != Quantity::PillarWidth) {
        // Neither the depth nor the bords enter the strength.
        if (lo.r.strength != hi.r.strength)
            return std::nullopt;
        return lo.r.strength;
    }
    if (lo.r.formula != hi.r.formula)
        return std::nullopt;
    if (lo.r.formula == engine::StrengthFormula::HedleyGrant)
        return hi.r.strength * (1 + kRoom); // grows with the effective width alone
    // Squat pillars: the strength at the widest end's W:H with the narrowest
    // end's volume (the length chosen so that the volume is that one).
    const evaluation::DesignNumbers& n = v_.base().numbers;
    const auto lengthOf = [&](const Point& p) {
        const std::optional<Decimal> follower = v_.followerAt(range_.at(p.k));
        return follower ? follower->value() : p.x;
    };
    const float weffLo = Single(lo.r.effectiveWidth);
    const float weffHi = Single(hi.r.effectiveWidth);
    if (!(weffLo > 0) || !(weffHi > 0))
        return std::nullopt;
    const float length = Single(static_cast<double>(Single(lengthOf(lo))) * weffLo / weffHi);
    const auto s = engine::CalculatePillarStrength({weffHi, length, Single(n.height), Single(n.k),
                                                    Single(n.alpha), Single(n.beta),
                                                    Single(n.squatStart), Single(n.increaseRate)});
    if (!s || s.value().formula != engine::StrengthFormula::SquatPillar)
        return std::nullopt;
    return std::max(0.0, static_cast<double>(s.value().strength)) * (1 + kRoom);
}

// A lower bound of the average pillar stress over the block.
std::optional<double> Search::stressBound(const Point& lo, const Point& hi) const {
    switch (kind_) {
    case StressKind::Typed:
        return lo.r.stress == hi.r.stress ? std::optional<double>(lo.r.stress) : std::nullopt;
    case StressKind::Table: {
        // A straight line between the ends, rounded to one decimal.
        if (pieceOf(lo.x) != pieceOf(hi.x))
            return std::nullopt;
        return std::min(lo.r.stress, hi.r.stress) - 0.1 - 1e-4;
    }
    case StressKind::Tributary: {
        const double remaining = std::min(1 - lo.r.extraction / 100.0, 1 - hi.r.extraction / 100.0);
        if (!(remaining >= 1e-3))
            return std::nullopt;
        // Falls with the width, rises with the depth and the bords.
        const double end = v_.quantity() == Quantity::PillarWidth ? hi.r.stress : lo.r.stress;
        return end * (1 - kRoom - 1e-6 / remaining);
    }
    }
    return std::nullopt;
}

// An upper bound of the FOS over the values of the block that meet the W:H,
// minus infinity when none does; none when nothing is known.
std::optional<double> Search::bound(const Point& lo, const Point& hi) const {
    if (!boundable_ || !lo.r.complete || !hi.r.complete)
        return std::nullopt;
    // The W:H grows with the width and stays with the depth and the bords.
    if (hi.r.ratio < s_.minimumRatio)
        return -std::numeric_limits<double>::infinity();
    const std::optional<double> strength = strengthBound(lo, hi);
    const std::optional<double> stress = stressBound(lo, hi);
    if (!strength || !stress || !(*stress > 0))
        return std::nullopt;
    // Near the single-precision subnormals (a K of 1e-42, say) the rounding
    // of the screen's values is no longer small beside them: no bound there,
    // every value is tried.
    if (*strength < kSmallestBounded || *stress < kSmallestBounded)
        return std::nullopt;
    const double fos = std::max(0.0, *strength) / *stress * (1 + kRoom);
    if (fos < kSmallestBounded)
        return std::nullopt;
    return fos;
}

std::optional<Point> Search::firstIn(const Point& lo, const Point& hi) {
    const std::int64_t size = hi.k - lo.k + 1;
    if (size <= kLeaf) {
        for (std::int64_t i = 0; i < size; ++i) {
            const std::int64_t k = ascending_ ? lo.k + i : hi.k - i;
            const Point p = k == lo.k ? lo : (k == hi.k ? hi : at(k));
            if (Passes(p.r, s_))
                return p;
        }
        return std::nullopt;
    }
    if (const auto b = bound(lo, hi); b && *b < s_.target)
        return std::nullopt;
    const std::int64_t mid = lo.k + (hi.k - lo.k) / 2;
    const Point m = at(mid);
    const Point m1 = at(mid + 1);
    if (ascending_) {
        if (auto found = firstIn(lo, m))
            return found;
        return firstIn(m1, hi);
    }
    if (auto found = firstIn(m1, hi))
        return found;
    return firstIn(lo, m);
}

void Search::peakIn(const Point& lo, const Point& hi) {
    const std::int64_t size = hi.k - lo.k + 1;
    if (size <= kLeaf) {
        for (std::int64_t k = lo.k + 1; k < hi.k; ++k)
            at(k);
        return;
    }
    const std::optional<Point>& best = peak_->best;
    if (const auto b = bound(lo, hi)) {
        if (std::isinf(*b) || (best && *b < best->r.factorOfSafety))
            return;
    }
    const std::int64_t mid = lo.k + (hi.k - lo.k) / 2;
    const Point m = at(mid);
    const Point m1 = at(mid + 1);
    peakIn(lo, m);
    peakIn(m1, hi);
}

} // namespace

// --- the answer in words ---

namespace {

struct Words {
    QString what;   // "pillar width"
    QString answer; // "Smallest pillar width"
    QString every;  // "every pillar width"
    QString end;    // "the smallest width searched"
};

Words WordsOf(Question question, bool table) {
    switch (question) {
    case Question::SmallestWidth:
        return {QStringLiteral("pillar width"), QStringLiteral("Smallest pillar width"),
                QStringLiteral("every pillar width"),
                table ? QStringLiteral("the table's smallest width on the grid")
                      : QStringLiteral("the smallest width searched")};
    case Question::GreatestDepth:
        return {QStringLiteral("depth"), QStringLiteral("Greatest depth"),
                QStringLiteral("every depth"),
                table ? QStringLiteral("the table's greatest depth")
                      : QStringLiteral("the greatest depth searched; deeper was not tried")};
    case Question::WidestBords:
        return {QStringLiteral("bord width"), QStringLiteral("Widest bords"),
                QStringLiteral("every bord width"), QStringLiteral("the widest bord searched")};
    }
    return {};
}

// "6.3 m", "6.3 m (length 8.4 m)", "14 m and 18.67 m".
QString ValueText(const Question question, const Trial& trial) {
    const evaluation::DesignTexts& t = trial.texts;
    switch (question) {
    case Question::SmallestWidth:
        if (t.length != t.width && t.method != Method::Interpolation)
            return QStringLiteral("%1 m (length %2 m)").arg(t.width, t.length);
        return QStringLiteral("%1 m").arg(t.width);
    case Question::GreatestDepth:
        return QStringLiteral("%1 m").arg(t.depth);
    case Question::WidestBords:
        if (t.bord1 != t.bord2)
            return QStringLiteral("%1 m and %2 m").arg(t.bord1, t.bord2);
        return QStringLiteral("%1 m").arg(t.bord1);
    }
    return {};
}

QString ShownAt(const Trial& trial) {
    return QStringLiteral("FOS %1 and W:H %2")
        .arg(trial.shown.factorOfSafety, trial.shown.widthHeightRatio);
}

// Why the neighbour fails: "the FOS below 1.6", "no result: ...".
QString WhyItFails(const Trial& trial, const SolveSettings& s,
                   const evaluation::NumberLocale& locale) {
    const evaluation::Evaluation& e = trial.shown;
    if (!e.complete())
        return QStringLiteral("no result: %1").arg(e.refusal ? e.refusal->message : QString());
    // A value just below its limit shows as the limit, rounded.
    const auto below = [&](const QString& what, const QString& shown, float limit,
                           const QString& limitText) {
        QString text = QStringLiteral("the %1 below %2").arg(what, limitText);
        if (shown == evaluation::ShowResult(limit, 1, locale))
            text += QStringLiteral(" (shown rounded)");
        return text;
    };
    QStringList why;
    if (e.factorOfSafetyValue < s.target)
        why << below(QStringLiteral("FOS"), e.factorOfSafety, s.target, s.targetText);
    if (e.widthHeightRatioValue < s.minimumRatio)
        why << below(QStringLiteral("W:H"), e.widthHeightRatio, s.minimumRatio, s.ratioText);
    return QStringLiteral("%1: %2").arg(ShownAt(trial), why.join(QStringLiteral(" and ")));
}

QString DescribeFound(const Answer& a, const SolveSettings& s, const Words& w,
                      const evaluation::NumberLocale& locale) {
    QString text = QStringLiteral("%1: %2\nThere the screen shows %3.")
                       .arg(w.answer, ValueText(a.question, *a.answer), ShownAt(*a.answer));
    if (a.neighbour)
        text += QStringLiteral("\nAt %1: %2.")
                    .arg(ValueText(a.question, *a.neighbour), WhyItFails(*a.neighbour, s, locale));
    else
        text += QStringLiteral("\n%1 is %2.").arg(ValueText(a.question, *a.answer), w.end);
    return text;
}

// "from 0.1 m to 100 m"; on the interpolation screen the range is the table's.
QString SpanText(const GridRange& range, Question question, const BaseDesign& base) {
    const QString span = QStringLiteral("from %1 m to %2 m")
                             .arg(range.from.text(base.locale), range.to.text(base.locale));
    if (base.texts.method != Method::Interpolation)
        return span;
    return QStringLiteral("within the table's %1 (%2)")
        .arg(question == Question::SmallestWidth ? QStringLiteral("widths")
                                                 : QStringLiteral("depths"),
             span);
}

Trial TrialAt(const Variation& v, const GridRange& range, std::int64_t k) {
    const Decimal value = range.at(k);
    return {value, v.textsAt(value), v.shownAt(value)};
}

QString DescribeNone(const Answer& a, const Peak& peak, const Variation& v, const GridRange& r,
                     const SolveSettings& s, const Words& w) {
    const evaluation::NumberLocale& locale = v.base().locale;
    const QString span = SpanText(r, a.question, v.base());
    if (!peak.anyResult) {
        const Trial refused = TrialAt(v, r, peak.firstRefused.value_or(0));
        return QStringLiteral("No %1 %2 gives a result: %3")
            .arg(w.what, span, refused.shown.refusal ? refused.shown.refusal->message : QString());
    }
    if (!peak.best) {
        const Trial widest = TrialAt(v, r, peak.widest->k);
        if (a.question == Question::SmallestWidth)
            return QStringLiteral("The W:H stays below %1 for %2 %3 (W:H %4 at %5)")
                .arg(s.ratioText, w.every, span, widest.shown.widthHeightRatio,
                     ValueText(a.question, widest));
        return QStringLiteral("The W:H is %1 at %2: below the minimum %3")
            .arg(widest.shown.widthHeightRatio, w.every, s.ratioText);
    }
    const Trial best = TrialAt(v, r, peak.best->k);
    QString text = QStringLiteral("No %1 %2 reaches FOS %3: the FOS peaks at %4 (at %5)")
                       .arg(w.what, span, s.targetText, best.shown.factorOfSafety,
                            ValueText(a.question, best));
    if (best.shown.factorOfSafety == evaluation::ShowResult(s.target, 1, locale))
        text +=
            QStringLiteral(", which the screen shows rounded: it is below %1").arg(s.targetText);
    return text;
}

} // namespace

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
    const bool ascending = question == Question::SmallestWidth;
    const Words words = WordsOf(question, base.texts.method == Method::Interpolation);
    Search search(v.value(), range.value(), settings, ascending);
    if (const std::optional<Point> found = search.first()) {
        a.answer = TrialAt(v.value(), range.value(), found->k);
        const std::int64_t next = ascending ? found->k - 1 : found->k + 1;
        if (next >= 0 && next < range->count())
            a.neighbour = TrialAt(v.value(), range.value(), next);
        a.apply = v->inputsAt(a.answer->value);
        a.text = DescribeFound(a, settings, words, base.locale);
    } else {
        const Peak peak = search.peak();
        a.text = DescribeNone(a, peak, v.value(), range.value(), settings, words);
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
    std::optional<Decimal> found;
    for (std::int64_t k = 0; k < range->count(); ++k) {
        const Decimal value = range->at(k);
        if (Passes(v->resultAt(value), settings) && (!found || question != Question::SmallestWidth))
            found = value;
    }
    return found;
}

} // namespace vt::design
