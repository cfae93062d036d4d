// "Save as PDF" read back with the poppler tools: one page of real text, the
// title and the sixteen values where the dialog shows them, the title and
// originator in the document's information, and a long title that starts in
// its box.
#include "app/ui.h"
#include "dialogs/reportprinter.h"
#include "tests/report/pdftools.h"
#include "tests/report/reportsupport.h"
#include "tests/support/programtest.h"
#include "tests/support/tmpfs.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <algorithm>
#include <unistd.h>

namespace vt::test {
namespace {

// Where a dialog pixel lands on A4 paper with half-inch margins: the page is
// scaled to the printable width (it is wider than 7.27 in) and set at the top
// left margin. Worked out here from the paper's size alone.
struct PaperPlace {
    double left = 36; // points
    double top = 36;
    double pointsPerPixel = 0;

    explicit PaperPlace(QSize dialog) {
        const double printableWidth = 595.276 - 72;
        const double printableHeight = 841.89 - 72;
        pointsPerPixel =
            std::min({0.75, printableWidth / dialog.width(), printableHeight / dialog.height()});
        left += (printableWidth - dialog.width() * pointsPerPixel) / 2;
    }
    QRectF map(const QRect& pixels) const {
        return {left + pixels.x() * pointsPerPixel, top + pixels.y() * pointsPerPixel,
                pixels.width() * pointsPerPixel, pixels.height() * pointsPerPixel};
    }
};

struct ValueBox {
    const char* box;
    int frameLeft; // twips
    int frameTop;
};

// In the request's order.
const ValueBox kValueBoxes[16] = {
    {"txtPillarWidth", 960, 2280},
    {"txtPillarLength", 960, 3120},
    {"txtPillarHeigtht", 960, 3960},
    {"txtBordWidth1", 4800, 2640},
    {"txtBordWidth2", 4800, 3480},
    {"txtDepth", 8640, 2520},
    {"txtK", 8640, 3360},
    {"txtAlpha", 8640, 4200},
    {"txtBeta", 8640, 5040},
    {"txtSquat", 8640, 5880},
    {"txtStrengthIncrease", 8640, 6720},
    {"txtPercentageExtraction", 960, 5040},
    {"txtWHratio", 3480, 5040},
    {"txtPillarStress", 960, 5880},
    {"txtPillarStrength", 3480, 5880},
    {"txtFOS", 2280, 6720},
};

// The title box inside its frame, in dialog pixels.
const QRect kTitleBox(Twips(720) + Twips(120), Twips(120) + Twips(480), Twips(10335), Twips(405));

class ReportPdfTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ASSERT_TRUE(folder_.isValid());
    }

    // The report with the given title saved through its "Save as PDF" button.
    QString saveThroughTheButton(const QString& title, frmPrint** opened = nullptr) {
        frmPrint* dialog = OpenReport(FilledRequest());
        if (!dialog)
            return {};
        QTest::keyClicks(Child<QLineEdit>(dialog, "txtTitle"), title);
        QTest::keyClicks(Child<QLineEdit>(dialog, "txtOriginator"),
                         QStringLiteral("Rock mechanics"));
        Child<QDateEdit>(dialog, "DTPicker1")->setDate(QDate(2025, 3, 14));
        const QString file = folder_.filePath(QStringLiteral("report%1.pdf").arg(++files_));
        ReportOutput output;
        fileDialogs.path = file;
        dialog->setOutput(output);
        QTest::mouseClick(Child<QPushButton>(dialog, "cmdSavePdf"), Qt::LeftButton);
        if (opened)
            *opened = dialog;
        return file;
    }

    QTemporaryDir folder_;
    int files_ = 0;
};

#define REQUIRE_PDF_TOOLS()                                                                        \
    do {                                                                                           \
        if (!HavePdfTools())                                                                       \
            GTEST_SKIP() << "pdfinfo and pdftotext (poppler-utils) are needed";                    \
    } while (false)

