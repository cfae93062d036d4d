// Where a design tool window opens: beside the screen it follows, on the
// side with room, whole on that screen's display.
#pragma once

class QWidget;

namespace vt::design {

void PlaceBeside(QWidget* window, const QWidget* screen);

} // namespace vt::design
