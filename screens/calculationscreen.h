// The base of the calculation screens (tributary theory, modelled stress,
// interpolation).
//
// A calculation screen keeps every value as the text of its controls. It is a
// QMainWindow with the menus "&File" and "&Help" and a three-tab control
// `SSTab1`: "&Pillar Stress" (built by each screen), "Pillar &Strength" and
// "Final &Results" (built here, the same on every screen). Steps read their
// inputs, check and convert them, call the engine and write results back as
// text; every result label copies itself into its twin on "Final &Results".
//
// How a screen plugs in:
//  1. Derive from CalculationScreen and pass a ScreenLayout (title, client
//     size, where SSTab1 sits, menu texts) to the constructor.
//  2. In the derived constructor build tab 0 on page(0), placing widgets with
//     DesignRect() (twips measured from SSTab1's top-left, tab strip included),
//     then call buildStrengthTab() and buildResultsTab() with the screen's
//     options, then installRules() with the screen's mirror-and-invalidate
//     table (input -> Final Results copy -> results it empties -> extra action)
//     and its result mirrors, and finally setKeyboardOrder().
//  3. Override the four pure virtuals: which result of tab 0 the strength step
//     needs and the message when it is missing, the first input of tab 0
//     (focus after a report request) and the stress-source sentence of the
//     report. Override continueToFinalResults() if the second "Calculate and
//     Continue" calculates before it changes the tab.
//  4. Extra menu items: fileMenu() and newCalculationAction() let a screen
//     insert "&Open..." and a separator before "&New calculation".
// The graphical design toggle (addGraphicToggle) is optional.
#pragma once

#include "dialogs/report.h"
#include "engine/engine.h"

#include <QColor>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QTabWidget;

