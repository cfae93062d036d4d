#include "screens/frminterpolate.h"

#include "app/filetext.h"
#include "app/messages.h"
#include "app/numbers.h"
#include "app/programstate.h"
#include "app/ui.h"
#include "results/core/interpolation.h"
#include "results/core/modellingfile.h"
#include "screens/chartview.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <charconv>
#include <cmath>
#include <string>

namespace vt {

namespace {

const QString kWidth = QStringLiteral("cboPillarWidth1");
const QString kLength = QStringLiteral("cboPillarLength");
const QString kDepth = QStringLiteral("txtDepth");
const QString kStress = QStringLiteral("lblPillarStress");
const QString kExtraction = QStringLiteral("lblPercentageExtraction");
const QString kContinue1 = QStringLiteral("cmdCalculateAndContinue1");
const QString kSquarePillars = QStringLiteral("The modelling was done for squar pillars only");
const QString kModelledBords = QStringLiteral("All the modelling was done on a 12m bord width");

// The results a change of the width or the depth empties.
const QStringList kResults = {
    QStringLiteral("lblPillarStress"), QStringLiteral("lblPercentageExtraction"),
    QStringLiteral("lblWHratio"),      QStringLiteral("lblPillarStrength"),
    QStringLiteral("lblFOS"),          QStringLiteral("txtFormula"),
};
const QStringList kStrengthResults = {
    QStringLiteral("lblWHratio"),
    QStringLiteral("lblPillarStrength"),
    QStringLiteral("lblFOS"),
    QStringLiteral("txtFormula"),
};

// The leading number of a field's text ("6.3", "150 m", "12,5" reads 12).
double LeadingNumber(const QString& text) {
    return results::ParseLeadingNumber(text.toStdString());
}

std::vector<InputRule> InterpolateRules(std::function<void(const QString&)> widthChanged) {
    std::vector<InputRule> rules{
        // The width's own handling decides what it copies and empties.
        {kWidth, QString(), {}, false, std::move(widthChanged)},
        // The length follows the width; its change only copies.
        {kLength, QStringLiteral("txtFRPillarLength"), {}, false},
        {kDepth, QStringLiteral("txtFRDepth"), kResults},
    };
    for (InputRule& rule : CalculationScreen::StrengthInputRules(kStrengthResults))
        rules.push_back(std::move(rule));
    return rules;
}

std::vector<ResultMirror> InterpolateMirrors() {
    auto mirrors = CalculationScreen::StandardResultMirrors();
    // The stress copies itself on every change but not when clicked.
    mirrors.push_back({kStress, QStringLiteral("lblFRPillarStress"), false});
    return mirrors;
}

} // namespace

frmInterpolate::frmInterpolate(QWidget* parent)
    : CalculationScreen(ScreenLayout{QStringLiteral("Interpolated Stress"), QSize(11910, 8340),
                                     QRect(7680, 1560, 4200, 6675),
                                     QStringLiteral("&New calculation"), QStringLiteral("&About "),
                                     120, 2160},
                        parent) {
    buildWindowArea();
    buildPillarStressTab();
    buildStrengthTab({KItems(50), QStringLiteral("Pillar strength")});
    buildResultsTab({QStringLiteral("Bord width (smaller)"), QStringLiteral("Bord width (bigger)"),
                     kLightGrey});
    installRules(InterpolateRules([this](const QString& text) { cboPillarWidth1_Change(text); }),
                 InterpolateMirrors());
    QStringList order{
        kWidth,
        kDepth,
        QStringLiteral("cmdInterpolate"),
        kContinue1,
        QStringLiteral("chkToggleGuideLines"),
    };
    setKeyboardOrder(order + StrengthAndResultsKeyboardOrder());

    // "&Open..." and a separator lead the file menu.
    QAction* open = new QAction(QStringLiteral("&Open..."), this);
    open->setObjectName(QStringLiteral("mnuOpen"));
    fileMenu()->insertAction(newCalculationAction(), open);
    fileMenu()
        ->insertSeparator(newCalculationAction())
        ->setObjectName(QStringLiteral("mnuOpenBar"));
    connect(open, &QAction::triggered, this, &frmInterpolate::mnuOpen_Click);

    chart_->drawChartFrame();
}

void frmInterpolate::buildWindowArea() {
    QWidget* client = centralWidget();

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

void frmInterpolate::buildPillarStressTab() {
    QWidget* tab = page(kPillarStressTab);

    QComboBox* width =
        addCombo(tab, kWidth, QStringLiteral("Pillar width (m)"), {}, {}, kSquarePillars, 120, 840);
    connect(width, &QComboBox::activated, this, &frmInterpolate::cboPillarWidth1_Click);

    // Locked: shows the width, but the user can neither type nor pick.
    QComboBox* length = addCombo(tab, kLength, QStringLiteral("Pillar length (m)"), Counting(1, 10),
                                 {}, kSquarePillars, 2160, 840);
    length->lineEdit()->setReadOnly(true);
    length->setFocusPolicy(Qt::NoFocus);
    length->lineEdit()->setFocusPolicy(Qt::NoFocus);
    length->installEventFilter(this);
    length->lineEdit()->installEventFilter(this);
    SetBackground(length, kLightGrey);
    lockedLength_ = length;
    connect(length, &QComboBox::activated, this, &frmInterpolate::cboPillarLength_Click);

    addTextBox(tab, kDepth, QStringLiteral("Depth (m)"),
               QStringLiteral("Pillar depth below surface in m"), 1080, 1680);

    const auto lockedBord = [&](const QString& name, const QString& caption, int left) {
        QLineEdit* bord = MakeReadOnlyBox(nullptr, name, QStringLiteral("12"), kLightGrey);
        bord->setFont(ArialFont(9));
        bord->setToolTip(kModelledBords);
        bord->setFocusPolicy(Qt::NoFocus);
        placeField(tab, bord, caption, left, 2640);
    };
    lockedBord(QStringLiteral("txtBordWidth"), QStringLiteral("Bord width (smaller)"), 120);
    lockedBord(QStringLiteral("txtBordWidth2"), QStringLiteral("Bord width (bigger)"), 2160);

    addResult(tab, kStress, QStringLiteral("Pillar stress (MPa)"), 120, 4080);
    addResult(tab, kExtraction, QStringLiteral("% Extraction"), 2160, 4080);

    // "&&" shows one ampersand and makes no keyboard accelerator.
    const QFont buttonFont = ArialFont(11.25, true, true);
    auto* interpolate =
        addButton(tab, QStringLiteral("cmdInterpolate"),
                  QStringLiteral("Interpolate the Pillar stress && Calculate the % Extraction"),
                  buttonFont, DesignRect(120, 4800, 3975, 615));
    auto* continue1 = addButton(tab, kContinue1, QStringLiteral("Calculate and Continue"),
                                buttonFont, DesignRect(120, 5400, 3975, 615));

    auto* toggle = new QPushButton(QStringLiteral("Toggle Guide Lines"), tab);
    toggle->setObjectName(QStringLiteral("chkToggleGuideLines"));
    toggle->setCheckable(true);
    toggle->setAutoDefault(false);
    toggle->setFont(ArialFont(8.25, true));
    toggle->setGeometry(DesignRect(120, 6120, 3975, 375));

    connect(interpolate, &QPushButton::clicked, this, &frmInterpolate::cmdInterpolate_Click);
    connect(continue1, &QPushButton::clicked, this,
            &frmInterpolate::cmdCalculateAndContinue1_Click);
    connect(toggle, &QPushButton::clicked, this, &frmInterpolate::chkToggleGuideLines_Click);
}

// ---------------------------------------------------------------------------
// What the base asks of this screen

QString frmInterpolate::strengthReadinessResult() const {
    return kStress;
}

QString frmInterpolate::strengthReadinessMessage() const {
    return QStringLiteral("Fill values in all the text-boxes and calculate the Pillar Stress");
}

QString frmInterpolate::firstInputName() const {
    return kWidth;
}

QString frmInterpolate::stressSourceSentence() const {
    return QStringLiteral(
        "The Average Pillar Stress was interpolated from modelling results for this evaluation");
}

void frmInterpolate::continueToFinalResults() {
    calculatePillarStrength();
    moveToTab(kFinalResultsTab, QStringLiteral("cmdPrint"));
    setFieldText(QStringLiteral("cmdCalculateAndContinue2"),
                 QStringLiteral("Calculate and Continue"));
}

// ---------------------------------------------------------------------------
// Inputs

void frmInterpolate::cboPillarWidth1_Change(const QString& text) {
    setFieldText(kLength, text);
    // While the text reads as 0 (empty, "0", a lone "."), nothing else changes.
    if (LeadingNumber(text) != 0)
        pillarWidthTaken(text);
}

void frmInterpolate::cboPillarWidth1_Click() {
    pillarWidthTaken(fieldText(kWidth));
}

void frmInterpolate::pillarWidthTaken(const QString& text) {
    // The effective width of the square pillar. A width that is not a number
    // in the user's locale ("5a") or that gives no width (0 / 0) shows none;
    // the strength step then asks for it.
    if (!calculateEffectiveWidth(false))
        setFieldText(QStringLiteral("cboPillarWidth"), QString());
    setFieldText(QStringLiteral("txtFRPillarWidth"), text);
    emptyResults();
}

void frmInterpolate::cboPillarLength_Click() {
    setFieldText(QStringLiteral("txtFRPillarLength"), fieldText(kLength));
    setFieldText(kStress, QString());
    setFieldText(kExtraction, QString());
}

void frmInterpolate::emptyResults() {
    for (const QString& name : kResults)
        setFieldText(name, QString());
    resetWarningColours();
}

bool frmInterpolate::eventFilter(QObject* watched, QEvent* event) {
    if (lockedLength_ &&
        (watched == lockedLength_ || watched == lockedLength_->findChild<QLineEdit*>())) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease:
        case QEvent::Wheel:
        case QEvent::KeyPress:
            return true; // locked
        default:
            break;
        }
    }
    return CalculationScreen::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------
// The interpolation step

bool frmInterpolate::interpolatePillarStress() {
    results::ModellingResults& record = State().ModellingResults;
    if (record.FileName.empty()) {
        ShowMessage(QStringLiteral("File not properly selected, click on data file !"),
                    QStringLiteral("Select file"));
        return false;
    }
    const double W = LeadingNumber(fieldText(kWidth));
    const double D = LeadingNumber(fieldText(kDepth));
    const results::InterpolationOutcome outcome = results::InterpolatePillarStress(record, W, D);
    if (!outcome) {
        ShowMessage(QString::fromStdString(outcome.message), QString::fromStdString(outcome.title));
        return false;
    }
    const double S = *outcome.stress;

    // The stress rounded to one decimal is what is shown and what the strength
    // step works with.
    const std::string roundedText = engine::FormatResult(S, 1);
    double rounded = 0;
    std::from_chars(roundedText.data(), roundedText.data() + roundedText.size(), rounded);
    const float stress = static_cast<float>(rounded);
    const auto extraction =
        results::ExtractionForModelledBords(W, LeadingNumber(fieldText(kLength)));
    // Checked before anything is shown, so that a refused run changes nothing.
    if (roundedText.empty() || !std::isfinite(stress)) {
        ShowMessage(QStringLiteral("The interpolated pillar stress is too large to be used"),
                    kInvalidDataTitle);
        return false;
    }
    if (!extraction) {
        ShowMessage(QStringLiteral("The % extraction cannot be calculated for a pillar width of "
                                   "%1 m")
                        .arg(QString::fromStdString(engine::ShortestText(W))),
                    kInvalidDataTitle);
        return false;
    }

    setFieldText(kStress, ShowResult(S, 1));
    State().AveragePillarStress = stress;
    drawGuideLines(fieldText(kDepth), fieldText(kStress));
    setFieldText(kExtraction, ShowResult(*extraction, 1));
    setFieldText(kContinue1, QStringLiteral("Continue"));
    return true;
}

void frmInterpolate::cmdInterpolate_Click() {
    interpolatePillarStress();
}

void frmInterpolate::cmdCalculateAndContinue1_Click() {
    if (!interpolatePillarStress())
        return;
    moveToTab(kPillarStrengthTab, QStringLiteral("cboK"));
    setFieldText(kContinue1, QStringLiteral("Calculate and Continue"));
}

// ---------------------------------------------------------------------------
// Guide lines

std::optional<results::ChartPoint> frmInterpolate::guidePoint(const QString& depthText,
                                                              const QString& stressText) const {
    const results::ModellingResults& record = State().ModellingResults;
    if (depthText.isEmpty())
        return results::GuidePoint(record, 0, 0);
    const auto depth = ReadDouble(depthText);
    const auto stress = ReadDouble(stressText);
    if (!depth || !stress)
        return std::nullopt;
    return results::GuidePoint(record, *depth, *stress);
}

void frmInterpolate::drawGuideLines(const QString& depthText, const QString& stressText) {
    if (const auto point = guidePoint(depthText, stressText))
        chart_->drawGuideLines(*point);
}

void frmInterpolate::toggleGuideLines(const QString& depthText, const QString& stressText) {
    if (!depthText.isEmpty() && stressText.isEmpty()) {
        ShowMessage(QStringLiteral("First do a calculation"), QStringLiteral("Error Message"));
        return;
    }
    if (const auto point = guidePoint(depthText, stressText))
        chart_->toggleGuideLines(*point, State().ModellingResults);
}

void frmInterpolate::chkToggleGuideLines_Click() {
    toggleGuideLines(fieldText(kDepth), fieldText(kStress));
}

// ---------------------------------------------------------------------------
// Loading and resetting

bool frmInterpolate::LoadModellingResults() {
    results::ModellingResults& record = State().ModellingResults;
    lblMainShowData_->setText(QFile::decodeName(QByteArray::fromStdString(record.FileName)));
    txtMainShowData_->setPlainText(FileTextForDisplay(record.FileText));
    if (!results::ParseModellingResults(record))
        return false;

    // The widths in file order; the typed text stays as it is.
    {
        auto* width = findChild<QComboBox*>(kWidth);
        const QSignalBlocker blocker(width);
        const QString typed = width->currentText();
        width->clear();
        for (const std::string& item :
             results::WidthListTexts(record, DecimalSeparator().toStdString()))
            width->addItem(QString::fromStdString(item));
        width->setCurrentIndex(-1);
        width->setEditText(typed);
    }

    // A load replaces whatever the chart showed.
    chart_->clearChart();
    chart_->drawChartFrame();
    chart_->drawAxisLabels(record);
    chart_->drawResultCurves(record);
    return true;
}

void frmInterpolate::ResetModellingResults() {
    resetScreen();
}

void frmInterpolate::resetScreen() {
    results::ModellingResults& record = State().ModellingResults;
    record.FileText.clear();
    lblMainShowData_->clear();
    txtMainShowData_->clear();
    setFieldText(kDepth, QString());
    setFieldText(kWidth, QString());
    setFieldText(kStress, QString());
    chart_->clearChart();
    chart_->drawChartFrame();

    // No file: FileName empty and every range 0. The table of the last file
    // goes too, so that nothing can draw or interpolate in it any more.
    record = results::ModellingResults{};
    chart_->drawAxisLabels(record);

    auto* width = findChild<QComboBox*>(kWidth);
    const QSignalBlocker blocker(width);
    const QString typed = width->currentText();
    width->clear();
    width->setEditText(typed);
}

void frmInterpolate::mnuOpen_Click() {
    resetScreen();
    Windows().show(QStringLiteral("frmFileOpen"));
}

void frmInterpolate::resizeEvent(QResizeEvent* event) {
    CalculationScreen::resizeEvent(event);
    chart_->drawChartFrame();
}

} // namespace vt
