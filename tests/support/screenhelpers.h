// Helpers for driving the calculation screens as a user would: open a screen,
// type into a field, pick a list item, press a button, read a field.
#pragma once

#include "app/programstate.h"
#include "screens/calculationscreen.h"
#include "tests/support/designs.h"
#include "tests/support/fields.h"
#include "tests/support/programtest.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <ostream>

namespace vt::test {

// Readable failures for recorded message boxes.
inline void PrintTo(const RecordedMessage& message, std::ostream* os) {
    *os << '"' << message.text.toStdString() << "\" / \"" << message.title.toStdString() << '"';
}

inline CalculationScreen* OpenScreen(const QString& name) {
    auto* screen = dynamic_cast<CalculationScreen*>(Windows().show(name));
    if (screen) {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(screen));
        EXPECT_TRUE(QTest::qWaitForWindowActive(screen));
    }
    return screen;
}

// Shows the tab that holds the field, then replaces its text by typing.
inline void Type(CalculationScreen* screen, const QString& name, const QString& text) {
    QWidget* w = Field(screen, name);
    for (int i = 0; i < screen->tabs()->count(); ++i)
        if (screen->tabs()->widget(i)->isAncestorOf(w))
            screen->tabs()->setCurrentIndex(i);
    QLineEdit* editor = EditorOf(w);
    ASSERT_NE(editor, nullptr) << name.toStdString();
    editor->setFocus();
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_Delete);
    if (!text.isEmpty())
        QTest::keyClicks(editor, text);
}

// Picks the list item with this text.
inline void Pick(CalculationScreen* screen, const QString& name, const QString& item) {
    auto* combo = qobject_cast<QComboBox*>(Field(screen, name));
    ASSERT_NE(combo, nullptr);
    const int index = combo->findText(item);
    ASSERT_GE(index, 0) << item.toStdString();
    combo->setCurrentIndex(index);
}

// Clicks a button on its own tab, as a user has to.
inline void Press(CalculationScreen* screen, const QString& name) {
    QWidget* w = Field(screen, name);
    for (int i = 0; i < screen->tabs()->count(); ++i)
        if (screen->tabs()->widget(i)->isAncestorOf(w))
            screen->tabs()->setCurrentIndex(i);
    ASSERT_TRUE(w->isVisible()) << name.toStdString();
    QTest::mouseClick(w, Qt::LeftButton);
}

// Triggers the item of the screen's Design menu with that object name.
inline void ChooseDesignItem(CalculationScreen* screen, const char* item) {
    QAction* action = nullptr;
    for (QAction* a : screen->designMenu()->actions())
        if (a->objectName() == QLatin1String(item))
            action = a;
    ASSERT_NE(action, nullptr) << item;
    action->trigger();
}

inline bool IsTributary(const CalculationScreen* screen) {
    return screen->objectName() == QLatin1String("frmTributary");
}

// Tab 0 of either screen with the plan of the standard tributary design
// (pillar 10 x 10, bords 12 x 12, depth 500) and the stress of its density
// 2.7 (tributary) or the same stress typed (modelled).
inline void FillPillarStressTab(CalculationScreen* screen) {
    const evaluation::DesignTexts d = TributaryDesign();
    if (IsTributary(screen))
        Pick(screen, QStringLiteral("cboRockDensity"), d.density);
    else
        Type(screen, QStringLiteral("txtPillarStress"), QStringLiteral("64.0985"));
    Type(screen, QStringLiteral("txtDepth"), d.depth);
    Pick(screen, QStringLiteral("cboPillarWidth1"), d.width);
    Pick(screen, QStringLiteral("cboPillarLength"), d.length);
    Pick(screen, QStringLiteral("cboBordWidth"), d.bord1);
    Pick(screen, QStringLiteral("cboBordWidth2"), d.bord2);
}

inline QString StressStepButton(const CalculationScreen* screen) {
    return IsTributary(screen) ? QStringLiteral("cmdCalculatePillarStress")
                               : QStringLiteral("cmdCalculatePercentageExtraction");
}

// The whole road: tab 0, "Calculate and Continue", K 100 and the height,
// "Calculate and Continue". With height 5: W:H 2 and FOS 1.5, both red.
inline void RunFullEvaluation(CalculationScreen* screen, const QString& height) {
    FillPillarStressTab(screen);
    Press(screen, QStringLiteral("cmdCalculateAndContinue1"));
    Pick(screen, QStringLiteral("cboK"), TributaryDesign().k);
    Type(screen, QStringLiteral("cboPillarHeight"), height);
    Press(screen, QStringLiteral("cmdCalculateAndContinue2"));
}

// The tributary screen given the design as code would give it (each field's
// change handling runs), then "Calculate and Continue" and "Calculate the
// Pillar strength". The standard design shows FOS 1.5.
inline void EvaluateByCode(CalculationScreen* screen,
                           const evaluation::DesignTexts& d = TributaryDesign()) {
    const std::pair<const char*, QString> inputs[] = {
        {"cboRockDensity", d.density}, {"txtDepth", d.depth}, {"cboPillarWidth1", d.width},
        {"cboPillarLength", d.length}, {"cboK", d.k},         {"cboPillarHeight", d.height}};
    for (const auto& [name, text] : inputs)
        SetField(screen, QString::fromLatin1(name), text);
    QTest::mouseClick(screen->findChild<QPushButton*>(QStringLiteral("cmdCalculateAndContinue1")),
                      Qt::LeftButton);
    QTest::mouseClick(screen->findChild<QPushButton*>(QStringLiteral("cmdCalculatePillarStrength")),
                      Qt::LeftButton);
}

} // namespace vt::test
