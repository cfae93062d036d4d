// The inverse solve: for the design on a screen, the smallest pillar width,
// the greatest depth and the widest bords that the screen, given that value
// and every other input as it stands, would flag neither for the FOS nor for
// the W:H (FOS >= target and W:H >= minimum, compared in single precision as
// the screen compares), and neither for any value beyond it on the safe side:
// every wider pillar of the range, every shallower depth, every narrower
// bord passes as well, so rounding the answer up (or down) stays safe. Where
// values on the far side pass too but are cut off from the answer by values
// that fail (the squat formula can make a wider pillar weaker), the answer
// says so.
//
// Widths and bords are searched on a plan grid (0.1 m unless changed), depths
// on 1 m; the width keeps the screen's length:width ratio (square on the
// interpolation screen), bord width 2 keeps its ratio to bord width 1. The
// search (solvesearch.h) is exact on the grid; the wording of the answers
// lives in solvewords.h.
#pragma once

#include "design/designpoint.h"
#include "design/sweep.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace vt::design {

enum class Question { SmallestWidth, GreatestDepth, WidestBords };

struct SolveSettings {
    float target = 1.6f;
    float minimumRatio = 2.5f;
    Decimal grid{1, 1}; // widths and bords, m
    QString targetText = QStringLiteral("1.6");
    QString ratioText = QStringLiteral("2.5");
};

// The target FOS, the minimum W:H and the plan grid as typed; why not.
evaluation::Step<SolveSettings> ReadSolveSettings(const QString& target, const QString& ratio,
                                                  const QString& grid,
                                                  const evaluation::NumberLocale& locale);

// The searched ranges: widths up to 100 m (the table's widths on the
// interpolation screen), depths from 1 m to 5000 m (the table's depths),
// bords up to 50 m.
inline constexpr double kMaxSearchWidth = 100;
inline constexpr double kMaxSearchDepth = 5000;
inline constexpr double kMaxSearchBord = 50;
inline constexpr std::int64_t kMaxSearchPoints = 1'000'000;

// The range a question searches on the screen, or why it does not apply
// there.
evaluation::Step<GridRange> SearchRange(const BaseDesign& base, Question question,
                                        const SolveSettings& settings);

// A value tried and what the screen shows for it.
struct Trial {
    Decimal value;
    evaluation::DesignTexts texts;
    evaluation::Evaluation shown;
};

// Values on the failing side of the answer that pass as well but are cut off
// from it by values that fail: the passing stretch nearest the failing end of
// the range, the failing stretch after it, and where more values fail beyond
// that (between the next passing value and the answer, or the range's end).
struct CutOffPasses {
    std::pair<Decimal, Decimal> passing; // from the failing end's side
    std::pair<Decimal, Decimal> failing;
    std::optional<std::pair<Decimal, Decimal>> moreFailBetween;
};

struct Answer {
    Question question = Question::SmallestWidth;
    std::optional<Trial> answer;
    // Passing values further on the failing side, cut off by failing ones.
    std::optional<CutOffPasses> alsoPasses;
    // The next grid value on the failing side, when it was searched.
    std::optional<Trial> neighbour;
    std::optional<GridRange> searched;
    // The answer as the window states it, or why there is none.
    QString text;
    // What Apply types into the screen (empty without an answer).
    std::vector<std::pair<evaluation::Input, QString>> apply;
    std::int64_t evaluations = 0; // designs evaluated by the search
};

Answer Solve(const BaseDesign& base, Question question, const SolveSettings& settings);

// Whether the screen would flag neither the FOS nor the W:H.
bool Passes(const PointResult& result, const SolveSettings& settings);

// The same answer found by evaluating every value of the range in turn (the
// benchmark's yardstick); none when the value at the safe end of the range
// (the widest pillar, the shallowest depth, the narrowest bords) fails.
std::optional<Decimal> SolveByStepping(const BaseDesign& base, Question question,
                                       const SolveSettings& settings);

} // namespace vt::design
