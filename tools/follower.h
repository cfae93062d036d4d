// How a tool window follows its calculation screen: it hears every change of
// the screen's design, coalesced into one call after the events of the
// moment (a 0 ms single shot), and it hears when the screen leaves the
// user's sight (the program hides it, as opening an evaluation of another
// method does, or it is closed and deleted). A screen minimised by the user
// is still the tool's screen.
#pragma once

#include "app/interfaces.h"

#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QTimer>

class QWidget;

namespace vt::tools {

class SourceFollower : public QObject {
    Q_OBJECT
public:
    explicit SourceFollower(QObject* parent = nullptr);

    // Follows `source` (none: nothing); a changed() follows at once.
    void follow(DesignSource* source);
    // The screen followed, while it exists and is not gone.
    DesignSource* source() const;
    // The window of the screen followed, when it is one.
    QWidget* sourceWindow() const;

signals:
    // The design changed (one signal for a burst of changes).
    void changed();
    // The screen followed was hidden by the program, closed or deleted; it
    // is followed no more.
    void gone();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void forget();

    DesignSource* source_ = nullptr;
    QPointer<QObject> guard_;
    bool guarded_ = false; // the screen is a QObject, watched by guard_
    QMetaObject::Connection connection_;
    QMetaObject::Connection destroyed_;
    QTimer coalesce_;
};

} // namespace vt::tools
