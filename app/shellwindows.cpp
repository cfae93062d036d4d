#include "app/shellwindows.h"

namespace vt {

void RegisterShellWindows() {}

void RaisePopUp(const QString&, const QString&) {}

QString DefaultModellingResultsPath() { return {}; }

} // namespace vt
