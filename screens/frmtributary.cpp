#include "screens/frmtributary.h"

#include "app/numbers.h"
#include "app/programstate.h"
#include "app/ui.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace vt {

namespace {

const QString kStressResults = QStringLiteral("lblPillarStress");

// What changes of each input empty.
const QStringList kTab0Results = {
    QStringLiteral("lblPillarStress"), QStringLiteral("lblPercentageExtraction"),
    QStringLiteral("lblWHratio"),      QStringLiteral("lblPillarStrength"),
    QStringLiteral("lblFOS"),
};
const QStringList kDimensionResults = QStringList{QStringLiteral("cboPillarWidth")} + kTab0Results;
const QStringList kStrengthResults = {
    QStringLiteral("lblWHratio"),
    QStringLiteral("lblPillarStrength"),
    QStringLiteral("lblFOS"),
};

// The mirror-and-invalidate table: input, its Final Results copy, the results
// a change empties. Every change also resets the warning colours; the formula
// sentence stays until the next strength step.
std::vector<InputRule> TributaryRules() {
    std::vector<InputRule> rules{
        {QStringLiteral("cboPillarWidth1"), QStringLiteral("txtFRPillarWidth"), kDimensionResults},
        {QStringLiteral("cboPillarLength"), QStringLiteral("txtFRPillarLength"), kDimensionResults},
        {QStringLiteral("cboBordWidth"), QStringLiteral("txtFRBordWidth"), kTab0Results},
        {QStringLiteral("cboBordWidth2"), QStringLiteral("txtFRBordWidth2"), kTab0Results},
        {QStringLiteral("txtDepth"), QStringLiteral("txtFRDepth"), kTab0Results},
        {QStringLiteral("cboRockDensity"), QString(), kTab0Results},
    };
    for (InputRule& rule : CalculationScreen::StrengthInputRules(kStrengthResults))
        rules.push_back(std::move(rule));
    return rules;
}

std::vector<ResultMirror> TributaryMirrors() {
    auto mirrors = CalculationScreen::StandardResultMirrors();
    mirrors.push_back({kStressResults, QStringLiteral("lblFRPillarStress")});
    return mirrors;
}

} // namespace

frmTributary::frmTributary(QWidget* parent)
    : CalculationScreen(ScreenLayout{QStringLiteral("Tributary Theory"), QSize(4575, 6675),
                                     QRect(0, 0, 4575, 6675)},
                        parent) {
    buildPillarStressTab();
    buildStrengthTab({KItems(100), QStringLiteral("Pillar strength (MPa)")});
    buildResultsTab(
        {QStringLiteral("Bord width (smaller)"), QStringLiteral("Bord width (bigger)"), kWhite});
    installRules(TributaryRules(), TributaryMirrors());
    QStringList order{
        QStringLiteral("cboRockDensity"),
        QStringLiteral("txtDepth"),
        QStringLiteral("chkGraphicToggle"),
        QStringLiteral("cboPillarWidth1"),
        QStringLiteral("cboPillarLength"),
        QStringLiteral("cboBordWidth"),
        QStringLiteral("cboBordWidth2"),
        QStringLiteral("cmdCalculatePillarStress"),
        QStringLiteral("cmdCalculateAndContinue1"),
    };
    setKeyboardOrder(order + StrengthAndResultsKeyboardOrder());
}

void frmTributary::buildPillarStressTab() {
    QWidget* tab = page(kPillarStressTab);
    addCombo(tab, QStringLiteral("cboRockDensity"), QStringLiteral("Rock Rel. Density"),
             {QStringLiteral("2.5"), QStringLiteral("2.7"), QStringLiteral("2.75"),
              QStringLiteral("3.0"), QStringLiteral("3.3")},
             {}, QStringLiteral("The Relative Density (RD) of the rockmass (ton per cubic metre)"),
             leftColumn(), 480);
    addTextBox(tab, QStringLiteral("txtDepth"), QStringLiteral("Depth (m)"),
               QStringLiteral("Pillar depth below surface in m"), rightColumn(), 480);
    addGraphicToggle();
    addDirectionGroups(2040);
    addResult(tab, QStringLiteral("lblPillarStress"), QStringLiteral("Pillar stress (MPa)"),
              leftColumn(), 3780);
    addResult(tab, QStringLiteral("lblPercentageExtraction"), QStringLiteral("% Extraction"),
              rightColumn(), 3780);
    const QFont buttonFont = ArialFont(11.25, true, true);
    auto* calculate = addButton(tab, QStringLiteral("cmdCalculatePillarStress"),
                                QStringLiteral("Calculate the pillar stress"), buttonFont,
                                DesignRect(leftColumn(), 4560, rowWidth(), 615));
    auto* continue1 = addButton(tab, QStringLiteral("cmdCalculateAndContinue1"),
                                QStringLiteral("Calculate and Continue"), buttonFont,
                                DesignRect(leftColumn(), 5280, rowWidth(), 615));
    connect(calculate, &QPushButton::clicked, this, &frmTributary::cmdCalculatePillarStress_Click);
    connect(continue1, &QPushButton::clicked, this, &frmTributary::cmdCalculateAndContinue1_Click);
}

QString frmTributary::strengthReadinessResult() const {
    return kStressResults;
}

QString frmTributary::strengthReadinessMessage() const {
    return QStringLiteral("Fill values in all the text-boxes and calculate the Pillar Stress");
}

QString frmTributary::firstInputName() const {
    return QStringLiteral("cboRockDensity");
}

QString frmTributary::stressSourceSentence() const {
    return QStringLiteral("The Tributary Area theory was used to calculate the Average Pillar "
                          "Stress for this evaluation");
}

bool frmTributary::calculatePillarStress() {
    if (!requireFilled({QStringLiteral("cboRockDensity"), QStringLiteral("txtDepth"),
                        QStringLiteral("cboPillarWidth1"), QStringLiteral("cboPillarLength"),
                        QStringLiteral("cboBordWidth"), QStringLiteral("cboBordWidth2")},
                       QStringLiteral("Fill values in all the text-boxes")))
        return false;
    const auto density = readSingle(QStringLiteral("cboRockDensity"));
    if (!density)
        return false;
    const auto depth = readSingle(QStringLiteral("txtDepth"));
    if (!depth)
        return false;
    const auto extraction = calculatePlanExtraction();
    if (!extraction)
        return false;
    const auto stress = engine::CalculateTributaryPillarStress(*density, *depth, *extraction);
    if (!stress) {
        ReportFault(stress.fault());
        return false;
    }
    State().AveragePillarStress = stress.value();
    setFieldText(QStringLiteral("lblPercentageExtraction"), ShowResult(*extraction, 1));
    setFieldText(kStressResults, ShowResult(stress.value(), 2));
    setFieldText(QStringLiteral("cmdCalculateAndContinue1"), QStringLiteral("Continue"));
    return true;
}

void frmTributary::cmdCalculatePillarStress_Click() {
    calculatePillarStress();
}

void frmTributary::cmdCalculateAndContinue1_Click() {
    continueToStrengthTab(calculatePillarStress());
}

} // namespace vt
