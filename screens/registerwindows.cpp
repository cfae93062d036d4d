#include "screens/registerwindows.h"

#include "app/programstate.h"
#include "app/shellwindows.h"
#include "dialogs/registerdialogs.h"
#include "screens/frminterpolate.h"
#include "screens/frmmodelled.h"
#include "screens/frmtributary.h"

namespace vt {

void RegisterWindows() {
    RegisterShellWindows();
    RegisterDialogWindows();
    Windows().registerFactory(QStringLiteral("frmTributary"), [] { return new frmTributary; });
    Windows().registerFactory(QStringLiteral("frmModelled"), [] { return new frmModelled; });
    Windows().registerFactory(QStringLiteral("frmInterpolate"), [] { return new frmInterpolate; });
}

} // namespace vt
