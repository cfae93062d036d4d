// What every chart of the design tools shares: the axes ticked by the one
// tick rule, and the exports as PNG (at the screen's pixels or drawn again
// at 300 dpi for print, with a caption line above) and SVG, each made whole
// in memory and written through the one save helper, the file asked for
// through AskForFile.
#pragma once

#include "app/filedialogs.h"
#include "evaluation/numbers.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <functional>

class QCategoryAxis;
class QChartView;
class QWidget;

namespace vt::design {

enum class PngResolution { Screen, Print };

inline const QString kPngScreenFilter = QStringLiteral("PNG images, screen resolution (*.png)");
inline const QString kPngPrintFilter = QStringLiteral("PNG images for print, 300 dpi (*.png)");
inline const QString kSvgFilter = QStringLiteral("SVG drawings (*.svg)");
inline const QString kCsvFilter = QStringLiteral("CSV files (*.csv)");

// Ticks at round values, about six of them, labelled by the program's one
// tick rule, over the range low to high.
void SetRoundTicks(QCategoryAxis* axis, double low, double high,
                   const evaluation::NumberLocale& locale);

// The chart as a picture, a caption line above it in `captionFont`'s metrics
// of `fontOf`.
QImage ChartImage(QChartView* view, const QWidget* fontOf, const QString& caption,
                  PngResolution resolution);
bool SaveChartPng(QChartView* view, const QWidget* fontOf, const QString& caption,
                  const QString& path, PngResolution resolution, QString* reason);
bool SaveChartSvg(QChartView* view, const QString& title, const QString& description,
                  const QString& path, QString* reason);

// Asks where to export (suggesting stem.extension) and writes there; a write
// that fails is told in a message box titled `title`, with its reason.
void ExportChart(QWidget* parent, const QString& stem, const QString& extension,
                 const QStringList& filters, const QString& title,
                 const std::function<bool(const FileAnswer&, QString*)>& write);

} // namespace vt::design