namespace vt {

// A push button whose caption wraps onto several lines when it does not fit,
// as the screens' narrow buttons need. text() stays the caption as given.
class CaptionButton : public QPushButton {
    Q_OBJECT
public:
    CaptionButton(const QString& caption, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// Window-level facts that differ between the screens.
struct ScreenLayout {
    QString title;
    QSize clientTwips; // the client area below the menu bar
    QRect tabTwips;    // where SSTab1 sits in the client area (twips)
    QString newCalculationText = QStringLiteral("&New Calculation");
    QString aboutText = QStringLiteral("&About");
    // The two columns of fields on the tabs (design twips from SSTab1's left).
    int leftColumn = 240;
    int rightColumn = 2430;
};

// What the shared "Pillar &Strength" tab offers.
struct StrengthTabOptions {
    QStringList kItems;
    QString strengthCaption = QStringLiteral("Pillar strength (MPa)");
};

// What the shared "Final &Results" tab shows.
struct ResultsTabOptions {
    QString bordWidthCaption;  // the copy of bord width 1
    QString bordWidth2Caption; // the copy of bord width 2
    QColor bordCopyBackground;
};

// One row of a screen's mirror-and-invalidate table: when `input` changes, its
// text is copied into `copy` (a Final Results field, or none), the fields in
// `empties` are emptied, the warning colours are reset if `resetColours`, and
// then `also` runs (with the new text) if given.
struct InputRule {
    QString input;
    QString copy;
    QStringList empties;
    bool resetColours = true;
    std::function<void(const QString&)> also = nullptr;
};

// A result field and its twin on "Final &Results": every change of the
// result's text, and a click on it, copies the text to the twin.
struct ResultMirror {
    QString result;
    QString twin;
    bool copyOnClick = true;
};

class CalculationScreen : public QMainWindow {
    Q_OBJECT
public:
    // Tab indexes of SSTab1.
    static constexpr int kPillarStressTab = 0;
    static constexpr int kPillarStrengthTab = 1;
    static constexpr int kFinalResultsTab = 2;

    // The message title of bad input (text that is not a number, or numbers
    // without a finite result).
    static const QString kInvalidDataTitle;
    static const QString kInsufficientDataTitle;

    // The report request from the "Final &Results" fields.
    ReportRequest buildReportRequest() const;

    QTabWidget* tabs() const { return tabs_; }

    // The result mirrors every screen has: % extraction, W:H, strength, FOS.
    static std::vector<ResultMirror> StandardResultMirrors();

    // The rows every screen has for the six inputs of "Pillar &Strength", each
    // copied to its Final Results field; a change empties `empties`.
    static std::vector<InputRule> StrengthInputRules(const QStringList& empties);

    // The keyboard order of "Pillar &Strength" and "Final &Results", the same
    // on every screen; a screen's order is its tab 0 followed by these.
    static QStringList StrengthAndResultsKeyboardOrder();

    // The K list: 4.5, 7.2, then 10, 20, ... up to `largest`.
    static QStringList KItems(int largest);

    // The text of a field by objectName: a combo's text, a box's text or a
    // label's caption.
    QString fieldText(const QString& name) const;

    // Writes a result (or any field) by objectName; a result label then copies
    // itself to its twin, and an input runs its change handling.
    void setFieldText(const QString& name, const QString& text);

    // The strength step with the screen's readiness check. True when results
    // were written.
    bool calculatePillarStrength();

protected:
    explicit CalculationScreen(const ScreenLayout& layout, QWidget* parent = nullptr);

    // --- what each screen supplies ---
    // The result of tab 0 that the strength step needs (lblPillarStress or
    // lblPercentageExtraction) and the message when it is empty.
    virtual QString strengthReadinessResult() const = 0;
    virtual QString strengthReadinessMessage() const = 0;
    // The first input of tab 0, focused after a report request.
    virtual QString firstInputName() const = 0;
    // The report's sentence on where the stress came from.
    virtual QString stressSourceSentence() const = 0;
    // The second "Calculate and Continue": by default the tab changes to
    // "Final &Results" first and the strength step runs after it.
    virtual void continueToFinalResults();

    // --- building ---
    QWidget* page(int index) const;
    // A rectangle in twips measured from the top-left of SSTab1 (tab strip
    // included), mapped onto a tab page.
    static QRect DesignRect(int left, int top, int width, int height);
    static constexpr int kTabStripTwips = 360;
    int leftColumn() const { return leftColumn_; }
    int rightColumn() const { return rightColumn_; }
    // Full width of a row: from the left column to the end of the right one.
    int rowWidth() const { return rightColumn_ + kFieldWidth - leftColumn_; }
    static constexpr int kFieldWidth = 1905;
    static constexpr int kFieldHeight = 615;

    // A captioned frame of kFieldWidth x kFieldHeight at (left, top) in design
    // twips on `parent` (a page or a group), holding `field`.
    QWidget* placeField(QWidget* parent, QWidget* field, const QString& caption, int left, int top,
                        bool designCoordinates = true);
    QComboBox* addCombo(QWidget* parent, const QString& name, const QString& caption,
                        const QStringList& items, const QString& text, const QString& toolTip,
                        int left, int top, bool designCoordinates = true);
    QLineEdit* addTextBox(QWidget* parent, const QString& name, const QString& caption,
                          const QString& toolTip, int left, int top, bool designCoordinates = true);
    QLabel* addResult(QWidget* parent, const QString& name, const QString& caption, int left,
                      int top, bool designCoordinates = true);
    CaptionButton* addButton(QWidget* parent, const QString& name, const QString& caption,
                             const QFont& font, const QRect& geometry, const QString& toolTip = {});

    void buildStrengthTab(const StrengthTabOptions& options);
    void buildResultsTab(const ResultsTabOptions& options);

    // The screen's tables; read by one change handler.
    void installRules(std::vector<InputRule> rules, std::vector<ResultMirror> mirrors);

    // The keyboard order, by objectName.
    void setKeyboardOrder(const QStringList& names);

    // The push-style toggle `chkGraphicToggle` at its place on tab 0; hands
    // the four plan dimensions to frmRazuziRuridaDimensions and back.
    QPushButton* addGraphicToggle();
    // The groups "Direction 1" (pillar width above bord width 1) and
    // "Direction 2" (pillar length above bord width 2) on tab 0, from `top`.
    void addDirectionGroups(int top);

    // --- steps shared by the screens ---
    // Empty-field check: a message "Insufficient data" when any is empty.
    bool requireFilled(const QStringList& names, const QString& message) const;
    // Reads a field as a single/double number; a message naming the field when
    // the text is not a number.
    std::optional<float> readSingle(const QString& name) const;
    std::optional<double> readDouble(const QString& name) const;
    // Reports an engine fault to the user.
    static void ReportFault(engine::Fault fault);
    // Moves to a tab the way the Continue buttons do: the tab control takes the
    // focus, shows the tab, and the focus goes to `focusName`.
    void moveToTab(int index, const QString& focusName);
    // Writes the effective width of the pillar width and length into
    // cboPillarWidth. False (with a message when `report`) if it cannot be
    // formed.
    bool calculateEffectiveWidth(bool report);
    // Reads the pillar width, length and both bord widths and works out the
    // percentage extraction; a message says what is wrong when it cannot.
    std::optional<float> calculatePlanExtraction();
    // The end of the first "Calculate and Continue", after the screen's own
    // step: the effective width, then on to "Pillar &Strength" with the
    // caption back to "Calculate and Continue". A refused step has given its
    // message already, so the effective width then reports nothing more.
    void continueToStrengthTab(bool stepSucceeded);

    QWidget* field(const QString& name) const;

    // W:H and FOS light grey, their Final Results twins white and light grey.
    void resetWarningColours();

    QMenu* fileMenu() const { return fileMenu_; }
    QAction* newCalculationAction() const { return newCalculation_; }

    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void mnuNewCalculation_Click();
    void mnuExit_Click();
    void mnuAbout_Click();
    void cmdDetermineK_Click();
    void cmdCalculatePillarStrength_Click();
    void cmdCalculateAndContinue2_Click();
    void Check1_Click(bool checked);
    void cmdPrint_Click();
    void chkGraphicToggle_Click(bool on);
    void chkGraphicToggle_Enter();
    void graphicSwitchOn();
    void graphicSwitchOff();

    void inputChanged(const InputRule& rule, const QString& text);
    void mirrorResult(const QString& result);

    QTabWidget* tabs_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QAction* newCalculation_ = nullptr;
    QPushButton* graphicToggle_ = nullptr;
    QPointer<QWidget> dimensionsDialog_;
    int leftColumn_ = 240;
    int rightColumn_ = 2430;
    std::vector<InputRule> rules_;
    std::vector<ResultMirror> mirrors_;
};

} // namespace vt
