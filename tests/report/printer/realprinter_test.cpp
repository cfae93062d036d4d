// Reports through the program's own "Print hardcopy" button on real print
// queues that each test sets up and removes: one that prints into PDF files
// (cups-pdf), one that refuses jobs and one that is stopped. The program's
// default printer is pointed at them for this process only; the machine's
// default printer is never changed.
#include "dialogs/printqueue.h"
#include "dialogs/reportprinter.h"
#include "tests/report/printer/printqueues.h"
#include "tests/report/reportsupport.h"
#include "tests/support/programtest.h"

#include <QDate>
#include <QPointer>
#include <QTemporaryDir>
#include <memory>

namespace vt::test {
namespace {

QSet<QString> PdfFiles(const QString& folder, const QString& token) {
    QSet<QString> files;
    for (const QString& name :
         QDir(folder).entryList({QStringLiteral("*.pdf"), QStringLiteral("*.PDF")}, QDir::Files))
        if (name.contains(token))
            files.insert(name);
    return files;
}

QString PdfInfo(const QString& file) {
    return RunTool(QStringLiteral("pdfinfo"), {file}).output;
}

class RealPrinterTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        machineDefault_ = MachineDefault();
    }
    void TearDown() override {
        queue_.reset();
        EXPECT_EQ(MachineDefault(), machineDefault_) << "the machine's default printer changed";
        ProgramTest::TearDown();
    }

    // Sets up a queue of the given kind as this process's default printer;
    // returns why it could not.
    QString useQueue(TestQueue::Kind kind) {
        QString why;
        const std::optional<QString> model = CupsPdfModel(why);
        if (!model)
            return why;
        queue_ = std::make_unique<TestQueue>(kind, *model);
        if (!queue_->problem().isEmpty())
            return queue_->problem();
        default_ = std::make_unique<DefaultPrinterScope>(queue_->name());
        return {};
    }

    const QString& queue() const { return queue_->name(); }

    // The report filled and typed, as the user leaves it before printing.
    frmPrint* typedReport(const QString& title) {
        frmPrint* dialog = OpenReport(FilledRequest());
        if (!dialog)
            return nullptr;
        QTest::keyClicks(Child<QLineEdit>(dialog, "txtTitle"), title);
        QTest::keyClicks(Child<QLineEdit>(dialog, "txtOriginator"),
                         QStringLiteral("Rock mechanics"));
        Child<QDateEdit>(dialog, "DTPicker1")->setDate(QDate(2025, 3, 14));
        return dialog;
    }

    // After a failure: everything as it was before "Print hardcopy".
    void expectWhole(frmPrint* dialog, const QString& title) {
        EXPECT_TRUE(dialog->isVisible());
        for (const char* name : {"cmdPrint", "cmdCancelPrint", "cmdSavePdf", "cmdPrintPreview"})
            EXPECT_TRUE(Child<QPushButton>(dialog, name)->isVisible()) << name;
        EXPECT_EQ(Child<QGroupBox>(dialog, "fraTitle")->title(), QStringLiteral("Title"));
        for (const char* name : {"txtTitle", "txtOriginator", "txtComment1", "txtComment2"})
            EXPECT_TRUE(Child<QLineEdit>(dialog, name)->hasFrame()) << name;
        EXPECT_EQ(Child<QLineEdit>(dialog, "txtTitle")->text(), title);
        EXPECT_EQ(Child<QLineEdit>(dialog, "txtOriginator")->text(),
                  QStringLiteral("Rock mechanics"));
        EXPECT_EQ(Child<QDateEdit>(dialog, "DTPicker1")->date(), QDate(2025, 3, 14));
        EXPECT_TRUE(Child<QDateEdit>(dialog, "DTPicker1")->calendarPopup());
    }

    std::unique_ptr<TestQueue> queue_;
    std::unique_ptr<DefaultPrinterScope> default_;
    QString machineDefault_;
};

// The print server's view of each queue, as its own tools report it.
TEST_F(RealPrinterTest, TheQueueStatesAreReadAsTheServerShowsThem) {
    QString why;
    const std::optional<QString> model = CupsPdfModel(why);
    if (!model)
        SKIP_OR_FAIL(why.toStdString());
    const struct {
        TestQueue::Kind kind;
        bool accepting;
        bool stopped;
        QString message;
    } cases[] = {
        {TestQueue::Accepting, true, false, {}},
        {TestQueue::Rejecting, false, false, TestQueue::kRejectReason},
        {TestQueue::Stopped, true, true, TestQueue::kStopReason},
    };
    const PrintSystem cups = CupsPrintSystem();
    for (const auto& c : cases) {
        TestQueue queue(c.kind, *model);
        if (!queue.problem().isEmpty())
            SKIP_OR_FAIL(queue.problem().toStdString());
        SCOPED_TRACE(queue.name().toStdString());
        const QueueState state = cups.queryQueue(queue.name());
        EXPECT_TRUE(state.found);
        EXPECT_EQ(state.accepting, c.accepting);
        EXPECT_EQ(state.stopped, c.stopped);
        if (!c.message.isEmpty()) {
            EXPECT_EQ(state.message, c.message);
        }
        // lpstat says the same.
        const QString accepting =
            RunTool(QStringLiteral("lpstat"), {QStringLiteral("-a"), queue.name()}).output;
        EXPECT_EQ(accepting.contains(QLatin1String("not accepting")), !c.accepting)
            << accepting.toStdString();
        const QString printer =
            RunTool(QStringLiteral("lpstat"), {QStringLiteral("-p"), queue.name()}).output;
        EXPECT_EQ(printer.contains(QLatin1String("disabled")), c.stopped) << printer.toStdString();

        DefaultPrinterScope scope(queue.name());
        EXPECT_EQ(DefaultPrinterName(), queue.name());
    }
    EXPECT_FALSE(cups.queryQueue(QStringLiteral("vt-test-no-such-queue")).found);
}

