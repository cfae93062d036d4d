// "Print hardcopy": the page that goes to the printer, and what happens when
// no printer can take it.
#include "app/ui.h"
#include "dialogs/reportprinter.h"
#include "tests/report/reportsupport.h"
#include "tests/support/programtest.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace vt::test {
namespace {

class PrintingTest : public ProgramTest {};

// Pages of a PDF file, by pdfinfo where it is installed, else by counting the
// page objects.
int PdfPages(const QString& file) {
    if (!QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty()) {
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {file});
        if (!info.waitForFinished(20000))
            return -1;
        const auto match = QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"),
                                              QRegularExpression::MultilineOption)
                               .match(QString::fromLocal8Bit(info.readAllStandardOutput()));
        return match.hasMatch() ? match.captured(1).toInt() : -1;
    }
    QFile pdf(file);
    if (!pdf.open(QIODevice::ReadOnly))
        return -1;
    return int(QString::fromLatin1(pdf.readAll())
                   .count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}

frmPrint* FilledAndTyped() {
    frmPrint* dialog = OpenReport(FilledRequest());
    if (!dialog)
        return nullptr;
    auto* title = Child<QLineEdit>(dialog, "txtTitle");
    title->setFocus();
    QTest::keyClicks(title, QStringLiteral("Pillar design, 12 Level"));
    QTest::keyClicks(Child<QLineEdit>(dialog, "txtOriginator"), QStringLiteral("Rock mechanics"));
    Child<QDateEdit>(dialog, "DTPicker1")->setDate(QDate(2025, 3, 14));
    title->setFocus(); // a text cursor would show if focus stayed here
    return dialog;
}

TEST_F(PrintingTest, PagePrintedIsTheTidiedClientAreaAndTheDialogCloses) {
    frmPrint* dialog = FilledAndTyped();
    ASSERT_NE(dialog, nullptr);
    PrintedPage page;
    ReportOutput output = RecordingOutput(dialog, page);
    output.findPrinter = [] { return QString(); };
    dialog->setOutput(output);
    const QSize clientSize = dialog->size();
    QPointer<frmPrint> guard(dialog);

    QTest::mouseClick(Child<QPushButton>(dialog, "cmdPrint"), Qt::LeftButton);

    ASSERT_EQ(page.calls, 1);
    EXPECT_EQ(page.image.size(), clientSize);
    EXPECT_FALSE(page.printVisible);
    EXPECT_FALSE(page.cancelVisible);
    EXPECT_FALSE(page.savePdfVisible);
    EXPECT_FALSE(page.previewVisible);
    EXPECT_TRUE(page.titleCaption.isEmpty());
    EXPECT_FALSE(page.bordersShown);
    EXPECT_FALSE(page.anythingFocused);
    EXPECT_EQ(page.date, QDate(2025, 3, 14));
    EXPECT_TRUE(messages.shown.empty());

    // Where the buttons stand the page is blank paper.
    const QRect buttons = TwipsRect(6240, 5010, 2055, 2475);
    int darkPixels = 0;
    for (int y = buttons.top(); y <= buttons.bottom(); ++y)
        for (int x = buttons.left(); x <= buttons.right(); ++x)
            darkPixels += qGray(page.image.pixel(x, y)) < 200;
    EXPECT_EQ(darkPixels, 0);

    flushDeletes();
    EXPECT_TRUE(guard.isNull());
    EXPECT_EQ(ReportDialog(), nullptr);
}

TEST_F(PrintingTest, TheTitleCaptionIsAbsentFromThePage) {
    frmPrint* dialog = FilledAndTyped();
    ASSERT_NE(dialog, nullptr);
    // The caption band above the title box, inside the frame.
    const QRect band = TwipsRect(720 + 120, 120 + 30, 1500, 330);
    auto darkIn = [&](const QImage& image) {
        int n = 0;
        for (int y = band.top(); y <= band.bottom(); ++y)
            for (int x = band.left(); x <= band.right(); ++x)
                n += qGray(image.pixel(x, y)) < 128;
        return n;
    };
    EXPECT_GT(darkIn(dialog->grab().toImage()), 20); // "Title" on screen
    PrintedPage page;
    dialog->setOutput(RecordingOutput(dialog, page));
    QTest::mouseClick(Child<QPushButton>(dialog, "cmdPrint"), Qt::LeftButton);
    ASSERT_EQ(page.calls, 1);
    EXPECT_EQ(darkIn(page.image), 0);
}

