#include "screens/frmmodelled.h"

#include "app/userguide.h"
#include "screens/plantab.h"

#include <QLineEdit>

namespace vt {

frmModelled::frmModelled(QWidget* parent)
    : PlanScreen(Spec({
                     .title = QStringLiteral("Modelled Stress"),
                     .bordCopyCaption = QStringLiteral("Bord width 1 (m)"),
                     .bordCopy2Caption = QStringLiteral("Bord width 2 (m)"),
                     .readiness = ReadinessResult::PercentageExtraction,
                     .readinessMessage = evaluation::kFillAndCalculateExtraction,
                     .reportSentence = QStringLiteral("This evaluation was done with a known "
                                                      "Average Pillar Stress"),
                     // Every input change also empties the formula sentence
                     // (txtComment keeps it).
                     .inputChangeEmptiesFormula = true,
                     .guideAnchor = guide::kModelled,
                 }),
                 PlanScreenKind::Modelled, parent) {}

bool frmModelled::calculateStressStep() {
    const PlanTab* tab = planTab();
    return showStressStep(evaluation::ModelledExtraction(
        {tab->txtPillarStress->text(), tab->txtDepth->text(), tab->plan()},
        evaluation::NumberLocale::Current()));
}

evaluation::DesignTexts frmModelled::designTexts() const {
    evaluation::DesignTexts d = planDesign(evaluation::Method::Modelled);
    d.stress = planTab()->txtPillarStress->text();
    return d;
}

} // namespace vt
