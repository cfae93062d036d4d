#include "screens/frmtributary.h"

#include "app/userguide.h"
#include "screens/plantab.h"

#include <QComboBox>
#include <QLineEdit>

namespace vt {

frmTributary::frmTributary(QWidget* parent)
    : PlanScreen(Spec({
                     .title = QStringLiteral("Tributary Theory"),
                     .bordCopyCaption = QStringLiteral("Bord width (smaller)"),
                     .bordCopy2Caption = QStringLiteral("Bord width (bigger)"),
                     .readiness = ReadinessResult::PillarStress,
                     .readinessMessage = evaluation::kFillAndCalculateStress,
                     .reportSentence = QStringLiteral("The Tributary Area theory was used to "
                                                      "calculate the Average Pillar Stress for "
                                                      "this evaluation"),
                     // The formula sentence stays until the next strength step.
                     .inputChangeEmptiesFormula = false,
                     .guideAnchor = guide::kTributary,
                 }),
                 PlanScreenKind::Tributary, parent) {}

bool frmTributary::calculateStressStep() {
    const PlanTab* tab = planTab();
    return showStressStep(evaluation::TributaryStress(
        {tab->cboRockDensity->currentText(), tab->txtDepth->text(), tab->plan()},
        evaluation::NumberLocale::Current()));
}

evaluation::DesignTexts frmTributary::designTexts() const {
    evaluation::DesignTexts d = planDesign(evaluation::Method::Tributary);
    d.density = planTab()->cboRockDensity->currentText();
    return d;
}

} // namespace vt
