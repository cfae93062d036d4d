#include "design/registerdesign.h"

#include "app/programstate.h"
#include "design/frmdesigncharts.h"
#include "design/frmstrengthformulas.h"
#include "design/frmtargetfos.h"
#include "tools/toolwindow.h"

namespace vt {

void RegisterDesignWindows() {
    WindowRegistry& windows = Windows();
    windows.registerFactory(QStringLiteral("frmDesignCharts"), [] { return new frmDesignCharts; });
    windows.registerFactory(QStringLiteral("frmTargetFOS"), [] { return new frmTargetFOS; });
    windows.registerFactory(QStringLiteral("frmStrengthFormulas"),
                            [] { return new frmStrengthFormulas; });
    windows.addDesignMenuItem(
        {QStringLiteral("Design &charts..."), QStringLiteral("mnuDesignCharts"),
         [](DesignSource& source) { tools::OpenTool(QStringLiteral("frmDesignCharts"), source); }});
    windows.addDesignMenuItem(
        {QStringLiteral("Solve for a &target FOS..."), QStringLiteral("mnuTargetFOS"),
         [](DesignSource& source) { tools::OpenTool(QStringLiteral("frmTargetFOS"), source); }});
    windows.addDesignMenuItem({QStringLiteral("Strength &formulas..."),
                               QStringLiteral("mnuStrengthFormulas"), [](DesignSource& source) {
                                   tools::OpenTool(QStringLiteral("frmStrengthFormulas"), source);
                               }});
}

} // namespace vt
