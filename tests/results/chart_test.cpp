// The results chart: coordinate mapping and labels without drawing, then the
// pixels of the painted picture.
#include "results/chart.h"
#include "tests/results/resultsfiles.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

namespace vt::results {
// Readable failures.
void PrintTo(const PixelBox& b, std::ostream* out) {
    *out << "(" << b.left << ", " << b.top << ", " << b.width << " x " << b.height << ")";
}
void PrintTo(const CurveEnd& e, std::ostream* out) {
    *out << "column " << e.column << " at (" << e.point.x << ", " << e.point.y << ")";
}
} // namespace vt::results

namespace {

using namespace vt::results;

ModellingResults Loaded(vt::test::ResultsFiles& files, std::string_view bytes) {
    vt::test::Loaded l = vt::test::LoadBytes(files, bytes);
    EXPECT_TRUE(l.parsed);
    return std::move(l.record);
}

struct MappingCase {
    double depth;
    double stress;
    ChartPoint chart;
};

class ReadingToChart : public ::testing::TestWithParam<MappingCase> {};

TEST_P(ReadingToChart, MapsDepthRightAndStressUp) {
    vt::test::ResultsFiles files;
    const ModellingResults r = Loaded(files, vt::test::kWidths5And7); // 100..200 m, 15..35 MPa
    const MappingCase& c = GetParam();
    EXPECT_EQ(MapReading(r, c.depth, c.stress), c.chart);
    EXPECT_EQ(GuidePoint(r, c.depth, c.stress), c.chart);
}

INSTANTIATE_TEST_SUITE_P(Readings, ReadingToChart,
                         ::testing::Values(MappingCase{100, 15, {0, 0}},
                                           MappingCase{200, 35, {400, -400}},
                                           MappingCase{150, 24.5, {200, -190}},
                                           MappingCase{0, 0, {-400, 300}}, // depth 0, stress 0
                                           MappingCase{-1, -1, {-404, 320}}));

TEST(ChartGeometry, ChartPointsSitFromTheOriginInThePixelBox) {
    EXPECT_EQ(ChartToPixel({0, 0}), (ChartPoint{72, 436}));
    EXPECT_EQ(ChartToPixel({400, -400}), (ChartPoint{472, 36}));
    EXPECT_EQ(ChartToPixel({200, -190}), (ChartPoint{272, 246}));
}

struct ClipCase {
    const char* name;
    ChartSegment in;
    std::optional<ChartSegment> out;
};

class Clipping : public ::testing::TestWithParam<ClipCase> {};

TEST_P(Clipping, KeepsThePartInsideAndItsDirection) {
    const ClipCase& c = GetParam();
    const auto clipped = ClipSegment(c.in, 1000);
    ASSERT_EQ(clipped.has_value(), c.out.has_value());
    if (clipped) {
        EXPECT_NEAR(clipped->from.x, c.out->from.x, 1e-6);
        EXPECT_NEAR(clipped->from.y, c.out->from.y, 1e-6);
        EXPECT_NEAR(clipped->to.x, c.out->to.x, 1e-6);
        EXPECT_NEAR(clipped->to.y, c.out->to.y, 1e-6);
    }
}

constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Segments, Clipping,
    ::testing::Values(
        ClipCase{"Inside", {{0, 0}, {400, -400}}, ChartSegment{{0, 0}, {400, -400}}},
        ClipCase{"CrossesRight", {{0, 0}, {1e12, 0}}, ChartSegment{{0, 0}, {1000, 0}}},
        ClipCase{"CrossesBothWays", {{-1e9, 5}, {1e9, 5}}, ChartSegment{{-1000, 5}, {1000, 5}}},
        ClipCase{"Reversed", {{1e12, 0}, {0, 0}}, ChartSegment{{1000, 0}, {0, 0}}},
        ClipCase{"Diagonal", {{0, 0}, {2000, -2000}}, ChartSegment{{0, 0}, {1000, -1000}}},
        ClipCase{"Outside", {{2000, 0}, {3000, 10}}, std::nullopt},
        ClipCase{"NotFinite", {{0, 0}, {kInf, 0}}, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AxisLabels, TwoDecimalsFromTheRanges) {
    vt::test::ResultsFiles files;
    const ModellingResults r = Loaded(files, vt::test::kWidths5And7);
    const std::vector<std::string> texts = AxisLabelTexts(r);
    ASSERT_EQ(texts.size(), 22u);
    const std::vector<std::string> stresses{"15.00", "17.00", "19.00", "21.00", "23.00", "25.00",
                                            "27.00", "29.00", "31.00", "33.00", "35.00"};
    const std::vector<std::string> depths{"100.00", "110.00", "120.00", "130.00",
                                          "140.00", "150.00", "160.00", "170.00",
                                          "180.00", "190.00", "200.00"};
    EXPECT_EQ(std::vector<std::string>(texts.begin(), texts.begin() + 11), stresses);
    EXPECT_EQ(std::vector<std::string>(texts.begin() + 11, texts.end()), depths);
    EXPECT_EQ(AxisLabelTexts(r, ",")[5], "25,00");
}

TEST(AxisLabels, ZeroRangesShowZeros) {
    const std::vector<std::string> texts = AxisLabelTexts(ModellingResults{});
    EXPECT_EQ(texts, std::vector<std::string>(22, "0.00"));
}

TEST(AxisLabels, RangeSentinelsGiveNumbersNotInfinity) {
    ModellingResults r;
    r.MaxDepth = r.MaxStress = kRangeStartMax;
    r.MinDepth = r.MinStress = kRangeStartMin;
    for (const std::string& text : AxisLabelTexts(r))
        EXPECT_EQ(text.find_first_of("ina"), std::string::npos) << text;
}

struct FixedCase {
    double value;
    const char* text;
};

class FixedFormat : public ::testing::TestWithParam<FixedCase> {};

TEST_P(FixedFormat, TwoDecimalsAtLeastOneDigitBeforeThePoint) {
    EXPECT_EQ(FixedTwoDecimals(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, FixedFormat,
                         ::testing::Values(FixedCase{12.5, "12.50"}, FixedCase{7, "7.00"},
                                           FixedCase{0.5, "0.50"}, FixedCase{-3.25, "-3.25"},
                                           FixedCase{0.125, "0.13"}, FixedCase{-0.125, "-0.13"},
                                           FixedCase{2.675, "2.67"}, // held just below .675
                                           FixedCase{-0.001, "0.00"},
                                           FixedCase{1234567.891, "1234567.89"},
                                           FixedCase{1e20, "100000000000000000000.00"}));

TEST(AxisLabels, PlacesBesideTheTicks) {
    EXPECT_EQ(AxisLabelBox(0), (TwipsBox{405, 6450, 600, 255}));
    EXPECT_EQ(AxisLabelBox(10), (TwipsBox{405, 450, 600, 255}));
    EXPECT_EQ(AxisLabelBox(11), (TwipsBox{675, 6645, 600, 255}));
    EXPECT_EQ(AxisLabelBox(21), (TwipsBox{6675, 6645, 600, 255}));
}

TEST(CurveSegments, ShorterCurveEndsAtItsLastValidRow) {
    vt::test::ResultsFiles files;
    const ModellingResults r = Loaded(files, "4\t0\t6\t0\r\n"
                                             "100\t30\t100\t20\r\n"
                                             "200\t60\t200\t40\r\n"
                                             "-1\t-1\t300\t60\r\n"
                                             "-1\t-1\t400\t80\r\n");
    std::vector<ChartSegment> segments;
    ForEachCurveSegment(r, [&](const ChartSegment& s) { segments.push_back(s); });
    // 4 m: rows 2-3 only; 6 m: rows 2-3, 3-4, 4-5.
    ASSERT_EQ(segments.size(), 4u);
    // Depths 100..400 m (4/3 units per m), stresses 20..80 MPa (-20/3 per MPa).
    EXPECT_EQ(segments[0].from, (ChartPoint{0, r.ChartPoints(2, 2)}));
    EXPECT_NEAR(segments[0].from.y, -200 / 3.0, 1e-9);
    EXPECT_NEAR(segments[0].to.x, 400 / 3.0, 1e-9);
    EXPECT_NEAR(segments[0].to.y, -800 / 3.0, 1e-9);
    EXPECT_EQ(segments[1].from, (ChartPoint{0, 0}));
    EXPECT_EQ(segments.back().to, (ChartPoint{400, -400}));
}

TEST(CurveEnds, EachDrawnCurveEndsAtItsLastSegment) {
    vt::test::ResultsFiles files;
    const ModellingResults two = Loaded(files, vt::test::kWidths5And7);
    EXPECT_EQ(CurveEnds(two),
              (std::vector<CurveEnd>{{1, {400, -400}}, {3, {400, -260}}})); // 200 m: 35 and 28 MPa
    // Width 4 stops at row 3, width 6 goes on to row 5 (400 m, 80 MPa).
    const ModellingResults uneven = Loaded(files, "4\t0\t6\t0\r\n"
                                                  "100\t30\t100\t20\r\n"
                                                  "200\t60\t200\t40\r\n"
                                                  "-1\t-1\t300\t60\r\n"
                                                  "-1\t-1\t400\t80\r\n");
    const std::vector<CurveEnd> ends = CurveEnds(uneven);
    ASSERT_EQ(ends.size(), 2u);
    EXPECT_EQ(ends[0].column, 1);
    EXPECT_NEAR(ends[0].point.x, 400 / 3.0, 1e-9);  // 200 m of 100..400 m
    EXPECT_NEAR(ends[0].point.y, -800 / 3.0, 1e-9); // 60 MPa of 20..80 MPa
    EXPECT_EQ(ends[1], (CurveEnd{3, {400, -400}}));
    EXPECT_TRUE(CurveEnds(ModellingResults{}).empty());
}

struct LabelCase {
    const char* name;
    std::vector<ChartPoint> anchors; // pixels
    std::vector<PixelSize> sizes;
    std::vector<PixelBox> boxes;
};

class CurveLabelPlaces : public ::testing::TestWithParam<LabelCase> {};

TEST_P(CurveLabelPlaces, BesideTheEndAndInsideTheChart) {
    const LabelCase& c = GetParam();
    const std::vector<PixelBox> boxes = PlaceCurveLabels(c.anchors, c.sizes);
    EXPECT_EQ(boxes, c.boxes);
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        EXPECT_TRUE(kCurveLabelArea.contains(boxes[i])) << i;
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_FALSE(boxes[i].intersects(boxes[j])) << i << " over " << j;
    }
}

// The area runs from x 76 to 498 and from y 1 to 431: clear of the stress
// axis and its ticks (x up to 75) and of the depth axis and its ticks (y from
// 433).
INSTANTIATE_TEST_SUITE_P(
    Names, CurveLabelPlaces,
    ::testing::Values(
        LabelCase{"RightOfTheEnd", {{300, 200}}, {{12, 10}}, {{303, 195, 12, 10}}},
        LabelCase{"LeftWhereTheRightEdgeIsNear", {{472, 36}}, {{30, 10}}, {{439, 31, 30, 10}}},
        LabelCase{"JustFitsOnTheRight", {{472, 36}}, {{24, 10}}, {{475, 31, 24, 10}}},
        LabelCase{"BelowTheTopEdge", {{300, 2}}, {{12, 10}}, {{303, 1, 12, 10}}},
        LabelCase{"AboveTheDepthAxis", {{300, 436}}, {{12, 10}}, {{303, 422, 12, 10}}},
        LabelCase{"RightOfTheStressAxis", {{20, 200}}, {{12, 10}}, {{76, 195, 12, 10}}},
        LabelCase{"TooWideForTheChart", {{300, 200}}, {{1000, 10}}, {{76, 195, 423, 10}}},
        LabelCase{"TwoOnOnePoint",
                  {{300, 200}, {300, 200}, {300, 200}},
                  {{12, 10}, {12, 10}, {12, 10}},
                  {{303, 195, 12, 10}, {303, 206, 12, 10}, {303, 184, 12, 10}}},
        LabelCase{"AtTheTopTheNextGoesDown",
                  {{472, 36}, {472, 38}},
                  {{20, 10}, {20, 10}},
                  {{475, 31, 20, 10}, {475, 44, 20, 10}}},
        LabelCase{"FarOutsideOrNotANumber",
                  {{1e9, -1e9}, {std::nan(""), 5}},
                  {{12, 10}, {12, 10}},
                  {{487, 1, 12, 10}, {76, 1, 12, 10}}}),
    [](const auto& info) { return std::string(info.param.name); });

QColor Pixel(const QImage& image, ChartPoint chart) {
    const ChartPoint p = ChartToPixel(chart);
    return image.pixelColor(static_cast<int>(p.x), static_cast<int>(p.y));
}

int CountColour(const QImage& image, const QColor& colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y) == colour;
    return n;
}

TEST(ChartPicture, IsAWhiteBoxOf500Pixels) {
    ResultsChart chart;
    EXPECT_EQ(chart.image().size(), QSize(500, 500));
    EXPECT_EQ(CountColour(chart.image(), Qt::white), 500 * 500);
}

TEST(ChartPicture, FrameHasBlackAxesAndTicks) {
    ResultsChart chart;
    chart.DrawChartFrame();
    const QImage& image = chart.image();
    for (int k = 0; k <= 400; k += 40) {
        EXPECT_EQ(Pixel(image, {double(k), 0}), QColor(Qt::black)) << k;
        EXPECT_EQ(Pixel(image, {0, double(-k)}), QColor(Qt::black)) << k;
        EXPECT_EQ(Pixel(image, {double(k), 3}), QColor(Qt::black)) << "tick " << k;
        EXPECT_EQ(Pixel(image, {-3, double(-k)}), QColor(Qt::black)) << "tick " << k;
    }
    EXPECT_EQ(Pixel(image, {20, 3}), QColor(Qt::white)); // between ticks
    EXPECT_EQ(Pixel(image, {200, -200}), QColor(Qt::white));
    chart.Clear();
    EXPECT_EQ(CountColour(chart.image(), Qt::white), 500 * 500);
}

TEST(ChartPicture, CurvesAreBlue) {
    vt::test::ResultsFiles files;
    const ModellingResults r = Loaded(files, vt::test::kWidths5And7);
    ResultsChart chart;
    chart.DrawResultCurves(r);
    const QColor blue(0, 0, 255);
    // Width 5 runs from (0, -100) to (400, -400); width 7 from (0, 0) to (400, -260).
    EXPECT_EQ(Pixel(chart.image(), {200, -250}), blue);
    EXPECT_EQ(Pixel(chart.image(), {200, -130}), blue);
    EXPECT_EQ(Pixel(chart.image(), {200, -200}), QColor(Qt::white));
    EXPECT_GT(CountColour(chart.image(), blue), 700);
}

// Pixels of the dotted guide lines to (200, -190), away from the tick at
// x = 200 on the depth axis.
int GuideDots(const QImage& image, const QColor& colour) {
    int n = 0;
    for (int y = -189; y <= -4; ++y)
        n += Pixel(image, {200, double(y)}) == colour;
    for (int x = 1; x <= 199; ++x)
        n += Pixel(image, {double(x), -190}) == colour;
    return n;
}

TEST(ChartPicture, GuideLinesAreBlackDotsToTheAxes) {
    ResultsChart chart;
    chart.DrawGuideLines(200, -190);
    const int dots = GuideDots(chart.image(), Qt::black);
    // Dotted: about a third to a half of the 385 pixels are set, never all.
    EXPECT_GT(dots, 385 / 4);
    EXPECT_LT(dots, 385);
    EXPECT_EQ(Pixel(chart.image(), {100, -100}), QColor(Qt::white));
    EXPECT_EQ(Pixel(chart.image(), {300, -190}), QColor(Qt::white)); // stops at the point
}

TEST(ChartPicture, TogglesHideAndShowTheGuideLinesAndKeepTheCurvesBlue) {
    vt::test::ResultsFiles files;
    const ModellingResults r = Loaded(files, vt::test::kWidths5And7);
    ResultsChart chart;
    chart.DrawChartFrame();
    chart.DrawResultCurves(r);
    const ChartPoint point = GuidePoint(r, 150, 24.5);
    chart.DrawGuideLines(point.x, point.y);
    const QImage shown = chart.image().copy();
    const QColor blue(0, 0, 255);
    ASSERT_GT(GuideDots(shown, Qt::black), 385 / 4);

    chart.ToggleGuideLines(point.x, point.y, r); // hides
    const QImage hidden = chart.image().copy();
    EXPECT_EQ(GuideDots(hidden, Qt::black), 0);
    EXPECT_EQ(Pixel(hidden, {200, -250}), blue);
    EXPECT_EQ(Pixel(hidden, {200, -130}), blue);

    chart.ToggleGuideLines(point.x, point.y, r); // shows again
    // As first drawn, except that dots that fell on a curve are blue now.
    int differing = 0;
    for (int y = 0; y < 500; ++y)
        for (int x = 0; x < 500; ++x)
            if (chart.image().pixelColor(x, y) != shown.pixelColor(x, y)) {
                ++differing;
                EXPECT_EQ(chart.image().pixelColor(x, y), blue) << x << ',' << y;
            }
    EXPECT_LT(differing, 10);
    EXPECT_EQ(Pixel(chart.image(), {200, -250}), blue);

    // From here every two toggles restore the picture pixel for pixel.
    const QImage again = chart.image().copy();
    chart.ToggleGuideLines(point.x, point.y, r);
    EXPECT_EQ(chart.image(), hidden);
    chart.ToggleGuideLines(point.x, point.y, r);
    EXPECT_EQ(chart.image(), again);
}

// Black pixels inside the axes, away from the axes and their ticks: the
// guide lines.
int BlackInsideTheAxes(const QImage& image) {
    int n = 0;
    for (int y = -396; y <= -5; ++y)
        for (int x = 5; x <= 396; ++x)
            n += Pixel(image, {double(x), double(y)}) == QColor(Qt::black);
    return n;
}

// The pixels of the axes and their ticks.
std::vector<QPoint> FramePixels() {
    ResultsChart frame;
    frame.DrawChartFrame();
    std::vector<QPoint> pixels;
    for (int y = 0; y < 500; ++y)
        for (int x = 0; x < 500; ++x)
            if (frame.image().pixelColor(x, y) == QColor(Qt::black))
                pixels.emplace_back(x, y);
    return pixels;
}

// Hidden guide lines leave the axes whole: the inversion crosses them where
// the lines meet them, and they are drawn again with the curves. Guide points
// on a tick and between ticks.
TEST(ChartPicture, HidingTheGuideLinesLeavesTheAxesAndTicksWhole) {
    vt::test::ResultsFiles files;
    const ModellingResults r = Loaded(files, vt::test::kWidths5And7);
    const std::vector<QPoint> frame = FramePixels();
    ASSERT_GT(frame.size(), 800u);
    const QColor blue(0, 0, 255);
    for (const ChartPoint point : {ChartPoint{200, -190}, ChartPoint{130, -250}}) {
        ResultsChart chart;
        chart.DrawChartFrame();
        chart.DrawResultCurves(r);
        chart.DrawGuideLines(point.x, point.y);
        for (int toggle = 1; toggle <= 4; ++toggle) {
            chart.ToggleGuideLines(point.x, point.y, r);
            // Odd toggles hide the lines, even ones show them again.
            EXPECT_EQ(BlackInsideTheAxes(chart.image()) == 0, toggle % 2 == 1) << toggle;
            int holes = 0;
            for (const QPoint& p : frame) {
                const QColor c = chart.image().pixelColor(p);
                holes += c != QColor(Qt::black) && c != blue; // a curve may cross an axis
            }
            EXPECT_EQ(holes, 0) << "toggle " << toggle << " at " << point.x << "," << point.y;
        }
    }
}

// The curves' names, in a style whose glyphs have no grey edges.
CurveLabelStyle SmallLabels(const std::string& separator = ".") {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(9);
    return {font, separator};
}

// Blue pixels in a rectangle of the box (pixels).
int BlueIn(const QImage& image, const QRect& rect) {
    int n = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            n += image.pixelColor(x, y) == QColor(0, 0, 255);
    return n;
}

TEST(ChartPicture, EachCurveIsNamedByItsWidthBesideItsLastPoint) {
    vt::test::ResultsFiles files;
    const ModellingResults r = Loaded(files, vt::test::kWidths5And7);
    ResultsChart chart;
    chart.DrawChartFrame();
    chart.DrawResultCurves(r, SmallLabels());
    const QImage& image = chart.image();
    // The curves end at x 472: the width-5 curve at y 36, the width-7 at y
    // 176. Right of them nothing but the names is blue: "5" level with the
    // first end, "7" with the second.
    EXPECT_GT(BlueIn(image, QRect(474, 31, 25, 11)), 8);
    EXPECT_GT(BlueIn(image, QRect(474, 171, 25, 11)), 8);
    EXPECT_EQ(BlueIn(image, QRect(474, 0, 26, 30)), 0);
    EXPECT_EQ(BlueIn(image, QRect(474, 43, 26, 127)), 0);
    EXPECT_EQ(BlueIn(image, QRect(474, 183, 26, 317)), 0);
    EXPECT_EQ(BlueIn(image, QRect(499, 0, 1, 500)), 0); // inside the chart
    // Not the same glyph twice.
    EXPECT_NE(image.copy(474, 31, 25, 11), image.copy(474, 171, 25, 11));

    // Drawing the curves again changes nothing: no glyph edge darkens.
    const QImage once = image.copy();
    chart.DrawResultCurves(r, SmallLabels());
    EXPECT_EQ(chart.image(), once);
}

TEST(ChartPicture, NamesUseTheDecimalSeparatorAndStayInsideTheChart) {
    vt::test::ResultsFiles files;
    // A width of 6.5 whose curve ends in the top right corner, and a long
    // width whose name cannot go right of its end.
    const ModellingResults r = Loaded(files, "6.5\t0\t123456.25\t0\r\n"
                                             "100\t20\t100\t15\r\n"
                                             "200\t35\t200\t28\r\n");
    ResultsChart point;
    point.DrawResultCurves(r, SmallLabels("."));
    ResultsChart comma;
    comma.DrawResultCurves(r, SmallLabels(","));
    EXPECT_NE(point.image(), comma.image());
    for (const ResultsChart* chart : {&point, &comma}) {
        const QImage& image = chart->image();
        EXPECT_GT(BlueIn(image, QRect(474, 31, 25, 11)), 8); // "6.5" right of (472, 36)
        // "123456.25" is wider than the 26 px right of its end: left of it.
        EXPECT_EQ(BlueIn(image, QRect(474, 166, 26, 21)), 0);
        EXPECT_GT(BlueIn(image, QRect(400, 171, 60, 11)), 20); // the curve is right of x 460 here
        EXPECT_EQ(BlueIn(image, QRect(499, 0, 1, 500)), 0);
    }
}

// A file of thousands of rows (the curves are drawn in batches): the picture
// holds exactly the pixels of its segments drawn one line at a time, apart
// from the names beside the curves' ends.
TEST(ChartPicture, ManyRowsDrawTheSamePixelsAsOneLineAtATimeAndAgain) {
    std::string bytes = "4\t0\t8\t0\t12\t0\t16\t0\r\n";
    constexpr int kRows = 6000;
    for (int r = 0; r < kRows; ++r) {
        const double depth = 100 + 0.25 * r;
        for (int c = 0; c < 4; ++c) {
            // Curve 3 stops two thirds down; the others wiggle a little.
            const bool stopped = c == 2 && r > kRows * 2 / 3;
            const double stress = depth * (0.5 - 0.1 * c) + (r % 7) * 0.03 * c;
            bytes +=
                (c ? "\t" : "") + (stopped ? std::string("-1\t-1")
                                           : std::to_string(depth) + "\t" + std::to_string(stress));
        }
        bytes += "\r\n";
    }
    vt::test::ResultsFiles files;
    const ModellingResults r = Loaded(files, bytes);
    ResultsChart chart;
    chart.DrawChartFrame();
    chart.DrawResultCurves(r, SmallLabels());

    ResultsChart frame;
    frame.DrawChartFrame();
    QImage expected = frame.image().copy();
    QPainter painter(&expected);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor(0, 0, 255), 1));
    int segments = 0;
    ForEachCurveSegment(r, [&](const ChartSegment& s) {
        const ChartPoint a = ChartToPixel(s.from);
        const ChartPoint b = ChartToPixel(s.to);
        painter.drawLine(QLineF(a.x, a.y, b.x, b.y));
        ++segments;
    });
    painter.end();
    EXPECT_GT(segments, 20000);

