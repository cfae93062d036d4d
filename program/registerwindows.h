// The composition root: tells the window registry how to create every window
// of the program, the order in which CloseAllWindows closes them, and which
// windows play which part for the others.
#pragma once

namespace vt {
void RegisterWindows();
}
