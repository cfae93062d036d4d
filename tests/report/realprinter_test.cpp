// A report through the program's own "Print hardcopy" button on a real CUPS
// queue that writes PDF files (cups-pdf, set up by scripts/printer-setup.sh).
// Skipped where no such printer is the default, unless VT_REQUIRE_PRINTER=1.
#include "tests/report/reportsupport.h"
#include "tests/support/programtest.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QThread>
#include <pwd.h>
#include <unistd.h>

namespace vt::test {
namespace {

bool PrinterRequired() {
    return qEnvironmentVariable("VT_REQUIRE_PRINTER") == QLatin1String("1");
}

#define SKIP_OR_FAIL(why)                                                                          \
    do {                                                                                           \
        if (PrinterRequired())                                                                     \
            FAIL() << (why);                                                                       \
        GTEST_SKIP() << (why);                                                                     \
    } while (false)

QString RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000))
        return {};
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// The folder where cups-pdf puts the pages of the user running the tests: the
// "Out" setting of the queue's or the general cups-pdf.conf, ${HOME} being the
// user's home directory; VT_CUPS_PDF_OUT overrides.
QString CupsPdfFolder(const QString& queue) {
    if (const QString set = qEnvironmentVariable("VT_CUPS_PDF_OUT"); !set.isEmpty())
        return set;
    const passwd* user = getpwuid(getuid());
    const QString home = user ? QString::fromLocal8Bit(user->pw_dir) : QDir::homePath();
    QString out = QStringLiteral("${HOME}/PDF");
    for (const QString& name : {QStringLiteral("/etc/cups/cups-pdf-%1.conf").arg(queue),
                                QStringLiteral("/etc/cups/cups-pdf.conf")}) {
        QFile conf(name);
        if (!conf.open(QIODevice::ReadOnly | QIODevice::Text))
            continue;
        const auto match = QRegularExpression(QStringLiteral("^Out\\s+(\\S.*)$"),
                                              QRegularExpression::MultilineOption)
                               .match(QString::fromLocal8Bit(conf.readAll()));
        if (match.hasMatch()) {
            out = match.captured(1).trimmed();
            break;
        }
    }
    out.replace(QStringLiteral("${HOME}"), home);
    out.replace(QStringLiteral("${USER}"),
                user ? QString::fromLocal8Bit(user->pw_name) : QString());
    return out;
}

QSet<QString> PdfFiles(const QString& folder) {
    const QStringList names =
        QDir(folder).entryList({QStringLiteral("*.pdf"), QStringLiteral("*.PDF")}, QDir::Files);
    return {names.begin(), names.end()};
}

class RealPrinterTest : public ProgramTest {};

TEST_F(RealPrinterTest, PrintHardcopyPutsOnePageWithTheDialogImageOnTheDefaultPrinter) {
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (printer.isNull())
        SKIP_OR_FAIL("no default printer; run scripts/printer-setup.sh as root");
    if (QStandardPaths::findExecutable(QStringLiteral("lpstat")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("pdfimages")).isEmpty())
        SKIP_OR_FAIL("lpstat (cups-client) or pdfimages (poppler-utils) is missing");
    // Never waste paper: only a queue that writes PDF files is used.
    const QString device =
        RunTool(QStringLiteral("lpstat"), {QStringLiteral("-v"), printer.printerName()});
    if (!device.contains(QLatin1String("cups-pdf:")))
        SKIP_OR_FAIL(("the default printer is not a cups-pdf queue: " + device).toStdString());

    const QString folder = CupsPdfFolder(printer.printerName());
    const QSet<QString> before = PdfFiles(folder);

    frmPrint* dialog = OpenReport(FilledRequest());
    ASSERT_NE(dialog, nullptr);
    const QSize clientSize = dialog->size();
    QTest::keyClicks(Child<QLineEdit>(dialog, "txtTitle"), QStringLiteral("North block pillars"));
    QTest::keyClicks(Child<QLineEdit>(dialog, "txtOriginator"), QStringLiteral("Rock mechanics"));
    QPointer<frmPrint> guard(dialog);

    QTest::mouseClick(Child<QPushButton>(dialog, "cmdPrint"), Qt::LeftButton);

    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front().text.toStdString();
    flushDeletes();
    EXPECT_TRUE(guard.isNull());

    // The file appears before it is complete: wait for an empty queue first.
    QDeadlineTimer deadline(60000);
    QSet<QString> added;
    while (!deadline.hasExpired()) {
        added = PdfFiles(folder) - before;
        if (!added.isEmpty() &&
            RunTool(QStringLiteral("lpstat"), {QStringLiteral("-o")}).trimmed().isEmpty())
            break;
        QThread::msleep(200);
    }
    ASSERT_EQ(added.size(), 1) << "in " << folder.toStdString();
    const QString file = QDir(folder).filePath(*added.begin());

    const QString info = RunTool(QStringLiteral("pdfinfo"), {file});
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^Pages:\\s+1$"), QRegularExpression::MultilineOption)
            .match(info)
            .hasMatch())
        << info.toStdString();

    // page num type width height ...; the dialog's image at its client size.
    const QString images = RunTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), file});
    const QRegularExpression row(QStringLiteral("^\\s*1\\s+\\d+\\s+image\\s+(\\d+)\\s+(\\d+)"),
                                 QRegularExpression::MultilineOption);
    QList<QSize> sizes;
    for (auto it = row.globalMatch(images); it.hasNext();) {
        const auto m = it.next();
        sizes << QSize(m.captured(1).toInt(), m.captured(2).toInt());
    }
    EXPECT_EQ(sizes, QList<QSize>{clientSize}) << images.toStdString();
    QFile::remove(file);
}

} // namespace
} // namespace vt::test
