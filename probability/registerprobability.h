// Registers the probability window and its item of the calculation screens'
// "&Design" menu.
#pragma once

namespace vt {

void RegisterProbabilityWindows();

} // namespace vt
