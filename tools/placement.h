// Where a tool window opens: beside the screen it works on, not over it nor
// over the other tools open beside it, whole on that screen's display.
#pragma once

#include <QRect>
#include <QSize>
#include <vector>

class QWidget;

namespace vt::tools {

// The frame of a tool of frame size `tool` on the display area `area`: right
// of the screen's frame `screen`, else left of it, else right or left of one
// of the tools already open (`taken`), else below one of them, wherever it
// stands whole on the area and over none of them; where no place is free, the
// side of the screen with more room, as far from the screen as the area lets
// it, and top-aligned with it. A tool larger than the area is made to fit it.
QRect PlaceBeside(QSize tool, const QRect& screen, const QRect& area,
                  const std::vector<QRect>& taken);

// Moves (and, where it is larger than the display, shrinks) `window` to its
// place beside `screen`, away from the other tool windows shown.
void PlaceBeside(QWidget* window, const QWidget* screen);

} // namespace vt::tools
