#include "dialogs/registerdialogs.h"

#include "app/programstate.h"
#include "dialogs/frmprint.h"

namespace vt {

void RegisterDialogWindows() {
    Windows().registerFactory(QStringLiteral("frmPrint"), [] { return new frmPrint; });
}

} // namespace vt
