// Where the installed program keeps its data: the window program and
// vt-evaluate find the default modelling-results file the same way.
#pragma once

#include <QString>

namespace vt::evaluation {

// The name of the default modelling-results file.
inline const QString kDefaultResultsFileName = QStringLiteral("RazuziRurida - Do not delete.int");

// The installed data folder of a program in <prefix>/<folder>/ (normally
// <prefix>/bin): <prefix>/share/vandrel-tessaron. A build tree holds a copy of
// the data there too, one level above the folder of its program.
QString InstalledDataFolder(const QString& programFolder);

} // namespace vt::evaluation