TEST_F(RealPrinterTest, AnAcceptingQueuePrintsTheOnePageAndTheDialogCloses) {
    if (const QString why = useQueue(TestQueue::Accepting); !why.isEmpty())
        SKIP_OR_FAIL(why.toStdString());
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        SKIP_OR_FAIL("pdftoppm (poppler-utils) is missing");
    // A word of this run's own in the title: cups-pdf names its file after it.
    const QString token = QStringLiteral("vtq%1").arg(QCoreApplication::applicationPid());
    const QString title = token + QStringLiteral(" North block pillars");
    const QString folder = CupsPdfFolder(queue());
    for (const QString& old : PdfFiles(folder, token))
        QFile::remove(QDir(folder).filePath(old));

    frmPrint* dialog = typedReport(title);
    ASSERT_NE(dialog, nullptr);
    const QImage expected = ReportPageImage(dialog->page());
    QPointer<frmPrint> guard(dialog);

    QTest::mouseClick(Child<QPushButton>(dialog, "cmdPrint"), Qt::LeftButton);

    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front().text.toStdString();
    EXPECT_TRUE(messages.asked.empty());
    flushDeletes();
    EXPECT_TRUE(guard.isNull());

    // The file appears before it is complete: wait for the queue to empty.
    QDeadlineTimer deadline(60000);
    QSet<QString> added;
    while (!deadline.hasExpired()) {
        added = PdfFiles(folder, token);
        if (!added.isEmpty() && queue_->openJobs().isEmpty())
            break;
        QThread::msleep(200);
    }
    ASSERT_EQ(added.size(), 1) << "in " << folder.toStdString();
    const QString file = QDir(folder).filePath(*added.begin());

    const QString info = PdfInfo(file);
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^Pages:\\s+1$"), QRegularExpression::MultilineOption)
            .match(info)
            .hasMatch())
        << info.toStdString();
    EXPECT_TRUE(info.contains(title)) << info.toStdString();

    // The printed page looks like the dialog's page: rendered so that one
    // pixel of the dialog is one pixel of the picture, block by block.
    const QPageLayout layout = ReportPageLayout(PrinterPaper(queue()));
    const QRect target = PageImageRect(expected.size(), layout.paintRectPixels(1200).size(), 1200);
    const double scale = target.width() / (expected.width() * 12.5); // of the on-screen size
    const double dpi = 96 / scale;
    const QMarginsF margins = layout.margins(QPageLayout::Inch);
    const int left = int(std::lround((margins.left() + target.x() / 1200.0) * dpi));
    const int top = int(std::lround((margins.top() + target.y() / 1200.0) * dpi));
    // A few pixels of slack round the place worked out, for rounding.
    constexpr int kSlack = 4;
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    const QString picture = scratch.filePath(QStringLiteral("page"));
    ASSERT_EQ(RunTool(QStringLiteral("pdftoppm"),
                      {QStringLiteral("-r"), QString::number(dpi, 'f', 4), QStringLiteral("-x"),
                       QString::number(left - kSlack), QStringLiteral("-y"),
                       QString::number(top - kSlack), QStringLiteral("-W"),
                       QString::number(expected.width() + 2 * kSlack), QStringLiteral("-H"),
                       QString::number(expected.height() + 2 * kSlack), QStringLiteral("-png"),
                       QStringLiteral("-singlefile"), file, picture})
                  .exitCode,
              0);
    const QImage printed(picture + QStringLiteral(".png"));
    ASSERT_EQ(printed.size(), expected.size() + QSize(2 * kSlack, 2 * kSlack));
    // The shift within the slack at which the two pages match best.
    QPoint shift;
    long best = -1;
    for (int dy = -kSlack; dy <= kSlack; ++dy)
        for (int dx = -kSlack; dx <= kSlack; ++dx) {
            long difference = 0;
            for (int y = 0; y < expected.height(); y += 2)
                for (int x = 0; x < expected.width(); x += 2)
                    difference += std::abs(qGray(expected.pixel(x, y)) -
                                           qGray(printed.pixel(x + kSlack + dx, y + kSlack + dy)));
            if (best < 0 || difference < best) {
                best = difference;
                shift = {kSlack + dx, kSlack + dy};
            }
        }
    constexpr int kBlock = 12;
    auto ink = [](const QImage& image, QPoint origin, int bx, int by) {
        long sum = 0;
        int n = 0;
        for (int y = by; y < by + kBlock && y + origin.y() < image.height(); ++y)
            for (int x = bx; x < bx + kBlock && x + origin.x() < image.width(); ++x, ++n)
                sum += 255 - qGray(image.pixel(x + origin.x(), y + origin.y()));
        return n ? double(sum) / n : 0.0;
    };
    // Blocks with ink on the dialog's page have ink on paper, blank ones are
    // blank (a one-pixel line drawn on the pixel grid on screen straddles two
    // pixels on paper, so a blank block may take up to one line's ink).
    int inked = 0;
    int inkedKept = 0;
    int blank = 0;
    int blankKept = 0;
    for (int by = 0; by < expected.height(); by += kBlock)
        for (int bx = 0; bx < expected.width(); bx += kBlock) {
            const double want = ink(expected, {}, bx, by);
            const double got = ink(printed, shift, bx, by);
            if (want > 24) {
                ++inked;
                inkedKept += got > 12;
            } else if (want < 2) {
                ++blank;
                blankKept += got < 24; // a line half a pixel over
            }
        }
    EXPECT_GT(inked, 200); // the page is not blank
    EXPECT_GE(inkedKept, inked * 95 / 100) << inkedKept << " of " << inked << " inked blocks";
    EXPECT_GE(blankKept, blank * 98 / 100) << blankKept << " of " << blank << " blank blocks";
    QFile::remove(file);
}

