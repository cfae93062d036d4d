// The interpolation screen's chart, guide lines, "&Open..." reset, file
// replacement and the start-up road with the default data file. With
// VT_SCREENSHOT_DIR set, a picture of the screen is saved there too.
#include "app/frmsplash.h"
#include "app/shellwindows.h"
#include "app/ui.h"
#include "results/chart.h"
#include "tests/screens/interpolatehelpers.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QTabWidget>

namespace vt::test {
namespace {

QStringList LabelTexts(const frmInterpolate* screen) {
    QStringList texts;
    for (const QLabel* label : screen->chart()->valueLabels())
        texts << label->text();
    return texts;
}

// The chart of one file alone: frame and named curves on white.
QImage ChartOf(const results::ModellingResults& record, const results::CurveLabelStyle& labels) {
    results::ResultsChart chart;
    chart.DrawChartFrame();
    chart.DrawResultCurves(record, labels);
    return chart.image();
}

QImage EmptyChart() {
    results::ResultsChart chart;
    chart.DrawChartFrame();
    return chart.image();
}

void TriggerOpen(frmInterpolate* screen) {
    auto* open = screen->findChild<QAction*>(QStringLiteral("mnuOpen"));
    ASSERT_NE(open, nullptr);
    open->trigger();
}

TEST_F(InterpolateTest, AxisLabelsAndTitlesOfALoadedFile) {
    ASSERT_TRUE(load(kWidths5And7));
    const QStringList expected = {
        "15.00",  "17.00",  "19.00",  "21.00",  "23.00",  "25.00",  "27.00",  "29.00",
        "31.00",  "33.00",  "35.00",  "100.00", "110.00", "120.00", "130.00", "140.00",
        "150.00", "160.00", "170.00", "180.00", "190.00", "200.00",
    };
    EXPECT_EQ(LabelTexts(screen), expected);
    // Beside the ticks: stress label 0 level with the origin, depth label 10
    // under the end of the depth axis; white, right-aligned, all shown whole.
    const QList<QLabel*>& labels = screen->chart()->valueLabels();
    EXPECT_EQ(labels[0]->geometry(), QRect(27, 430, 40, 17));
    EXPECT_EQ(labels[21]->geometry(), QRect(445, 443, 40, 17));
    for (const QLabel* label : labels) {
        EXPECT_EQ(Background(label), kWhite);
        EXPECT_TRUE(label->alignment() & Qt::AlignRight);
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width())
            << label->objectName().toStdString();
    }
    for (const char* name : {"Image1(0)", "Image3(0)"}) {
        auto* title = screen->chart()->findChild<QLabel*>(QString::fromLatin1(name));
        ASSERT_NE(title, nullptr) << name;
        EXPECT_TRUE(title->isVisible()) << name;
        EXPECT_FALSE(title->pixmap().isNull()) << name;
    }
    // The stress title stands upright: taller than wide.
    const QLabel* stressTitle = screen->chart()->findChild<QLabel*>(QStringLiteral("Image1(0)"));
    EXPECT_GT(stressTitle->height(), stressTitle->width());
}

TEST_F(InterpolateTest, TheChartShowsTheCurvesOfTheLoadedFile) {
    ASSERT_TRUE(load(kWidths5And7));
    EXPECT_EQ(chartImage(), ChartOf(State().ModellingResults, screen->chart()->curveLabelStyle()));
    // The width-7 curve runs from the origin to (400, -260): at depth 150 it is
    // at stress 21.5, chart y -130.
    EXPECT_TRUE(IsCurveBlue(chartImage().pixel(272, 306)));
    EXPECT_TRUE(BlackInsideAxes(chartImage()).empty());
}

// The guide lines of W = 6, D = 150 meet at the chart point (200, -190): the
// pixel (272, 246) of the box. Every black pixel inside the axes lies on the
// line down to the depth axis or on the line across to the stress axis.
TEST_F(InterpolateTest, GuideLinesMeetAtTheInterpolatedPoint) {
    ASSERT_TRUE(load(kWidths5And7));
    interpolate(QStringLiteral("6"), QStringLiteral("150"));
    ASSERT_EQ(text("lblPillarStress"), QStringLiteral("24.5"));
    const std::vector<QPoint> black = BlackInsideAxes(chartImage());
    ASSERT_FALSE(black.empty());
    int down = 0;
    int across = 0;
    for (const QPoint& p : black) {
        const bool onDown = p.x() == 272 && p.y() >= 246;
        const bool onAcross = p.y() == 246 && p.x() <= 272;
        EXPECT_TRUE(onDown || onAcross) << p.x() << "," << p.y();
        down += onDown;
        across += onAcross;
    }
    // Dotted, not solid, and both lines reach the axes.
    EXPECT_GT(down, 20);
    EXPECT_LT(down, 190 - 8);
    EXPECT_GT(across, 20);
    EXPECT_LT(across, 200 - 8);

    // The box paints its picture, so what shows on the screen is the chart.
    const QImage shown = screen->chart()->grab().toImage();
    for (const QPoint& p : black)
        EXPECT_TRUE(IsBlack(shown.pixel(p))) << p.x() << "," << p.y();
    EXPECT_TRUE(IsCurveBlue(shown.pixel(172, 261))); // width 5 at depth 125
}

TEST_F(InterpolateTest, AnotherInterpolationAddsItsLines) {
    ASSERT_TRUE(load(kWidths5And7));
    interpolate(QStringLiteral("6"), QStringLiteral("150"));
    const std::size_t first = BlackInsideAxes(chartImage()).size();
    interpolate(QStringLiteral("5"), QStringLiteral("120"));
    const std::vector<QPoint> black = BlackInsideAxes(chartImage());
    EXPECT_GT(black.size(), first);
    // The first pair is still there.
    int oldDown = 0;
    for (const QPoint& p : black)
        oldDown += p.x() == 272 && p.y() > 300;
    EXPECT_GT(oldDown, 10);
}

TEST_F(InterpolateTest, ToggleHidesAndShowsTheGuideLinesAndTheCurvesStayBlue) {
    ASSERT_TRUE(load(kWidths5And7));
    interpolate(QStringLiteral("6"), QStringLiteral("150"));
    const QImage shown = chartImage().copy();
    ASSERT_FALSE(BlackInsideAxes(shown).empty());

    press("chkToggleGuideLines");
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(BlackInsideAxes(chartImage()).empty());
    EXPECT_TRUE(IsCurveBlue(chartImage().pixel(272, 306)));
    EXPECT_EQ(chartImage().pixel(200, 300), qRgb(255, 255, 255));

    press("chkToggleGuideLines");
    const QImage again = chartImage();
    // Pixel for pixel the same, but where a guide dot lay on a curve the
    // redrawn curve is blue.
    int differing = 0;
    for (int y = 0; y < again.height(); ++y)
        for (int x = 0; x < again.width(); ++x)
            if (again.pixel(x, y) != shown.pixel(x, y)) {
                ++differing;
                EXPECT_TRUE(IsCurveBlue(again.pixel(x, y))) << x << "," << y;
            }
    EXPECT_LE(differing, 2);
    EXPECT_TRUE(IsCurveBlue(again.pixel(272, 306)));
}

// Hidden guide lines leave no hole where they met the axes.
TEST_F(InterpolateTest, HiddenGuideLinesLeaveTheAxesWhole) {
    ASSERT_TRUE(load(kWidths5And7));
    interpolate(QStringLiteral("6"), QStringLiteral("150"));
    ASSERT_FALSE(BlackInsideAxes(chartImage()).empty());
    const QImage frame = EmptyChart();
    for (int click = 1; click <= 2; ++click) {
        press("chkToggleGuideLines");
        EXPECT_EQ(BlackInsideAxes(chartImage()).empty(), click == 1) << click;
        int holes = 0;
        for (int y = 0; y < frame.height(); ++y)
            for (int x = 0; x < frame.width(); ++x)
                if (IsBlack(frame.pixel(x, y)))
                    holes += !IsBlack(chartImage().pixel(x, y)) &&
                             !IsCurveBlue(chartImage().pixel(x, y));
        EXPECT_EQ(holes, 0) << "click " << click;
    }
}

// Widths 5 and 7 end at depth 200: pixels (472, 36) and (472, 176). Their
// names stand right of the ends, in blue, on the chart as shown.
TEST_F(InterpolateTest, EachCurveIsNamedByItsWidthAtItsEnd) {
    ASSERT_TRUE(load(kWidths5And7));
    const QImage shown = screen->chart()->grab().toImage();
    const auto blueIn = [](const QImage& image, const QRect& rect) {
        int n = 0;
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                n += IsCurveBlue(image.pixel(x, y));
        return n;
    };
    for (const QImage* image : {&chartImage(), &shown}) {
        EXPECT_GT(blueIn(*image, QRect(474, 30, 25, 13)), 8);
        EXPECT_GT(blueIn(*image, QRect(474, 170, 25, 13)), 8);
        EXPECT_EQ(blueIn(*image, QRect(474, 0, 26, 29)), 0);
        EXPECT_EQ(blueIn(*image, QRect(474, 44, 26, 125)), 0);
        EXPECT_EQ(blueIn(*image, QRect(474, 184, 26, 316)), 0);
    }
    // Toggling the guide lines leaves the names as they were.
    interpolate(QStringLiteral("6"), QStringLiteral("150"));
    const QImage before = chartImage().copy(474, 0, 26, 436);
    press("chkToggleGuideLines");
    press("chkToggleGuideLines");
    EXPECT_EQ(chartImage().copy(474, 0, 26, 436), before);
}

TEST_F(InterpolateTest, ToggleWithADepthButNoStressAsksForACalculation) {
    ASSERT_TRUE(load(kWidths5And7));
    type("txtDepth", QStringLiteral("150"));
    const QImage before = chartImage().copy();
    press("chkToggleGuideLines");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.last(), (RecordedMessage{"First do a calculation", "Error Message"}));
    EXPECT_EQ(chartImage(), before);
}

