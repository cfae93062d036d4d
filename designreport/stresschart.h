// The interpolation screen's chart for the report, drawn as vectors: the
// axes with their value labels, one blue line per modelled pillar width and
// the dotted guide lines to the interpolated stress at the depth, in the
// chart geometry the screen draws with.
#pragma once

#include "designreport/reportcontent.h"
#include "results/modellingresults.h"

#include <optional>

namespace vt::designreport {

// None when no table is loaded.
std::optional<Drawing> StressChartDrawing(const results::ModellingResults& table,
                                          const QString& depth, const QString& stress,
                                          const evaluation::NumberLocale& locale);

} // namespace vt::designreport
