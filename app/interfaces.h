// What windows need of each other, without depending on each other: the
// shell and the dialogs talk to the screens through these, and the
// composition root (RegisterWindows) tells the registry which windows play
// which part.
#pragma once

#include <QString>

namespace vt {

// The interpolation screen, as the start-up window and the file chooser see it.
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

// A screen that takes the strength constant K from the UCS dialog.
class StrengthConstantTarget {
public:
    virtual ~StrengthConstantTarget() = default;
    // Writes K (as text) into the K field through the screen's own change
    // handling.
    virtual void setStrengthConstant(const QString& k) = 0;
};

// A screen whose graphical design toggle hands the plan dimensions to the
// pillar dimensions dialog.
class PlanDimensionsTarget {
public:
    virtual ~PlanDimensionsTarget() = default;
    // Switches the toggle off if it is on, which takes the dialog's four
    // dimensions back into the screen.
    virtual void switchGraphicToggleOff() = 0;
};

// The parts a window can be registered for.
enum class WindowRole {
    StrengthConstantTarget, // in the order K is written
    PlanDimensionsTarget,
};

} // namespace vt
