// The auxiliary dialogs: median UCS, pillar dimensions, file chooser, report.
#pragma once

namespace vt {

// Tells the window registry how to create frmMedianUCS,
// frmRazuziRuridaDimensions, frmFileOpen and frmPrint.
void RegisterDialogWindows();

} // namespace vt