TEST_F(ReportPdfTest, OnePageOfTextWithEveryValueInItsBox) {
    REQUIRE_PDF_TOOLS();
    frmPrint* dialog = nullptr;
    const QString file = saveThroughTheButton(QStringLiteral("Pillar design, 12 Level"), &dialog);
    ASSERT_TRUE(QFile::exists(file));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(PdfInfoField(file, QStringLiteral("Pages")), QStringLiteral("1"));
    EXPECT_EQ(PdfInfoField(file, QStringLiteral("Title")),
              QStringLiteral("Pillar design, 12 Level"));
    EXPECT_EQ(PdfInfoField(file, QStringLiteral("Creator")), QStringLiteral("Rock mechanics"));

    const QString text = PdfText(file);
    const ReportRequest request = FilledRequest();
    for (const QString& expected :
         {QStringLiteral("Pillar design, 12 Level"), QStringLiteral("Rock mechanics"),
          QStringLiteral("14 March 2025"), QStringLiteral("Originator"),
          QStringLiteral("Date of assessment"), QStringLiteral("Strength incr. rate"),
          request.comment, request.stressSource})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString();
    // Nothing that stays off paper.
    for (const QString& absent : {QStringLiteral("Print hardcopy"), QStringLiteral("Cancel print"),
                                  QStringLiteral("Save as PDF"), QStringLiteral("Print preview")})
        EXPECT_FALSE(text.contains(absent)) << absent.toStdString();
    EXPECT_FALSE(QRegularExpression(QStringLiteral("\\bTitle\\b")).match(text).hasMatch());

    // Each value stands inside its own box, where the dialog shows it.
    const PaperPlace paper(dialog->size());
    const QList<PdfWord> words = PdfWords(file);
    for (int i = 0; i < 16; ++i) {
        const ValueBox& v = kValueBoxes[i];
        SCOPED_TRACE(v.box);
        const QRectF box =
            paper.map(QRect(Twips(v.frameLeft) + Twips(120), Twips(v.frameTop) + Twips(360),
                            Twips(2175), Twips(330)));
        const bool found = std::any_of(words.begin(), words.end(), [&](const PdfWord& w) {
            return w.text == request.values[i] && box.contains(w.box.center());
        });
        EXPECT_TRUE(found) << request.values[i].toStdString();
    }
    // The dialog stays open as it was.
    EXPECT_EQ(ReportDialog(), dialog);
    EXPECT_TRUE(Child<QPushButton>(dialog, "cmdSavePdf")->isVisible());
    EXPECT_EQ(Child<QGroupBox>(dialog, "fraTitle")->title(), QStringLiteral("Title"));
    EXPECT_EQ(Child<QLineEdit>(dialog, "txtTitle")->text(),
              QStringLiteral("Pillar design, 12 Level"));
}

// The layout is the dialog's at one scale: the distances between captions on
// paper are those on screen.
TEST_F(ReportPdfTest, CaptionsKeepTheDialogsDistances) {
    REQUIRE_PDF_TOOLS();
    frmPrint* dialog = nullptr;
    const QString file = saveThroughTheButton(QStringLiteral("North block"), &dialog);
    ASSERT_TRUE(QFile::exists(file));
    const QList<PdfWord> words = PdfWords(file);
    auto find = [&](const QString& text) -> QRectF {
        for (const PdfWord& w : words)
            if (w.text == text)
                return w.box;
        ADD_FAILURE() << "no word " << text.toStdString();
        return {};
    };
    const PaperPlace paper(dialog->size());
    const QRectF depth = find(QStringLiteral("Depth"));
    const QRectF alpha = find(QStringLiteral("Alpha"));
    const QRectF extraction = find(QStringLiteral("Extraction"));
    const QRectF bord = find(QStringLiteral("Bord"));
    // Frames: depth (8640, 2520), alpha (8640, 4200), bord width 1 (4800, 2640).
    EXPECT_NEAR(alpha.top() - depth.top(), (Twips(4200) - Twips(2520)) * paper.pointsPerPixel, 1);
    EXPECT_NEAR(depth.left() - bord.left(), (Twips(8640) - Twips(4800)) * paper.pointsPerPixel, 1);
    EXPECT_NEAR(alpha.left(), depth.left(), 0.5);
    // "% Extraction" (960, 5040) is as far below bord width 1 as on screen.
    EXPECT_NEAR(extraction.top() - bord.top(), (Twips(5040) - Twips(2640)) * paper.pointsPerPixel,
                1);
    // And the page sits at the top left margin: the caption starts at its
    // frame's left edge, give or take its side bearing.
    EXPECT_GT(depth.left(), paper.map(QRect(Twips(8640), 0, 1, 1)).left() - 1);
    EXPECT_LT(depth.left(), paper.map(QRect(Twips(8640) + 20, 0, 1, 1)).left());
}

