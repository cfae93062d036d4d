#include "dialogs/reportprinter.h"

#include "app/filedialogs.h"
#include "storage/qtstorage.h"

#include <QApplication>
#include <QBuffer>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace vt {

namespace {

constexpr double kScreenDpi = 96.0;
constexpr int kPdfDpi = 1200;
const QString kDocumentName = QStringLiteral("Pillar design report");

QString CouldNotPrint(const QString& queue, const QString& why) {
    return QStringLiteral("The report could not be printed on \"%1\": %2").arg(queue, why);
}

// "(why)" after a statement, or nothing when there is no reason to give.
QString InBrackets(const QString& why) {
    return why.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(why);
}

QString QueueReason(const QueueState& state) {
    return !state.message.isEmpty() ? state.message : state.reasons.join(QStringLiteral(", "));
}

QString JobReason(const JobStatus& status) {
    return !status.message.isEmpty() ? status.message : status.reasons.join(QStringLiteral(", "));
}

QString JobName(const ReportPage& page) {
    const QString title = page.title.simplified();
    return title.isEmpty() ? kDocumentName : title;
}

// Waits without freezing the program: windows repaint and timers run. User
// input waits until the job has been followed (a few seconds at most), so that
// nothing can close the report or ask for a new one meanwhile.
void Wait(std::chrono::milliseconds time) {
    QEventLoop loop;
    QTimer::singleShot(time, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

QRect PrintableArea(const QPageLayout& layout, int dpi) {
    return {QPoint(0, 0), layout.paintRectPixels(dpi).size()};
}

class ReportPreview final : public QDialog {
public:
    ReportPreview(QWidget* parent, ReportPage page, std::function<void()> print)
        : QDialog(parent)
        , page_(std::move(page)) {
        setObjectName(QStringLiteral("dlgPrintPreview"));
        setWindowTitle(QStringLiteral("Print preview"));
        setAttribute(Qt::WA_DeleteOnClose);
        setWindowModality(Qt::WindowModal);
        printer_.setOutputFormat(QPrinter::PdfFormat);
        printer_.setPageLayout(ReportPageLayout(PrinterPaper(DefaultPrinterName())));
        printer_.setDocName(JobName(page_));

        // The page as vectors, drawn by the one drawing of the report.
        view_ = new QPrintPreviewWidget(&printer_, this);
        view_->setObjectName(QStringLiteral("previewPage"));
        view_->setZoomMode(QPrintPreviewWidget::FitInView);
        connect(view_, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* printer) {
            QPainter painter(printer);
            DrawReportPage(painter, PrintableArea(printer->pageLayout(), printer->resolution()),
                           printer->resolution(), page_);
        });
        auto* zoomIn = Button(QStringLiteral("cmdZoomIn"), QStringLiteral("Zoom &in"));
        auto* zoomOut = Button(QStringLiteral("cmdZoomOut"), QStringLiteral("Zoom &out"));
        auto* whole = Button(QStringLiteral("cmdWholePage"), QStringLiteral("&Whole page"));
        auto* width = Button(QStringLiteral("cmdPageWidth"), QStringLiteral("Page wi&dth"));
        connect(zoomIn, &QPushButton::clicked, view_, [this] { view_->zoomIn(); });
        connect(zoomOut, &QPushButton::clicked, view_, [this] { view_->zoomOut(); });
        connect(whole, &QPushButton::clicked, view_, &QPrintPreviewWidget::fitInView);
        connect(width, &QPushButton::clicked, view_, &QPrintPreviewWidget::fitToWidth);
        auto* printButton = Button(QStringLiteral("cmdPrintFromPreview"), QStringLiteral("&Print"));
        printButton->setEnabled(static_cast<bool>(print));
        // The report prints itself, as its own Print button does, once the
        // preview has gone.
        connect(printButton, &QPushButton::clicked, this, [this, print] {
            QObject* report = parentWidget() ? static_cast<QObject*>(parentWidget()) : qApp;
            close();
            QTimer::singleShot(0, report, print);
        });
        auto* close = Button(QStringLiteral("cmdClosePreview"), QStringLiteral("Close"));
        connect(close, &QPushButton::clicked, this, &QDialog::close);

        auto* buttons = new QHBoxLayout;
        for (QPushButton* button : {zoomIn, zoomOut, whole, width})
            buttons->addWidget(button);
        buttons->addStretch();
        buttons->addWidget(printButton);
        buttons->addWidget(close);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(view_, 1);
        layout->addLayout(buttons);
        // An upright page as tall as the display lets it be, whole on it.
        const QScreen* display =
            parent && parent->screen() ? parent->screen() : QGuiApplication::primaryScreen();
        QSize size(640, 860);
        if (display) {
            const QSize room = display->availableGeometry().size() - QSize(40, 80);
            size = size.boundedTo(room).expandedTo(minimumSizeHint());
        }
        resize(size);
    }
    ~ReportPreview() override { delete view_; } // before the printer it shows

private:
    QPushButton* Button(const QString& name, const QString& caption) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(name);
        button->setAutoDefault(false);
        return button;
    }

    ReportPage page_;
    QPrinter printer_{QPrinter::HighResolution};
    QPrintPreviewWidget* view_ = nullptr;
};

} // namespace

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