TEST_F(RealPrinterTest, ARejectingQueueIsAFailureThatNamesPrinterAndReason) {
    if (const QString why = useQueue(TestQueue::Rejecting); !why.isEmpty())
        SKIP_OR_FAIL(why.toStdString());
    const QString title = QStringLiteral("Shaft pillars, 14 Level");
    frmPrint* dialog = typedReport(title);
    ASSERT_NE(dialog, nullptr);
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString offered = folder.filePath(QStringLiteral("instead.pdf"));
    ReportOutput output; // the real printer, only the file chooser answers
    fileDialogs.path = offered;
    dialog->setOutput(output);
    messages.answer = false; // the PDF offered is declined first

    QTest::mouseClick(Child<QPushButton>(dialog, "cmdPrint"), Qt::LeftButton);

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0],
              (RecordedMessage{QStringLiteral("The report could not be printed on \"%1\": the "
                                              "printer does not accept jobs (%2).")
                                   .arg(queue(), TestQueue::kRejectReason),
                               QStringLiteral("Printing")}));
    ASSERT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(messages.asked[0].text, QStringLiteral("Save the report as a PDF file instead?"));
    EXPECT_TRUE(queue_->openJobs().isEmpty());
    flushDeletes();
    ASSERT_EQ(ReportDialog(), dialog);
    expectWhole(dialog, title);

    // Again, and this time the PDF is taken: it is written and the dialog goes.
    messages.answer = true;
    QPointer<frmPrint> guard(dialog);
    QTest::mouseClick(Child<QPushButton>(dialog, "cmdPrint"), Qt::LeftButton);
    EXPECT_EQ(messages.shown.size(), 2u);
    EXPECT_TRUE(PdfInfo(offered).contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
    flushDeletes();
    EXPECT_TRUE(guard.isNull());
}

TEST_F(RealPrinterTest, AStoppedQueueKeepsTheJobAndSaysThatItWaits) {
    if (const QString why = useQueue(TestQueue::Stopped); !why.isEmpty())
        SKIP_OR_FAIL(why.toStdString());
    frmPrint* dialog = typedReport(QStringLiteral("Stope 3 pillars"));
    ASSERT_NE(dialog, nullptr);
    QPointer<frmPrint> guard(dialog);

    QTest::mouseClick(Child<QPushButton>(dialog, "cmdPrint"), Qt::LeftButton);

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Printing"));
    const auto match =
        QRegularExpression(QStringLiteral("^The printer \"%1\" is stopped \\(%2\\): the report "
                                          "waits in its queue as job (\\d+) and is printed when "
                                          "the printer is started again\\.$")
                               .arg(QRegularExpression::escape(queue()),
                                    QRegularExpression::escape(TestQueue::kStopReason)))
            .match(messages.shown[0].text);
    ASSERT_TRUE(match.hasMatch()) << messages.shown[0].text.toStdString();
    EXPECT_TRUE(messages.asked.empty());
    // The job waits in the queue, under the number the notice gave.
    EXPECT_EQ(queue_->openJobs(), QStringList{queue() + QLatin1Char('-') + match.captured(1)});
    flushDeletes();
    EXPECT_TRUE(guard.isNull());
}

} // namespace
} // namespace vt::test
