// The histogram's mapping and its drawing: bins where their edges map, bar
// heights by share, the three lines where their FOS maps, and what falls
// outside the bins said below the plot.
#include "probability/histogramchart.h"

#include <QImage>
#include <QPainter>
#include <cmath>
#include <gtest/gtest.h>

namespace vt::probability {
namespace {

// Bins of 0.1 from 0 to 3: 10 samples in [1.2, 1.3), 40 in [1.5, 1.6), 50
// in [2.0, 2.1); 5 above.
HistogramPicture Picture() {
    HistogramPicture p;
    p.histogram.lower = 0;
    p.histogram.step = 0.1;
    p.histogram.counts.assign(30, 0);
    p.histogram.counts[12] = 10;
    p.histogram.counts[15] = 40;
    p.histogram.counts[20] = 50;
    p.histogram.above = 5;
    p.samples = 105;
    p.screenFos = 2.25;
    p.screenFosText = QStringLiteral("2.3");
    return p;
}

const evaluation::NumberLocale& English() {
    static const evaluation::NumberLocale kLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    return kLocale;
}

TEST(HistogramGeometry, MapsTheBinsOntoThePlotAndTheLargestShareNearItsTop) {
    const QRectF area(0, 0, 960, 540);
    const HistogramGeometry g = GeometryOf(Picture(), area);
    EXPECT_TRUE(area.contains(g.plot));
    EXPECT_DOUBLE_EQ(g.x(0), g.plot.left());
    EXPECT_DOUBLE_EQ(g.x(3.0000000000000004), g.plot.right());
    EXPECT_NEAR(g.x(1.5), g.plot.left() + g.plot.width() / 2, 1e-9);
    EXPECT_DOUBLE_EQ(g.y(0), g.plot.bottom());
    // 50 of 105 is the largest share; the top is a round share above it.
    const double largest = 50.0 / 105;
    EXPECT_GT(g.topShare, largest);
    EXPECT_LT(g.topShare, largest * 1.3);
    EXPECT_GT(g.y(largest), g.plot.top());
}

QImage Drawn(const HistogramPicture& p) {
    QImage image(960, 540, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    DrawHistogram(painter, QRectF(0, 0, 960, 540), p, English());
    return image;
}

TEST(DrawHistogram, BarsByShareAndTheThreeLines) {
    const HistogramPicture p = Picture();
    const QImage image = Drawn(p);
    const HistogramGeometry g = GeometryOf(p, QRectF(0, 0, 960, 540));
    auto at = [&image](double x, double y) {
        return image.pixelColor(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)));
    };
    const double justAboveAxis = g.plot.bottom() - 3;
    // Inside each filled bar, and white over an empty bin.
    for (std::size_t bin : {12u, 20u}) {
        const double centre = g.x(p.histogram.edge(bin) + p.histogram.step / 2);
        const double share = static_cast<double>(p.histogram.counts[bin]) / 105;
        EXPECT_EQ(at(centre, justAboveAxis), kBarFill) << bin;
        EXPECT_EQ(at(centre, g.y(share) + 3), kBarFill) << bin;
        EXPECT_EQ(at(centre, g.y(share) - 3), QColor(Qt::white)) << bin;
    }
    EXPECT_EQ(at(g.x(0.55), justAboveAxis), QColor(Qt::white));
    // The bar of bin 20 is five times as high as that of bin 12.
    const double h12 = g.plot.bottom() - g.y(10.0 / 105);
    const double h20 = g.plot.bottom() - g.y(50.0 / 105);
    EXPECT_NEAR(h20 / h12, 5.0, 1e-9);
    // The lines, half-way up the plot over empty bins.
    const double middle = g.plot.center().y();
    EXPECT_EQ(at(std::round(g.x(1.0)), middle), kFailureLine);
    EXPECT_EQ(at(std::round(g.x(2.25)), middle), kScreenLine);
    // The 1.6 line is dashed: some of its pixels are its colour.
    int limit = 0;
    for (int y = static_cast<int>(g.plot.top()); y < static_cast<int>(g.plot.bottom()); ++y)
        limit += image.pixelColor(static_cast<int>(std::round(g.x(1.6))), y) == kLimitLine;
    EXPECT_GT(limit, 20);
    EXPECT_LT(limit, static_cast<int>(g.plot.height()));
}

TEST(DrawHistogram, AMarkOutsideTheBinsIsNotDrawn) {
    HistogramPicture p = Picture();
    p.screenFos = 7.5;
    const QImage image = Drawn(p);
    int blue = 0;
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); y += 7)
            blue += image.pixelColor(x, y) == kScreenLine;
    EXPECT_EQ(blue, 0);
}

} // namespace
} // namespace vt::probability

namespace vt::probability {
namespace {

// The note of what is not drawn keeps to its room: the largest quarter point
// size at which it fits, its own size where it fits already.
TEST(FittingFont, TheLargestSizeAtWhichTheTextFitsItsRoom) {
    const QString note = QStringLiteral("Not drawn: 1,234,567 below 0.05, 7,654,321 above 4.9");
    struct Case {
        const char* what;
        double points;
        QSizeF room;
        bool keepsItsSize;
    };
    const Case cases[] = {
        {"room enough", 9, {2000, 40}, true},
        {"a narrow picture", 9, {200, 40}, false},
        {"too low for the font", 14, {2000, 12}, false},
        {"a large font in a narrow picture", 14, {240, 40}, false},
    };
    for (const Case& c : cases) {
        QFont font;
        font.setPointSizeF(c.points);
        const QFont fitted = FittingFont(font, note, c.room);
        const QFontMetricsF metrics(fitted);
        EXPECT_LE(metrics.horizontalAdvance(note), c.room.width()) << c.what;
        EXPECT_LE(metrics.height(), c.room.height()) << c.what;
        if (c.keepsItsSize) {
            EXPECT_EQ(fitted.pointSizeF(), c.points) << c.what;
            continue;
        }
        EXPECT_LT(fitted.pointSizeF(), c.points) << c.what;
        QFont larger = fitted;
        larger.setPointSizeF(fitted.pointSizeF() + 0.25);
        const QFontMetricsF above(larger);
        EXPECT_TRUE(above.horizontalAdvance(note) > c.room.width() ||
                    above.height() > c.room.height())
            << c.what;
    }
}

} // namespace
} // namespace vt::probability
