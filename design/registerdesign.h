// The design tools' windows and their items in the calculation screens'
// "&Design" menu, for the composition root.
#pragma once

namespace vt {

// Registers frmDesignCharts and frmTargetFOS and adds "Design &charts..."
// and "Solve for a &target FOS..." to the Design menu.
void RegisterDesignWindows();

} // namespace vt
