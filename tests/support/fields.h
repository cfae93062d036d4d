// Reaching a window's widgets and fields by object name, as tests and users'
// scripts reach them: a combo's text, a box's text, a label's caption.
#pragma once

#include "screens/builders.h"

#include <QComboBox>
#include <QLineEdit>
#include <QString>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <ostream>

// Readable failures for texts.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace vt::test {

// The child of that name and type; nullptr when there is none.
template <class T = QWidget> T* Child(const QWidget* window, const char* name) {
    return window ? window->findChild<T*>(QString::fromLatin1(name)) : nullptr;
}

// The child of that name, which must exist.
inline QWidget* Field(const QWidget* window, const QString& name) {
    QWidget* w = window->findChild<QWidget*>(name);
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
}

// The shown text of a combo, box, label or button.
inline QString FieldText(const QWidget* window, const QString& name) {
    return TextOf(window->findChild<QWidget*>(name));
}
inline QString FieldText(const QWidget* window, const char* name) {
    return FieldText(window, QString::fromLatin1(name));
}
inline QString Text(const QWidget* window, const QString& name) {
    return TextOf(Field(window, name));
}

// Writes an input as code would (its change handling runs); a label takes the
// text without copying it to its twin.
inline void SetField(QWidget* window, const QString& name, const QString& text) {
    SetTextOf(window->findChild<QWidget*>(name), text);
}

// The line edit a user types into: a combo's editor or the box itself.
inline QLineEdit* EditorOf(QWidget* w) {
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return combo->lineEdit();
    return qobject_cast<QLineEdit*>(w);
}

// Shows a window and waits until it is on screen.
inline bool ShowAndWait(QWidget* window) {
    window->show();
    return QTest::qWaitForWindowExposed(window);
}

} // namespace vt::test
