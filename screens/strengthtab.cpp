#include "screens/strengthtab.h"

#include "app/ui.h"
#include "screens/builders.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace vt {

namespace {

constexpr int kPitch = 720;
constexpr int Row(int i) {
    return 480 + i * kPitch;
}

const QString kKToolTip = QStringLiteral(
    "Fill in a value for the compressive strength of a cube of unit length of pillar material   "
    "OR   Calculate K by using the \"Determine K from UCS-values\" button");

} // namespace

StrengthTab::StrengthTab(const StrengthTabOptions& options, QWidget* parent)
    : QWidget(parent) {
    buildInputs(options);
    buildResults(options);
    connect(Check1, &QCheckBox::toggled, this, &StrengthTab::Check1_Click);
}

// K, the effective width, the height and the four formula variables (locked
// until "Pillar formula variables" is checked).
void StrengthTab::buildInputs(const StrengthTabOptions& options) {
    const int left = options.leftColumn;
    const int right = options.rightColumn;
    const auto at = [](int x, int row) { return FieldPlace{x, Row(row)}; };

    cboK = AddCombo(this, QStringLiteral("cboK"), QStringLiteral("K (MPa)"), options.kItems, {},
                    kKToolTip, at(left, 0));
    cmdDetermineK = AddButton(this, QStringLiteral("cmdDetermineK"),
                              QStringLiteral("Determine K from UCS-values"), ArialFont(8.25, true),
                              DesignRect(right, Row(0), kFieldWidth, kFieldHeight),
                              QStringLiteral("Determine K from the median of UCS-values"));

    cboPillarWidth = AddCombo(
        this, QStringLiteral("cboPillarWidth"), QStringLiteral("Eff. pillar width (m)"), {}, {},
        QStringLiteral("The value is transferred from the previous label"), at(left, 1));
    cboPillarWidth->lineEdit()->setReadOnly(true);
    cboPillarWidth->setFont(ArialFont(9, true));
    SetBackground(cboPillarWidth, kLightGrey);
    cboPillarHeight =
        AddCombo(this, QStringLiteral("cboPillarHeight"), QStringLiteral("Pillar height (m)"),
                 Counting(1, 8), {}, QStringLiteral("The stoping width in m"), at(right, 1));

    cboAlpha = AddCombo(this, QStringLiteral("cboAlpha"), QStringLiteral("α"),
                        {QStringLiteral("0.5"), QStringLiteral("0.46")}, QStringLiteral("0.5"),
                        QStringLiteral("Hedley/Grant value is 0.5"), at(left, 2));
    cboBeta = AddCombo(this, QStringLiteral("cboBeta"), QStringLiteral("β"),
                       {QStringLiteral("0.75"), QStringLiteral("0.66")}, QStringLiteral("0.75"),
                       QStringLiteral("Hedley/Grant value is 0.75"), at(right, 2));
    cboSquatPillarEffect =
        AddCombo(this, QStringLiteral("cboSquatPillarEffect"), QStringLiteral("Start squat pillar"),
                 {QStringLiteral("4.5"), QStringLiteral("5.0")}, QStringLiteral("4.5"),
                 QStringLiteral("The transition from the Hedley/Grant to the Squat Pillar formula, "
                                "typically at a W:H-ratio of 4.5 for hard rock"),
                 at(left, 3));
    cboStrengthIncrease = AddCombo(
        this, QStringLiteral("cboStrengthIncrease"), QStringLiteral("Strength incr. rate"),
        {QStringLiteral("2.5"), QStringLiteral("4.5")}, QStringLiteral("4.5"),
        QStringLiteral("The rate of strength increase when using the Squat Pillar formula"),
        at(right, 3));
    for (QComboBox* variable : formulaVariables())
        variable->setEnabled(false);
}

// The three results, the buttons, the check box and the formula sentence.
void StrengthTab::buildResults(const StrengthTabOptions& options) {
    const int left = options.leftColumn;
    const int right = options.rightColumn;
    const int rowWidth = right + kFieldWidth - left;
    const auto at = [](int x, int row) { return FieldPlace{x, Row(row)}; };
    lblWHratio =
        AddResult(this, QStringLiteral("lblWHratio"), QStringLiteral("W:H-ratio"), at(left, 4));
    lblPillarStrength =
        AddResult(this, QStringLiteral("lblPillarStrength"), options.strengthCaption, at(right, 4));
    lblFOS = AddResult(this, QStringLiteral("lblFOS"), QStringLiteral("FOS"), at(left, 5));
    cmdCalculatePillarStrength =
        AddButton(this, QStringLiteral("cmdCalculatePillarStrength"),
                  QStringLiteral("Calculate the Pillar strength"), ArialFont(11.25, true),
                  DesignRect(right, Row(5), kFieldWidth, kFieldHeight),
                  QStringLiteral("Calculate the pillar strength"));

    Check1 = new QCheckBox(QStringLiteral("Pillar formula variables"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setFont(ArialFont(8.25));
    Check1->setToolTip(QStringLiteral(
        "Checking this box will enable changes to be made to the empirically determined "
        "variables used in the calculation of the Pillar Strength (not recommended)"));
    // The caption runs from the tab's edge up to the right column.
    Check1->setGeometry(DesignRect(90, Row(6), right - 150, kFieldHeight));
    cmdCalculateAndContinue2 = AddButton(
        this, QStringLiteral("cmdCalculateAndContinue2"), QStringLiteral("Calculate and Continue"),
        ArialFont(11.25, true), DesignRect(right, Row(6), kFieldWidth, kFieldHeight),
        QStringLiteral("Calculate the pillar strength"));

    txtFormula = MakeReadOnlyBox(this, QStringLiteral("txtFormula"), {}, kLightGrey);
    txtFormula->setFont(ArialFont(9, true));
    txtFormula->setAlignment(Qt::AlignCenter);
    txtFormula->setToolTip(
        QStringLiteral("Indicates the formula used in the determination of the Pillar Strength"));
    txtFormula->setGeometry(DesignRect(left, Row(7), rowWidth, 375));
}

std::array<QComboBox*, 6> StrengthTab::inputs() const {
    return {cboK, cboPillarHeight, cboAlpha, cboBeta, cboSquatPillarEffect, cboStrengthIncrease};
}

std::array<QComboBox*, 4> StrengthTab::formulaVariables() const {
    return {cboAlpha, cboBeta, cboSquatPillarEffect, cboStrengthIncrease};
}

evaluation::StrengthTexts StrengthTab::texts(const QString& length) const {
    return {cboK->currentText(),
            cboPillarWidth->currentText(),
            cboPillarHeight->currentText(),
            length,
            cboAlpha->currentText(),
            cboBeta->currentText(),
            cboSquatPillarEffect->currentText(),
            cboStrengthIncrease->currentText()};
}

QList<QWidget*> StrengthTab::keyboardOrder() const {
    return {cboK,
            cmdDetermineK,
            cboPillarHeight,
            cmdCalculatePillarStrength,
            cmdCalculateAndContinue2,
            cboAlpha,
            cboBeta,
            cboSquatPillarEffect,
            cboStrengthIncrease,
            cboPillarWidth,
            Check1};
}

void StrengthTab::Check1_Click(bool checked) {
    for (QComboBox* variable : formulaVariables())
        variable->setEnabled(checked);
}

} // namespace vt
