#include "screens/registerwindows.h"

#include "app/shellwindows.h"
#include "dialogs/registerdialogs.h"

namespace vt {

void RegisterWindows() {
    RegisterShellWindows();
    RegisterDialogWindows();
    // The three calculation screens are registered here as they are built.
}

} // namespace vt
