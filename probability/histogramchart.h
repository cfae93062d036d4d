// The histogram of a run's FOS: bars of the share of samples per bin, and
// lines at FOS 1, at the 1.6 limit and at the screen's FOS. One drawing
// serves the window, the PNG and the SVG file; where everything goes is a
// plain mapping, tested without drawing.
#pragma once

#include "evaluation/numbers.h"
#include "probability/core/montecarlo.h"

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QWidget>

class QPainter;

namespace vt::probability {

struct HistogramPicture {
    Histogram histogram;
    std::uint64_t samples = 0; // with a finite FOS: the bars' shares are of these
    double screenFos = 0;
    QString screenFosText; // as the screen shows it
};

inline const QColor kBarFill(168, 184, 216);
inline const QColor kBarEdge(64, 80, 128);
inline const QColor kFailureLine(255, 0, 0); // FOS 1
inline const QColor kLimitLine(255, 128, 0); // FOS 1.6
inline const QColor kScreenLine(0, 0, 255);  // the screen's FOS

// The plot area inside a picture and the mapping of FOS to x and of a share
// of samples to y.
struct HistogramGeometry {
    QRectF plot;
    double lower = 0;    // FOS at the plot's left
    double upper = 1;    // and right
    double topShare = 1; // share at the plot's top

    double x(double fos) const;
    double y(double share) const;
};

HistogramGeometry GeometryOf(const HistogramPicture& picture, const QRectF& area);

// `font` at the largest size, in quarter points from its own down, at which
// `text` fits in `room` on one line; at kSmallestNotePoints where none does.
inline constexpr double kSmallestNotePoints = 5;
QFont FittingFont(const QFont& font, const QString& text, QSizeF room);

void DrawHistogram(QPainter& painter, const QRectF& area, const HistogramPicture& picture,
                   const evaluation::NumberLocale& locale);

// The picture as a file; false with the reason when it cannot be written.
inline constexpr int kExportWidth = 960;
inline constexpr int kExportHeight = 540;
bool SaveHistogramPng(const QString& path, const HistogramPicture& picture,
                      const evaluation::NumberLocale& locale, QString* error);
bool SaveHistogramSvg(const QString& path, const HistogramPicture& picture,
                      const evaluation::NumberLocale& locale, QString* error);

// The histogram in the window: empty until it is given a picture.
class HistogramView : public QWidget {
    Q_OBJECT
public:
    explicit HistogramView(QWidget* parent = nullptr);
    void setPicture(const HistogramPicture& picture);
    void clear();
    bool hasPicture() const { return hasPicture_; }
    const HistogramPicture& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    HistogramPicture picture_;
    bool hasPicture_ = false;
};

} // namespace vt::probability
