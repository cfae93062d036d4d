#include "design/placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace vt::design {

void PlaceBeside(QWidget* window, const QWidget* screen) {
    if (!screen)
        return;
    const QScreen* display = screen->screen() ? screen->screen() : QGuiApplication::primaryScreen();
    if (!display)
        return;
    const QRect area = display->availableGeometry();
    const QRect beside = screen->frameGeometry();
    QRect place(QPoint(0, 0), window->size().boundedTo(area.size()));
    // Right of the screen where that fits, else left of it, else as far right as fits.
    if (beside.right() + 1 + place.width() <= area.right() + 1)
        place.moveLeft(beside.right() + 1);
    else if (beside.left() - place.width() >= area.left())
        place.moveRight(beside.left() - 1);
    else
        place.moveRight(area.right());
    place.moveTop(std::clamp(beside.top(), area.top(), area.bottom() + 1 - place.height()));
    window->resize(place.size());
    window->move(place.topLeft());
}

} // namespace vt::design
