#include "dialogs/registerdialogs.h"

#include "app/programstate.h"
#include "dialogs/frmfileopen.h"
#include "dialogs/frmmedianucs.h"
#include "dialogs/frmprint.h"
#include "dialogs/frmrazuziruridadimensions.h"

namespace vt {

void RegisterDialogWindows() {
    Windows().registerFactory(QStringLiteral("frmMedianUCS"), [] { return new frmMedianUCS; });
    Windows().registerFactory(QStringLiteral("frmRazuziRuridaDimensions"),
                              [] { return new frmRazuziRuridaDimensions; });
    Windows().registerFactory(QStringLiteral("frmFileOpen"), [] { return new frmFileOpen; });
    Windows().registerFactory(QStringLiteral("frmPrint"), [] { return new frmPrint; });
}

} // namespace vt