    // Room for a name around each end.
    std::vector<QRect> names;
    for (const CurveEnd& end : CurveEnds(r)) {
        const ChartPoint p = ChartToPixel(end.point);
        names.emplace_back(static_cast<int>(p.x) - 80, static_cast<int>(p.y) - 20, 160, 40);
    }
    ASSERT_EQ(names.size(), 4u);
    int differing = 0;
    for (int y = 0; y < 500; ++y)
        for (int x = 0; x < 500; ++x) {
            const QRgb got = chart.image().pixel(x, y);
            const QRgb want = expected.pixel(x, y);
            const bool named = std::any_of(names.begin(), names.end(),
                                           [&](const QRect& box) { return box.contains(x, y); });
            // Under a name only the names' blue is added.
            if (got != want && (!named || want != qRgb(255, 255, 255)))
                ++differing;
        }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(CountColour(chart.image(), QColor(0, 0, 255)), 1000);

    // Drawn again on a cleared picture: the same pixels. A table that
    // differs in one point of one curve (the same size and ranges) is drawn
    // afresh, as a new chart draws it.
    const QImage first = chart.image().copy();
    chart.Clear();
    chart.DrawChartFrame();
    chart.DrawResultCurves(r, SmallLabels());
    EXPECT_EQ(chart.image(), first);
    ModellingResults moved = r;
    moved.ChartPoints(3000, 3) += 40;
    chart.Clear();
    chart.DrawChartFrame();
    chart.DrawResultCurves(moved, SmallLabels());
    ResultsChart fresh;
    fresh.DrawChartFrame();
    fresh.DrawResultCurves(moved, SmallLabels());
    EXPECT_EQ(chart.image(), fresh.image());
    EXPECT_NE(chart.image(), first);
}

TEST(ChartPicture, ToggleOnABlankChartDrawsThenErases) {
    ResultsChart chart;
    chart.ToggleGuideLines(200, -190, ModellingResults{});
    EXPECT_GT(GuideDots(chart.image(), Qt::black), 385 / 4);
    chart.ToggleGuideLines(200, -190, ModellingResults{});
    EXPECT_EQ(CountColour(chart.image(), Qt::white), 500 * 500);
}

TEST(ChartPicture, FarPointsAndNonNumbersDrawNothingOutsideTheBox) {
    ResultsChart chart;
    chart.DrawGuideLines(1e300, -1e300);
    chart.DrawGuideLines(std::nan(""), 0);
    // The horizontal line runs along y = -1e300, far above the box; the
    // vertical one at x = 1e300, far right of it.
    EXPECT_EQ(CountColour(chart.image(), Qt::white), 500 * 500);
}

} // namespace
