// The probability window opened from a calculation screen's "&Design" menu,
// driven as a user drives it.
#pragma once

#include "app/programstate.h"
#include "probability/frmprobability.h"
#include "results/core/modellingfile.h"
#include "screens/calculationscreen.h"
#include "tests/support/modellingtables.h"
#include "tests/support/programtest.h"
#include "tests/support/screenhelpers.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <string_view>

namespace vt::test {

class ProbabilityTest : public ProgramTest {
protected:
    // The screen with a whole evaluation: FOS 1.5 on the tributary and
    // modelled screens (height 5); on the interpolation screen width 5 at
    // depth 150 (stress 27.5), K 30, height 2: FOS 1.5.
    CalculationScreen* openDesign(const QString& name) {
        CalculationScreen* screen = OpenScreen(name);
        if (!screen)
            return nullptr;
        if (name == QLatin1String("frmInterpolate")) {
            if (!loadTable(screen))
                return nullptr;
            Type(screen, QStringLiteral("cboPillarWidth1"), QStringLiteral("5"));
            Type(screen, QStringLiteral("txtDepth"), QStringLiteral("150"));
            Press(screen, QStringLiteral("cmdCalculateAndContinue1"));
            Pick(screen, QStringLiteral("cboK"), QStringLiteral("30"));
            Type(screen, QStringLiteral("cboPillarHeight"), QStringLiteral("2"));
            Press(screen, QStringLiteral("cmdCalculateAndContinue2"));
        } else {
            RunFullEvaluation(screen, QStringLiteral("5"));
        }
        return screen;
    }

    bool loadTable(CalculationScreen* screen) {
        const QString path = dir.filePath(QStringLiteral("two.int"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        file.write(kWidths5And7.data(), static_cast<qint64>(kWidths5And7.size()));
        file.close();
        if (!results::ReadModellingText(State().ModellingResults,
                                        QFile::encodeName(path).toStdString()))
            return false;
        auto* target = dynamic_cast<ModellingResultsScreen*>(screen);
        return target && target->LoadModellingResults();
    }

    // "&Probability of failure..." in the screen's "&Design" menu.
    frmProbability* openTool(CalculationScreen* screen) {
        QAction* item = nullptr;
        for (QAction* action : screen->designMenu()->actions())
            if (action->objectName() == QLatin1String("mnuProbability"))
                item = action;
        EXPECT_NE(item, nullptr);
        if (!item)
            return nullptr;
        EXPECT_EQ(item->text(), QStringLiteral("&Probability of failure..."));
        item->trigger();
        auto* tool = Windows().existing<frmProbability>(QStringLiteral("frmProbability"));
        if (tool) {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(tool));
        }
        QCoreApplication::processEvents();
        return tool;
    }

    // The screen with its evaluation and the window opened from it.
    frmProbability* openOn(const char* name) {
        screen = openDesign(QString::fromLatin1(name));
        EXPECT_NE(screen, nullptr) << name;
        return screen ? openTool(screen) : nullptr;
    }

    template <class T> static T* child(const QWidget* w, const QString& name) {
        T* c = w->findChild<T*>(name);
        EXPECT_NE(c, nullptr) << name.toStdString();
        return c;
    }
    static QString label(const QWidget* w, const char* name) {
        return child<QLabel>(w, QString::fromLatin1(name))->text();
    }
    static void choose(const QWidget* tool, const QString& key, const QString& kind) {
        auto* combo = child<QComboBox>(tool, QStringLiteral("cboDistribution") + key);
        const int index = combo->findText(kind);
        ASSERT_GE(index, 0) << kind.toStdString();
        combo->setCurrentIndex(index);
    }
    static void type(const QWidget* tool, const QString& name, const QString& text) {
        auto* box = child<QLineEdit>(tool, name);
        ASSERT_TRUE(box->isEnabled()) << name.toStdString();
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
    }
    static void run(frmProbability* tool) {
        QTest::mouseClick(child<QPushButton>(tool, QStringLiteral("cmdRun")), Qt::LeftButton);
        EXPECT_TRUE(QTest::qWaitFor([tool] { return !tool->running(); }, 60000));
    }

    // The window opened from the screen after a short run with K lognormal.
    frmProbability* ranOn(const char* name) {
        frmProbability* tool = openOn(name);
        if (!tool)
            return nullptr;
        choose(tool, QStringLiteral("K"), QStringLiteral("lognormal"));
        type(tool, QStringLiteral("txtSamples"), QStringLiteral("2000"));
        run(tool);
        EXPECT_NE(tool->shownResult(), nullptr);
        return tool;
    }
    // A run long enough to be stopped while it goes.
    static void startLongRun(frmProbability* tool) {
        type(tool, QStringLiteral("txtSamples"), QStringLiteral("10000000"));
        QTest::mouseClick(child<QPushButton>(tool, QStringLiteral("cmdRun")), Qt::LeftButton);
        EXPECT_TRUE(tool->running());
    }
    // The run stopped without results, and the window says so.
    static void expectCancelled(frmProbability* tool) {
        EXPECT_TRUE(QTest::qWaitFor([tool] { return !tool->running(); }, 30000));
        EXPECT_EQ(tool->shownResult(), nullptr);
        EXPECT_TRUE(label(tool, "lblStatus").startsWith(QStringLiteral("Cancelled after ")))
            << label(tool, "lblStatus").toStdString();
    }

    QTemporaryDir dir;
    CalculationScreen* screen = nullptr;
};

} // namespace vt::test
