#include "tools/follower.h"

#include <QEvent>
#include <QWidget>

namespace vt::tools {

SourceFollower::SourceFollower(QObject* parent)
    : QObject(parent) {
    coalesce_.setSingleShot(true);
    coalesce_.setInterval(0);
    connect(&coalesce_, &QTimer::timeout, this, &SourceFollower::changed);
}

void SourceFollower::forget() {
    QObject::disconnect(connection_);
    QObject::disconnect(destroyed_);
    if (guard_)
        guard_->removeEventFilter(this);
    source_ = nullptr;
    guard_ = nullptr;
    guarded_ = false;
    coalesce_.stop();
}

void SourceFollower::follow(DesignSource* source) {
    forget();
    source_ = source;
    guard_ = dynamic_cast<QObject*>(source);
    guarded_ = !guard_.isNull();
    if (source_)
        connection_ = source_->onDesignChanged(this, [this] { coalesce_.start(); });
    if (guard_) {
        guard_->installEventFilter(this);
        destroyed_ = connect(guard_.data(), &QObject::destroyed, this, [this] {
            forget();
            emit gone();
        });
    }
    emit changed();
}

bool SourceFollower::eventFilter(QObject* watched, QEvent* event) {
    // A hide the program asks for (not the user's minimising) takes the
    // screen out of sight: what works on it goes with it.
    if (watched == guard_ && event->type() == QEvent::Hide && !event->spontaneous() &&
        watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow()) {
        forget();
        emit gone();
    }
    return QObject::eventFilter(watched, event);
}

DesignSource* SourceFollower::source() const {
    // A screen that is a QObject is followed only while it lives.
    if (guarded_ && guard_.isNull())
        return nullptr;
    return source_;
}

QWidget* SourceFollower::sourceWindow() const {
    return source() ? qobject_cast<QWidget*>(guard_.data()) : nullptr;
}

} // namespace vt::tools
