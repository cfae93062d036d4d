// The probability window after a run from the tributary screen, in English
// and in German: it fits a 1366 x 768 screen and its histogram shows the
// lines. With VT_SCREENSHOT_DIR set the pictures are saved there (docs/
// holds the committed ones).
#include "probability/histogramchart.h"
#include "tests/probability/probabilitytest.h"
#include "tests/support/locale.h"

#include <QDir>
#include <QImage>

namespace vt::test {
namespace {

class ProbabilityPictures : public ProbabilityTest,
                            public ::testing::WithParamInterface<const char*> {};

TEST_P(ProbabilityPictures, FitsTheScreenAndShowsTheLines) {
    const bool german = QLatin1String(GetParam()) == QLatin1String("de");
    LocaleScope locale(german ? German() : English());
    frmProbability* tool = openOn("frmTributary");
    ASSERT_NE(tool, nullptr);
    choose(tool, QStringLiteral("K"), QStringLiteral("lognormal"));
    type(tool, QStringLiteral("txtCVK"), QStringLiteral("20"));
    choose(tool, QStringLiteral("PillarHeight"), QStringLiteral("normal"));
    type(tool, QStringLiteral("txtCVPillarHeight"), QStringLiteral("5"));
    choose(tool, QStringLiteral("Depth"), QStringLiteral("uniform"));
    run(tool);
    ASSERT_NE(tool->shownResult(), nullptr);
    EXPECT_TRUE(messages.shown.empty());

    const QSize frame = tool->frameGeometry().size();
    EXPECT_LE(frame.width(), 1366);
    EXPECT_LE(frame.height(), 768 - 40); // room for a panel
    QCoreApplication::processEvents();
    const QImage image = tool->grab().toImage();
    const QString out = qEnvironmentVariable("VT_SCREENSHOT_DIR");
    if (!out.isEmpty())
        image.save(QDir(out).filePath(german ? QStringLiteral("probability-de.png")
                                             : QStringLiteral("probability.png")));
    // The FOS 1 line in the window's histogram, half-way down the plot.
    auto* view = tool->findChild<probability::HistogramView*>(QStringLiteral("picHistogram"));
    ASSERT_NE(view, nullptr);
    const probability::HistogramGeometry g =
        probability::GeometryOf(view->picture(), QRectF(view->rect()));
    const QPoint at = view->mapTo(tool, QPoint(static_cast<int>(std::round(g.x(1.0))),
                                               static_cast<int>(g.plot.center().y())));
    EXPECT_EQ(image.pixelColor(at * image.devicePixelRatio()), probability::kFailureLine);
}

INSTANTIATE_TEST_SUITE_P(Locales, ProbabilityPictures, ::testing::Values("en", "de"));

// K from four UCS readings and a height so uncertain that some samples are
// negative: the fit and the samples without an FOS are said in the window.
TEST_F(ProbabilityTest, FitAndSamplesWithoutAnFosAreShown) {
    frmProbability* tool = openOn("frmTributary");
    ASSERT_NE(tool, nullptr);
    QWidget* dialog = Windows().show(QStringLiteral("frmMedianUCS"));
    auto* input = child<QLineEdit>(dialog, QStringLiteral("txtInputUCS"));
    for (const char* reading : {"120", "100", "140", "130"}) {
        input->setFocus();
        QTest::keyClicks(input, QString::fromLatin1(reading));
        QTest::mouseClick(child<QWidget>(dialog, QStringLiteral("cmdAddToList")), Qt::LeftButton);
    }
    tool->activateWindow();
    choose(tool, QStringLiteral("K"), QStringLiteral("from the UCS readings"));
    choose(tool, QStringLiteral("PillarHeight"), QStringLiteral("normal"));
    type(tool, QStringLiteral("txtCVPillarHeight"), QStringLiteral("40"));
    run(tool);
    ASSERT_NE(tool->shownResult(), nullptr);
    EXPECT_TRUE(child<QLabel>(tool, QStringLiteral("lblFit"))->isVisible());
    const QString without = label(tool, "lblWithoutResult");
    EXPECT_TRUE(without.endsWith(
        QStringLiteral(" without an FOS: a drawn \"Pillar height (m)\" was not above 0")))
        << without.toStdString();
    EXPECT_GT(tool->shownResult()->squat, 0u); // low heights: squat pillars
    QCoreApplication::processEvents();
    const QString out = qEnvironmentVariable("VT_SCREENSHOT_DIR");
    if (!out.isEmpty())
        tool->grab().save(QDir(out).filePath(QStringLiteral("probability-ucs.png")));
}

} // namespace
} // namespace vt::test
