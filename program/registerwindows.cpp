#include "program/registerwindows.h"

#include "app/interfaces.h"
#include "app/programstate.h"
#include "app/shellwindows.h"
#include "design/registerdesign.h"
#include "designreport/registerreport.h"
#include "dialogs/registerdialogs.h"
#include "files/evaluationactions.h"
#include "probability/registerprobability.h"
#include "screens/frminterpolate.h"
#include "screens/frmmodelled.h"
#include "screens/frmtributary.h"

namespace vt {

void RegisterWindows() {
    Windows().clearDesignMenu(); // registered afresh, in order
    RegisterShellWindows();
    RegisterDialogWindows();
    // The Design menu, in order: the charts and the solve, the probability
    // of failure, the design report, then saving and opening evaluations
    // (below).
    RegisterDesignWindows();
    RegisterProbabilityWindows();
    RegisterDesignReportWindow();
    WindowRegistry& windows = Windows();
    windows.registerFactory(QStringLiteral("frmTributary"), [] { return new frmTributary; });
    windows.registerFactory(QStringLiteral("frmModelled"), [] { return new frmModelled; });
    windows.registerFactory(QStringLiteral("frmInterpolate"), [] { return new frmInterpolate; });
    // The Design menu: saving and opening evaluations.
    files::AddEvaluationFileItems(windows);

    // Every window but the start-up window, in the order they close.
    windows.setCloseOrder({
        QStringLiteral("frmDesignCharts"),
        QStringLiteral("frmTargetFOS"),
        QStringLiteral("frmProbability"),
        QStringLiteral("frmDesignReport"),
        QStringLiteral("frmAbout"),
        QStringLiteral("frmFileOpen"),
        QStringLiteral("frmMedianUCS"),
        QStringLiteral("frmModelled"),
        QStringLiteral("frmPopUpFOS"),
        QStringLiteral("frmPopUpWH"),
        QStringLiteral("frmTributary"),
        QStringLiteral("frmPrint"),
        QStringLiteral("frmRazuziRuridaDimensions"),
        QStringLiteral("frmInterpolate"),
    });
    // The UCS dialog writes K into these screens, in this order.
    windows.setRole(WindowRole::StrengthConstantTarget,
                    {QStringLiteral("frmModelled"), QStringLiteral("frmTributary"),
                     QStringLiteral("frmInterpolate")});
    // Leaving the dimensions dialog switches off the toggles of these.
    windows.setRole(WindowRole::PlanDimensionsTarget,
                    {QStringLiteral("frmTributary"), QStringLiteral("frmModelled")});
    // The UCS dialog tells these of every change of its readings.
    windows.setRole(WindowRole::UcsReadingsListener, {QStringLiteral("frmProbability")});
}

} // namespace vt
