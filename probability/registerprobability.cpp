#include "probability/registerprobability.h"

#include "app/interfaces.h"
#include "app/programstate.h"
#include "probability/frmprobability.h"

namespace vt {

void RegisterProbabilityWindows() {
    Windows().registerFactory(QStringLiteral("frmProbability"), [] { return new frmProbability; });
    Windows().addDesignMenuItem({QStringLiteral("&Probability of failure..."),
                                 QStringLiteral("mnuProbability"), [](DesignSource& source) {
                                     auto* tool = dynamic_cast<DesignTool*>(
                                         Windows().show(QStringLiteral("frmProbability")));
                                     if (tool)
                                         tool->follow(&source);
                                 }});
}

} // namespace vt
