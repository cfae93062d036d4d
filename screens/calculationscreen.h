// The base of the calculation screens (tributary theory, modelled stress,
// interpolation).
//
// A calculation screen keeps every value as the text of its controls. It is a
// QMainWindow with the menus "&File" and "&Help" and a three-tab control
// `SSTab1`: "&Pillar Stress" (built by each screen), "Pillar &Strength"
// (StrengthTab) and "Final &Results" (FinalResultsTab), the same on every
// screen. A step's handler reads its fields, calls its step in evaluation/
// and shows the result; every result label copies itself into its twin on
// "Final &Results", and every input change mirrors itself and empties the
// results that depend on it, by the screen's table of rules.
//
// How a screen plugs in: pass its ScreenSpec to the constructor, build tab 0
// (its widgets are typed members of the screen or of its tab class), then
// call finishBuilding() with tab 0's page, its first input, its results and
// its rules. designTexts() gives the screen's inputs as one design.
#pragma once

#include "app/interfaces.h"
#include "dialogs/report.h"
#include "evaluation/design.h"

#include <QColor>
#include <QList>
#include <QMainWindow>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

class QAbstractButton;
class QAction;
class QLabel;
class QMenu;
class QTabWidget;

namespace vt {

class FinalResultsTab;
class StrengthTab;

// What the result of tab 0 is that the strength step needs.
enum class ReadinessResult { PillarStress, PercentageExtraction };

// Everything in which the calculation screens differ, as one value.
struct ScreenSpec {
    QString title{};
    QSize clientTwips{}; // the client area below the menu bar
    QRect tabTwips{};    // where SSTab1 sits in the client area
    QString newCalculationText = QStringLiteral("&New Calculation");
    QString aboutText = QStringLiteral("&About");
    // The two columns of fields on the tabs (design twips from SSTab1's left).
    int leftColumn = 240;
    int rightColumn = 2430;
    QStringList kItems{};
    QString strengthCaption = QStringLiteral("Pillar strength (MPa)");
    QString bordCopyCaption{};  // the copy of bord width 1 on "Final &Results"
    QString bordCopy2Caption{}; // the copy of bord width 2
    QColor bordCopyBackground{};
    ReadinessResult readiness = ReadinessResult::PillarStress;
    QString readinessMessage{};
    QString reportSentence{}; // where the stress came from
    // Whether an input change empties the formula sentence txtFormula (the
    // tributary screen keeps it until the next strength step).
    bool inputChangeEmptiesFormula = false;
    // The second "Calculate and Continue": the strength step before the tab
    // changes to "Final &Results" (interpolation), or after it.
    bool strengthBeforeFinalTab = false;
    // The section of the user guide "&User guide" (F1) opens at.
    QString guideAnchor{};
};

// One row of a screen's mirror-and-invalidate table: when `input` changes, its
// text is copied into `copy` (a Final Results field, or none), the fields in
// `empties` are emptied, the warning colours are reset if `resetColours`, and
// then `also` runs (with the new text) if given.
struct InputRule {
    QWidget* input = nullptr; // a combo or a text box
    QWidget* copy = nullptr;
    std::vector<QWidget*> empties;
    bool resetColours = true;
    std::function<void(const QString&)> also = nullptr;
};

// A result label and its twin on "Final &Results": every change of the
// result's text, and a click on it, copies the text to the twin.
struct ResultMirror {
    QLabel* result = nullptr;
    QWidget* twin = nullptr;
    bool copyOnClick = true;
};

// What tab 0 gives the base.
struct PillarStressTab {
    QWidget* page = nullptr;
    QString caption = QStringLiteral("&Pillar Stress");
    QWidget* firstInput = nullptr; // focused on opening and after a report request
    QLabel* stress = nullptr;      // lblPillarStress, or none
    QLabel* extraction = nullptr;  // lblPercentageExtraction
    bool stressCopiesOnClick = true;
    std::vector<InputRule> rules;  // tab 0's rows of the table
    QList<QWidget*> keyboardOrder; // tab 0's part of the keyboard order
    // The inputs of tab 0 a design tool may type into.
    std::vector<std::pair<evaluation::Input, QWidget*>> inputs;
    // Its calculate button and its "Calculate and Continue" (recalculate()).
    QAbstractButton* calculate = nullptr;
    QAbstractButton* calculateAndContinue = nullptr;
};

class CalculationScreen : public QMainWindow, public StrengthConstantTarget, public DesignSource {
    Q_OBJECT
public:
    // Tab indexes of SSTab1.
    static constexpr int kPillarStressTab = 0;
    static constexpr int kPillarStrengthTab = 1;
    static constexpr int kFinalResultsTab = 2;