TEST_F(PrintingTest, ThePrinterFoundIsTheOneUsed) {
    frmPrint* dialog = FilledAndTyped();
    ASSERT_NE(dialog, nullptr);
    PrintedPage page;
    ReportOutput output = RecordingOutput(dialog, page);
    int lookups = 0;
    output.findPrinter = [&lookups] {
        ++lookups;
        return QString();
    };
    dialog->setOutput(output);
    QTest::mouseClick(Child<QPushButton>(dialog, "cmdPrint"), Qt::LeftButton);
    EXPECT_EQ(lookups, 1);
    EXPECT_EQ(page.calls, 1);
}

// No default printer: the real printing code with a lookup that finds none.
struct FailureCase {
    const char* name;
    bool acceptPdf;
    enum { None, Good, Unwritable } file;
    bool pdfWritten;
    bool dialogStays;
    int messages; // boxes shown
};

const FailureCase kFailureCases[] = {
    {"declined", false, FailureCase::Good, false, true, 1},
    {"accepted, file chooser cancelled", true, FailureCase::None, false, true, 1},
    {"accepted, file written", true, FailureCase::Good, true, false, 1},
    {"accepted, file not writable", true, FailureCase::Unwritable, false, true, 2},
};

TEST_F(PrintingTest, WithoutAPrinterNothingTypedIsLostAndAPdfIsOffered) {
    for (const FailureCase& c : kFailureCases) {
        SCOPED_TRACE(c.name);
        messages.shown.clear();
        messages.asked.clear();
        messages.answer = c.acceptPdf;
        QTemporaryDir folder;
        ASSERT_TRUE(folder.isValid());
        const QString good = folder.filePath(QStringLiteral("report.pdf"));
        const QString target = c.file == FailureCase::Good ? good
                               : c.file == FailureCase::Unwritable
                                   ? folder.filePath("missing/report.pdf")
                                   : QString();
        frmPrint* dialog = FilledAndTyped();
        ASSERT_NE(dialog, nullptr);
        QPointer<frmPrint> guard(dialog);
        int chooserCalls = 0;
        ReportOutput output;
        output.findPrinter = [] { return QString(); };
        fileDialogs.answer = [&](const FileQuestion&) {
            ++chooserCalls;
            return FileAnswer{target, {}};
        };
        dialog->setOutput(output);

        QTest::mouseClick(Child<QPushButton>(dialog, "cmdPrint"), Qt::LeftButton);

        ASSERT_EQ(int(messages.shown.size()), c.messages);
        EXPECT_EQ(messages.shown[0],
                  (RecordedMessage{QStringLiteral("The report could not be printed: no default "
                                                  "printer is set up."),
                                   QStringLiteral("Printing")}));
        if (c.messages > 1) {
            EXPECT_EQ(messages.shown[1].text,
                      QStringLiteral("The report could not be saved as \"%1\": No such file or "
                                     "directory.")
                          .arg(QDir::toNativeSeparators(target)));
        }
        ASSERT_EQ(messages.asked.size(), 1u);
        EXPECT_EQ(messages.asked[0].title, QStringLiteral("Printing"));
        EXPECT_EQ(chooserCalls, c.acceptPdf ? 1 : 0);

        EXPECT_EQ(QFile::exists(good), c.pdfWritten);
        if (c.pdfWritten) {
            EXPECT_EQ(PdfPages(good), 1);
        }

        flushDeletes();
        EXPECT_EQ(!guard.isNull(), c.dialogStays);
        if (!c.dialogStays)
            continue;
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_TRUE(Child<QPushButton>(dialog, "cmdPrint")->isVisible());
        EXPECT_TRUE(Child<QPushButton>(dialog, "cmdCancelPrint")->isVisible());
        EXPECT_EQ(Child<QGroupBox>(dialog, "fraTitle")->title(), QStringLiteral("Title"));
        for (const char* name : {"txtTitle", "txtOriginator", "txtComment1", "txtComment2"})
            EXPECT_TRUE(Child<QLineEdit>(dialog, name)->hasFrame()) << name;
        EXPECT_EQ(Child<QLineEdit>(dialog, "txtTitle")->text(),
                  QStringLiteral("Pillar design, 12 Level"));
        EXPECT_EQ(Child<QLineEdit>(dialog, "txtOriginator")->text(),
                  QStringLiteral("Rock mechanics"));
        EXPECT_EQ(Child<QDateEdit>(dialog, "DTPicker1")->date(), QDate(2025, 3, 14));
        EXPECT_EQ(Child<QLineEdit>(dialog, "txtPillarWidth")->text(), QStringLiteral("9"));
        dialog->close();
        flushDeletes();
    }
}

