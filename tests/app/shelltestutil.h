// Helpers for the shell's window tests.
#pragma once

#include "app/programstate.h"
#include "program/registerwindows.h"

#include <QLabel>
#include <QMetaObject>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

namespace vt::test {

// Shows the named window through the registry and waits until it is on screen.
inline QWidget* ShowAndExpose(const QString& name) {
    QWidget* w = Windows().show(name);
    if (w) {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(w)) << name.toStdString();
    }
    return w;
}

// Fires the window's Timer1 as a real tick would.
inline void Tick(QWidget* window) {
    auto* timer = window->findChild<QTimer*>(QStringLiteral("Timer1"));
    ASSERT_NE(timer, nullptr);
    QMetaObject::invokeMethod(timer, "timeout");
}

// The index of the one visible picture Image1(i), -1 when none is visible and
// -2 when several are.
inline int VisiblePicture(QWidget* window, int count) {
    int found = -1;
    for (int i = 0; i < count; ++i) {
        auto* picture = window->findChild<QLabel*>(QStringLiteral("Image1(%1)").arg(i));
        if (!picture)
            return -3;
        if (picture->isVisible())
            found = found == -1 ? i : -2;
    }
    return found;
}

// Puts the program's own window factories back when a test has replaced some.
struct RestoreWindows {
    RestoreWindows() = default;
    RestoreWindows(const RestoreWindows&) = delete;
    RestoreWindows& operator=(const RestoreWindows&) = delete;
    ~RestoreWindows() { RegisterWindows(); }
};

} // namespace vt::test
