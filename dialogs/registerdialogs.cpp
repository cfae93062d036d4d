#include "dialogs/registerdialogs.h"

#include "dialogs/report.h"

namespace vt {

void RegisterDialogWindows() {}

void RequestReport(const ReportRequest&) {}

} // namespace vt
