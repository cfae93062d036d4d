#include "designreport/registerreport.h"

#include "app/programstate.h"
#include "designreport/frmdesignreport.h"
#include "tools/toolwindow.h"

namespace vt {

void RegisterDesignReportWindow() {
    Windows().registerFactory(QStringLiteral("frmDesignReport"),
                              [] { return new frmDesignReport; });
    Windows().addDesignMenuItem(
        {QStringLiteral("Design &report..."), QStringLiteral("mnuDesignReport"),
         [](DesignSource& source) { tools::OpenTool(QStringLiteral("frmDesignReport"), source); }});
}

} // namespace vt
