// The modelled-stress screen: the average pillar stress is typed in, as found by
// numerical stress modelling.
#pragma once

#include "screens/calculationscreen.h"

namespace vt {

class frmModelled : public CalculationScreen {
    Q_OBJECT
public:
    explicit frmModelled(QWidget* parent = nullptr);

    // The extraction step: % extraction, and the typed stress stored. True when results
    // were written.
    bool calculatePercentageExtraction();

protected:
    QString strengthReadinessResult() const override;
    QString strengthReadinessMessage() const override;
    QString firstInputName() const override;
    QString stressSourceSentence() const override;

private:
    void buildPillarStressTab();
    void cmdCalculatePercentageExtraction_Click();
    void cmdCalculateAndContinue1_Click();
};

} // namespace vt
