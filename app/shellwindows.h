// The shell's windows: start-up window, warning pop-ups and about box.
#pragma once

#include <QString>

namespace vt {

// Tells the window registry how to create frmSplash, frmPopUpWH, frmPopUpFOS
// and frmAbout.
void RegisterShellWindows();

inline const QString kPopUpWH = QStringLiteral("frmPopUpWH");
inline const QString kPopUpFOS = QStringLiteral("frmPopUpFOS");
inline const QString kWidthHeightWarning = QStringLiteral("The Width:Height ratio is too small");
inline const QString kSafetyWarning = QStringLiteral("The Factor of Safety is too small");

// Sets the text of the named pop-up (creating it, which starts its two
// seconds) and shows it without an owner and without waiting.
void RaisePopUp(const QString& name, const QString& text);

// Where the default modelling-results file is: the literal Windows path where
// it exists, else beside the installed program, else in the source tree.
QString DefaultModellingResultsPath();

} // namespace vt
