// Reading and writing a window's fields by object name, as tests and users'
// scripts reach them: a combo's text, a box's text, a label's caption.
#pragma once

#include "screens/builders.h"

#include <QString>
#include <QWidget>

namespace vt::test {

inline QString FieldText(const QWidget* window, const QString& name) {
    return TextOf(window->findChild<QWidget*>(name));
}
inline QString FieldText(const QWidget* window, const char* name) {
    return FieldText(window, QString::fromLatin1(name));
}

// Writes an input as code would (its change handling runs); a label takes the
// text without copying it to its twin.
inline void SetField(QWidget* window, const QString& name, const QString& text) {
    SetTextOf(window->findChild<QWidget*>(name), text);
}

} // namespace vt::test
