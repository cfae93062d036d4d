// Putting the report page on paper: one image, scaled to fit the printable
// area of one page and centred across it, on a printer or into a PDF file.
#pragma once

#include <QImage>
#include <QPrinterInfo>
#include <QRect>
#include <QSize>
#include <QString>

class QPrinter;
class QWidget;

namespace vt {

struct PrintResult {
    bool printed = false;
    QString problem; // for the user, when nothing was printed
};

// Where the page image goes on a page whose printable area has the given
// size (device pixels, origin at its top-left corner): the image's shape is
// kept, it is no larger than its on-screen size (image pixels at 96 dpi) and
// no larger than the area, centred across the area and set at its top.
QRect PageImageRect(QSize image, QSize printable, int printerDpi);

// Draws the image as the one page of an already set-up printer.
PrintResult PrintPage(QPrinter& printer, const QImage& page);

// Prints the image on the given printer; a null printer is reported as "no
// default printer".
PrintResult PrintOnPrinter(const QImage& page, const QPrinterInfo& printer);

// Writes the image as a one-page PDF file.
PrintResult SavePageAsPdf(const QImage& page, const QString& fileName);

// Asks for the name of a PDF file to write (empty when the user cancels);
// ".pdf" is added to a name without a suffix.
QString ChoosePdfFile(QWidget* parent);

} // namespace vt
