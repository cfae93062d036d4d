#include "design/solvesearch.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vt::design {

using evaluation::Method;

namespace {

constexpr std::int64_t kLeaf = 4;
// Relative room left for the rounding of the bounds' arithmetic.
constexpr double kRoom = 1e-5;
// Below this a bound's relative room does not cover single precision.
constexpr double kSmallestBounded = 1e-30;

float Single(double value) {
    return static_cast<float>(value);
}

} // namespace

Search::Search(const Variation& v, const GridRange& range, const SolveSettings& s)
    : v_(v)
    , range_(range)
    , s_(s)
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

std::optional<std::int64_t> Search::first(bool passing, std::int64_t from, std::int64_t to) {
    const bool forward = from <= to;
    auto cut = segments(std::min(from, to), std::max(from, to));
    if (!forward)
        std::reverse(cut.begin(), cut.end());
    for (const auto& [a, b] : cut) {
        const SearchPoint lo = at(a);
        if (a == b) {
            if (Passes(lo.r, s_) == passing)
                return a;
            continue;
        }
        if (auto found = firstIn(lo, at(b), passing, forward))
            return found;
    }
    return std::nullopt;
}

Peak Search::peak(std::int64_t from) {
    Peak p;
    peak_ = &p;
    peakForward_ = from == 0;
    auto cut = segments(0, count_ - 1);
    if (!peakForward_)
        std::reverse(cut.begin(), cut.end());
    for (const auto& [a, b] : cut) {
        const SearchPoint lo = at(a);
        if (a < b)
            peakIn(lo, at(b));
    }
    peak_ = nullptr;
    return p;
}

// Whether the facts the bounds rest on hold for this design.
bool Search::canBound() const {
    const evaluation::DesignNumbers& n = v_.base().numbers;
    bool ok = v_.base().numbersExact && s_.target > 0 && Single(n.k) > 0 && Single(n.height) > 0 &&
              Single(n.alpha) >= 0 && Single(n.squatStart) > 0;
    if (kind_ == StressKind::Tributary && v_.quantity() != Quantity::Depth)
        ok = ok && Single(n.width) > 0 && Single(n.length) > 0 && Single(n.bord1) >= 0 &&
             Single(n.bord2) >= 0;
    return ok;
}

SearchPoint Search::at(std::int64_t k) {
    ++evaluations_;
    const Decimal value = range_.at(k);
    SearchPoint p{k, value.value(), v_.resultAt(value)};
    if (peak_)
        see(p);
    return p;
}

void Search::see(const SearchPoint& p) {
    Peak& peak = *peak_;
    const auto before = [this](std::int64_t a, std::int64_t b) {
        return peakForward_ ? a < b : a > b;
    };
    if (!p.r.complete) {
        if (!peak.firstRefused || before(p.k, *peak.firstRefused))
            peak.firstRefused = p.k;
        return;
    }
    peak.anyResult = true;
    const auto better = [&](const std::optional<SearchPoint>& old, float value, float oldValue) {
        return !old || value > oldValue || (value == oldValue && before(p.k, old->k));
    };
    if (better(peak.widest, p.r.ratio, peak.widest ? peak.widest->r.ratio : 0))
        peak.widest = p;
    if (!(p.r.ratio < s_.minimumRatio) &&
        better(peak.best, p.r.factorOfSafety, peak.best ? peak.best->r.factorOfSafety : 0))
        peak.best = p;
}

