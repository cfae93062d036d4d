#include "tools/toolwindow.h"

#include "app/programstate.h"
#include "tools/placement.h"

namespace vt::tools {

ToolWindow::ToolWindow(QWidget* parent)
    : QWidget(parent, Qt::Window) {
    connect(&follower_, &SourceFollower::changed, this, [this] { sourceChanged(); });
    // A tool belongs to its screen.
    connect(&follower_, &SourceFollower::gone, this, &QWidget::close);
}

void ToolWindow::follow(DesignSource* source) {
    aboutToFollow(source);
    follower_.follow(source);
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
        if (auto* shell = dynamic_cast<ToolWindow*>(window))
            PlaceBeside(window, shell->sourceWindow());
    Windows().show(name);
}

} // namespace vt::tools
