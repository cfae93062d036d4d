#include "app/programstate.h"

#include <QCoreApplication>
#include <QEvent>
#include <QVariant>

namespace vt {

namespace {
const char* const kClosingProperty = "vtClosing";
const char* const kClosedByProgramProperty = "vtClosedByProgram";

// Marks a window as closing as soon as a close reaches it (our windows never
// refuse a close), so that the registry forgets it at once although Qt deletes
// it only later, and a nested close leaves it alone.
class CloseWatcher : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Close)
            if (auto* w = qobject_cast<QWidget*>(watched); w && w->isWindow())
                WindowRegistry::markClosing(w);
        return false;
    }
};

CloseWatcher& Watcher() {
    static CloseWatcher watcher;
    return watcher;
}
} // namespace

ProgramState& State() {
    static ProgramState state;
    return state;
}

void WindowRegistry::registerFactory(const QString& name, Factory factory) {
    factories_[name] = std::move(factory);
}

bool WindowRegistry::hasFactory(const QString& name) const {
    return factories_.count(name) > 0;
}

QWidget* WindowRegistry::existing(const QString& name) const {
    auto it = windows_.find(name);
    if (it == windows_.end() || it->second.isNull() || isClosing(it->second.data()))
        return nullptr;
    return it->second.data();
}

QWidget* WindowRegistry::window(const QString& name) {
    if (QWidget* w = existing(name))
        return w;
    auto it = factories_.find(name);
    if (it == factories_.end())
        return nullptr;
    QWidget* w = it->second();
    w->setObjectName(name);
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->installEventFilter(&Watcher());
    windows_[name] = w;
    return w;
}

QWidget* WindowRegistry::show(const QString& name) {
    QWidget* w = window(name);
    if (w) {
        w->show();
        w->raise();
        w->activateWindow();
    }
    return w;
}

void WindowRegistry::close(const QString& name) {
    QWidget* w = existing(name); // nullptr when absent or already closing
    if (!w)
        return;
    markClosing(w);
    w->setProperty(kClosedByProgramProperty, true);
    w->close();
}

void WindowRegistry::markClosing(QWidget* window) {
    window->setProperty(kClosingProperty, true);
}

bool WindowRegistry::isClosing(const QWidget* window) {
    return window->property(kClosingProperty).toBool();
}

void WindowRegistry::markOpen(QWidget* window) {
    window->setProperty(kClosingProperty, false);
    window->setProperty(kClosedByProgramProperty, false);
}

bool WindowRegistry::closedByProgram(const QWidget* window) {
    return window->property(kClosedByProgramProperty).toBool();
}

QStringList WindowRegistry::role(WindowRole role) const {
    const auto it = roles_.find(role);
    return it == roles_.end() ? QStringList() : it->second;
}

void CloseAllWindows() {
    // A copy: closing a window may close all again.
    const QStringList order = Windows().closeOrder();
    for (const QString& name : order)
        Windows().close(name);
}

void EndProgram() {
    if (State().endProgram)
        State().endProgram();
    else
        QCoreApplication::exit(0);
}

} // namespace vt
