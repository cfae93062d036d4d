// The tributary-theory screen: the average pillar stress follows from the rock
// density, the depth and the percentage extraction.
#pragma once

#include "screens/calculationscreen.h"

namespace vt {

class frmTributary : public CalculationScreen {
    Q_OBJECT
public:
    explicit frmTributary(QWidget* parent = nullptr);

    // The stress step: % extraction and tributary stress. True when results
    // were written.
    bool calculatePillarStress();

protected:
    QString strengthReadinessResult() const override;
    QString strengthReadinessMessage() const override;
    QString firstInputName() const override;
    QString stressSourceSentence() const override;

private:
    void buildPillarStressTab();
    void cmdCalculatePillarStress_Click();
    void cmdCalculateAndContinue1_Click();
};

} // namespace vt
