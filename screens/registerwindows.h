// Tells the window registry how to create every window of the program.
#pragma once

namespace vt {
void RegisterWindows();
}
