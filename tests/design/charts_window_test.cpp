// The design charts window driven as a user would: opened from each screen's
// Design menu, following the screen as it changes, the screen's point
// showing the screen's results, bad input giving empty charts with the
// screen's own message, hover and the three exports.
#include "app/ui.h"
#include "design/sweep.h"
#include "evaluation/axisticks.h"
#include "tests/design/toolhelpers.h"
#include "tests/support/locale.h"
#include "tests/support/specialfiles.h"

#include <QApplication>
#include <QCategoryAxis>
#include <QChart>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScatterSeries>
#include <QSvgRenderer>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtMath>

namespace vt::test {
namespace {

using design::ChartPane;

constexpr int kWidth = 0;
constexpr int kDepth = 1;
constexpr int kHeight = 2;
constexpr int kStrength = 3;

QScatterSeries* Scatter(QChart* chart, const QString& name) {
    for (QAbstractSeries* series : chart->series())
        if (series->name() == name)
            return qobject_cast<QScatterSeries*>(series);
    return nullptr;
}

// A move of the mouse over the widget, as the window system delivers it.
void MoveMouse(QWidget* widget, const QPoint& at) {
    QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(widget->mapToGlobal(at)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

class ChartsOnEachScreen : public DesignToolTest,
                           public ::testing::WithParamInterface<const char*> {};

TEST_P(ChartsOnEachScreen, TheDesignMenuOpensOneWindowWhoseScreenPointIsTheScreensResult) {
    CalculationScreen* screen = open(GetParam());
    ASSERT_NE(screen, nullptr);
    fill(screen, QStringLiteral("4"));
    QStringList items;
    for (QAction* action : screen->designMenu()->actions())
        items << action->text() + QLatin1Char('/') + action->objectName();
    // The menu's first items (later tools add theirs after them).
    ASSERT_GE(items.size(), 2);
    EXPECT_EQ(items.mid(0, 2),
              QStringList({QStringLiteral("Design &charts.../mnuDesignCharts"),
                           QStringLiteral("Solve for a &target FOS.../mnuTargetFOS")}));
    frmDesignCharts* window = charts(screen);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->isModal());
    EXPECT_TRUE(screen->isEnabled());
    EXPECT_EQ(window->lblDesign->text(),
              QStringLiteral("The design on \"%1\"").arg(screen->windowTitle()));
    EXPECT_EQ(charts(screen), window); // one instance
    const QString fos = Text(screen, QStringLiteral("lblFOS"));
    const QString ratio = Text(screen, QStringLiteral("lblWHratio"));
    ASSERT_FALSE(fos.isEmpty());
    for (int i = 0; i < frmDesignCharts::kPanes; ++i) {
        ChartPane* pane = window->pane(i);
        ASSERT_TRUE(pane->curve() && pane->curve()->current) << i;
        EXPECT_TRUE(pane->lblHover->text().startsWith(QStringLiteral("The screen's design")));
        EXPECT_TRUE(
            pane->lblHover->text().contains(QStringLiteral(": FOS %1, W:H %2,").arg(fos, ratio)))
            << pane->lblHover->text().toStdString();
        EXPECT_FALSE(pane->drawn().empty()) << i;
    }
    // The marked point sits at the screen's width and FOS.
    const design::CurvePoint& point =
        window->pane(kWidth)->curve()->points[*window->pane(kWidth)->curve()->current];
    QScatterSeries* marked =
        Scatter(window->pane(kWidth)->chart(), QStringLiteral("The screen's design"));
    ASSERT_NE(marked, nullptr);
    ASSERT_EQ(marked->count(), 1);
    EXPECT_EQ(marked->at(0), QPointF(point.x, static_cast<double>(point.result.factorOfSafety)));
    EXPECT_EQ(
        evaluation::ShowResult(point.result.factorOfSafety, 1, evaluation::NumberLocale::Current()),
        fos);
}

INSTANTIATE_TEST_SUITE_P(Screens, ChartsOnEachScreen,
                         ::testing::Values("frmTributary", "frmModelled", "frmInterpolate"));

using ChartsWindow = DesignToolTest;

TEST_F(ChartsWindow, RedrawsWhenAnInputOfTheScreenChanges) {
    CalculationScreen* screen = open("frmTributary");
    fill(screen, QStringLiteral("4"));
    frmDesignCharts* window = charts(screen);
    ASSERT_NE(window, nullptr);
    Type(screen, QStringLiteral("cboPillarHeight"), QStringLiteral("5"));
    Settle();
    // The charts show the new height's design before the screen calculates it.
    EXPECT_TRUE(window->pane(kHeight)->lblHover->text().contains(
        QStringLiteral("height 5 m: FOS 1.5, W:H 2,")))
        << window->pane(kHeight)->lblHover->text().toStdString();
    Press(screen, QStringLiteral("cmdCalculatePillarStrength"));
    EXPECT_EQ(Text(screen, QStringLiteral("lblFOS")), QStringLiteral("1.5"));
    for (int i = 0; i < frmDesignCharts::kPanes; ++i)
        EXPECT_TRUE(window->pane(i)->lblHover->text().contains(QStringLiteral("FOS 1.5, W:H 2,")))
            << i;
}

TEST_F(ChartsWindow, BadInputOnTheScreenGivesEmptyChartsWithTheScreensMessage) {
    struct Case {
        const char* field;
        const char* text;
    };
    const Case cases[] = {{"txtDepth", ""},           {"txtDepth", "deep"},
                          {"cboPillarHeight", "abc"}, {"cboPillarHeight", "0"},
                          {"cboPillarWidth1", "0"},   {"cboK", ""}};
    for (const Case& c : cases) {
        CalculationScreen* screen = open("frmTributary");
        fill(screen, QStringLiteral("4"));
        frmDesignCharts* window = charts(screen);
        ASSERT_NE(window, nullptr);
        Type(screen, QString::fromLatin1(c.field), QString::fromLatin1(c.text));
        Settle();
        EXPECT_TRUE(messages.shown.empty()) << c.field; // the charts raise no box
        const QString shown = window->pane(kWidth)->lblMessage->text();
        for (int i = 0; i < frmDesignCharts::kPanes; ++i) {
            EXPECT_TRUE(window->pane(i)->drawn().empty()) << c.field << " " << i;
            EXPECT_FALSE(window->pane(i)->curve()) << c.field;
            EXPECT_EQ(window->pane(i)->lblMessage->text(), shown) << c.field;
        }
        // The same message as the screen's own box.
        Press(screen, QStringLiteral("cmdCalculateAndContinue1"));
        if (messages.shown.empty())
            Press(screen, QStringLiteral("cmdCalculatePillarStrength"));
        ASSERT_FALSE(messages.shown.empty()) << c.field;
        EXPECT_EQ(messages.shown.front().text, shown) << c.field << "=" << c.text;
        CloseAllWindows();
        flushDeletes();
        messages.shown.clear();
    }
}

TEST_F(ChartsWindow, HoverShowsTheExactShownValuesAtThePointUnderTheMouse) {
    CalculationScreen* screen = open("frmTributary");
    fill(screen, QStringLiteral("4"));
    frmDesignCharts* window = charts(screen);
    ASSERT_NE(window, nullptr);
    const design::BaseDesign base = BaseOf(screen);
    for (int tab : {kWidth, kDepth, kStrength}) {
        window->tabs()->setCurrentIndex(tab);
        ChartPane* pane = window->pane(tab);
        Settle();
        const design::Curve& curve = *pane->curve();
        for (std::size_t i :
             {std::size_t{3}, curve.points.size() / 2 + 7, curve.points.size() - 2}) {
            const design::CurvePoint& p = curve.points[i];
            const double y =
                static_cast<double>(tab == kStrength ? p.result.strength : p.result.factorOfSafety);
            const QPointF scene = pane->chart()->mapToScene(
                pane->chart()->mapToPosition(QPointF(p.x, y), pane->chart()->series().at(1)));
            MoveMouse(pane->view()->viewport(), pane->view()->mapFromScene(scene));
            const evaluation::Evaluation shown = design::PointShown(base, curve, i);
            const evaluation::DesignTexts texts = design::PointTexts(base, curve, i);
            const QString where = tab == kDepth
                                      ? QStringLiteral("Depth %1 m").arg(texts.depth)
                                      : QStringLiteral("Pillar width %1 m").arg(texts.width);
            EXPECT_TRUE(pane->lblHover->text().startsWith(
                QStringLiteral("%1: FOS %2, W:H %3, pillar strength %4 MPa, pillar stress %5 MPa")
                    .arg(where, shown.factorOfSafety, shown.widthHeightRatio, shown.strength,
                         shown.stress)))
                << pane->lblHover->text().toStdString();
        }
    }
}

TEST_F(ChartsWindow, HoverOnAPointWithoutAResultSaysWhy) {
    CalculationScreen* screen = open("frmTributary");
    fill(screen, QStringLiteral("4"));
    frmDesignCharts* window = charts(screen);
    ChartPane* pane = window->pane(kHeight);
    window->tabs()->setCurrentIndex(kHeight);
    pane->txtFrom->setText(QStringLiteral("-1"));
    pane->txtTo->setText(QStringLiteral("4"));
    pane->txtStep->setText(QStringLiteral("0.5"));
    pane->txtStep->setFocus();
    QTest::keyClick(pane->txtStep, Qt::Key_Return);
    ASSERT_TRUE(pane->curve());
    EXPECT_TRUE(pane->lblMessage->text().startsWith(QStringLiteral("No result from -1 m to 0 m: ")))
        << pane->lblMessage->text().toStdString();
    pane->hoverAt(0);
    const evaluation::Evaluation shown = design::PointShown(BaseOf(screen), *pane->curve(), 2);
    ASSERT_TRUE(shown.refusal);
    EXPECT_EQ(pane->lblHover->text(),
              QStringLiteral("Pillar height 0 m: no result: %1").arg(shown.refusal->message));
    // Left out of the drawing, not drawn as zero.
    for (const QList<QPointF>& run : pane->drawn())
        for (const QPointF& p : run)
            EXPECT_GT(p.x(), 0);
}

TEST_F(ChartsWindow, ATypedRangeStaysUntilAroundTheDesign) {
    CalculationScreen* screen = open("frmTributary");
    fill(screen, QStringLiteral("4"));
    frmDesignCharts* window = charts(screen);
    ChartPane* pane = window->pane(kWidth);
    const auto typeRange = [&](const char* from, const char* to, const char* step) {
        for (auto [box, text] : {std::pair{pane->txtFrom, from}, std::pair{pane->txtTo, to},
                                 std::pair{pane->txtStep, step}}) {
            box->setFocus();
            box->selectAll();
            QTest::keyClicks(box, QString::fromLatin1(text));
            QTest::keyClick(box, Qt::Key_Return);
        }
    };
    typeRange("8", "12", "0.5");
    ASSERT_TRUE(pane->curve());
    EXPECT_EQ(pane->curve()->points.front().x, 8);
    EXPECT_EQ(pane->curve()->points.back().x, 12);
    EXPECT_EQ(pane->curve()->points.size(), 9u);
    Type(screen, QStringLiteral("cboPillarHeight"), QStringLiteral("5"));
    Settle();
    EXPECT_EQ(pane->curve()->points.front().x, 8);
    QTest::mouseClick(pane->cmdRange, Qt::LeftButton);
    EXPECT_EQ(pane->txtFrom->text(), QStringLiteral("5"));
    EXPECT_EQ(pane->curve()->points.front().x, 5);
    typeRange("8", "12", "0");
    EXPECT_EQ(pane->lblMessage->text(), QStringLiteral("The step must be above 0"));
    EXPECT_TRUE(pane->drawn().empty());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ChartsWindow, TheInterpolationWidthsStayInsideTheTable) {
    CalculationScreen* screen = open("frmInterpolate");
    fill(screen, QStringLiteral("4"));
    frmDesignCharts* window = charts(screen);
    ChartPane* pane = window->pane(kWidth);
    ASSERT_TRUE(pane->curve());
    EXPECT_EQ(pane->curve()->points.front().x, 4);
    EXPECT_EQ(pane->curve()->points.back().x, 18);
    const design::Curve& depth = *window->pane(kDepth)->curve();
    EXPECT_EQ(depth.points.front().x, 100);
    EXPECT_EQ(depth.points.back().x, 2000);
}

// --- exports ---

QStringList CsvRows(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QStringList rows = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
    if (!rows.isEmpty() && rows.back().isEmpty())
        rows.removeLast();
    return rows;
}

TEST_F(ChartsWindow, ExportsHoldWhatTheChartShows) {
    CalculationScreen* screen = open("frmTributary");
    fill(screen, QStringLiteral("4"));
    frmDesignCharts* window = charts(screen);
    ASSERT_NE(window, nullptr);
    QTemporaryDir dir;
    QStringList suggested;
    QString answer;
    QString filter;
    QStringList offered;
    QStringList folders; // where each question starts
    fileDialogs.answer = [&](const FileQuestion& question) {
        const QFileInfo asked(question.suggested);
        suggested << asked.fileName();
        folders << (asked.isAbsolute() ? asked.path() : QString());
        offered = question.filters;
        return FileAnswer{answer.isNull() ? dir.filePath(asked.fileName()) : answer, filter};
    };
    ChartPane* pane = window->pane(kWidth);
    QTest::mouseClick(pane->cmdPNG, Qt::LeftButton);
    QTest::mouseClick(pane->cmdSVG, Qt::LeftButton);
    QTest::mouseClick(pane->cmdCSV, Qt::LeftButton);
    EXPECT_EQ(suggested, QStringList({QStringLiteral("fos-against-pillar-width.png"),
                                      QStringLiteral("fos-against-pillar-width.svg"),
                                      QStringLiteral("fos-against-pillar-width.csv")}));
    // The first in no folder of its own, the others where the first export went.
    EXPECT_EQ(folders, QStringList({QString(), dir.path(), dir.path()}));
    EXPECT_TRUE(messages.shown.empty());

    // The chart as on screen under a caption line naming the design.
    const QImage png(dir.filePath(suggested[0]));
    ASSERT_FALSE(png.isNull());
    const QSize view = pane->view()->size();
    const int caption = png.height() - view.height();
    EXPECT_EQ(png.width(), view.width());
    EXPECT_GT(caption, 8);
    EXPECT_EQ(
        png.copy(0, caption, view.width(), view.height()).convertToFormat(QImage::Format_RGB32),
        pane->view()->grab().toImage().convertToFormat(QImage::Format_RGB32));
    EXPECT_GT(CurvePixels(png), 100);
    const QImage captionStrip = png.copy(0, 0, view.width(), caption);
    int dark = 0;
    for (int y = 0; y < captionStrip.height(); ++y)
        for (int x = 0; x < captionStrip.width(); ++x)
            dark += qGray(captionStrip.pixel(x, y)) < 128 ? 1 : 0;
    EXPECT_GT(dark, 50);
    EXPECT_TRUE(pane->caption().startsWith(QStringLiteral("Tributary theory: density")))
        << pane->caption().toStdString();

    QFile svgFile(dir.filePath(suggested[1]));
    ASSERT_TRUE(svgFile.open(QIODevice::ReadOnly));
    EXPECT_TRUE(svgFile.readAll().contains("<title>FOS against pillar width</title>"));
    QSvgRenderer svg(dir.filePath(suggested[1]));
    ASSERT_TRUE(svg.isValid());
    QImage drawn(pane->view()->size(), QImage::Format_RGB32);
    drawn.fill(Qt::white);
    QPainter painter(&drawn);
    svg.render(&painter);
    painter.end();
    EXPECT_GT(CurvePixels(drawn), 100);

    const QStringList rows = CsvRows(dir.filePath(suggested[2]));
    const design::Curve& curve = *pane->curve();
    ASSERT_EQ(rows.size(), static_cast<qsizetype>(curve.points.size()) + 1);
    const qsizetype fosColumn = rows[0].split(QLatin1Char(',')).indexOf(QStringLiteral("FOS"));
    ASSERT_GE(fosColumn, 0);
    const QList<QPointF> shownPoints = pane->drawn().front();
    ASSERT_EQ(shownPoints.size(), static_cast<qsizetype>(curve.points.size()));
    for (qsizetype i = 0; i < shownPoints.size(); ++i)
        EXPECT_EQ(rows[i + 1].split(QLatin1Char(','))[fosColumn],
                  evaluation::ShowResult(static_cast<float>(shownPoints[i].y()), 1,
                                         evaluation::NumberLocale::Current()))
            << i;

    // The CSV dialog offers both conventions; the semicolon one chosen
    // writes semicolons and decimal commas.
    EXPECT_EQ(offered, evaluation::CsvFilters());
    filter = evaluation::kCsvSemicolonFilter;
    QTest::mouseClick(pane->cmdCSV, Qt::LeftButton);
    const QStringList semicolonRows = CsvRows(dir.filePath(suggested[3]));
    ASSERT_EQ(semicolonRows.size(), rows.size());
    EXPECT_EQ(semicolonRows[0], QString(rows[0]).replace(u',', u';'));
    EXPECT_EQ(semicolonRows[1].split(u';')[fosColumn],
              QString(rows[1].split(u',')[fosColumn]).replace(u'.', u','));
    filter.clear();

    // For print: the same picture drawn again at 300 dpi.
    QStringList filters;
    fileDialogs.answer = [&](const FileQuestion& question) {
        filters = question.filters;
        return FileAnswer{dir.filePath(QStringLiteral("print.png")), question.filters.value(1)};
    };
    QTest::mouseClick(pane->cmdPNG, Qt::LeftButton);
    EXPECT_EQ(filters, QStringList({QStringLiteral("PNG images, screen resolution (*.png)"),
                                    QStringLiteral("PNG images for print, 300 dpi (*.png)")}));
    const QImage print(dir.filePath(QStringLiteral("print.png")));
    ASSERT_FALSE(print.isNull());
    EXPECT_EQ(print.dotsPerMeterX(), 11811); // 300 dpi
    EXPECT_EQ(print.dotsPerMeterY(), 11811);
    EXPECT_EQ(print.width(), qCeil(view.width() * 300.0 / 96));
    EXPECT_EQ(print.height(), qCeil(png.height() * 300.0 / 96));
    EXPECT_GT(CurvePixels(print), CurvePixels(png) * 2);
    fileDialogs.answer = [&](const FileQuestion& question) {
        return FileAnswer{answer.isNull() ? dir.filePath(question.suggested) : answer, {}};
    };

    // Cancelled: nothing written, nothing said. Unwritable: said.
    answer = QStringLiteral("");
    QTest::mouseClick(pane->cmdPNG, Qt::LeftButton);
    EXPECT_TRUE(messages.shown.empty());
    answer = dir.filePath(QStringLiteral("no/such/folder/chart.png"));
    QTest::mouseClick(pane->cmdPNG, Qt::LeftButton);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.last(),
              (RecordedMessage{
                  QStringLiteral("The file \"%1\" could not be written: No such file or directory.")
                      .arg(answer),
                  QStringLiteral("Design charts")}));
    // Every export goes through the one save helper: a pipe that nothing
    // reads from is said to be so and stays a pipe; an older file is replaced
    // whole.
    answer = dir.filePath(QStringLiteral("pipe.svg"));
    ASSERT_TRUE(MakeFifo(QFile::encodeName(answer).toStdString()));
    for (QPushButton* button : {pane->cmdPNG, pane->cmdSVG, pane->cmdCSV}) {
        messages.shown.clear();
        QTest::mouseClick(button, Qt::LeftButton);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.last().text,
                  QStringLiteral("The file \"%1\" could not be written: nothing reads from it.")
                      .arg(answer));
    }
}

TEST_F(ChartsWindow, FollowsTheScreenItIsOpenedFromAndClosesWithTheScreens) {
    CalculationScreen* tributary = open("frmTributary");
    fill(tributary, QStringLiteral("4"));
    frmDesignCharts* window = charts(tributary);
    CalculationScreen* modelled = open("frmModelled");
    fill(modelled, QStringLiteral("5"));
    EXPECT_EQ(charts(modelled), window);
    EXPECT_EQ(window->lblDesign->text(), QStringLiteral("The design on \"Modelled Stress\""));
    EXPECT_TRUE(window->pane(kDepth)->lblMessage->text().contains(QStringLiteral("takes no part")));
    // Changes on the screen no longer followed redraw nothing.
    const QString before = window->pane(kWidth)->lblHover->text();
    Type(tributary, QStringLiteral("cboPillarHeight"), QStringLiteral("2"));
    Settle();
    EXPECT_EQ(window->pane(kWidth)->lblHover->text(), before);
    QPointer<QWidget> guard(window);
    modelled->close();
    flushDeletes();
    EXPECT_TRUE(guard.isNull());
    EXPECT_EQ(Windows().existing(QStringLiteral("frmDesignCharts")), nullptr);
}

// A FOS in the millions, then an ordinary one: a handful of ticks each time
// (a step kept from one range to the next would ask for millions), labelled
// by the program's one tick rule.
TEST_F(ChartsWindow, AxesKeepAHandfulOfTicksWhateverTheValues) {
    CalculationScreen* screen = open("frmTributary");
    fill(screen, QStringLiteral("4"));
    frmDesignCharts* window = charts(screen);
    for (const char* depth : {"0.00001", "500", "0.00001"}) {
        Type(screen, QStringLiteral("txtDepth"), QString::fromLatin1(depth));
        Settle();
        for (int i = 0; i < frmDesignCharts::kPanes; ++i) {
            ASSERT_TRUE(window->pane(i)->curve()) << depth;
            for (QAbstractAxis* a : window->pane(i)->chart()->axes()) {
                auto* axis = qobject_cast<QCategoryAxis*>(a);
                ASSERT_NE(axis, nullptr);
                EXPECT_TRUE(axis->isVisible());
                const QStringList labels = axis->categoriesLabels();
                EXPECT_GT(labels.size(), 2) << depth << " " << i;
                EXPECT_LT(labels.size(), 13) << depth << " " << i;
                EXPECT_EQ(labels, evaluation::RoundTicks(axis->min(), axis->max(), 6,
                                                         evaluation::NumberLocale::Current())
                                      .texts);
            }
        }
    }
    const design::Curve& huge = *window->pane(kWidth)->curve();
    EXPECT_GT(huge.points[*huge.current].result.factorOfSafety, 1e6f);
}

// The legend names what is on the chart and nothing else; a range of more
// points than are drawn is drawn on a coarser step, and says so; a refused
// range leaves no axes behind.
TEST_F(ChartsWindow, DrawsWhatItSaysAndNamesOnlyWhatItDraws) {
    CalculationScreen* screen = open("frmTributary");
    fill(screen, QStringLiteral("4"));
    frmDesignCharts* window = charts(screen);
    ChartPane* pane = window->pane(kWidth);
    const auto legend = [pane] {
        QStringList names;
        for (QLegendMarker* marker : pane->chart()->legend()->markers())
            if (marker->isVisible())
                names << marker->label();
        return names;
    };
    const auto range = [pane](const char* from, const char* to, const char* step) {
        pane->txtFrom->setText(QString::fromLatin1(from));
        pane->txtTo->setText(QString::fromLatin1(to));
        pane->txtStep->setText(QString::fromLatin1(step));
        QTest::keyClick(pane->txtStep, Qt::Key_Return);
    };
    struct Case {
        const char *from, *to, *step;
        QStringList legend;
        qsizetype points;
        const char* message;
    };
    const QString fos = QStringLiteral("FOS");
    const QString band = QStringLiteral("W:H below 2.5");
    const QString fos1 = QStringLiteral("FOS 1.0");
    const QString fos16 = QStringLiteral("FOS 1.6");
    const QString squat = QStringLiteral("Squat formula start");
    const QString screens = QStringLiteral("The screen's design");
    const Case cases[] = {
        // Square pillars 4 m high: W:H below 2.5 under 10 m, the squat
        // formula from 18 m, the screen's design at 10 m.
        {"5", "20", "0.5", {band, fos, fos1, fos16, squat, screens}, 31, ""},
        {"8", "16", "0.5", {band, fos, fos1, fos16, screens}, 17, ""},
        {"12", "16", "1", {fos, fos1, fos16}, 5, ""},
        {"5", "9", "1", {band, fos, fos1, fos16}, 5, ""},
        {"1",
         "2000",
         "0.1",
         {band, fos, fos1, fos16, squat, screens},
         3999,
         "The range holds 19991 points; at most 5000 are drawn: drawn with a step of 0.5"},
        {"5", "x", "1", {}, 0, "The end of the range is not a number"},
    };
    for (const Case& c : cases) {
        range(c.from, c.to, c.step);
        qsizetype points = 0;
        for (const QList<QPointF>& run : pane->drawn())
            points += run.size();
        const std::string where = std::string(c.from) + ".." + c.to + " step " + c.step;
        EXPECT_EQ(legend(), c.legend) << where;
        EXPECT_EQ(pane->lblMessage->text().section(QLatin1Char('\n'), 0, 0),
                  QString::fromLatin1(c.message))
            << where;
        if (c.points == 0) {
            EXPECT_EQ(points, 0) << where;
            for (QAbstractAxis* axis : pane->chart()->axes())
                EXPECT_FALSE(axis->isVisible()) << where;
            continue;
        }
        ASSERT_TRUE(pane->curve()) << where;
        // Every point drawn is a grid point of the range, on the drawn step.
        const design::Curve& curve = *pane->curve();
        EXPECT_EQ(curve.points.front().x, QString::fromLatin1(c.from).toDouble()) << where;
        EXPECT_GE(static_cast<qsizetype>(curve.points.size()), c.points) << where;
        EXPECT_LE(static_cast<qsizetype>(curve.points.size()), c.points + 1) << where;
    }
}

TEST_F(ChartsWindow, ShowsNumbersInTheUsersLocale) {
    LocaleScope german(German());
    CalculationScreen* screen = open("frmTributary");
    fill(screen, QStringLiteral("4"));
    frmDesignCharts* window = charts(screen);
    EXPECT_TRUE(window->pane(kWidth)->lblHover->text().contains(QStringLiteral("FOS 1,7, W:H 2,5")))
        << window->pane(kWidth)->lblHover->text().toStdString();
    EXPECT_EQ(window->pane(kWidth)->txtStep->text(), QStringLiteral("0,05"));
}

} // namespace
} // namespace vt::test
