#include "screens/frmmodelled.h"

#include "app/numbers.h"
#include "app/programstate.h"
#include "app/ui.h"

#include <QPushButton>

namespace vt {

namespace {

const QString kExtractionResult = QStringLiteral("lblPercentageExtraction");

// What changes of each input empty. Unlike the tributary screen, every change
// also empties the formula sentence txtFormula (txtComment keeps it).
const QStringList kTab0Results = {
    QStringLiteral("lblPercentageExtraction"),
    QStringLiteral("lblWHratio"),
    QStringLiteral("lblPillarStrength"),
    QStringLiteral("lblFOS"),
    QStringLiteral("txtFormula"),
};
const QStringList kDimensionResults = QStringList{QStringLiteral("cboPillarWidth")} + kTab0Results;
const QStringList kStrengthResults = {
    QStringLiteral("lblWHratio"),
    QStringLiteral("lblPillarStrength"),
    QStringLiteral("lblFOS"),
    QStringLiteral("txtFormula"),
};

// The mirror-and-invalidate table: input, its Final Results copy, the results
// a change empties; every change also resets the warning colours.
std::vector<InputRule> ModelledRules() {
    std::vector<InputRule> rules{
        {QStringLiteral("cboPillarWidth1"), QStringLiteral("txtFRPillarWidth"), kDimensionResults},
        {QStringLiteral("cboPillarLength"), QStringLiteral("txtFRPillarLength"), kDimensionResults},
        {QStringLiteral("cboBordWidth"), QStringLiteral("txtFRBordWidth"), kTab0Results},
        {QStringLiteral("cboBordWidth2"), QStringLiteral("txtFRBordWidth2"), kTab0Results},
        {QStringLiteral("txtDepth"), QStringLiteral("txtFRDepth"), kTab0Results},
        {QStringLiteral("txtPillarStress"), QStringLiteral("lblFRPillarStress"), kTab0Results},
    };
    for (InputRule& rule : CalculationScreen::StrengthInputRules(kStrengthResults))
        rules.push_back(std::move(rule));
    return rules;
}

} // namespace

frmModelled::frmModelled(QWidget* parent)
    : CalculationScreen(ScreenLayout{QStringLiteral("Modelled Stress"), QSize(4575, 6675),
                                     QRect(0, 0, 4575, 6675)},
                        parent) {
    buildPillarStressTab();
    buildStrengthTab({KItems(100), QStringLiteral("Pillar strength (MPa)")});
    buildResultsTab(
        {QStringLiteral("Bord width 1 (m)"), QStringLiteral("Bord width 2 (m)"), kWhite});
    installRules(ModelledRules(), StandardResultMirrors());
    QStringList order{
        QStringLiteral("txtPillarStress"),
        QStringLiteral("txtDepth"),
        QStringLiteral("chkGraphicToggle"),
        QStringLiteral("cboPillarWidth1"),
        QStringLiteral("cboPillarLength"),
        QStringLiteral("cboBordWidth"),
        QStringLiteral("cboBordWidth2"),
        QStringLiteral("cmdCalculatePercentageExtraction"),
        QStringLiteral("cmdCalculateAndContinue1"),
    };
    setKeyboardOrder(order + StrengthAndResultsKeyboardOrder());
}

void frmModelled::buildPillarStressTab() {
    QWidget* tab = page(kPillarStressTab);
    addTextBox(tab, QStringLiteral("txtPillarStress"), QStringLiteral("APS (MPa)"),
               QStringLiteral("The modelled value for the Average Pillar Stress in MPa"),
               leftColumn(), 480);
    addTextBox(tab, QStringLiteral("txtDepth"), QStringLiteral("Depth (m)"),
               QStringLiteral("Pillar depth below surface in m"), rightColumn(), 480);
    addGraphicToggle();
    addDirectionGroups(2040);
    // The extraction result centred under the two groups.
    addResult(tab, kExtractionResult, QStringLiteral("% Extraction"),
              leftColumn() + (rowWidth() - kFieldWidth) / 2, 3780);
    const QFont buttonFont = ArialFont(11.25, true, true);
    const QString toolTip = QStringLiteral("Calculate the extraction as a percentage");
    auto* calculate = addButton(tab, QStringLiteral("cmdCalculatePercentageExtraction"),
                                QStringLiteral("Calculate the % Extraction"), buttonFont,
                                DesignRect(leftColumn(), 4560, rowWidth(), 615), toolTip);
    auto* continue1 = addButton(tab, QStringLiteral("cmdCalculateAndContinue1"),
                                QStringLiteral("Calculate and Continue"), buttonFont,
                                DesignRect(leftColumn(), 5280, rowWidth(), 615), toolTip);
    connect(calculate, &QPushButton::clicked, this,
            &frmModelled::cmdCalculatePercentageExtraction_Click);
    connect(continue1, &QPushButton::clicked, this, &frmModelled::cmdCalculateAndContinue1_Click);
}

QString frmModelled::strengthReadinessResult() const {
    return kExtractionResult;
}

QString frmModelled::strengthReadinessMessage() const {
    return QStringLiteral(
        "Fill values in all the text-boxes and calculate the Percentage Extraction");
}

QString frmModelled::firstInputName() const {
    return QStringLiteral("txtPillarStress");
}

QString frmModelled::stressSourceSentence() const {
    return QStringLiteral("This evaluation was done with a known Average Pillar Stress");
}

bool frmModelled::calculatePercentageExtraction() {
    if (!requireFilled({QStringLiteral("txtPillarStress"), QStringLiteral("txtDepth"),
                        QStringLiteral("cboPillarWidth1"), QStringLiteral("cboPillarLength"),
                        QStringLiteral("cboBordWidth"), QStringLiteral("cboBordWidth2")},
                       QStringLiteral("Fill values in all the text-boxes")))
        return false;
    // The depth takes no part in the calculation but is carried to the
    // report, so it must be a number as well.
    const auto stress = readSingle(QStringLiteral("txtPillarStress"));
    if (!stress)
        return false;
    if (!readSingle(QStringLiteral("txtDepth")))
        return false;
    const auto extraction = calculatePlanExtraction();
    if (!extraction)
        return false;
    setFieldText(kExtractionResult, ShowResult(*extraction, 1));
    State().AveragePillarStress = *stress;
    setFieldText(QStringLiteral("cmdCalculateAndContinue1"), QStringLiteral("Continue"));
    return true;
}

void frmModelled::cmdCalculatePercentageExtraction_Click() {
    calculatePercentageExtraction();
}

void frmModelled::cmdCalculateAndContinue1_Click() {
    continueToStrengthTab(calculatePercentageExtraction());
}

} // namespace vt
