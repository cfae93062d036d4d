// A pillar schedule by depth: for each depth of a range, the smallest pillar
// width for the target FOS and the minimum W:H (the width from which every
// wider width passes), with what the screen shows there: the table a mine
// publishes as its pillar sizes. Only where the stress follows the depth
// (the tributary and interpolation screens).
#pragma once

#include "design/solve.h"
#include "evaluation/csv.h"

#include <QString>
#include <vector>

namespace vt::design {

inline constexpr std::int64_t kMaxScheduleDepths = 1000;

struct ScheduleRow {
    Decimal depth;
    // The smallest width at that depth, or why there is none (its text).
    Answer answer;
};

// The schedule over `depths`, or why there is none: the modelled screen's
// typed stress does not follow the depth; more than kMaxScheduleDepths
// depths.
evaluation::Step<std::vector<ScheduleRow>>
DepthSchedule(const BaseDesign& base, const GridRange& depths, const SolveSettings& settings);

// The schedule as CSV: depth, width, length, extraction, FOS, W:H as the
// screen shows them (read by `locale`), and why a depth has no width, in one
// convention throughout.
QString ScheduleCsv(const std::vector<ScheduleRow>& rows, const evaluation::NumberLocale& locale,
                    evaluation::CsvConvention convention = evaluation::CsvConvention::CommaPoint);

} // namespace vt::design
