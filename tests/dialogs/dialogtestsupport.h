// Support for the dialog tests: stand-in calculation screens registered under
// the real names, and small helpers to act on real widgets.
#pragma once

#include "app/interfaces.h"
#include "app/programstate.h"
#include "program/registerwindows.h"
#include "tests/support/fields.h"

#include <QComboBox>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QWidget>
#include <functional>
#include <map>

namespace vt::test {

// Registers stand-ins for the duration of a test and puts the program's own
// windows back afterwards.
class FakeWindows {
public:
    FakeWindows() = default;
    ~FakeWindows() { RegisterWindows(); }
    FakeWindows(const FakeWindows&) = delete;
    FakeWindows& operator=(const FakeWindows&) = delete;

    void add(const QString& name, WindowRegistry::Factory factory) {
        Windows().registerFactory(name, std::move(factory));
    }
};

// A screen that takes K into an editable drop-down, as the real screens do,
// whose change handler logs every text it gets, as "<screen>=<text>".
class ScreenWithK : public QWidget, public StrengthConstantTarget {
public:
    ScreenWithK(const QString& name, QStringList* log) {
        cboK = new QComboBox(this);
        cboK->setObjectName(QStringLiteral("cboK"));
        cboK->setEditable(true);
        QObject::connect(
            cboK, &QComboBox::currentTextChanged, this,
            [name, log](const QString& text) { *log << name + QLatin1Char('=') + text; });
    }
    void setStrengthConstant(const QString& k) override { cboK->setEditText(k); }

    QComboBox* cboK = nullptr;
};

inline QWidget* MakeScreenWithK(const QString& name, QStringList* log) {
    return new ScreenWithK(name, log);
}

} // namespace vt::test
