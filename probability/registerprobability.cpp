#include "probability/registerprobability.h"

#include "app/interfaces.h"
#include "app/programstate.h"
#include "app/windownames.h"
#include "probability/frmprobability.h"
#include "tools/toolwindow.h"

namespace vt {

void RegisterProbabilityWindows() {
    Windows().registerFactory(names::frmProbability, [] { return new frmProbability; });
    Windows().addDesignMenuItem(
        {QStringLiteral("&Probability of failure..."), QStringLiteral("mnuProbability"),
         [](DesignSource& source) { tools::OpenTool(names::frmProbability, source); }});
}

} // namespace vt
