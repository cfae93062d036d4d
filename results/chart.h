// The results chart: a persistent white 500 x 500 px picture of stress
// against depth, one blue curve per modelled pillar width named by its width
// at its last point, with dotted guide lines to the point of an
// interpolation. The screen shows image() and adds the axis labels
// (AxisLabelTexts) and titles around it.
#pragma once

#include "results/core/chartgeometry.h"
#include "results/modellingresults.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <string>

namespace vt::results {

inline const QColor kCurveColour(0, 0, 255);

// How the curves' names are written: small text in the curves' blue, drawn
// without antialiasing so that drawing a name again changes no pixel.
struct CurveLabelStyle {
    QFont font;
    std::string decimalSeparator = ".";
};

class ResultsChart {
public:
    ResultsChart();

    const QImage& image() const { return image_; }

    // White all over.
    void Clear();
    // Axes (black, 2 px) from the origin 400 units right and up, and 11 ticks
    // on each (1 px) every 40 units.
    void DrawChartFrame();
    // One blue polyline per curve through its readings, ending at its last
    // valid reading, where the curve's pillar width names it (in the file's
    // header form, as the width list shows it).
    void DrawResultCurves(const ModellingResults& record, const CurveLabelStyle& labels = {});
    // Black dotted lines from the chart point (x, y) down to the depth axis
    // and across to the stress axis.
    void DrawGuideLines(double x, double y);
    // The same dotted lines inverted, so that a second toggle restores the
    // picture exactly; the axes (which the inversion crosses where the lines
    // meet them) and the curves are then drawn again.
    void ToggleGuideLines(double x, double y, const ModellingResults& record,
                          const CurveLabelStyle& labels = {});

private:
    void DrawCurveLabels(const ModellingResults& record, const CurveLabelStyle& labels);
    // The pixels the curves of the record cover, drawn again only when the
    // table differs from the one they were drawn from.
    const QImage& CurvePixels(const ModellingResults& record);

    QImage image_;
    bool framed_ = false; // the axes are drawn

    // The curves last drawn: what they were drawn from and the pixels they
    // cover (opaque blue on transparent). A guide-line toggle redraws the
    // same table: it paints these pixels again instead of a third of a
    // million lines.
    struct Curves {
        bool valid = false;
        bool any = false; // some line was drawn
        int lineCount = 0;
        int fieldCount = 0;
        double minDepth = 0;
        double minStress = 0;
        Table readings;
        Table chartPoints;
        QImage pixels;
    };
    Curves curves_;
};

// The guide-line point of an interpolation at a depth and stress; the caller
// passes depth 0 and stress 0 when no depth was typed.
ChartPoint GuidePoint(const ModellingResults& record, double depth, double stress);

} // namespace vt::results