void DrawReportPage(QPainter& painter, const QRect& printable, int dpi, const ReportPage& page) {
    const QRect target = PageImageRect(page.size, printable.size(), dpi);
    if (target.isEmpty() || !page.draw)
        return;
    const double scale = std::min(double(target.width()) / page.size.width(),
                                  double(target.height()) / page.size.height());
    painter.save();
    painter.translate(printable.topLeft() + target.topLeft());
    painter.scale(scale, scale);
    painter.setClipRect(QRect(QPoint(0, 0), page.size));
    page.draw(painter);
    painter.restore();
}

QImage ReportPageImage(const ReportPage& page) {
    if (page.size.isEmpty())
        return {};
    QImage image(page.size, QImage::Format_ARGB32_Premultiplied);
    const int dotsPerMetre = int(std::lround(kScreenDpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    QPainter painter(&image);
    DrawReportPage(painter, image.rect(), int(kScreenDpi), page);
    painter.end();
    return image;
}

QPageLayout ReportPageLayout(const QPageSize& paper) {
    return QPageLayout(paper, QPageLayout::Portrait, QMarginsF(0.5, 0.5, 0.5, 0.5),
                       QPageLayout::Inch);
}

QPageSize PrinterPaper(const QString& printer) {
    if (!printer.isEmpty()) {
        const QPrinterInfo info = QPrinterInfo::printerInfo(printer);
        if (!info.isNull() && info.defaultPageSize().isValid())
            return info.defaultPageSize();
    }
    return QPageSize(QPageSize::A4);
}

bool WriteReportPdf(const ReportPage& page, QIODevice& device, const QPageSize& paper) {
    if (page.size.isEmpty() || !page.draw)
        return false;
    if (!device.isOpen() && !device.open(QIODevice::WriteOnly))
        return false;
    QPdfWriter writer(&device);
    writer.setResolution(kPdfDpi);
    writer.setPageLayout(ReportPageLayout(paper));
    writer.setTitle(JobName(page));
    writer.setCreator(page.originator.simplified());
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    DrawReportPage(painter, PrintableArea(writer.pageLayout(), writer.resolution()),
                   writer.resolution(), page);
    return painter.end();
}

PrintResult SaveReportPdf(const ReportPage& page, const QString& fileName) {
    const auto failed = [&fileName](const std::optional<storage::Failure>& failure) {
        const QString shown = QDir::toNativeSeparators(fileName);
        return PrintResult{
            false,
            failure ? QStringLiteral("The report could not be saved as \"%1\": %2.")
                          .arg(shown, storage::ReasonText(*failure))
                    : QStringLiteral("The report could not be saved as \"%1\".").arg(shown),
            {}};
    };
    if (fileName.isEmpty())
        return failed(std::nullopt);
    // Whole or not at all: a failed save leaves an older report as it was.
    storage::SaveDevice file(fileName);
    if (!WriteReportPdf(page, file, QPageSize(QPageSize::A4)) || !file.commit()) {
        const std::optional<storage::Failure> failure = file.failure();
        file.close();
        return failed(failure);
    }
    return {true, {}, {}};
}

QString DefaultPrinterName() {
    return CupsPrintSystem().defaultQueue();
}

QString QueueRefusal(const QString& queue, const QueueState& state) {
    if (!state.found)
        return CouldNotPrint(queue, QStringLiteral("the printer was not found."));
    if (!state.accepting)
        return CouldNotPrint(queue, QStringLiteral("the printer does not accept jobs%1.")
                                        .arg(InBrackets(QueueReason(state))));
    return {};
}

JobVerdict JudgeJob(const QString& queue, int job, const JobStatus& status, const QueueState& state,
                    bool timeIsUp) {
    const PrintResult sent{true, {}, {}};
    switch (status.state) {
    case JobState::Completed:
        return {true, sent};
    case JobState::Cancelled:
        return {true,
                {false,
                 CouldNotPrint(queue, QStringLiteral("the print job was cancelled%1.")
                                          .arg(InBrackets(JobReason(status)))),
                 {}}};
    case JobState::Aborted:
        return {true,
                {false,
                 CouldNotPrint(queue, QStringLiteral("the print job was aborted%1.")
                                          .arg(InBrackets(JobReason(status)))),
                 {}}};
    default:
        break;
    }
    if (state.stopped || status.state == JobState::Stopped)
        return {true,
                {true,
                 {},
                 QStringLiteral("The printer \"%1\" is stopped%2: the report waits in its queue as "
                                "job %3 and is printed when the printer is started again.")
                     .arg(queue, InBrackets(QueueReason(state)))
                     .arg(job)}};
    if (status.state == JobState::Held)
        return {true,
                {true,
                 {},
                 QStringLiteral("The report waits in the queue of \"%1\" as job %2: the job is "
                                "held%3 until it is released.")
                     .arg(queue)
                     .arg(job)
                     .arg(InBrackets(JobReason(status)))}};
    // Pending or processing: on its way; after the time allowed it counts as
    // printed, as any job that the printer has taken.
    return {timeIsUp, sent};
}

PrintResult PrintOnQueue(const ReportPage& page, const QString& queue, const PrintSystem& system,
                         JobFollowing following) {
    return PrintPdfOnQueue(
        JobName(page),
        [&page](QIODevice& device, const QPageSize& paper) {
            return WriteReportPdf(page, device, paper);
        },
        queue, system, following);
}

PrintResult PrintOnPrinter(const ReportPage& page, const QString& printer) {
    if (printer.isEmpty())
        return {false,
                QStringLiteral("The report could not be printed: no default printer is set up."),
                {}};
    return PrintOnQueue(page, printer, CupsPrintSystem());
}

PrintResult PrintPdfOnQueue(const QString& jobName, const PdfWriterFunction& write,
                            const QString& queue, const PrintSystem& system,
                            JobFollowing following) {
    if (const QString refusal = QueueRefusal(queue, system.queryQueue(queue)); !refusal.isEmpty())
        return {false, refusal, {}};
    QByteArray pdf;
    QBuffer buffer(&pdf);
    if (!write || !write(buffer, PrinterPaper(queue)))
        return {false, CouldNotPrint(queue, QStringLiteral("the page could not be prepared.")), {}};
    buffer.close();
    const JobSubmission job = system.submitPdf(queue, jobName, pdf);
    if (job.id <= 0)
        return {false,
                CouldNotPrint(queue, job.error.isEmpty()
                                         ? QStringLiteral("the printer did not take the job.")
                                         : job.error),
                {}};
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        const JobStatus status = system.queryJob(job.id);
        const bool timeIsUp = std::chrono::milliseconds(clock.elapsed()) >= following.limit;
        const JobVerdict verdict =
            JudgeJob(queue, job.id, status, system.queryQueue(queue), timeIsUp);
        if (verdict.final)
            return verdict.result;
        Wait(following.interval);
    }
}

PrintResult PrintPdfOnPrinter(const QString& jobName, const PdfWriterFunction& write,
                              const QString& printer) {
    if (printer.isEmpty())
        return {false,
                QStringLiteral("The report could not be printed: no default printer is set up."),
                {}};
    return PrintPdfOnQueue(jobName, write, printer, CupsPrintSystem());
}

void ShowPrintPreview(QWidget* parent, const ReportPage& page, const std::function<void()>& print) {
    auto* preview = new ReportPreview(parent, page, print);
    preview->open();
}

QString PdfFileName(const QString& title) {
    QString name;
    for (const QChar c : title.simplified()) {
        const bool unfit = c.category() == QChar::Other_Control ||
                           c.category() == QChar::Other_Surrogate ||
                           QStringView(u"/\\:*?\"<>|").contains(c);
        name += unfit ? u'-' : c;
    }
    name = name.left(80).trimmed();
    while (name.startsWith(u'.') || name.startsWith(u'-'))
        name.remove(0, 1);
    if (name.isEmpty())
        name = QStringLiteral("report");
    return name + QStringLiteral(".pdf");
}

QString ChoosePdfFile(QWidget* parent, const QString& title) {
    return AskForFile(parent, {FileQuestion::Kind::Save,
                               QStringLiteral("Save the report as a PDF file"),
                               QDir::home().filePath(PdfFileName(title)),
                               {QStringLiteral("PDF files (*.pdf)")},
                               QStringLiteral("pdf"),
                               FileQuestion::Files::Reports})
        .path;
}

} // namespace vt