// Without a depth the lines go to the place of depth 0 (here off the chart),
// without a message; a depth read by its leading number is drawn at the
// depth that was interpolated.
TEST_F(InterpolateTest, ToggleWithoutADepthOrWithUnreadableTextsDrawsNoMessage) {
    ASSERT_TRUE(load(kWidths5And7));
    const QImage before = chartImage().copy();
    press("chkToggleGuideLines");
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(chartImage(), before);

    // "150 m" interpolates at 150, and the lines go there.
    interpolate(QStringLiteral("6"), QStringLiteral("150 m"));
    ASSERT_EQ(text("lblPillarStress"), QStringLiteral("24.5"));
    const std::vector<QPoint> drawn = BlackInsideAxes(chartImage());
    EXPECT_FALSE(drawn.empty());
    press("chkToggleGuideLines");
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(BlackInsideAxes(chartImage()).empty());
    interpolate(QStringLiteral("6"), QStringLiteral("150"));
    EXPECT_EQ(BlackInsideAxes(chartImage()), drawn);
}

TEST_F(InterpolateTest, OpenResetsTheScreenAndShowsTheChooser) {
    ASSERT_TRUE(load(kWidths5And7));
    interpolate(QStringLiteral("6"), QStringLiteral("150"));
    ASSERT_EQ(text("lblPillarStress"), QStringLiteral("24.5"));

    TriggerOpen(screen);
    for (const char* name :
         {"lblMainShowData", "txtDepth", "cboPillarWidth1", "cboPillarLength", "lblPillarStress",
          "lblPercentageExtraction", "lblFRPillarStress", "txtFRDepth"})
        EXPECT_EQ(text(name), QString()) << name;
    EXPECT_TRUE(screen->findChild<QPlainTextEdit*>(QStringLiteral("txtMainShowData"))
                    ->toPlainText()
                    .isEmpty());
    EXPECT_EQ(combo("cboPillarWidth1")->count(), 0);
    EXPECT_EQ(LabelTexts(screen), QStringList(22, QStringLiteral("0.00")));
    EXPECT_EQ(chartImage(), EmptyChart());
    const auto& record = State().ModellingResults;
    EXPECT_TRUE(record.FileName.empty());
    EXPECT_TRUE(record.FileText.empty());
    EXPECT_EQ(record.MinDepth, 0);
    EXPECT_EQ(record.MaxDepth, 0);
    EXPECT_EQ(record.MinStress, 0);
    EXPECT_EQ(record.MaxStress, 0);

    QWidget* chooser = Windows().existing(QStringLiteral("frmFileOpen"));
    ASSERT_NE(chooser, nullptr);
    EXPECT_TRUE(chooser->isVisible());
    chooser->close();
    flushDeletes();
    EXPECT_EQ(Windows().existing(QStringLiteral("frmFileOpen")), nullptr);

    // Nothing can be drawn or interpolated in the old table any more.
    press("chkToggleGuideLines");
    EXPECT_EQ(chartImage(), EmptyChart());
    interpolate(QStringLiteral("6"), QStringLiteral("150"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.last(),
              (RecordedMessage{"File not properly selected, click on data file !", "Select file"}));
    EXPECT_EQ(text("lblPillarStress"), QString());

    // A file clicked in the chooser but never accepted names a file whose
    // table was never loaded: no stress from the old table.
    ASSERT_TRUE(results::ReadModellingText(
        State().ModellingResults,
        QFile::encodeName(dir.filePath(QStringLiteral("results.int"))).toStdString()));
    press("cmdInterpolate");
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.last().title, QStringLiteral("Unusable modelling data"));
    EXPECT_EQ(text("lblPillarStress"), QString());
    press("chkToggleGuideLines");
    EXPECT_EQ(chartImage(), EmptyChart());
}