TEST_F(PrintingTest, APrinterThatFailsIsReportedByName) {
    frmPrint* dialog = FilledAndTyped();
    ASSERT_NE(dialog, nullptr);
    PrintedPage page;
    dialog->setOutput(RecordingOutput(dialog, page, false));
    QTest::mouseClick(Child<QPushButton>(dialog, "cmdPrint"), Qt::LeftButton);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("jammed"));
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Printing"));
    EXPECT_EQ(ReportDialog(), dialog);
    EXPECT_TRUE(Child<QPushButton>(dialog, "cmdPrint")->isVisible());
}

TEST_F(PrintingTest, SavedPdfHoldsOnePage) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    frmPrint* dialog = FilledAndTyped();
    ASSERT_NE(dialog, nullptr);
    const QString file = folder.filePath(QStringLiteral("page.pdf"));
    const PrintResult result = SaveReportPdf(dialog->page(), file);
    EXPECT_TRUE(result.printed) << result.problem.toStdString();
    EXPECT_EQ(PdfPages(file), 1);

    const PrintResult empty = SaveReportPdf(ReportPage{}, folder.filePath(QStringLiteral("e.pdf")));
    EXPECT_FALSE(empty.printed);
    EXPECT_FALSE(empty.problem.isEmpty());
}

TEST(PageImageRect, KeepsShapeNeverExceedsScreenSizeOrPaper) {
    struct {
        const char* name;
        QSize image;
        QSize printable;
        int dpi;
        QRect expected;
    } const cases[] = {
        // A4 portrait at 1200 dpi, 0.5 in margins: width decides.
        {"wide page on portrait paper", {792, 573}, {8724, 12834}, 1200, {0, 0, 8724, 6312}},
        // Room to spare: on-screen size (792 px at 96 dpi = 8.25 in), centred.
        {"landscape paper", {792, 573}, {12834, 8724}, 1200, {1467, 0, 9900, 7163}},
        {"height decides", {100, 400}, {1000, 1000}, 960, {375, 0, 250, 1000}},
        {"low resolution printer", {792, 573}, {2000, 2000}, 96, {604, 0, 792, 573}},
        {"empty image", {0, 0}, {1000, 1000}, 600, {}},
        {"no printable area", {792, 573}, {0, 0}, 600, {}},
        {"no resolution", {792, 573}, {1000, 1000}, 0, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PageImageRect(c.image, c.printable, c.dpi), c.expected) << c.name;
}

TEST(PrintOnPrinter, ANullPrinterIsReportedAsNoDefaultPrinter) {
    const ReportPage page{QSize(10, 10), [](QPainter&) {}, {}, {}};
    const PrintResult result = PrintOnPrinter(page, QString());
    EXPECT_FALSE(result.printed);
    EXPECT_EQ(result.problem,
              QStringLiteral("The report could not be printed: no default printer is set up."));
}

} // namespace
} // namespace vt::test
