#include "screens/planscreen.h"

#include "app/programstate.h"
#include "app/ui.h"
#include "app/windownames.h"
#include "dialogs/frmrazuziruridadimensions.h"
#include "screens/builders.h"
#include "screens/finalresultstab.h"
#include "screens/plantab.h"
#include "screens/strengthtab.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vt {

namespace {
const QString kDimensionsDialog = names::frmRazuziRuridaDimensions;
}

PlanScreen::PlanScreen(ScreenSpec spec, PlanScreenKind kind, QWidget* parent)
    : CalculationScreen(std::move(spec), parent) {
    plan_ = new PlanTab(kind, this->spec().leftColumn, this->spec().rightColumn);
    using evaluation::Input;
    std::vector<std::pair<Input, QWidget*>> inputs{
        {Input::Depth, plan_->txtDepth},
        {Input::PillarWidth, plan_->cboPillarWidth1},
        {Input::PillarLength, plan_->cboPillarLength},
        {Input::BordWidth1, plan_->cboBordWidth},
        {Input::BordWidth2, plan_->cboBordWidth2},
    };
    if (plan_->cboRockDensity)
        inputs.emplace_back(Input::RockDensity, plan_->cboRockDensity);
    if (plan_->txtPillarStress)
        inputs.emplace_back(Input::ModelledStress, plan_->txtPillarStress);
    finishBuilding({plan_, QStringLiteral("&Pillar Stress"), plan_->firstInput(),
                    plan_->lblPillarStress, plan_->lblPercentageExtraction, true, rules(),
                    plan_->keyboardOrder(), std::move(inputs), plan_->cmdCalculate,
                    plan_->cmdCalculateAndContinue1});
    plan_->chkGraphicToggle->installEventFilter(this);
    connect(plan_->chkGraphicToggle, &QPushButton::toggled, this,
            &PlanScreen::chkGraphicToggle_Click);
    connect(plan_->cmdCalculate, &QPushButton::clicked, this, &PlanScreen::cmdCalculate_Click);
    connect(plan_->cmdCalculateAndContinue1, &QPushButton::clicked, this,
            &PlanScreen::cmdCalculateAndContinue1_Click);
}

// The mirror-and-invalidate table of tab 0: input, its Final Results copy,
// the results a change empties. Every change also resets the warning colours.
std::vector<InputRule> PlanScreen::rules() const {
    FinalResultsTab* fr = resultsTab();
    std::vector<QWidget*> tab0Results;
    if (plan_->lblPillarStress)
        tab0Results.push_back(plan_->lblPillarStress);
    tab0Results.push_back(plan_->lblPercentageExtraction);
    const std::vector<QWidget*> results = strengthResults(tab0Results);
    std::vector<QWidget*> dimensionResults{strengthTab()->cboPillarWidth};
    dimensionResults.insert(dimensionResults.end(), results.begin(), results.end());
    std::vector<InputRule> rules{
        {plan_->cboPillarWidth1, fr->txtFRPillarWidth, dimensionResults},
        {plan_->cboPillarLength, fr->txtFRPillarLength, dimensionResults},
        {plan_->cboBordWidth, fr->txtFRBordWidth, results},
        {plan_->cboBordWidth2, fr->txtFRBordWidth2, results},
        {plan_->txtDepth, fr->txtFRDepth, results},
    };
    if (plan_->cboRockDensity)
        rules.push_back({plan_->cboRockDensity, nullptr, results});
    if (plan_->txtPillarStress)
        rules.push_back({plan_->txtPillarStress, fr->lblFRPillarStress, results});
    return rules;
}

evaluation::DesignTexts PlanScreen::planDesign(evaluation::Method method) const {
    evaluation::DesignTexts d;
    d.method = method;
    d.depth = plan_->txtDepth->text();
    const evaluation::PlanTexts plan = plan_->plan();
    d.width = plan.width;
    d.length = plan.length;
    d.bord1 = plan.bord1;
    d.bord2 = plan.bord2;
    evaluation::SetStrengthTexts(d, strengthTab()->texts(plan.length));
    return d;
}

