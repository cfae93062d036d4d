#include "probability/registerprobability.h"

#include "app/interfaces.h"
#include "app/programstate.h"
#include "probability/frmprobability.h"
#include "tools/toolwindow.h"

namespace vt {

void RegisterProbabilityWindows() {
    Windows().registerFactory(QStringLiteral("frmProbability"), [] { return new frmProbability; });
    Windows().addDesignMenuItem(
        {QStringLiteral("&Probability of failure..."), QStringLiteral("mnuProbability"),
         [](DesignSource& source) { tools::OpenTool(QStringLiteral("frmProbability"), source); }});
}

} // namespace vt
