#include "designreport/registerreport.h"

#include "app/programstate.h"
#include "app/windownames.h"
#include "designreport/frmdesignreport.h"
#include "tools/toolwindow.h"

namespace vt {

void RegisterDesignReportWindow() {
    Windows().registerFactory(names::frmDesignReport, [] { return new frmDesignReport; });
    Windows().addDesignMenuItem(
        {QStringLiteral("Design &report..."), QStringLiteral("mnuDesignReport"),
         [](DesignSource& source) { tools::OpenTool(names::frmDesignReport, source); }});
}

} // namespace vt
