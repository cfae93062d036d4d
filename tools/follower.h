// How a design tool window follows its calculation screen: it hears every
// change of the screen's design, coalesced into one call after the events of
// the moment (a 0 ms single shot), and it forgets the screen when it is gone.
#pragma once

#include "app/interfaces.h"

#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>

namespace vt::design {

class SourceFollower : public QObject {
    Q_OBJECT
public:
    explicit SourceFollower(QObject* parent = nullptr);

    // Follows `source` (none: nothing); a changed() follows at once.
    void follow(DesignSource* source);
    // The screen followed, while it exists.
    DesignSource* source() const;
    // The window of the screen followed, when it is one.
    QWidget* sourceWindow() const;

signals:
    // The design changed (one signal for a burst of changes).
    void changed();

private:
    DesignSource* source_ = nullptr;
    QPointer<QObject> guard_;
    bool guarded_ = false; // the screen is a QObject, watched by guard_
    QMetaObject::Connection connection_;
    QTimer coalesce_;
};

} // namespace vt::design
