#include "tools/placement.h"

#include "tools/toolwindow.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace vt::tools {

namespace {

bool Free(const QRect& place, const QRect& area, const QRect& screen,
          const std::vector<QRect>& taken) {
    if (!area.contains(place) || place.intersects(screen))
        return false;
    return std::none_of(taken.begin(), taken.end(),
                        [&place](const QRect& t) { return place.intersects(t); });
}

// The top that keeps `place` on the area, as near `top` as may be.
int ClampedTop(int top, int height, const QRect& area) {
    return std::clamp(top, area.top(), std::max(area.top(), area.bottom() + 1 - height));
}

} // namespace

QRect PlaceBeside(QSize tool, const QRect& screen, const QRect& area,
                  const std::vector<QRect>& taken) {
    const QSize size = tool.boundedTo(area.size());
    auto at = [&](int left, int top) {
        return QRect(QPoint(left, ClampedTop(top, size.height(), area)), size);
    };
    std::vector<QRect> candidates = {at(screen.right() + 1, screen.top()),
                                     at(screen.left() - size.width(), screen.top())};
    for (const QRect& t : taken) {
        candidates.push_back(at(t.right() + 1, t.top()));
        candidates.push_back(at(t.left() - size.width(), t.top()));
    }
    for (const QRect& t : taken)
        candidates.push_back(at(t.left(), t.bottom() + 1));
    for (const QRect& place : candidates)
        if (Free(place, area, screen, taken))
            return place;
    // No free place: beside the screen on the side with more room, as far
    // from it as the area allows.
    const int roomRight = area.right() - screen.right();
    const int roomLeft = screen.left() - area.left();
    const int left = roomRight >= roomLeft ? area.right() + 1 - size.width() : area.left();
    return at(left, screen.top());
}

void PlaceBeside(QWidget* window, const QWidget* screen) {
    if (!window || !screen)
        return;
    const QScreen* display = screen->screen() ? screen->screen() : QGuiApplication::primaryScreen();
    if (!display)
        return;
    // The window's frame, as far as it is known before it is first shown
    // (the frame margins are then the screen's).
    const QMargins frame(window->geometry().left() - window->frameGeometry().left(),
                         window->geometry().top() - window->frameGeometry().top(),
                         window->frameGeometry().right() - window->geometry().right(),
                         window->frameGeometry().bottom() - window->geometry().bottom());
    const QMargins screenFrame(screen->geometry().left() - screen->frameGeometry().left(),
                               screen->geometry().top() - screen->frameGeometry().top(),
                               screen->frameGeometry().right() - screen->geometry().right(),
                               screen->frameGeometry().bottom() - screen->geometry().bottom());
    const QMargins margins = window->isVisible() ? frame : screenFrame;
    std::vector<QRect> taken;
    for (QWidget* other : QApplication::topLevelWidgets())
        if (other != window && other->isVisible() && dynamic_cast<ToolWindow*>(other))
            taken.push_back(other->frameGeometry());
    // A window never sized yet takes its layout's size when shown.
    const QSize size = window->testAttribute(Qt::WA_Resized) ? window->size() : window->sizeHint();
    const QSize wanted = size.expandedTo(window->minimumSizeHint()).grownBy(margins);
    const QRect place =
        PlaceBeside(wanted, screen->frameGeometry(), display->availableGeometry(), taken);
    window->resize(place.size().shrunkBy(margins));
    window->move(place.topLeft());
}

} // namespace vt::tools
