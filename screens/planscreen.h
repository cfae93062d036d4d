// The tributary and modelled screens: the same "&Pillar Stress" tab (PlanTab)
// with the plan dimensions and the graphical design toggle that hands them to
// the pillar dimensions dialog and back. Each screen adds its stress step.
#pragma once

#include "app/interfaces.h"
#include "screens/calculationscreen.h"

#include <QPointer>

namespace vt {

class PlanTab;
enum class PlanScreenKind;
class frmRazuziRuridaDimensions;

class PlanScreen : public CalculationScreen, public PlanDimensionsTarget {
    Q_OBJECT
public:
    PlanTab* planTab() const { return plan_; }

    // The step of "Calculate the pillar stress" or "Calculate the % Extraction".
    // True when results were written.
    virtual bool calculateStressStep() = 0;

    // PlanDimensionsTarget
    void switchGraphicToggleOff() override;

protected:
    PlanScreen(ScreenSpec spec, PlanScreenKind kind, QWidget* parent);

    // The screen's inputs as a design of the method, but for the loading
    // input of tab 0 (rock density or typed stress), which the screen adds.
    evaluation::DesignTexts planDesign(evaluation::Method method) const;
    // The ScreenSpec of a screen with this tab: the window and K list the two share,
    // with what differs taken from `own`.
    static ScreenSpec Spec(ScreenSpec own);
    // Shows a stress step's result, stores its stress and sets the caption;
    // or shows its refusal. True for a result.
    bool showStressStep(const evaluation::Step<evaluation::StressShown>& step);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<InputRule> rules() const;
    void cmdCalculate_Click();
    void cmdCalculateAndContinue1_Click();
    bool calculateEffectiveWidth(bool report);
    void chkGraphicToggle_Click(bool on);
    void chkGraphicToggle_Enter();
    void graphicSwitchOn();
    void graphicSwitchOff();

    PlanTab* plan_ = nullptr;
    QPointer<frmRazuziRuridaDimensions> dimensionsDialog_;
};

} // namespace vt
