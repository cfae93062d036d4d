#include "design/registerdesign.h"

#include "app/programstate.h"
#include "design/frmdesigncharts.h"
#include "design/frmtargetfos.h"

namespace vt {

namespace {

// Creates the tool if needed, points it at the screen and shows it.
void OpenTool(const QString& name, DesignSource& source) {
    if (auto* tool = dynamic_cast<DesignTool*>(Windows().window(name)))
        tool->follow(&source);
    Windows().show(name);
}

} // namespace

void RegisterDesignWindows() {
    WindowRegistry& windows = Windows();
    windows.registerFactory(QStringLiteral("frmDesignCharts"), [] { return new frmDesignCharts; });
    windows.registerFactory(QStringLiteral("frmTargetFOS"), [] { return new frmTargetFOS; });
    windows.addDesignMenuItem(
        {QStringLiteral("Design &charts..."), QStringLiteral("mnuDesignCharts"),
         [](DesignSource& source) { OpenTool(QStringLiteral("frmDesignCharts"), source); }});
    windows.addDesignMenuItem(
        {QStringLiteral("Solve for a &target FOS..."), QStringLiteral("mnuTargetFOS"),
         [](DesignSource& source) { OpenTool(QStringLiteral("frmTargetFOS"), source); }});
}

} // namespace vt
