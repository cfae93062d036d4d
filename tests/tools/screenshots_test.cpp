// The tools opened from one screen, as a user sees them on the display: each
// whole on it, beside the screen where the display has room. With
// VT_SCREENSHOT_DIR set the display is saved there (run under a virtual X
// display of the size to look at).
#include "app/programstate.h"
#include "screens/calculationscreen.h"
#include "tests/support/programtest.h"
#include "tests/support/screenhelpers.h"

#include <QDir>
#include <QImage>
#include <QLocale>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <algorithm>

namespace vt::test {
namespace {

class ToolPictures : public ProgramTest {};

TEST_F(ToolPictures, ToolsOpenWholeOnTheDisplayBesideTheirScreen) {
    CalculationScreen* screen = OpenScreen(QStringLiteral("frmTributary"));
    ASSERT_NE(screen, nullptr);
    RunFullEvaluation(screen, QStringLiteral("4"));
    const QRect area = screen->screen()->availableGeometry();
    for (const char* item : {"mnuTargetFOS", "mnuDesignCharts", "mnuProbability"}) {
        ChooseDesignItem(screen, item);
        QCoreApplication::processEvents();
    }
    for (const char* name : {"frmTargetFOS", "frmDesignCharts", "frmProbability"}) {
        QWidget* tool = Windows().existing(QString::fromLatin1(name));
        ASSERT_NE(tool, nullptr) << name;
        ASSERT_TRUE(QTest::qWaitForWindowExposed(tool)) << name;
        const QRect frame = tool->frameGeometry();
        // Whole on the display wherever the display can hold the tool at all
        // (a laptop's can; the tests' virtual one may be smaller).
        const QSize smallest =
            tool->minimumSizeHint() + (tool->frameGeometry().size() - tool->size());
        if (smallest.width() <= area.width() && smallest.height() <= area.height()) {
            EXPECT_TRUE(area.contains(frame)) << name;
        }
        // Beside the screen wherever the display has room for it there.
        const int room = std::max(area.right() - screen->frameGeometry().right(),
                                  screen->frameGeometry().left() - area.left());
        if (room >= frame.width() && QLatin1String(name) == QLatin1String("frmTargetFOS")) {
            EXPECT_FALSE(frame.intersects(screen->frameGeometry())) << name;
        }
    }
    const QString out = qEnvironmentVariable("VT_SCREENSHOT_DIR");
    if (out.isEmpty())
        return;
    QTest::qWait(300);
    const QImage display = screen->screen()->grabWindow(0).toImage();
    display.save(QDir(out).filePath(QStringLiteral("tools-%1x%2-%3.png")
                                        .arg(area.width() + area.left())
                                        .arg(area.height() + area.top())
                                        .arg(QLocale().name())));
}

} // namespace
} // namespace vt::test