TEST_F(InterpolateTest, ASecondFileReplacesTheWidthsAndCurvesOfTheFirst) {
    ASSERT_TRUE(load(kWidths5And7, QStringLiteral("first.int")));
    interpolate(QStringLiteral("6"), QStringLiteral("150"));
    TriggerOpen(screen);
    ASSERT_TRUE(load(kWidths8And10, QStringLiteral("second.int")));

    QStringList items;
    for (int i = 0; i < combo("cboPillarWidth1")->count(); ++i)
        items << combo("cboPillarWidth1")->itemText(i);
    EXPECT_EQ(items, QStringList({"8", "10"}));
    EXPECT_EQ(chartImage(), ChartOf(State().ModellingResults, screen->chart()->curveLabelStyle()));
    EXPECT_EQ(LabelTexts(screen).first(), QStringLiteral("30.00"));
    EXPECT_EQ(LabelTexts(screen).last(), QStringLiteral("500.00"));
    EXPECT_EQ(text("lblMainShowData"), dir.filePath(QStringLiteral("second.int")));

    interpolate(QStringLiteral("9"), QStringLiteral("400"));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(text("lblPillarStress"), QStringLiteral("43.8")); // (50 + 37.5) / 2
}

// The chooser may stay open while the screen works on the table it has: a
// file loaded from it then empties the results of the table before, so that
// no result stands that the shown file would not give.
TEST_F(InterpolateTest, ALoadWithoutTheResetEmptiesTheResultsOfTheTableBefore) {
    ASSERT_TRUE(load(kWidths5And7, QStringLiteral("first.int")));
    interpolate(QStringLiteral("6"), QStringLiteral("150"));
    Type(screen, QStringLiteral("cboK"), QStringLiteral("40"));
    Type(screen, QStringLiteral("cboPillarHeight"), QStringLiteral("2"));
    press("cmdCalculatePillarStrength");
    ASSERT_EQ(text("lblPillarStress"), QStringLiteral("24.5"));
    ASSERT_FALSE(text("lblFOS").isEmpty());

    ASSERT_TRUE(load(kWidths8And10, QStringLiteral("second.int")));
    for (const char* result :
         {"lblPillarStress", "lblPercentageExtraction", "lblWHratio", "lblPillarStrength", "lblFOS",
          "txtFormula", "lblFRPillarStress", "lblFRFOS"})
        EXPECT_EQ(text(result), QString()) << result;
    EXPECT_EQ(text("cboPillarWidth1"), QStringLiteral("6")); // the typed inputs stay
    EXPECT_EQ(text("txtDepth"), QStringLiteral("150"));
}