// The first index whose value is not below v.
std::int64_t Search::firstNotBelow(double v) const {
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

// The indices lo..hi cut where the table's straight lines change (a value on
// a width or depth of the table stands alone), in ascending order.
std::vector<std::pair<std::int64_t, std::int64_t>> Search::segments(std::int64_t lo,
                                                                    std::int64_t hi) const {
    std::vector<std::int64_t> starts{lo, hi + 1};
    const auto cutAt = [&](std::int64_t i) {
        if (i > lo && i <= hi)
            starts.push_back(i);
    };
    for (double b : breaks_) {
        const std::int64_t i = firstNotBelow(b);
        cutAt(i);
        if (i < count_ && range_.at(i).value() == b)
            cutAt(i + 1);
    }
    std::sort(starts.begin(), starts.end());
    starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
    std::vector<std::pair<std::int64_t, std::int64_t>> cut;
    for (std::size_t i = 0; i + 1 < starts.size(); ++i)
        cut.emplace_back(starts[i], starts[i + 1] - 1);
    return cut;
}

std::size_t Search::pieceOf(double x) const {
    // Even: exactly a width or depth of the table; odd: between two.
    const auto it = std::lower_bound(breaks_.begin(), breaks_.end(), x);
    const auto i = static_cast<std::size_t>(it - breaks_.begin());
    return it != breaks_.end() && *it == x ? 2 * i : 2 * i + 1;
}

double Search::lengthAt(const SearchPoint& p) const {
    const std::optional<Decimal> follower = v_.followerAt(range_.at(p.k));
    return follower ? follower->value() : p.x;
}

// A bound of the strength over the block: the upper one or the lower one.
std::optional<double> Search::strengthBound(const SearchPoint& lo, const SearchPoint& hi,
                                            Bound bound) const {
    const bool upper = bound == Bound::Upper;
    if (v_.quantity() != Quantity::PillarWidth) {
        // Neither the depth nor the bords enter the strength.
        if (lo.r.strength != hi.r.strength)
            return std::nullopt;
        return lo.r.strength;
    }
    if (lo.r.formula != hi.r.formula)
        return std::nullopt;
    if (lo.r.formula == engine::StrengthFormula::HedleyGrant) // grows with the effective width
        return upper ? hi.r.strength * (1 + kRoom) : lo.r.strength * (1 - kRoom);
    // Squat pillars: the strength at one end's W:H (the widest for the upper
    // bound, the narrowest for the lower) with the other end's volume (the
    // length chosen so that the volume is that one).
    const SearchPoint& at = upper ? hi : lo;
    const SearchPoint& other = upper ? lo : hi;
    const evaluation::DesignNumbers& n = v_.base().numbers;
    const float weffAt = Single(at.r.effectiveWidth);
    const float weffOther = Single(other.r.effectiveWidth);
    if (!(weffAt > 0) || !(weffOther > 0))
        return std::nullopt;
    const float length = Single(static_cast<double>(Single(lengthAt(other))) * weffOther / weffAt);
    const auto s = engine::CalculatePillarStrength({weffAt, length, Single(n.height), Single(n.k),
                                                    Single(n.alpha), Single(n.beta),
                                                    Single(n.squatStart), Single(n.increaseRate)});
    if (!s || s.value().formula != engine::StrengthFormula::SquatPillar)
        return std::nullopt;
    const double strength = s.value().strength;
    return upper ? std::max(0.0, strength) * (1 + kRoom) : strength * (1 - kRoom);
}

// A bound of the average pillar stress over the block: the upper one or the
// lower one.
std::optional<double> Search::stressBound(const SearchPoint& lo, const SearchPoint& hi,
                                          Bound bound) const {
    const bool upper = bound == Bound::Upper;
    const double sign = upper ? 1 : -1;
    switch (kind_) {
    case StressKind::Typed:
        return lo.r.stress == hi.r.stress ? std::optional<double>(lo.r.stress) : std::nullopt;
    case StressKind::Table: {
        // A straight line between the ends, rounded to one decimal.
        if (pieceOf(lo.x) != pieceOf(hi.x))
            return std::nullopt;
        const double end =
            upper ? std::max(lo.r.stress, hi.r.stress) : std::min(lo.r.stress, hi.r.stress);
        return end + sign * (0.1 + 1e-4);
    }
    case StressKind::Tributary: {
        const double remaining = std::min(1 - lo.r.extraction / 100.0, 1 - hi.r.extraction / 100.0);
        if (!(remaining >= 1e-3))
            return std::nullopt;
        // Falls with the width, rises with the depth and the bords.
        const bool falling = v_.quantity() == Quantity::PillarWidth;
        const double end = (falling != upper) ? hi.r.stress : lo.r.stress;
        return end * (1 + sign * (kRoom + 1e-6 / remaining));
    }
    }
    return std::nullopt;
}

// An upper bound of the FOS over the values of the block that meet the W:H,
// minus infinity when none does; none when nothing is known.
std::optional<double> Search::fosAbove(const SearchPoint& lo, const SearchPoint& hi) const {
    if (!boundable_ || !lo.r.complete || !hi.r.complete)
        return std::nullopt;
    // The W:H grows with the width and stays with the depth and the bords.
    if (hi.r.ratio < s_.minimumRatio)
        return -std::numeric_limits<double>::infinity();
    const std::optional<double> strength = strengthBound(lo, hi, Bound::Upper);
    const std::optional<double> stress = stressBound(lo, hi, Bound::Lower);
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

bool Search::nonePass(const SearchPoint& lo, const SearchPoint& hi) const {
    const std::optional<double> fos = fosAbove(lo, hi);
    return fos && *fos < s_.target;
}

bool Search::allPass(const SearchPoint& lo, const SearchPoint& hi) const {
    if (!boundable_ || !lo.r.complete || !hi.r.complete)
        return false;
    // The W:H grows with the width and stays with the depth and the bords.
    if (v_.quantity() != Quantity::PillarWidth && lo.r.ratio != hi.r.ratio)
        return false;
    if (std::min(lo.r.ratio, hi.r.ratio) < s_.minimumRatio)
        return false;
    const std::optional<double> strength = strengthBound(lo, hi, Bound::Lower);
    const std::optional<double> stress = stressBound(lo, hi, Bound::Upper);
    if (!strength || !stress || !(*stress >= kSmallestBounded) || !(*strength >= kSmallestBounded))
        return false;
    return *strength / *stress * (1 - kRoom) >= s_.target;
}

std::optional<std::int64_t> Search::firstIn(const SearchPoint& lo, const SearchPoint& hi,
                                            bool passing, bool forward) {
    if (Passes((forward ? lo : hi).r, s_) == passing)
        return forward ? lo.k : hi.k;
    const std::int64_t size = hi.k - lo.k + 1;
    if (size <= kLeaf) {
        for (std::int64_t i = 1; i < size; ++i) {
            const std::int64_t k = forward ? lo.k + i : hi.k - i;
            const SearchPoint p = k == lo.k ? lo : (k == hi.k ? hi : at(k));
            if (Passes(p.r, s_) == passing)
                return k;
        }
        return std::nullopt;
    }
    if (passing ? nonePass(lo, hi) : allPass(lo, hi))
        return std::nullopt;
    const std::int64_t mid = lo.k + (hi.k - lo.k) / 2;
    const SearchPoint m = at(mid);
    const SearchPoint m1 = at(mid + 1);
    if (forward) {
        if (auto found = firstIn(lo, m, passing, forward))
            return found;
        return firstIn(m1, hi, passing, forward);
    }
    if (auto found = firstIn(m1, hi, passing, forward))
        return found;
    return firstIn(lo, m, passing, forward);
}

void Search::peakIn(const SearchPoint& lo, const SearchPoint& hi) {
    const std::int64_t size = hi.k - lo.k + 1;
    if (size <= kLeaf) {
        for (std::int64_t k = lo.k + 1; k < hi.k; ++k)
            at(k);
        return;
    }
    const std::optional<SearchPoint>& best = peak_->best;
    if (const auto b = fosAbove(lo, hi)) {
        if (std::isinf(*b) || (best && *b < best->r.factorOfSafety))
            return;
    }
    const std::int64_t mid = lo.k + (hi.k - lo.k) / 2;
    const SearchPoint m = at(mid);
    const SearchPoint m1 = at(mid + 1);
    peakIn(lo, m);
    peakIn(m1, hi);
}

} // namespace vt::design
