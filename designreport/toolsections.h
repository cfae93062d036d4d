// What the open tools show for a calculation screen, as the report's
// sections: the design charts, the solve (with the schedule by depth where
// one was made), the probability of failure and the strength formulas
// compared. A tool's section is in the report only when the tool is open for
// that screen and its results belong to the design as it stands; otherwise
// the section says why it is left out. The charts, the solve and the
// formulas are brought up to date first (each through its own redraw, solve
// or recompute); a probability run is the design's only when it was run for
// the inputs the screen holds now. Tables come as their windows show them.
#pragma once

#include "designreport/reportcontent.h"

#include <vector>

namespace vt::designreport {

std::vector<ToolContribution> ToolContributions(DesignSource& source);

// The screen as the report shows it: its design, its results as shown,
// where K came from, its fields' lists, the W:H range of its formula's data
// and, on the interpolation screen, the modelling-results file and the chart
// with its guide lines.
ScreenState ScreenStateOf(DesignSource& source, const QString& title);

} // namespace vt::designreport