TEST_F(InterpolateTest, AFileThatCannotBeLoadedReportsFailure) {
    EXPECT_FALSE(load("5\t0\t7\r\n100\t20\t100\r\n"));
    EXPECT_FALSE(load("5\t0\t7\t0\r\n"));
    EXPECT_EQ(combo("cboPillarWidth1")->count(), 0);
    EXPECT_EQ(chartImage(), EmptyChart());
}

TEST_F(InterpolateTest, TheChartFrameIsDrawnWhenTheWindowIsSized) {
    // The first showing has drawn the frame.
    EXPECT_EQ(chartImage(), EmptyChart());
    // The width-7 curve starts at the origin, over the axes; a resize draws
    // the frame again over what is there.
    ASSERT_TRUE(load(kWidths5And7));
    const QImage frame = EmptyChart();
    const auto frameCovered = [&frame](const QImage& image) {
        for (int y = 0; y < frame.height(); ++y)
            for (int x = 0; x < frame.width(); ++x)
                if (IsBlack(frame.pixel(x, y)) && !IsBlack(image.pixel(x, y)))
                    return false;
        return true;
    };
    EXPECT_FALSE(frameCovered(chartImage()));
    QResizeEvent resize(screen->size(), screen->size());
    QCoreApplication::sendEvent(screen, &resize);
    EXPECT_TRUE(frameCovered(chartImage()));
    EXPECT_TRUE(IsCurveBlue(chartImage().pixel(172, 261)));
}

