#include "dialogs/registerdialogs.h"

#include "app/programstate.h"
#include "app/windownames.h"
#include "dialogs/frmfileopen.h"
#include "dialogs/frmmedianucs.h"
#include "dialogs/frmprint.h"
#include "dialogs/frmrazuziruridadimensions.h"

namespace vt {

void RegisterDialogWindows() {
    Windows().registerFactory(names::frmMedianUCS, [] { return new frmMedianUCS; });
    Windows().registerFactory(names::frmRazuziRuridaDimensions,
                              [] { return new frmRazuziRuridaDimensions; });
    Windows().registerFactory(names::frmFileOpen, [] { return new frmFileOpen; });
    Windows().registerFactory(names::frmPrint, [] { return new frmPrint; });
}

} // namespace vt
