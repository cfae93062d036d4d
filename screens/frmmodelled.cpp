#include "screens/frmmodelled.h"

#include "app/ui.h"
#include "screens/builders.h"
#include "screens/plantab.h"

#include <QComboBox>
#include <QLineEdit>

namespace vt {

namespace {

ScreenSpec ModelledSpec() {
    ScreenSpec spec;
    spec.title = QStringLiteral("Modelled Stress");
    spec.clientTwips = QSize(4575, 6675);
    spec.tabTwips = QRect(0, 0, 4575, 6675);
    spec.kItems = KItems(100);
    spec.bordCopyCaption = QStringLiteral("Bord width 1 (m)");
    spec.bordCopy2Caption = QStringLiteral("Bord width 2 (m)");
    spec.bordCopyBackground = kWhite;
    spec.readiness = ReadinessResult::PercentageExtraction;
    spec.readinessMessage = evaluation::kFillAndCalculateExtraction;
    spec.reportSentence = QStringLiteral("This evaluation was done with a known Average Pillar "
                                         "Stress");
    // Every input change also empties the formula sentence (txtComment keeps it).
    spec.inputChangeEmptiesFormula = true;
    return spec;
}

} // namespace

frmModelled::frmModelled(QWidget* parent)
    : PlanScreen(ModelledSpec(), PlanScreenKind::Modelled, parent) {}

bool frmModelled::calculateStressStep() {
    const PlanTab* tab = planTab();
    const auto step = evaluation::ModelledExtraction(
        {tab->txtPillarStress->text(), tab->txtDepth->text(), tab->plan()},
        evaluation::NumberLocale::Current());
    if (!step) {
        ShowRefusal(step.refusal());
        return false;
    }
    showStressStep(step.value());
    return true;
}

evaluation::DesignTexts frmModelled::designTexts() const {
    evaluation::DesignTexts d = planDesign(evaluation::Method::Modelled);
    d.stress = planTab()->txtPillarStress->text();
    return d;
}

} // namespace vt
