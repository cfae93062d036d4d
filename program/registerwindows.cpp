#include "program/registerwindows.h"

#include "app/frmsplash.h"
#include "app/interfaces.h"
#include "app/programstate.h"
#include "app/shellwindows.h"
#include "app/windownames.h"
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
    windows.registerFactory(names::frmTributary, [] { return new frmTributary; });
    windows.registerFactory(names::frmModelled, [] { return new frmModelled; });
    windows.registerFactory(names::frmInterpolate, [] { return new frmInterpolate; });
    // The Design menu: saving and opening evaluations.
    files::AddEvaluationFileItems(windows);

    // Every window but the start-up window, in the order they close.
    windows.setCloseOrder({
        names::frmDesignCharts,
        names::frmTargetFOS,
        names::frmProbability,
        names::frmStrengthFormulas,
        names::frmDesignReport,
        names::frmUserGuide,
        names::frmAbout,
        names::frmFileOpen,
        names::frmMedianUCS,
        names::frmModelled,
        names::frmPopUpFOS,
        names::frmPopUpWH,
        names::frmTributary,
        names::frmPrint,
        names::frmRazuziRuridaDimensions,
        names::frmInterpolate,
    });
    // The UCS dialog writes K into these screens, in this order.
    windows.setRole(WindowRole::StrengthConstantTarget,
                    {names::frmModelled, names::frmTributary, names::frmInterpolate});
    // Leaving the dimensions dialog switches off the toggles of these.
    windows.setRole(WindowRole::PlanDimensionsTarget, {names::frmTributary, names::frmModelled});
    // The UCS dialog tells these of every change of its readings.
    windows.setRole(WindowRole::UcsReadingsListener,
                    {names::frmProbability, names::frmStrengthFormulas});
    // The tools take the UCS readings from this one.
    windows.setRole(WindowRole::UcsReadingsSource, {names::frmMedianUCS});
}

QWidget* ShowStartWindow(const QString& evaluationFile) {
    auto* splash = Windows().window<frmSplash>(names::frmSplash);
    if (splash && !evaluationFile.isEmpty())
        splash->openOnAccept(evaluationFile, files::OpenEvaluationFile);
    return Windows().show(names::frmSplash);
}

} // namespace vt
