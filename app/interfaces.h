// What windows need of each other, without depending on each other: the
// shell and the dialogs talk to the screens through these, and the
// composition root (RegisterWindows) tells the registry which windows play
// which part.
#pragma once

#include "evaluation/design.h"
#include "evaluation/messages.h"

#include <QKeySequence>
#include <QMetaObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QMenu;
class QObject;

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

// Where a screen's K came from: typed (no readings), or the median of the
// UCS readings downgraded by a percentage, as the UCS dialog calculated it.
struct StrengthConstantSource {
    QStringList readings; // as typed, in list order
    QString downgrade;    // the percentage, as typed
    QString median;       // as the dialog showed it

    bool typed() const { return readings.isEmpty(); }
    bool operator==(const StrengthConstantSource&) const = default;
};

// A screen that takes the strength constant K from the UCS dialog.
class StrengthConstantTarget {
public:
    virtual ~StrengthConstantTarget() = default;
    // Writes K (as text) into the K field through the screen's own change
    // handling.
    virtual void setStrengthConstant(const QString& k) = 0;
    // The same for a K the UCS dialog derived; the screen remembers where it
    // came from until K changes again (a typed K is typed again).
    virtual void setStrengthConstantFromReadings(const QString& k,
                                                 const StrengthConstantSource& source) {
        (void)source;
        setStrengthConstant(k);
    }
    // Where the K the screen shows came from.
    virtual StrengthConstantSource strengthConstantSource() const { return {}; }
};

// The UCS dialog as the tools that fit K to its readings see it.
class UcsReadingsSource {
public:
    virtual ~UcsReadingsSource() = default;
    // The readings in the list as typed, in list order.
    virtual QStringList ucsReadings() const = 0;
    // The downgrade percentage as typed.
    virtual QString downgradePercentage() const = 0;
};

// A window that shows something of the UCS dialog's readings: told when the
// readings or the downgrade change, and when the dialog goes.
class UcsReadingsListener {
public:
    virtual ~UcsReadingsListener() = default;
    virtual void ucsReadingsChanged() = 0;
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

// The results a calculation screen shows, as shown: empty where no step has
// written one since its inputs last changed.
struct ShownResults {
    QString extraction;       // % extraction
    QString stress;           // the pillar stress of "Final &Results"
    QString effectiveWidth;   // cboPillarWidth
    QString widthHeightRatio; // W:H
    QString strength;
    QString factorOfSafety;
    QString formula;                     // txtFormula
    bool widthHeightTooSmall = false;    // W:H shown red
    bool factorOfSafetyTooSmall = false; // FOS shown red

    bool operator==(const ShownResults&) const = default;
};

// How far a screen's buttons take an evaluation: the first tab's calculate
// button ("Calculate the pillar stress" and the like), that tab's "Calculate
// and Continue", or that and the second tab's "Calculate and Continue".
enum class CalculationStage { FirstStep, FirstTab, BothTabs };

// The evaluation file a screen's design was last opened from or saved to, with
// the inputs it held then: where "Save evaluation" writes without asking,
// what the Design menu names, and what unsaved changes are measured against.
struct EvaluationFileMark {
    QString path;
    evaluation::DesignTexts inputs;
};

// A calculation screen as the design tools see it: the design it shows, a
// way to hear when it changes, and a way to type into its fields.
class DesignSource {
public:
    virtual ~DesignSource() = default;
    // The screen's inputs as typed.
    virtual evaluation::DesignTexts designTexts() const = 0;
    // The screen's registry name ("frmTributary").
    virtual QString screenName() const = 0;
    // Calls `changed` (in `context`) after every change of an input or a
    // result of the screen, until `context` is gone.
    virtual QMetaObject::Connection onDesignChanged(QObject* context,
                                                    std::function<void()> changed) = 0;
    // Writes an input as typing would, through the screen's own change
    // handling. False when the screen has no such field or it is locked.
    virtual bool applyInput(evaluation::Input input, const QString& text) = 0;
    // The items of the list of the input's field, as the screen offers them;
    // empty for a text box without a list or an input the screen does not have.
    virtual QStringList inputItems(evaluation::Input input) const {
        (void)input;
        return {};
    }
    // The results as the screen shows them.
    virtual ShownResults shownResults() const = 0;
    // Presses the screen's buttons up to `stage`, as a user would; a refused
    // step shows its message and the buttons after it are not reached.
    virtual void recalculate(CalculationStage stage) = 0;
    // The evaluation file of the screen's design; none while the design was
    // neither opened from a file nor saved to one.
    virtual std::optional<EvaluationFileMark> evaluationFile() const { return std::nullopt; }
    virtual void setEvaluationFile(std::optional<EvaluationFileMark> mark) { (void)mark; }
};

// A design tool window, pointed at the screen it works on.
class DesignTool {
public:
    virtual ~DesignTool() = default;
    virtual void follow(DesignSource* source) = 0;
};

// An item of the calculation screens' "&Design" menu: its text, its object
// name, and what it does for the screen it is chosen on; optionally its
// shortcut, a text that follows the screen (asked each time the menu opens),
// or, instead of `run`, a submenu filled afresh each time it opens. An item
// with neither `run` nor `fill` only tells something and cannot be chosen.
struct DesignMenuItem {
    QString text;
    QString objectName;
    std::function<void(DesignSource& source)> run;
    QKeySequence shortcut{};
    std::function<QString(const DesignSource& source)> textFor{};
    std::function<void(QMenu& menu, DesignSource& source)> fill{};
};

// The parts a window can be registered for.
enum class WindowRole {
    StrengthConstantTarget, // in the order K is written
    PlanDimensionsTarget,
    UcsReadingsListener,
    UcsReadingsSource, // the window whose readings the tools fit K to
};

} // namespace vt
