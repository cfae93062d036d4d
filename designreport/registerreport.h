// The design report window and its item in the calculation screens'
// "&Design" menu, for the composition root.
#pragma once

namespace vt {

// Registers frmDesignReport and adds "Design &report..." to the Design menu.
void RegisterDesignReportWindow();

} // namespace vt
