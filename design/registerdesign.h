// The design tools' windows and their items in the calculation screens'
// "&Design" menu, for the composition root.
#pragma once

namespace vt {

// Registers frmDesignCharts, frmTargetFOS and frmStrengthFormulas and adds
// "Design &charts...", "Solve for a &target FOS..." and "Strength
// &formulas..." to the Design menu.
void RegisterDesignWindows();

} // namespace vt
