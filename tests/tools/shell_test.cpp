// The tool shell through real windows: a tool goes with the screen it works
// on, and every tool window fits a laptop's display whole and usable.
#include "app/programstate.h"
#include "dialogs/reportprinter.h"
#include "screens/calculationscreen.h"
#include "tests/support/programtest.h"
#include "tests/support/screenhelpers.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <vector>

namespace vt::test {
namespace {

class ToolShell : public ProgramTest {
protected:
    QTemporaryDir dir;
};

// Opening an evaluation of another method shows the other screen and hides
// the first: its tools go with it, so none can type into the hidden screen.
TEST_F(ToolShell, ToolsCloseWithTheirScreenWhenAnotherMethodsEvaluationIsOpened) {
    ASSERT_TRUE(dir.isValid());
    const QString saved = dir.filePath(QStringLiteral("modelled.vte"));
    CalculationScreen* modelled = OpenScreen(QStringLiteral("frmModelled"));
    ASSERT_NE(modelled, nullptr);
    RunFullEvaluation(modelled, QStringLiteral("5"));
    fileDialogs.path = saved;
    ChooseDesignItem(modelled, "mnuSaveEvaluation");
    ASSERT_TRUE(QFile::exists(saved));
    CloseAllWindows();
    flushDeletes();

    CalculationScreen* tributary = OpenScreen(QStringLiteral("frmTributary"));
    ASSERT_NE(tributary, nullptr);
    RunFullEvaluation(tributary, QStringLiteral("4"));
    std::vector<QPointer<QWidget>> tools;
    for (const char* item :
         {"mnuDesignCharts", "mnuTargetFOS", "mnuProbability", "mnuDesignReport"}) {
        ChooseDesignItem(tributary, item);
        QCoreApplication::processEvents();
    }
    for (const char* name :
         {"frmDesignCharts", "frmTargetFOS", "frmProbability", "frmDesignReport"}) {
        QWidget* tool = Windows().existing(QString::fromLatin1(name));
        ASSERT_NE(tool, nullptr) << name;
        EXPECT_TRUE(tool->isVisible()) << name;
        tools.emplace_back(tool);
    }
    const evaluation::DesignTexts before = tributary->designTexts();
    const ShownResults shownBefore = tributary->shownResults();

    fileDialogs.path = saved;
    messages.answer = true;
    ChooseDesignItem(tributary, "mnuOpenEvaluation");
    flushDeletes();
    auto* shown = Windows().existing<CalculationScreen>(QStringLiteral("frmModelled"));
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->isVisible());
    EXPECT_FALSE(tributary->isVisible());
    for (std::size_t i = 0; i < tools.size(); ++i)
        EXPECT_TRUE(tools[i].isNull()) << i;
    // The hidden screen keeps what it held.
    const evaluation::DesignTexts after = tributary->designTexts();
    EXPECT_EQ(after.width, before.width);
    EXPECT_EQ(after.depth, before.depth);
    EXPECT_EQ(after.bord1, before.bord1);
    EXPECT_EQ(after.height, before.height);
    EXPECT_EQ(tributary->shownResults(), shownBefore);
    // Tools opened now work on the screen shown.
    ChooseDesignItem(shown, "mnuTargetFOS");
    QWidget* solve = Windows().existing(QStringLiteral("frmTargetFOS"));
    ASSERT_NE(solve, nullptr);
    EXPECT_TRUE(solve->isVisible());
}

// Whether `w` lies whole inside `window` and inside every widget between,
// so that no scrolled or clipped part of it is hidden.
bool WholeInside(const QWidget* w, const QWidget* window) {
    QRect rect = w->rect();
    for (const QWidget* at = w; at != window; at = at->parentWidget()) {
        rect.translate(at->pos());
        const QWidget* parent = at->parentWidget();
        if (!parent || !parent->rect().contains(rect))
            return false;
    }
    return true;
}

// Every tool window beyond the calculation screens, and the user guide, at
// its smallest size stands whole on a display of 1024 x 768 and 1366 x 768
// (with room for a title bar and a panel), every button of it whole inside it.
TEST_F(ToolShell, EveryToolWindowFitsALaptopDisplay) {
    const QSize frameAndPanel(16, 72);
    const QSize displays[] = {{1024, 768}, {1366, 768}};
    ReportPage page;
    page.size = QSize(792, 573);
    page.draw = [](QPainter& painter) { painter.drawText(20, 20, QStringLiteral("page")); };
    struct Tool {
        const char* name;
        std::function<QWidget*(CalculationScreen*)> open;
    };
    const auto fromMenu = [](const char* item, const char* name) {
        return [item, name](CalculationScreen* screen) {
            ChooseDesignItem(screen, item);
            return Windows().existing(QString::fromLatin1(name));
        };
    };
    const Tool tools[] = {
        {"frmDesignCharts", fromMenu("mnuDesignCharts", "frmDesignCharts")},
        {"frmTargetFOS", fromMenu("mnuTargetFOS", "frmTargetFOS")},
        {"frmProbability", fromMenu("mnuProbability", "frmProbability")},
        {"frmStrengthFormulas", fromMenu("mnuStrengthFormulas", "frmStrengthFormulas")},
        {"frmDesignReport", fromMenu("mnuDesignReport", "frmDesignReport")},
        {"frmUserGuide",
         [](CalculationScreen* screen) {
             screen->findChild<QAction*>(QStringLiteral("mnuUserGuide"))->trigger();
             return Windows().existing(QStringLiteral("frmUserGuide"));
         }},
        {"dlgPrintPreview",
         [&page](CalculationScreen* screen) -> QWidget* {
             ShowPrintPreview(screen, page, [] {});
             return screen->findChild<QWidget*>(QStringLiteral("dlgPrintPreview"));
         }},
    };
    for (const QSize display : displays)
        for (const Tool& tool : tools) {
            const std::string what =
                std::string(tool.name) + " at " + std::to_string(display.width());
            CalculationScreen* screen = OpenScreen(QStringLiteral("frmTributary"));
            ASSERT_NE(screen, nullptr);
            RunFullEvaluation(screen, QStringLiteral("4"));
            QWidget* window = tool.open(screen);
            ASSERT_NE(window, nullptr) << what;
            ASSERT_TRUE(QTest::qWaitForWindowExposed(window)) << what;
            const QSize room = display - frameAndPanel;
            const QSize smallest = window->minimumSizeHint().expandedTo(window->minimumSize());
            EXPECT_LE(smallest.width(), room.width()) << what;
            EXPECT_LE(smallest.height(), room.height()) << what;
            // At the size the display leaves it, every button is usable.
            window->resize(window->size().boundedTo(room));
            QCoreApplication::processEvents();
            EXPECT_LE(window->width(), room.width()) << what;
            EXPECT_LE(window->height(), room.height()) << what;
            for (const QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
                if (!button->isVisibleTo(window) || button->objectName().isEmpty() ||
                    button->objectName().startsWith(QLatin1String("qt_")))
                    continue;
                EXPECT_TRUE(WholeInside(button, window))
                    << what << ": " << button->objectName().toStdString();
            }
            CloseAllWindows();
            flushDeletes();
        }
}

} // namespace
} // namespace vt::test