// The start-up road: "ACCEPT", then "Interpolation" loads the default file.
TEST_F(InterpolateTest, TheStartUpRoadLoadsTheDefaultFile) {
    screen->close();
    flushDeletes();
    QWidget* splash = Windows().show(QStringLiteral("frmSplash"));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(splash));
    QTest::mouseClick(splash->findChild<QPushButton*>(QStringLiteral("cmdAccept")), Qt::LeftButton);
    QTest::mouseClick(splash->findChild<QPushButton*>(QStringLiteral("cmdInterpolation")),
                      Qt::LeftButton);
    flushDeletes();

    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(Windows().existing(QStringLiteral("frmSplash")), nullptr);
    screen = Windows().existing<frmInterpolate>(QStringLiteral("frmInterpolate"));
    ASSERT_NE(screen, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(screen));
    EXPECT_EQ(text("lblMainShowData"), DefaultModellingResultsPath());
    EXPECT_EQ(combo("cboPillarWidth1")->count(), State().ModellingResults.FieldCount / 2);
    EXPECT_GE(combo("cboPillarWidth1")->count(), 2);
    EXPECT_EQ(chartImage(), ChartOf(State().ModellingResults, screen->chart()->curveLabelStyle()));
    EXPECT_NE(LabelTexts(screen), QStringList(22, QStringLiteral("0.00")));

    // One interpolation between the first two widths, at mid depth.
    const QString width = QString::number((combo("cboPillarWidth1")->itemText(0).toDouble() +
                                           combo("cboPillarWidth1")->itemText(1).toDouble()) /
                                          2);
    const auto& record = State().ModellingResults;
    const QString depth = QString::number((record.MinDepth + record.MaxDepth) / 2);
    interpolate(width, depth);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(text("lblPillarStress").isEmpty());
    EXPECT_FALSE(BlackInsideAxes(chartImage()).empty());

    const QString shots = qEnvironmentVariable("VT_SCREENSHOT_DIR");
    if (!shots.isEmpty()) {
        screen->findChild<QWidget*>(QStringLiteral("cmdInterpolate"))->clearFocus();
        QCoreApplication::processEvents();
        screen->grab().save(QDir(shots).filePath(QStringLiteral("interpolation.png")));
    }
}

// A folder where the default file should be: the file is missing. The
// installation error leaves only the start-up window, in its first state.
TEST_F(InterpolateTest, TheStartUpRoadWithoutTheDefaultFile) {
    screen->close();
    flushDeletes();
    QTemporaryDir work;
    ASSERT_TRUE(work.isValid());
    State().DataFolder = work.path();
    ASSERT_TRUE(QDir(work.path()).mkdir(QStringLiteral("RazuziRurida - Do not delete.int")));

    QWidget* splash = Windows().show(QStringLiteral("frmSplash"));
    EXPECT_TRUE(QTest::qWaitForWindowExposed(splash));
    QTest::mouseClick(splash->findChild<QPushButton*>(QStringLiteral("cmdAccept")), Qt::LeftButton);
    QTest::mouseClick(splash->findChild<QPushButton*>(QStringLiteral("cmdInterpolation")),
                      Qt::LeftButton);
    flushDeletes();

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.last(),
              (RecordedMessage{"File with data not properly installed", "Installation Error"}));
    EXPECT_EQ(Windows().existing(QStringLiteral("frmInterpolate")), nullptr);
    QWidget* again = Windows().existing(QStringLiteral("frmSplash"));
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(again->isVisible());
    EXPECT_TRUE(again->findChild<QPushButton*>(QStringLiteral("cmdAccept"))->isVisible());
    EXPECT_FALSE(again->findChild<QPushButton*>(QStringLiteral("cmdInterpolation"))->isVisible());
    EXPECT_EQ(endRequests, 0);
}

} // namespace
} // namespace vt::test
