// The shell's windows: start-up window, warning pop-ups and about box.
#pragma once

#include "app/windownames.h"
#include "evaluation/installeddata.h"

#include <QString>

namespace vt {

// Tells the window registry how to create frmSplash, frmPopUpWH, frmPopUpFOS,
// frmAbout and frmUserGuide.
void RegisterShellWindows();

inline const QString kPopUpWH = names::frmPopUpWH;
inline const QString kPopUpFOS = names::frmPopUpFOS;
inline const QString kWidthHeightWarning = QStringLiteral("The Width:Height ratio is too small");
inline const QString kSafetyWarning = QStringLiteral("The Factor of Safety is too small");

// Sets the text of the named pop-up (creating it, which starts its two
// seconds) and shows it without an owner and without waiting.
void RaisePopUp(const QString& name, const QString& text);

// The default modelling-results file's name and the installed data folder
// (evaluation/installeddata.h, shared with vt-evaluate).
using evaluation::InstalledDataFolder;
using evaluation::kDefaultResultsFileName;

// Where the default modelling-results file is: always an absolute path, in
// the program's own installed data folder (or in State().DataFolder when that
// is set); on Windows the literal "c:\Program Files\..." path where that file
// exists. Never in the working directory and never in the source tree.
QString DefaultModellingResultsPath();

} // namespace vt
