// What the shell and the dialogs need of the interpolation screen, without
// depending on the screens.
#pragma once

namespace vt {

class ModellingResultsScreen {
public:
    virtual ~ModellingResultsScreen() = default;
    // Parses the file in State().ModellingResults (FileName, with FileText and
    // LineCount as last read), shows its name and text, fills the width list
    // and draws the chart. False when the file cannot be loaded.
    virtual bool LoadModellingResults() = 0;
    // The reset that precedes the file chooser: no file, empty chart, empty
    // width list, inputs and results emptied.
    virtual void ResetModellingResults() = 0;
};

} // namespace vt
