// Renders both screens on each tab after an evaluation with warnings and
// checks that the warning red reaches the pixels. With VT_SCREENSHOT_DIR set,
// the pictures are also saved there (docs/ holds the committed ones).
#include "app/ui.h"
#include "screens/calculationscreen.h"
#include "tests/support/programtest.h"
#include "tests/support/screenhelpers.h"

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QTabWidget>

namespace vt::test {
namespace {

class ScreenPictures : public ProgramTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ScreenPictures, WarningRedIsRenderedOnEveryTab) {
    const QString name = QString::fromLatin1(GetParam());
    CalculationScreen* screen = OpenScreen(name);
    ASSERT_NE(screen, nullptr);
    RunFullEvaluation(screen, /*height*/ QStringLiteral("5"));
    const QString dir = qEnvironmentVariable("VT_SCREENSHOT_DIR");
    const QString stem = name == QLatin1String("frmTributary") ? QStringLiteral("tributary")
                                                               : QStringLiteral("modelled");
    const char* const tabNames[] = {"pillar-stress", "pillar-strength", "final-results"};
    for (int tab = 0; tab < 3; ++tab) {
        screen->tabs()->setCurrentIndex(tab);
        QCoreApplication::processEvents();
        const QImage image = screen->grab().toImage();
        ASSERT_FALSE(image.isNull());
        if (!dir.isEmpty())
            image.save(QDir(dir).filePath(
                QStringLiteral("%1-%2.png").arg(stem, QString::fromLatin1(tabNames[tab]))));
        if (tab == CalculationScreen::kPillarStressTab)
            continue;
        // The centre of the red FOS field on tab 1 (lblFOS) and tab 2 (lblFRFOS).
        auto* fos = screen->findChild<QLabel*>(tab == 1 ? QStringLiteral("lblFOS")
                                                        : QStringLiteral("lblFRFOS"));
        ASSERT_NE(fos, nullptr);
        const QPoint centre = fos->mapTo(screen, QPoint(4, fos->height() / 2));
        EXPECT_EQ(image.pixelColor(centre * image.devicePixelRatio()), kWarningRed)
            << tabNames[tab];
    }
}

INSTANTIATE_TEST_SUITE_P(BothScreens, ScreenPictures,
                         ::testing::Values("frmTributary", "frmModelled"));

} // namespace
} // namespace vt::test
