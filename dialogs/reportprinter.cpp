#include "dialogs/reportprinter.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cmath>

namespace vt {

namespace {
constexpr double kScreenDpi = 96.0;
}

QRect PageImageRect(QSize image, QSize printable, int printerDpi) {
    if (image.isEmpty() || printable.isEmpty() || printerDpi <= 0)
        return {};
    const double scale =
        std::min({printerDpi / kScreenDpi, double(printable.width()) / image.width(),
                  double(printable.height()) / image.height()});
    const int width = std::clamp(int(std::lround(image.width() * scale)), 1, printable.width());
    const int height = std::clamp(int(std::lround(image.height() * scale)), 1, printable.height());
    return {(printable.width() - width) / 2, 0, width, height};
}

PrintResult PrintPage(QPrinter& printer, const QImage& page) {
    if (page.isNull())
        return {false, QStringLiteral("There is no page to print.")};
    QPainter painter;
    if (!painter.begin(&printer))
        return {false, QStringLiteral("The printer did not accept the page.")};
    // The origin is the top-left corner of the printable area.
    const QRect area = printer.pageLayout().paintRectPixels(printer.resolution());
    const QRect target = PageImageRect(page.size(), area.size(), printer.resolution());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, page.convertToFormat(QImage::Format_RGB32));
    if (!painter.end())
        return {false, QStringLiteral("The printer did not finish the page.")};
    return {true, {}};
}

PrintResult PrintOnPrinter(const QImage& page, const QPrinterInfo& printerInfo) {
    if (printerInfo.isNull())
        return {false,
                QStringLiteral("The report could not be printed: no default printer is set up.")};
    QPrinter printer(printerInfo, QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Pillar design report"));
    PrintResult result = PrintPage(printer, page);
    if (!result.printed)
        result.problem = QStringLiteral("The report could not be printed on \"%1\": %2")
                             .arg(printerInfo.printerName(), result.problem);
    return result;
}

PrintResult SavePageAsPdf(const QImage& page, const QString& fileName) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fileName);
    printer.setDocName(QStringLiteral("Pillar design report"));
    PrintResult result = PrintPage(printer, page);
    if (!result.printed)
        result.problem = QStringLiteral("The report could not be saved as \"%1\".")
                             .arg(QDir::toNativeSeparators(fileName));
    return result;
}

QString ChoosePdfFile(QWidget* parent) {
    QString name = QFileDialog::getSaveFileName(
        parent, QStringLiteral("Save the report as a PDF file"),
        QDir::home().filePath(QStringLiteral("report.pdf")), QStringLiteral("PDF files (*.pdf)"));
    if (!name.isEmpty() && QFileInfo(name).suffix().isEmpty())
        name += QStringLiteral(".pdf");
    return name;
}

} // namespace vt
