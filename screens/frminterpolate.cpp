#include "screens/frminterpolate.h"

#include "app/filetext.h"
#include "app/messages.h"
#include "app/programstate.h"
#include "app/ui.h"
#include "app/userguide.h"
#include "app/windownames.h"
#include "results/core/modellingfile.h"
#include "screens/builders.h"
#include "screens/chartview.h"
#include "screens/finalresultstab.h"
#include "screens/interpolationtab.h"
#include "screens/strengthtab.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalBlocker>

namespace vt {

namespace {

ScreenSpec InterpolateSpec() {
    ScreenSpec spec;
    spec.title = QStringLiteral("Interpolated Stress");
    spec.clientTwips = QSize(11910, 8340);
    spec.tabTwips = QRect(7680, 1560, 4200, 6675);
    spec.newCalculationText = QStringLiteral("&New calculation");
    spec.aboutText = QStringLiteral("&About ");
    spec.leftColumn = 120;
    spec.rightColumn = 2160;
    spec.kItems = KItems(50);
    spec.strengthCaption = QStringLiteral("Pillar strength");
    spec.bordCopyCaption = QStringLiteral("Bord width (smaller)");
    spec.bordCopy2Caption = QStringLiteral("Bord width (bigger)");
    spec.bordCopyBackground = kLightGrey;
    spec.readiness = ReadinessResult::PillarStress;
    spec.readinessMessage = evaluation::kFillAndCalculateStress;
    spec.reportSentence = QStringLiteral(
        "The Average Pillar Stress was interpolated from modelling results for this evaluation");
    spec.inputChangeEmptiesFormula = true;
    // The strength step runs first, then the tab changes whatever its outcome.
    spec.strengthBeforeFinalTab = true;
    spec.guideAnchor = guide::kInterpolation;
    return spec;
}

evaluation::NumberLocale Locale() {
    return evaluation::NumberLocale::Current();
}

const results::ModellingResults& Table() {
    return State().ModellingResults;
}

} // namespace

frmInterpolate::frmInterpolate(QWidget* parent)
    : CalculationScreen(InterpolateSpec(), parent) {
    buildWindowArea();
    tab_ = new InterpolationTab;
    finishBuilding({tab_,
                    QStringLiteral("&Pillar Stress"),
                    tab_->cboPillarWidth1,
                    tab_->lblPillarStress,
                    tab_->lblPercentageExtraction,
                    false,
                    rules(),
                    tab_->keyboardOrder(),
                    {{evaluation::Input::PillarWidth, tab_->cboPillarWidth1},
                     {evaluation::Input::Depth, tab_->txtDepth}},
                    tab_->cmdInterpolate,
                    tab_->cmdCalculateAndContinue1});
    addOpenMenu();

    connect(tab_->cboPillarWidth1, &QComboBox::activated, this,
            &frmInterpolate::cboPillarWidth1_Click);
    connect(tab_->cboPillarLength, &QComboBox::activated, this,
            &frmInterpolate::cboPillarLength_Click);
    connect(tab_->cmdInterpolate, &QPushButton::clicked, this,
            &frmInterpolate::interpolatePillarStress);
    connect(tab_->cmdCalculateAndContinue1, &QPushButton::clicked, this,
            &frmInterpolate::cmdCalculateAndContinue1_Click);
    connect(tab_->chkToggleGuideLines, &QPushButton::clicked, this,
            &frmInterpolate::chkToggleGuideLines_Click);
    chart_->drawChartFrame();
}

void frmInterpolate::buildWindowArea() {
    QWidget* client = clientArea();

    auto* title = new QLabel(
        QStringLiteral("Use the equivalent width of the pillars used in the modelling"), client);
    title->setObjectName(QStringLiteral("Label2"));
    title->setFont(ArialFont(12, true));
    title->setAlignment(Qt::AlignCenter);
    title->setGeometry(TwipsRect(120, 120, 7455, 375));

    lblMainShowData_ = new QLabel(client);
    lblMainShowData_->setObjectName(QStringLiteral("lblMainShowData"));
    lblMainShowData_->setTextFormat(Qt::PlainText); // a file name, never markup
    lblMainShowData_->setGeometry(TwipsRect(120, 480, 7455, 255));

    chart_ = new ChartView(client);
    chart_->move(Twips(120), Twips(720));

    txtMainShowData_ = new QPlainTextEdit(client);
    txtMainShowData_->setObjectName(QStringLiteral("txtMainShowData"));
    txtMainShowData_->setReadOnly(true);
    txtMainShowData_->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtMainShowData_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtMainShowData_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtMainShowData_->setTabStopDistance(40);
    txtMainShowData_->setGeometry(TwipsRect(7680, 120, 4095, 1335));
}

// "&Open..." and a separator lead the file menu.
void frmInterpolate::addOpenMenu() {
    auto* open = new QAction(QStringLiteral("&Open..."), this);
    open->setObjectName(QStringLiteral("mnuOpen"));
    fileMenu()->insertAction(newCalculationAction(), open);
    fileMenu()
        ->insertSeparator(newCalculationAction())
        ->setObjectName(QStringLiteral("mnuOpenBar"));
    connect(open, &QAction::triggered, this, &frmInterpolate::mnuOpen_Click);
}

// The width's own handling decides what it copies and empties; the length
// follows the width and its change only copies; a depth change empties every
// result.
std::vector<InputRule> frmInterpolate::rules() {
    FinalResultsTab* fr = resultsTab();
    return {
        {tab_->cboPillarWidth1,
         nullptr,
         {},
         false,
         [this](const QString& text) { cboPillarWidth1_Change(text); }},
        {tab_->cboPillarLength, fr->txtFRPillarLength, {}, false},
        {tab_->txtDepth, fr->txtFRDepth,
         strengthResults({tab_->lblPillarStress, tab_->lblPercentageExtraction})},
    };
}

evaluation::DesignTexts frmInterpolate::designTexts() const {
    evaluation::DesignTexts d;
    d.method = evaluation::Method::Interpolation;
    d.depth = tab_->txtDepth->text();
    d.width = tab_->cboPillarWidth1->currentText();
    d.length = tab_->cboPillarLength->currentText();
    evaluation::SetStrengthTexts(d, strengthTab()->texts(d.length));
    return d;
}

// ---------------------------------------------------------------------------
// Inputs

void frmInterpolate::cboPillarWidth1_Change(const QString& text) {
    setText(tab_->cboPillarLength, text);
    // While the text reads as 0 (empty, "0", a lone "."), nothing else changes.
    if (evaluation::InterpolationWidth(Table(), text, Locale()) != 0)
        pillarWidthTaken(text);
}

void frmInterpolate::cboPillarWidth1_Click() {
    pillarWidthTaken(tab_->cboPillarWidth1->currentText());
}

void frmInterpolate::pillarWidthTaken(const QString& text) {
    // The effective width of the square pillar, of the numbers the
    // interpolation reads; none (the strength step then asks for it) when the
    // width gives no width.
    const auto width = evaluation::InterpolationEffectiveWidth(
        Table(), text, tab_->cboPillarLength->currentText(), Locale());
    setText(strengthTab()->cboPillarWidth, width ? width->text : QString());
    setText(resultsTab()->txtFRPillarWidth, text);
    emptyResults();
}

void frmInterpolate::cboPillarLength_Click() {
    setText(resultsTab()->txtFRPillarLength, tab_->cboPillarLength->currentText());
    emptyFields({tab_->lblPillarStress, tab_->lblPercentageExtraction});
}

void frmInterpolate::emptyResults() {
    emptyFields(strengthResults({tab_->lblPillarStress, tab_->lblPercentageExtraction}));
    resetWarningColours();
}

// ---------------------------------------------------------------------------
// The interpolation step

bool frmInterpolate::interpolatePillarStress() {
    const auto step =
        evaluation::Interpolation(Table(),
                                  {tab_->cboPillarWidth1->currentText(),
                                   tab_->cboPillarLength->currentText(), tab_->txtDepth->text()},
                                  Locale());
    if (!step) {
        ShowRefusal(step.refusal());
        return false;
    }
    setText(tab_->lblPillarStress, step->stress);
    State().AveragePillarStress = step->averagePillarStress;
    // The guide lines go to the numbers that were interpolated and shown (the
    // place of depth 0 and stress 0 for an empty depth).
    if (const auto values =
            evaluation::GuideLineValues(tab_->txtDepth->text(), step->stress, Locale()))
        chart_->drawGuideLines(results::GuidePoint(Table(), values->depth, values->stress));
    setText(tab_->lblPercentageExtraction, step->extraction);
    setText(tab_->cmdCalculateAndContinue1, QStringLiteral("Continue"));
    return true;
}

void frmInterpolate::cmdCalculateAndContinue1_Click() {
    if (!interpolatePillarStress())
        return;
    moveToTab(kPillarStrengthTab, strengthTab()->cboK);
    setText(tab_->cmdCalculateAndContinue1, QStringLiteral("Calculate and Continue"));
}

void frmInterpolate::chkToggleGuideLines_Click() {
    const QString depth = tab_->txtDepth->text();
    const QString stress = tab_->lblPillarStress->text();
    if (!depth.isEmpty() && stress.isEmpty()) {
        ShowMessage(QStringLiteral("First do a calculation"), QStringLiteral("Error Message"));
        return;
    }
    if (const auto values = evaluation::GuideLineValues(depth, stress, Locale()))
        chart_->toggleGuideLines(results::GuidePoint(Table(), values->depth, values->stress),
                                 Table());
}

// ---------------------------------------------------------------------------
// Loading and resetting

bool frmInterpolate::LoadModellingResults() {
    results::ModellingResults& record = State().ModellingResults;
    lblMainShowData_->setText(QFile::decodeName(QByteArray::fromStdString(record.FileName)));
    txtMainShowData_->setPlainText(FileTextForDisplay(record.FileText));
    // Whatever follows the screen's design works it out again in the table
    // now loaded, even where no shown text changes.
    const auto announce = qScopeGuard([this] { emit designChanged(); });
    if (!results::ParseModellingResults(record))
        return false;
    fillWidthList(evaluation::WidthItems(record, Locale()));
    // Results interpolated in the table before belong to it, not to this one
    // (the chooser can stay open while the screen works on the last table).
    emptyResults();
    // A load replaces whatever the chart showed.
    chart_->clearChart();
    chart_->drawChartFrame();
    chart_->drawAxisLabels(record);
    chart_->drawResultCurves(record);
    return true;
}

// The widths in file order; the typed text stays as it is.
void frmInterpolate::fillWidthList(const QStringList& items) {
    QComboBox* width = tab_->cboPillarWidth1;
    const QSignalBlocker blocker(width);
    const QString typed = width->currentText();
    width->clear();
    width->addItems(items);
    width->setCurrentIndex(-1);
    width->setEditText(typed);
}

void frmInterpolate::ResetModellingResults() {
    resetScreen();
}

void frmInterpolate::resetScreen() {
    results::ModellingResults& record = State().ModellingResults;
    record.FileText.clear();
    lblMainShowData_->clear();
    txtMainShowData_->clear();
    setText(tab_->txtDepth, QString());
    setText(tab_->cboPillarWidth1, QString());
    setText(tab_->lblPillarStress, QString());
    chart_->clearChart();
    chart_->drawChartFrame();

    // No file: FileName empty and every range 0. The table of the last file
    // goes too, so that nothing can draw or interpolate in it any more.
    record = results::ModellingResults{};
    chart_->drawAxisLabels(record);
    fillWidthList({});
}

void frmInterpolate::mnuOpen_Click() {
    resetScreen();
    Windows().show(names::frmFileOpen);
}

void frmInterpolate::resizeEvent(QResizeEvent* event) {
    CalculationScreen::resizeEvent(event);
    chart_->drawChartFrame();
}

} // namespace vt
