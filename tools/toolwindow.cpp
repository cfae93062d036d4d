#include "tools/toolwindow.h"

#include "app/programstate.h"
#include "app/userguide.h"
#include "tools/placement.h"

#include <QEvent>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <algorithm>
#include <utility>

namespace vt::tools {

ToolWindow::ToolWindow(QString guideAnchor, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , guideAnchor_(std::move(guideAnchor)) {
    connect(&follower_, &SourceFollower::changed, this, [this] { sourceChanged(); });
    // A tool belongs to its screen.
    connect(&follower_, &SourceFollower::gone, this, &QWidget::close);
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    help->setObjectName(QStringLiteral("shortcutUserGuide"));
    connect(help, &QShortcut::activated, this, [this] { ShowUserGuide(guideAnchor_); });
}

void ToolWindow::follow(DesignSource* source) {
    aboutToFollow(source);
    follower_.follow(source);
}

void ToolWindow::placed() {
    keeps_ = 1;
    placedAt_.start();
    QTimer::singleShot(250, this, &ToolWindow::keepOnDisplay);
}

bool ToolWindow::event(QEvent* event) {
    if (event->type() == QEvent::Move || event->type() == QEvent::WindowActivate)
        keepOnDisplay();
    return QWidget::event(event);
}

void ToolWindow::keepOnDisplay() {
    if (keeps_ == 0 || keeps_ >= 4 || placedAt_.hasExpired(2000) || !isVisible() || !screen())
        return;
    const QRect area = screen()->availableGeometry();
    const QRect frame = frameGeometry();
    if (area.contains(frame))
        return;
    ++keeps_;
    move(std::clamp(frame.left(), area.left(),
                    std::max(area.left(), area.right() + 1 - frame.width())),
         std::clamp(frame.top(), area.top(),
                    std::max(area.top(), area.bottom() + 1 - frame.height())));
}

QString ToolWindow::sourceTitle() const {
    const QWidget* window = sourceWindow();
    return window ? window->windowTitle() : QString();
}

void OpenTool(const QString& name, DesignSource& source) {
    QWidget* window = Windows().window(name);
    auto* tool = dynamic_cast<DesignTool*>(window);
    if (!tool)
        return;
    tool->follow(&source);
    if (!window->isVisible())
        if (auto* shell = dynamic_cast<ToolWindow*>(window)) {
            PlaceBeside(window, shell->sourceWindow());
            shell->placed();
        }
    Windows().show(name);
}

} // namespace vt::tools