// A long title prints from its first word: shrunk to fit while it can be, and
// past that cut at its end, never at its start.
TEST_F(ReportPdfTest, ALongTitleStartsInItsBox) {
    REQUIRE_PDF_TOOLS();
    QStringList many;
    for (int i = 1; i <= 40; ++i)
        many << QStringLiteral("pillar%1").arg(i);
    const struct {
        const char* name;
        QString title;
        bool wholeInBox;
    } cases[] = {
        {"shrunk to fit",
         QStringLiteral("Opening words of a long title for the pillars of the northern block "
                        "between the main shafts, the last word Ending"),
         true},
        {"too long even when shrunk", QStringLiteral("Opening ") + many.join(QLatin1Char(' ')),
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        frmPrint* dialog = nullptr;
        const QString file = saveThroughTheButton(c.title, &dialog);
        ASSERT_TRUE(QFile::exists(file));
        const PaperPlace paper(dialog->size());
        const QRectF box = paper.map(kTitleBox);
        const QList<PdfWord> words = PdfWords(file);
        const auto first = std::find_if(words.begin(), words.end(), [](const PdfWord& w) {
            return w.text == QLatin1String("Opening");
        });
        ASSERT_NE(first, words.end());
        EXPECT_GE(first->box.left(), box.left() - 0.5);
        EXPECT_LE(first->box.right(), box.right());
        EXPECT_NEAR(first->box.center().y(), box.center().y(), box.height() / 2);
        if (c.wholeInBox) {
            const auto last = std::find_if(words.begin(), words.end(), [](const PdfWord& w) {
                return w.text == QLatin1String("Ending");
            });
            ASSERT_NE(last, words.end());
            EXPECT_LE(last->box.right(), box.right() + 0.5);
            EXPECT_GE(last->box.left(), box.left());
        }
        dialog->close();
        flushDeletes();
    }
}

TEST_F(ReportPdfTest, AFailedSaveSaysSoAndLosesNothing) {
    frmPrint* dialog = OpenReport(FilledRequest());
    ASSERT_NE(dialog, nullptr);
    QTest::keyClicks(Child<QLineEdit>(dialog, "txtTitle"), QStringLiteral("Kept title"));
    // A folder of that name stands where the file should go.
    const QString target = folder_.filePath(QStringLiteral("taken.pdf"));
    ASSERT_TRUE(QDir().mkpath(QDir(target).filePath(QStringLiteral("inside"))));
    const QString missing = folder_.filePath(QStringLiteral("missing/report.pdf"));
    const std::pair<QString, QString> cases[] = {{target, QStringLiteral("it is a folder")},
                                                 {missing, QStringLiteral("No such file or "
                                                                          "directory")}};
    for (const auto& [file, reason] : cases) {
        SCOPED_TRACE(file.toStdString());
        messages.shown.clear();
        ReportOutput output;
        fileDialogs.path = file;
        dialog->setOutput(output);
        QTest::mouseClick(Child<QPushButton>(dialog, "cmdSavePdf"), Qt::LeftButton);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0],
                  (RecordedMessage{QStringLiteral("The report could not be saved as \"%1\": %2.")
                                       .arg(QDir::toNativeSeparators(file), reason),
                                   QStringLiteral("Save as PDF")}));
        flushDeletes();
        ASSERT_EQ(ReportDialog(), dialog);
        EXPECT_EQ(Child<QLineEdit>(dialog, "txtTitle")->text(), QStringLiteral("Kept title"));
        EXPECT_TRUE(Child<QPushButton>(dialog, "cmdPrint")->isVisible());
    }
    EXPECT_TRUE(QFileInfo(target).isDir());
    EXPECT_TRUE(QFileInfo::exists(QDir(target).filePath(QStringLiteral("inside"))));
    EXPECT_FALSE(QFileInfo::exists(missing));
    // A file chooser that is cancelled writes nothing and says nothing.
    messages.shown.clear();
    ReportOutput cancelled;
    fileDialogs.path.clear();
    dialog->setOutput(cancelled);
    QTest::mouseClick(Child<QPushButton>(dialog, "cmdSavePdf"), Qt::LeftButton);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(QDir(folder_.path()).entryList(QDir::Files), QStringList());
}

