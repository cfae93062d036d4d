#include "design/follower.h"

#include <QWidget>

namespace vt::design {

SourceFollower::SourceFollower(QObject* parent)
    : QObject(parent) {
    coalesce_.setSingleShot(true);
    coalesce_.setInterval(0);
    connect(&coalesce_, &QTimer::timeout, this, &SourceFollower::changed);
}

void SourceFollower::follow(DesignSource* source) {
    QObject::disconnect(connection_);
    source_ = source;
    guard_ = dynamic_cast<QObject*>(source);
    guarded_ = !guard_.isNull();
    if (source_)
        connection_ = source_->onDesignChanged(this, [this] { coalesce_.start(); });
    coalesce_.stop();
    emit changed();
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

} // namespace vt::design
