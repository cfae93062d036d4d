// "&Pillar Stress" of the tributary and modelled screens: the loading input
// (rock density, or the typed stress), the depth, the graphical design
// toggle, the plan dimensions in the groups "Direction 1" and "Direction 2",
// the results of the step and its two buttons.
#pragma once

#include "evaluation/steps.h"

#include <QList>
#include <QWidget>
#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vt {

class CaptionButton;

enum class PlanScreenKind { Tributary, Modelled };

class PlanTab : public QWidget {
    Q_OBJECT
public:
    PlanTab(PlanScreenKind kind, int leftColumn, int rightColumn, QWidget* parent = nullptr);

    QComboBox* cboRockDensity = nullptr;  // tributary
    QLineEdit* txtPillarStress = nullptr; // modelled
    QLineEdit* txtDepth = nullptr;
    QPushButton* chkGraphicToggle = nullptr;
    QComboBox* cboPillarWidth1 = nullptr;
    QComboBox* cboBordWidth = nullptr;
    QComboBox* cboPillarLength = nullptr;
    QComboBox* cboBordWidth2 = nullptr;
    QLabel* lblPillarStress = nullptr; // tributary
    QLabel* lblPercentageExtraction = nullptr;
    // "Calculate the pillar stress" (cmdCalculatePillarStress) or "Calculate
    // the % Extraction" (cmdCalculatePercentageExtraction).
    CaptionButton* cmdCalculate = nullptr;
    CaptionButton* cmdCalculateAndContinue1 = nullptr;

    // The four dimensions the graphical design toggle hands over, in order:
    // pillar width, pillar length, bord width 1, bord width 2.
    std::array<QComboBox*, 4> planDimensions() const;
    evaluation::PlanTexts plan() const;
    // The rock density or the typed stress.
    QWidget* firstInput() const;
    QList<QWidget*> keyboardOrder() const;

private:
    void addDirectionGroups(int leftColumn, int rightColumn, int top);
};

} // namespace vt