// A disk that fills up during the save, by a page at a time of free space
// around the size of the report: each save either says so and leaves the
// older report whole, or writes the whole new one. (The last buffered bytes
// of a PDF fail at the commit, which Qt 6.4 reports as done.)
TEST_F(ReportPdfTest, ASaveOntoAFullDiskSaysSoOrWritesItWhole) {
    if (geteuid() != 0)
        GTEST_SKIP() << "a full disk is mounted for root only";
    const QString folder = folder_.filePath(QStringLiteral("full"));
    Tmpfs tmpfs(folder, "1m");
    if (!tmpfs.mounted())
        GTEST_SKIP() << "no tmpfs can be mounted here";
    const QString file = QDir(folder).filePath(QStringLiteral("report.pdf"));
    ReportOutput output;
    fileDialogs.path = file;
    const auto save = [&](const QString& title) {
        frmPrint* dialog = OpenReport(FilledRequest());
        EXPECT_NE(dialog, nullptr);
        if (!dialog)
            return;
        Child<QLineEdit>(dialog, "txtTitle")->clear();
        QTest::keyClicks(Child<QLineEdit>(dialog, "txtTitle"), title);
        dialog->setOutput(output);
        QTest::mouseClick(Child<QPushButton>(dialog, "cmdSavePdf"), Qt::LeftButton);
        flushDeletes();
    };
    const auto bytes = [&file] {
        QFile saved(file);
        return saved.open(QIODevice::ReadOnly) ? saved.readAll() : QByteArray();
    };
    save(QStringLiteral("Older"));
    ASSERT_TRUE(messages.shown.empty());
    const QByteArray old = bytes();
    ASSERT_TRUE(old.startsWith("%PDF"));
    ASSERT_TRUE(old.trimmed().endsWith("%%EOF"));
    Fill(folder);
    QFile filler(QDir(folder).filePath(QStringLiteral("filler")));
    constexpr qint64 kPage = 4096;
    // Free space from a few pages short of the report to a page beyond it.
    ASSERT_TRUE(filler.resize(filler.size() - (old.size() / kPage - 4) * kPage));
    bool failed = false;
    bool written = false;
    for (int step = 0; step < 8 && !written; ++step) {
        SCOPED_TRACE(step);
        messages.shown.clear();
        save(QStringLiteral("Newer"));
        if (!messages.shown.empty()) {
            failed = true;
            EXPECT_EQ(messages.shown[0],
                      (RecordedMessage{
                          QStringLiteral("The report could not be saved as \"%1\": No space left "
                                         "on device.")
                              .arg(QDir::toNativeSeparators(file)),
                          QStringLiteral("Save as PDF")}));
            ASSERT_EQ(ReportDialog() != nullptr, true); // kept open, to try elsewhere
            EXPECT_EQ(Child<QLineEdit>(ReportDialog(), "txtTitle")->text(),
                      QStringLiteral("Newer"));
            ReportDialog()->close();
            flushDeletes();
            EXPECT_EQ(bytes(), old);
            EXPECT_EQ(QDir(folder).entryList(QDir::Files),
                      (QStringList{QStringLiteral("filler"), QStringLiteral("report.pdf")}));
        } else {
            written = true;
            const QByteArray now = bytes();
            EXPECT_NE(now, old);
            EXPECT_TRUE(now.startsWith("%PDF"));
            EXPECT_TRUE(now.trimmed().endsWith("%%EOF"))
                << now.size() << " of about " << old.size() << " bytes";
        }
        ASSERT_TRUE(filler.resize(std::max<qint64>(0, filler.size() - kPage)));
    }
    EXPECT_TRUE(failed);  // the disk was full at first
    EXPECT_TRUE(written); // and at last had room
}

// Saving over an older report replaces it whole.
TEST_F(ReportPdfTest, SavingOverAFileReplacesIt) {
    REQUIRE_PDF_TOOLS();
    const QString file = folder_.filePath(QStringLiteral("report1.pdf"));
    {
        QFile old(file);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("an older file");
    }
    saveThroughTheButton(QStringLiteral("Newer report"));
    EXPECT_EQ(PdfInfoField(file, QStringLiteral("Title")), QStringLiteral("Newer report"));
}

// The name a report's PDF is offered under comes from its title.
TEST(PdfFileNameTest, TheTitleMadeAFileName) {
    const std::pair<const char*, const char*> cases[] = {
        {"Panel 7 north", "Panel 7 north.pdf"},
        {"", "report.pdf"},
        {"   ", "report.pdf"},
        {"a/b\\c:d*e?f\"g<h>i|j", "a-b-c-d-e-f-g-h-i-j.pdf"},
        {"  two\tlines\nhere  ", "two lines here.pdf"},
        {"../up", "up.pdf"},
        {"..", "report.pdf"},
        {"Ünder ground — 2024", "Ünder ground — 2024.pdf"},
    };
    for (const auto& [title, name] : cases)
        EXPECT_EQ(PdfFileName(QString::fromUtf8(title)), QString::fromUtf8(name)) << title;
    EXPECT_EQ(PdfFileName(QString(200, u'x')), QString(80, u'x') + QStringLiteral(".pdf"));
}

} // namespace
} // namespace vt::test
