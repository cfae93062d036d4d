// The search behind the inverse solve: the first value of a stretch of the
// grid, taken in either direction, that passes (or fails), found exactly
// whether or not the FOS is monotonic.
//
// The range is split into blocks; a block is left out only when a bound
// proves that none of its values is the one looked for: an upper bound of
// the FOS below the target (nothing in it passes), or lower bounds of the
// FOS and the W:H at or above their limits (everything in it passes). The
// bounds rest on how each result moves within a block (the strength never
// falls with the effective width at a fixed pillar volume nor rises with the
// volume at a fixed W:H, the tributary stress falls with the width and rises
// with the depth and the bords, the interpolated stress is a straight line
// between neighbouring widths or depths of the table); a block whose ends
// give no result, change formula or lie in different spans of the table is
// split further, down to single values. Where those facts do not hold (a K
// or height not above 0, a negative alpha, bords below 0) every value is
// tried.
#pragma once

#include "design/solve.h"

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace vt::design {

// A value of the range (its index k and number x) and its result.
struct SearchPoint {
    std::int64_t k = 0;
    double x = 0;
    PointResult r;
};

// What a walk through the whole range has seen, for the answer when no
// value passes.
struct Peak {
    std::optional<SearchPoint> best;   // the highest FOS with the W:H met
    std::optional<SearchPoint> widest; // the largest W:H
    std::optional<std::int64_t> firstRefused;
    bool anyResult = false;
};

class Search {
public:
    Search(const Variation& v, const GridRange& range, const SolveSettings& s);

    // The first index from `from` to `to` (inclusive, either way round)
    // whose value passes (`passing`) or fails; none when there is none.
    std::optional<std::int64_t> first(bool passing, std::int64_t from, std::int64_t to);

    // The highest FOS and the largest W:H of the range; ties go to the first
    // in the direction from `from` to the other end.
    Peak peak(std::int64_t from);

    std::int64_t evaluations() const { return evaluations_; }

private:
    enum class StressKind { Tributary, Typed, Table };

    bool canBound() const;
    SearchPoint at(std::int64_t k);
    void see(const SearchPoint& p);
    std::int64_t firstNotBelow(double v) const;
    std::vector<std::pair<std::int64_t, std::int64_t>> segments(std::int64_t lo,
                                                                std::int64_t hi) const;
    std::size_t pieceOf(double x) const;
    double lengthAt(const SearchPoint& p) const;

    enum class Bound { Upper, Lower };
    std::optional<double> strengthBound(const SearchPoint& lo, const SearchPoint& hi,
                                        Bound bound) const;
    std::optional<double> stressBound(const SearchPoint& lo, const SearchPoint& hi,
                                      Bound bound) const;
    std::optional<double> fosAbove(const SearchPoint& lo, const SearchPoint& hi) const;
    bool allPass(const SearchPoint& lo, const SearchPoint& hi) const;
    bool nonePass(const SearchPoint& lo, const SearchPoint& hi) const;
    std::optional<std::int64_t> firstIn(const SearchPoint& lo, const SearchPoint& hi, bool passing,
                                        bool forward);
    void peakIn(const SearchPoint& lo, const SearchPoint& hi);

    const Variation& v_;
    GridRange range_;
    const SolveSettings& s_;
    std::int64_t count_;
    StressKind kind_ = StressKind::Tributary;
    std::vector<double> breaks_;
    bool boundable_ = false;
    std::int64_t evaluations_ = 0;
    Peak* peak_ = nullptr;
    bool peakForward_ = true;
};

} // namespace vt::design
