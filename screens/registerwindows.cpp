#include "screens/registerwindows.h"

#include "app/programstate.h"
#include "app/shellwindows.h"
#include "dialogs/registerdialogs.h"
#include "screens/frmmodelled.h"
#include "screens/frmtributary.h"

namespace vt {

void RegisterWindows() {
    RegisterShellWindows();
    RegisterDialogWindows();
    Windows().registerFactory(QStringLiteral("frmTributary"), [] { return new frmTributary; });
    Windows().registerFactory(QStringLiteral("frmModelled"), [] { return new frmModelled; });
}

} // namespace vt
