#include "screens/plantab.h"

#include "app/ui.h"
#include "screens/builders.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vt {

namespace {
// The inner top of a field in its frame, from builders.cpp.
constexpr int kInnerTop = 255;
} // namespace

PlanTab::PlanTab(PlanScreenKind kind, int leftColumn, int rightColumn, QWidget* parent)
    : QWidget(parent) {
    const bool tributary = kind == PlanScreenKind::Tributary;
    const int rowWidth = rightColumn + kFieldWidth - leftColumn;
    if (tributary)
        cboRockDensity = AddCombo(
            this, QStringLiteral("cboRockDensity"), QStringLiteral("Rock Rel. Density"),
            {QStringLiteral("2.5"), QStringLiteral("2.7"), QStringLiteral("2.75"),
             QStringLiteral("3.0"), QStringLiteral("3.3")},
            {}, QStringLiteral("The Relative Density (RD) of the rockmass (ton per cubic metre)"),
            {leftColumn, 480});
    else
        txtPillarStress =
            AddTextBox(this, QStringLiteral("txtPillarStress"), QStringLiteral("APS (MPa)"),
                       QStringLiteral("The modelled value for the Average Pillar Stress in MPa"),
                       {leftColumn, 480});
    txtDepth = AddTextBox(this, QStringLiteral("txtDepth"), QStringLiteral("Depth (m)"),
                          QStringLiteral("Pillar depth below surface in m"), {rightColumn, 480});

    chkGraphicToggle =
        new QPushButton(QStringLiteral("Toggle switch for graphical pillar design"), this);
    chkGraphicToggle->setObjectName(QStringLiteral("chkGraphicToggle"));
    chkGraphicToggle->setCheckable(true);
    chkGraphicToggle->setAutoDefault(false);
    chkGraphicToggle->setFont(ArialFont(8.25, true));
    SetBackground(chkGraphicToggle, kLightGrey);
    chkGraphicToggle->setGeometry(DesignRect(480, 1560, 3615, 375));

    addDirectionGroups(leftColumn, rightColumn, 2040);

    if (tributary) {
        lblPillarStress = AddResult(this, QStringLiteral("lblPillarStress"),
                                    QStringLiteral("Pillar stress (MPa)"), {leftColumn, 3780});
        lblPercentageExtraction = AddResult(this, QStringLiteral("lblPercentageExtraction"),
                                            QStringLiteral("% Extraction"), {rightColumn, 3780});
    } else {
        // The extraction result centred under the two groups.
        lblPercentageExtraction = AddResult(this, QStringLiteral("lblPercentageExtraction"),
                                            QStringLiteral("% Extraction"),
                                            {leftColumn + (rowWidth - kFieldWidth) / 2, 3780});
    }
    const QFont buttonFont = ArialFont(11.25, true, true);
    const QString toolTip =
        tributary ? QString() : QStringLiteral("Calculate the extraction as a percentage");
    cmdCalculate = AddButton(this,
                             tributary ? QStringLiteral("cmdCalculatePillarStress")
                                       : QStringLiteral("cmdCalculatePercentageExtraction"),
                             tributary ? QStringLiteral("Calculate the pillar stress")
                                       : QStringLiteral("Calculate the % Extraction"),
                             buttonFont, DesignRect(leftColumn, 4560, rowWidth, 615), toolTip);
    cmdCalculateAndContinue1 = AddButton(this, QStringLiteral("cmdCalculateAndContinue1"),
                                         QStringLiteral("Calculate and Continue"), buttonFont,
                                         DesignRect(leftColumn, 5280, rowWidth, 615), toolTip);
}

void PlanTab::addDirectionGroups(int leftColumn, int rightColumn, int top) {
    constexpr int inset = 75;
    constexpr int gap = 45;
    const int height = kInnerTop + 2 * kFieldHeight + gap + inset;
    const auto group = [&](const QString& caption, int fieldLeft) {
        return MakeFrame(this, caption,
                         DesignRect(fieldLeft - inset, top, kFieldWidth + 2 * inset, height),
                         ArialFont(9.75, true, true));
    };
    QGroupBox* direction1 = group(QStringLiteral("Direction 1"), leftColumn);
    QGroupBox* direction2 = group(QStringLiteral("Direction 2"), rightColumn);
    const QStringList bords = {QStringLiteral("4"), QStringLiteral("8"), QStringLiteral("12"),
                               QStringLiteral("16"), QStringLiteral("20")};
    const FieldPlace upper{inset, kInnerTop, Origin::Parent};
    const FieldPlace lower{inset, kInnerTop + kFieldHeight + gap, Origin::Parent};
    cboPillarWidth1 = AddCombo(direction1, QStringLiteral("cboPillarWidth1"),
                               QStringLiteral("Pillar width (m)"), Counting(1, 10), {},
                               QStringLiteral("The smallest dimension of the pillar"), upper);
    cboBordWidth = AddCombo(direction1, QStringLiteral("cboBordWidth"),
                            QStringLiteral("Bord width 1 (m)"), bords, QStringLiteral("12"),
                            QStringLiteral("The bord width in the same direction as the pillar "
                                           "width"),
                            lower);
    cboPillarLength =
        AddCombo(direction2, QStringLiteral("cboPillarLength"), QStringLiteral("Pillar length (m)"),
                 Counting(1, 10), {}, QStringLiteral("The biggest dimension of the pillar"), upper);
    cboBordWidth2 = AddCombo(direction2, QStringLiteral("cboBordWidth2"),
                             QStringLiteral("Bord width 2 (m)"), bords, QStringLiteral("12"),
                             QStringLiteral("The bord width in the same direction as the pillar "
                                            "length"),
                             lower);
}

std::array<QComboBox*, 4> PlanTab::planDimensions() const {
    return {cboPillarWidth1, cboPillarLength, cboBordWidth, cboBordWidth2};
}

evaluation::PlanTexts PlanTab::plan() const {
    return {cboPillarWidth1->currentText(), cboPillarLength->currentText(),
            cboBordWidth->currentText(), cboBordWidth2->currentText()};
}

QWidget* PlanTab::firstInput() const {
    return cboRockDensity ? static_cast<QWidget*>(cboRockDensity)
                          : static_cast<QWidget*>(txtPillarStress);
}

QList<QWidget*> PlanTab::keyboardOrder() const {
    return {firstInput(), txtDepth,      chkGraphicToggle, cboPillarWidth1,         cboPillarLength,
            cboBordWidth, cboBordWidth2, cmdCalculate,     cmdCalculateAndContinue1};
}

} // namespace vt
