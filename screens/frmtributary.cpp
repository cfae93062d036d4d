#include "screens/frmtributary.h"

#include "app/ui.h"
#include "screens/builders.h"
#include "screens/plantab.h"

#include <QComboBox>
#include <QLineEdit>

namespace vt {

namespace {

ScreenSpec TributarySpec() {
    ScreenSpec spec;
    spec.title = QStringLiteral("Tributary Theory");
    spec.clientTwips = QSize(4575, 6675);
    spec.tabTwips = QRect(0, 0, 4575, 6675);
    spec.kItems = KItems(100);
    spec.bordCopyCaption = QStringLiteral("Bord width (smaller)");
    spec.bordCopy2Caption = QStringLiteral("Bord width (bigger)");
    spec.bordCopyBackground = kWhite;
    spec.readiness = ReadinessResult::PillarStress;
    spec.readinessMessage = evaluation::kFillAndCalculateStress;
    spec.reportSentence = QStringLiteral("The Tributary Area theory was used to calculate the "
                                         "Average Pillar Stress for this evaluation");
    // The formula sentence stays until the next strength step.
    spec.inputChangeEmptiesFormula = false;
    return spec;
}

} // namespace

frmTributary::frmTributary(QWidget* parent)
    : PlanScreen(TributarySpec(), PlanScreenKind::Tributary, parent) {}

bool frmTributary::calculateStressStep() {
    const PlanTab* tab = planTab();
    const auto step = evaluation::TributaryStress(
        {tab->cboRockDensity->currentText(), tab->txtDepth->text(), tab->plan()},
        evaluation::NumberLocale::Current());
    if (!step) {
        ShowRefusal(step.refusal());
        return false;
    }
    showStressStep(step.value());
    return true;
}

evaluation::DesignTexts frmTributary::designTexts() const {
    evaluation::DesignTexts d = planDesign(evaluation::Method::Tributary);
    d.density = planTab()->cboRockDensity->currentText();
    return d;
}

} // namespace vt
