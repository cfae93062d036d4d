// The inverse solve: for the design on a screen, the smallest pillar width,
// the greatest depth and the widest bords for which the screen, given that
// value and every other input as it stands, would flag neither the FOS nor
// the W:H (FOS >= target and W:H >= minimum, compared in single precision as
// the screen compares).
//
// Widths and bords are searched on a plan grid (0.1 m unless changed), depths
// on 1 m; the width keeps the screen's length:width ratio (square on the
// interpolation screen), bord width 2 keeps its ratio to bord width 1.
//
// The search is exact on the grid, whether or not the FOS is monotonic: it
// splits the range into blocks and leaves a block out only when a bound
// proves that no value in it passes. The bounds rest on how each result
// moves within a block (the strength never falls with the effective width
// at a fixed pillar volume nor rises with the volume at a fixed W:H, the
// tributary stress falls with the width and rises with the depth and the
// bords, the interpolated stress is a straight line between neighbouring
// widths or depths of the table); a block whose ends give no result, change
// formula or lie in different spans of the table is split further, down to
// single values. Where those facts do not hold (a K or height not above 0, a
// negative alpha, bords below 0) every value is tried.
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

struct Answer {
    Question question = Question::SmallestWidth;
    std::optional<Trial> answer;
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
// benchmark's yardstick); none when no value passes.
std::optional<Decimal> SolveByStepping(const BaseDesign& base, Question question,
                                       const SolveSettings& settings);

} // namespace vt::design