ScreenSpec PlanScreen::Spec(ScreenSpec own) {
    own.clientTwips = QSize(4575, 6675);
    own.tabTwips = QRect(0, 0, 4575, 6675);
    own.kItems = KItems(100);
    own.bordCopyBackground = kWhite;
    return own;
}

bool PlanScreen::showStressStep(const evaluation::Step<evaluation::StressShown>& step) {
    if (!step) {
        ShowRefusal(step.refusal());
        return false;
    }
    State().AveragePillarStress = step->averagePillarStress;
    setText(plan_->lblPercentageExtraction, step->extraction);
    if (plan_->lblPillarStress)
        setText(plan_->lblPillarStress, step->stress);
    setText(plan_->cmdCalculateAndContinue1, QStringLiteral("Continue"));
    return true;
}

void PlanScreen::cmdCalculate_Click() {
    calculateStressStep();
}

// The stress step, then the effective width, then on to "Pillar &Strength"
// with the caption back to "Calculate and Continue". A refused step has given
// its message already, so the effective width then reports nothing more.
void PlanScreen::cmdCalculateAndContinue1_Click() {
    const bool stepSucceeded = calculateStressStep();
    if (!calculateEffectiveWidth(stepSucceeded))
        return;
    moveToTab(kPillarStrengthTab, strengthTab()->cboK);
    setText(plan_->cmdCalculateAndContinue1, QStringLiteral("Calculate and Continue"));
}

bool PlanScreen::calculateEffectiveWidth(bool report) {
    const auto step = evaluation::EffectiveWidth(plan_->cboPillarWidth1->currentText(),
                                                 plan_->cboPillarLength->currentText(),
                                                 evaluation::NumberLocale::Current());
    if (!step) {
        if (report)
            ShowRefusal(step.refusal());
        return false;
    }
    setText(strengthTab()->cboPillarWidth, step->text);
    return true;
}

// ---------------------------------------------------------------------------
// The graphical design toggle

bool PlanScreen::eventFilter(QObject* watched, QEvent* event) {
    if (watched == plan_->chkGraphicToggle && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            chkGraphicToggle_Enter();
            return true;
        }
    }
    return CalculationScreen::eventFilter(watched, event);
}

void PlanScreen::switchGraphicToggleOff() {
    plan_->chkGraphicToggle->setChecked(false); // runs the switch-off steps if it was on
}

void PlanScreen::chkGraphicToggle_Click(bool on) {
    if (on)
        graphicSwitchOn();
    else
        graphicSwitchOff();
}

void PlanScreen::chkGraphicToggle_Enter() {
    if (!plan_->chkGraphicToggle->isChecked())
        plan_->chkGraphicToggle->setChecked(true); // runs the switch-on steps
    graphicSwitchOn();
}

void PlanScreen::graphicSwitchOn() {
    for (QComboBox* dimension : plan_->planDimensions())
        dimension->setEnabled(false);
    auto* dialog = Windows().window<frmRazuziRuridaDimensions>(kDimensionsDialog);
    dimensionsDialog_ = dialog;
    if (!dialog)
        return;
    dialog->setDimensions(plan_->plan());
    dialog->showBeside(this); // beside this screen, whole on the display
    dialog->raise();
}

void PlanScreen::graphicSwitchOff() {
    for (QComboBox* dimension : plan_->planDimensions())
        dimension->setEnabled(true);
    // The dialog that was shown, even while it is closing itself (its close box
    // switches the toggles off from inside the close).
    frmRazuziRuridaDimensions* dialog =
        dimensionsDialog_ ? dimensionsDialog_.data()
                          : Windows().existing<frmRazuziRuridaDimensions>(kDimensionsDialog);
    if (!dialog)
        return;
    const evaluation::PlanTexts plan = dialog->dimensions();
    plan_->cboPillarWidth1->setEditText(plan.width);
    plan_->cboPillarLength->setEditText(plan.length);
    plan_->cboBordWidth->setEditText(plan.bord1);
    plan_->cboBordWidth2->setEditText(plan.bord2);
    dialog->hide();
}

} // namespace vt
