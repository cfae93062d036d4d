// The composition root: tells the window registry how to create every window
// of the program, the order in which CloseAllWindows closes them, and which
// windows play which part for the others.
#pragma once

#include <QString>

class QWidget;

namespace vt {
void RegisterWindows();

// Shows the start-up window as the program starts; with an evaluation file
// (the command line's), "ACCEPT" opens it on its screen.
QWidget* ShowStartWindow(const QString& evaluationFile = {});
} // namespace vt