    QTabWidget* tabs() const { return tabs_; }
    StrengthTab* strengthTab() const { return strength_; }
    FinalResultsTab* resultsTab() const { return results_; }
    const ScreenSpec& spec() const { return spec_; }

    // The report request from the "Final &Results" fields.
    ReportRequest buildReportRequest() const;

    // The strength step with the screen's readiness check. True when results
    // were written.
    bool calculatePillarStrength();

    // StrengthConstantTarget: K through cboK's own change handling.
    void setStrengthConstant(const QString& k) override;

    // DesignSource: the screen's inputs as one design, as typed, and typing
    // into them.
    evaluation::DesignTexts designTexts() const override = 0;
    QString screenName() const override { return objectName(); }
    QMetaObject::Connection onDesignChanged(QObject* context,
                                            std::function<void()> changed) override;
    bool applyInput(evaluation::Input input, const QString& text) override;
    QStringList inputItems(evaluation::Input input) const override;

    // What the evaluation files read and do: K with where it came from, the
    // shown results, the buttons pressed again.
    void setStrengthConstantFromReadings(const QString& k,
                                         const StrengthConstantSource& source) override;
    StrengthConstantSource strengthConstantSource() const override { return kSource_; }
    ShownResults shownResults() const override;
    void recalculate(CalculationStage stage) override;
    std::optional<EvaluationFileMark> evaluationFile() const override { return file_; }
    void setEvaluationFile(std::optional<EvaluationFileMark> mark) override;

    QMenu* designMenu() const { return designMenu_; }

signals:
    // An input or a result changed.
    void designChanged();

protected:
    explicit CalculationScreen(ScreenSpec spec, QWidget* parent = nullptr);

    // Installs tab 0 with its rules, the shared rules, the result mirrors and
    // the keyboard order, and puts the focus on the first input.
    void finishBuilding(PillarStressTab tab0);

    QWidget* clientArea() const;
    QMenu* fileMenu() const { return fileMenu_; }
    QAction* newCalculationAction() const { return newCalculation_; }

    // The results every input change of tab 0 empties: W:H, strength, FOS
    // (and the formula sentence where inputs empty it), after `first`.
    std::vector<QWidget*> strengthResults(std::vector<QWidget*> first = {}) const;

    // Writes a field; a result label then copies itself to its twin, and an
    // input runs its change handling.
    void setText(QWidget* field, const QString& text);
    void emptyFields(const std::vector<QWidget*>& fields);
    // W:H and FOS light grey, their Final Results twins white and light grey.
    void resetWarningColours();
    // Moves to a tab the way the Continue buttons do: the tab control takes the
    // focus, shows the tab, and the focus goes to `focus`.
    void moveToTab(int index, QWidget* focus);
    // Shows a refusal (a silent one shows nothing).
    static void ShowRefusal(const evaluation::Refusal& refusal);

    // The second "Calculate and Continue".
    void continueToFinalResults();

    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    // The Design menu's texts that follow the screen (the evaluation file).
    void refreshDesignMenu();
    void installRules(std::vector<InputRule> rules);
    void mnuNewCalculation_Click();
    void mnuExit_Click();
    void mnuUserGuide_Click();
    void mnuAbout_Click();
    void cmdDetermineK_Click();
    void cmdPrint_Click();
    void inputChanged(const InputRule& rule, const QString& text);
    void mirror(const QLabel* result);
    // The field of an input a design tool may type into; none when the
    // screen has no such input.
    QWidget* inputField(evaluation::Input input) const;
    void showStrength(const evaluation::StrengthShown& shown);

    ScreenSpec spec_;
    QTabWidget* tabs_ = nullptr;
    StrengthTab* strength_ = nullptr;
    FinalResultsTab* results_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QMenu* designMenu_ = nullptr;
    QAction* newCalculation_ = nullptr;
    PillarStressTab tab0_;
    std::vector<InputRule> rules_;
    std::vector<ResultMirror> mirrors_;
    StrengthConstantSource kSource_; // typed until the UCS dialog hands K over
    std::optional<EvaluationFileMark> file_;
    std::vector<std::pair<QAction*, std::function<QString(const DesignSource&)>>> followingTexts_;
};

} // namespace vt
