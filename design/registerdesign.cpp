#include "design/registerdesign.h"

#include "app/programstate.h"
#include "app/windownames.h"
#include "design/frmdesigncharts.h"
#include "design/frmtargetfos.h"
#include "tools/toolwindow.h"

namespace vt {

void RegisterDesignWindows() {
    WindowRegistry& windows = Windows();
    windows.registerFactory(names::frmDesignCharts, [] { return new frmDesignCharts; });
    windows.registerFactory(names::frmTargetFOS, [] { return new frmTargetFOS; });
    windows.addDesignMenuItem(
        {QStringLiteral("Design &charts..."), QStringLiteral("mnuDesignCharts"),
         [](DesignSource& source) { tools::OpenTool(names::frmDesignCharts, source); }});
    windows.addDesignMenuItem(
        {QStringLiteral("Solve for a &target FOS..."), QStringLiteral("mnuTargetFOS"),
         [](DesignSource& source) { tools::OpenTool(names::frmTargetFOS, source); }});
}

} // namespace vt
