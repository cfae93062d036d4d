// Putting the report page on paper. The page is drawn by one function,
// DrawReportPage, for every destination: a print job (sent to the print
// system as a PDF document and followed until the printer has it), a PDF
// file, the print preview and an image. The page keeps the dialog's layout,
// scaled to the destination's resolution, fitted into the printable area of
// one page and centred across it.
#pragma once

#include "dialogs/printqueue.h"

#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QRect>
#include <QSize>
#include <QString>
#include <chrono>
#include <functional>

class QIODevice;
class QPainter;
class QWidget;

namespace vt {

struct PrintResult {
    PrintResult() = default;
    PrintResult(bool wasPrinted, QString whatWentWrong, QString whatWaits = {})
        : printed(wasPrinted)
        , problem(std::move(whatWentWrong))
        , notice(std::move(whatWaits)) {}

    bool printed = false;
    QString problem; // for the user, when nothing was printed
    QString notice;  // for the user, when the page was sent but waits
};

// The page to put on paper.
struct ReportPage {
    QSize size; // in pixels at 96 dpi: the dialog's client area
    // Draws the page with the painter's origin at its top-left corner and one
    // painter unit per pixel at 96 dpi.
    std::function<void(QPainter&)> draw;
    QString title;      // the report's title (document title)
    QString originator; // who made it (document creator)
};

// Where the page goes on a page whose printable area has the given size
// (device pixels, origin at its top-left corner): the page's shape is kept,
// it is no larger than its on-screen size (pixels at 96 dpi) and no larger
// than the area, centred across the area and set at its top.
QRect PageImageRect(QSize image, QSize printable, int printerDpi);

// Draws the page into the printable area (device pixels, relative to the
// painter's origin) of a device of the given resolution: the one drawing of
// the page used for print jobs, PDF files, the preview and images.
void DrawReportPage(QPainter& painter, const QRect& printable, int dpi, const ReportPage& page);

// The page as an image at its on-screen size.
QImage ReportPageImage(const ReportPage& page);

// Portrait, half-inch margins, on paper of the given size.
QPageLayout ReportPageLayout(const QPageSize& paper);

// The default paper of a printer, A4 when it has none or is unknown.
QPageSize PrinterPaper(const QString& printer);

// Writes the page as a one-page vector PDF at 1200 dpi, with the report's
// title and originator in the document's information; false if the device
// could not take it.
bool WriteReportPdf(const ReportPage& page, QIODevice& device, const QPageSize& paper);

// Writes the page as a PDF file; nothing is left behind when the write fails,
// and a file already there is replaced only by a complete one.
PrintResult SaveReportPdf(const ReportPage& page, const QString& fileName);

// The default printer's name; empty when there is none.
QString DefaultPrinterName();

// Why a queue cannot take the report now, for the user; empty when it can.
QString QueueRefusal(const QString& queue, const QueueState& state);

// What a job's state means for the report. `final` is false while the job
// should still be followed; `timeIsUp` ends the following (a job still on its
// way counts as printed).
struct JobVerdict {
    bool final = false;
    PrintResult result;
};
JobVerdict JudgeJob(const QString& queue, int job, const JobStatus& status, const QueueState& state,
                    bool timeIsUp);

// How long a job is followed and how often it is looked at.
struct JobFollowing {
    std::chrono::milliseconds limit{3000};
    std::chrono::milliseconds interval{100};
};

// Prints the page on the named queue: checks that the queue takes jobs,
// sends the page as a PDF document and follows the job for a bounded time,
// during which windows repaint and timers run; user input is held back until
// the job has been followed.
PrintResult PrintOnQueue(const ReportPage& page, const QString& queue, const PrintSystem& system,
                         JobFollowing following = {});

// PrintOnQueue on the local print server; an empty name is reported as "no
// default printer".
PrintResult PrintOnPrinter(const ReportPage& page, const QString& printer);

// The same print path for any document the program prints: `write` puts the
// document as a PDF for the given paper into the device (false when it
// cannot); the queue is checked, the job sent as `jobName` and followed.
using PdfWriterFunction = std::function<bool(QIODevice& device, const QPageSize& paper)>;
PrintResult PrintPdfOnQueue(const QString& jobName, const PdfWriterFunction& write,
                            const QString& queue, const PrintSystem& system,
                            JobFollowing following = {});
PrintResult PrintPdfOnPrinter(const QString& jobName, const PdfWriterFunction& write,
                              const QString& printer);

// A print preview of the page in a window of its own over `parent`, which it
// blocks until closed: the page drawn as vectors, zoomed in and out, fitted
// whole or to its width. Its Print closes the preview and calls `print` (the
// report's own printing; none: Print is off).
void ShowPrintPreview(QWidget* parent, const ReportPage& page,
                      const std::function<void()>& print = {});

// The file name a PDF of the report titled `title` is offered under: the
// title with the characters a file name cannot hold made "-", blanks run
// together, at most 80 characters, and ".pdf"; "report.pdf" for no title.
QString PdfFileName(const QString& title);

// Asks for the name of a PDF file to write (empty when the user cancels),
// offering PdfFileName(title); ".pdf" is added to a name without a suffix.
QString ChoosePdfFile(QWidget* parent, const QString& title);

} // namespace vt
