// Saving and opening evaluations on the real screens, through their Design
// menu: round trips that give the very texts the screens showed, files that
// are refused without a screen changing, files whose results or modelling
// file changed, and saves that fail without losing anything.
#include "app/interfaces.h"
#include "dialogs/frmprint.h"
#include "screens/chartview.h"
#include "tests/files/evaluationfilestest.h"
#include "tests/support/specialfiles.h"

#include <QDateEdit>
#include <QDir>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <gtest/gtest.h>

namespace vt::test {
namespace {

using files::EvaluationFile;
using files::ParseEvaluation;

EvaluationFile ReadEvaluation(const QString& path) {
    const auto read = ParseEvaluation(ReadBytes(path));
    EXPECT_TRUE(read) << read.refusal().message.toStdString();
    return read ? read.value() : EvaluationFile{};
}

// --- round trips ---

struct RoundTrip {
    const char* name;
    const char* screen;
    std::function<void(CalculationScreen*)> evaluate;
};

std::vector<RoundTrip> RoundTrips() {
    return {
        {"tributary, both warnings", "frmTributary",
         [](CalculationScreen* s) { RunFullEvaluation(s, QStringLiteral("5")); }},
        {"tributary, the stress step only", "frmTributary",
         [](CalculationScreen* s) {
             FillPillarStressTab(s);
             Press(s, QStringLiteral("cmdCalculatePillarStress"));
         }},
        {"tributary, refused strength", "frmTributary",
         [](CalculationScreen* s) {
             FillPillarStressTab(s);
             Press(s, QStringLiteral("cmdCalculateAndContinue1"));
         }},
        {"modelled, squat pillar", "frmModelled",
         [](CalculationScreen* s) { RunFullEvaluation(s, QStringLiteral("2")); }},
        {"modelled, nothing calculated", "frmModelled",
         [](CalculationScreen* s) {
             Type(s, QStringLiteral("txtPillarStress"), QStringLiteral("abc"));
             Type(s, QStringLiteral("cboPillarWidth1"), QStringLiteral("7"));
         }},
        {"modelled, formula variables unlocked", "frmModelled",
         [](CalculationScreen* s) {
             Press(s, QStringLiteral("Check1"));
             Pick(s, QStringLiteral("cboAlpha"), QStringLiteral("0.46"));
             Pick(s, QStringLiteral("cboSquatPillarEffect"), QStringLiteral("5.0"));
             RunFullEvaluation(s, QStringLiteral("1.5"));
         }},
    };
}

TEST_F(EvaluationFilesTest, OpeningASavedEvaluationShowsTheVeryTextsOfThePlanScreens) {
    for (const RoundTrip& trip : RoundTrips()) {
        SCOPED_TRACE(trip.name);
        CalculationScreen* screen = startAfresh(trip.screen);
        ASSERT_NE(screen, nullptr);
        trip.evaluate(screen);
        if (QString::fromLatin1(trip.name).contains(QLatin1String("formula variables"))) {
            Press(screen, QStringLiteral("Check1")); // locked again; the values stay
            screen->tabs()->setCurrentIndex(CalculationScreen::kFinalResultsTab);
        }
        const auto before = ShownTexts(screen);
        const QString file = path("round trip.vte");
        save(screen, file);
        ASSERT_TRUE(QFile::exists(file));

        // A fresh program, and the file opened from another screen.
        CalculationScreen* other = startAfresh(
            QLatin1String(trip.screen) == QLatin1String("frmTributary") ? "frmModelled"
                                                                        : "frmTributary");
        messages.shown.clear();
        open(other, file);
        CalculationScreen* opened = screenNamed(trip.screen);
        ASSERT_NE(opened, nullptr);
        EXPECT_TRUE(opened->isVisible());
        EXPECT_FALSE(other->isVisible()); // one calculation screen is shown
        auto after = ShownTexts(opened);
        // "Pillar formula variables" is the user's lock, not the evaluation.
        after[QStringLiteral("Check1")] = before.at(QStringLiteral("Check1"));
        EXPECT_TRUE(after == before) << Changes(before, after);
        // The refused strength step says so again, as it did; nothing else.
        for (const RecordedMessage& m : messages.shown)
            EXPECT_EQ(m.title, QStringLiteral("Insufficient data")) << m.text.toStdString();
    }
}

TEST_F(EvaluationFilesTest, OpeningASavedInterpolationShowsTheVeryTextsAndChart) {
    const QString modelling = path("results.int");
    frmInterpolate* screen = savedInterpolation(modelling, QString());
    EXPECT_EQ(Text(screen, QStringLiteral("lblPillarStress")), QStringLiteral("40"));
    const auto before = ShownTexts(screen);
    const QImage chart = screen->chart()->image();
    const QString file = path("interpolation.vte");
    save(screen, file);
    EXPECT_EQ(ReadEvaluation(file).modellingFile->path, modelling);

    CalculationScreen* other = startAfresh("frmTributary");
    EXPECT_TRUE(State().ModellingResults.FileName.empty());
    open(other, file);
    auto* opened = dynamic_cast<frmInterpolate*>(screenNamed("frmInterpolate"));
    ASSERT_NE(opened, nullptr);
    EXPECT_TRUE(messages.shown.empty()) << messages.last().text.toStdString();
    const auto after = ShownTexts(opened);
    EXPECT_TRUE(after == before) << Changes(before, after);
    EXPECT_EQ(opened->chart()->image(), chart); // curves and the one pair of guide lines
    EXPECT_EQ(State().ModellingResults.FileName, QFile::encodeName(modelling).toStdString());
}

TEST_F(EvaluationFilesTest, AGermanEvaluationOpensInEnglishWithTheSameNumbers) {
    QString file;
    {
        LocaleScope german(German());
        CalculationScreen* screen = startAfresh("frmTributary");
        Pick(screen, QStringLiteral("cboRockDensity"), QStringLiteral("2.7"));
        Type(screen, QStringLiteral("txtDepth"), QStringLiteral("512,5"));
        Type(screen, QStringLiteral("cboPillarWidth1"), QStringLiteral("6,5"));
        Type(screen, QStringLiteral("cboPillarLength"), QStringLiteral("9"));
        Press(screen, QStringLiteral("cmdCalculateAndContinue1"));
        Pick(screen, QStringLiteral("cboK"), QStringLiteral("100"));
        Type(screen, QStringLiteral("cboPillarHeight"), QStringLiteral("3"));
        Press(screen, QStringLiteral("cmdCalculateAndContinue2"));
        ASSERT_TRUE(Text(screen, QStringLiteral("lblPillarStress")).contains(u','));
        file = path("german.vte");
        save(screen, file);
    }
    EXPECT_EQ(ReadEvaluation(file).decimalPoint, QStringLiteral(","));
    CalculationScreen* screen = startAfresh("frmTributary");
    messages.shown.clear();
    open(screen, file);
    EXPECT_TRUE(messages.shown.empty()) << messages.last().text.toStdString();
    EXPECT_EQ(Text(screen, QStringLiteral("txtDepth")), QStringLiteral("512,5")); // as typed
    EXPECT_FALSE(Text(screen, QStringLiteral("lblPillarStress")).contains(u','));
    EXPECT_FALSE(Text(screen, QStringLiteral("lblFOS")).isEmpty());
}

// --- what the file keeps beside the inputs ---

TEST_F(EvaluationFilesTest, KFromUcsReadingsIsKeptAndATypedKIsTypedAgain) {
    CalculationScreen* screen = startAfresh("frmModelled");
    QWidget* dialog = Windows().show(QStringLiteral("frmMedianUCS"));
    auto* input = dialog->findChild<QLineEdit*>(QStringLiteral("txtInputUCS"));
    for (const char* reading : {"120", "100", "140"}) {
        QTest::keyClicks(input, QString::fromLatin1(reading));
        QTest::mouseClick(dialog->findChild<QToolButton*>(QStringLiteral("cmdAddToList")),
                          Qt::LeftButton);
    }
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdCalculateK")),
                      Qt::LeftButton);
    // A reading erased after the calculation is no part of this K.
    auto* list = dialog->findChild<QListWidget*>(QStringLiteral("lstUCS"));
    list->setCurrentRow(0);
    QTest::mouseClick(dialog->findChild<QToolButton*>(QStringLiteral("cmdEraseFromList")),
                      Qt::LeftButton);
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdAccept")), Qt::LeftButton);
    ASSERT_EQ(Text(screen, QStringLiteral("cboK")), QStringLiteral("40"));

    const StrengthConstantSource ucs{
        {QStringLiteral("120"), QStringLiteral("100"), QStringLiteral("140")},
        QStringLiteral("66.67"),
        QStringLiteral("120")};
    const QString file = path("ucs.vte");
    save(screen, file);
    EXPECT_EQ(ReadEvaluation(file).kSource, ucs);

    screen = startAfresh("frmModelled");
    open(screen, file);
    auto* target = dynamic_cast<StrengthConstantTarget*>(screen);
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(target->strengthConstantSource(), ucs);
    EXPECT_EQ(Text(screen, QStringLiteral("cboK")), QStringLiteral("40"));

    Type(screen, QStringLiteral("cboK"), QStringLiteral("41"));
    EXPECT_TRUE(target->strengthConstantSource().typed());
    save(screen, file);
    EXPECT_TRUE(ReadEvaluation(file).kSource.typed());
}

TEST_F(EvaluationFilesTest, TheFilledReportsHeadingIsKeptAndComesBack) {
    CalculationScreen* screen = startAfresh("frmTributary");
    RunFullEvaluation(screen, QStringLiteral("3"));
    const QString file = path("report.vte");
    save(screen, file);
    EXPECT_FALSE(ReadEvaluation(file).report); // no report open

    Press(screen, QStringLiteral("cmdPrint"));
    auto* report = Windows().existing<frmPrint>(QStringLiteral("frmPrint"));
    ASSERT_NE(report, nullptr);
    QTest::keyClicks(report->findChild<QLineEdit*>(QStringLiteral("txtTitle")),
                     QStringLiteral("Panel 7 north"));
    QTest::keyClicks(report->findChild<QLineEdit*>(QStringLiteral("txtOriginator")),
                     QStringLiteral("Rock engineering"));
    report->findChild<QDateEdit*>(QStringLiteral("DTPicker1"))->setDate(QDate(2023, 11, 30));
    save(screen, file);
    const ReportHeading heading{QStringLiteral("Panel 7 north"), QStringLiteral("Rock engineering"),
                                QDate(2023, 11, 30)};
    EXPECT_EQ(ReadEvaluation(file).report, heading);
    // Another screen's evaluation does not take this report's heading.
    CalculationScreen* other = OpenScreen(QStringLiteral("frmModelled"));
    save(other, path("other.vte"));
    EXPECT_FALSE(ReadEvaluation(path("other.vte")).report);

    screen = startAfresh("frmTributary");
    open(screen, file);
    report = Windows().existing<frmPrint>(QStringLiteral("frmPrint"));
    ASSERT_NE(report, nullptr);
    EXPECT_FALSE(report->isVisible()); // ready for the next report request
    Press(screen, QStringLiteral("cmdPrint"));
    EXPECT_TRUE(report->isVisible());
    EXPECT_EQ(report->heading(), heading);
    EXPECT_EQ(report->findChild<QLineEdit*>(QStringLiteral("txtFOS"))->text(),
              Text(screen, QStringLiteral("lblFOS")));
}

TEST_F(EvaluationFilesTest, SavingSuggestsANameOfTheMethodAndSaysNothingWhenCancelled) {
    CalculationScreen* screen = startAfresh("frmModelled");
    save(screen, QString());
    EXPECT_EQ(QFileInfo(suggestedName).fileName(), QStringLiteral("modelled evaluation.vte"));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    open(screen, QString());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(EvaluationFilesTest, AnEvaluationThatNoFileCouldGiveBackIsNotSaved) {
    CalculationScreen* screen = startAfresh("frmTributary");
    Type(screen, QStringLiteral("txtDepth"), QString(files::kMaxInputChars + 1, u'5'));
    save(screen, path("long.vte"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.last().text.startsWith(QStringLiteral("The evaluation cannot be saved.")));
    EXPECT_TRUE(messages.last().text.contains(QStringLiteral("longer than 100 characters")));
    EXPECT_TRUE(suggestedName.isEmpty()); // said before a name was asked for
    EXPECT_FALSE(QFile::exists(path("long.vte")));
}

TEST_F(EvaluationFilesTest, EveryScreensDesignMenuHoldsTheFileItemsWithTheirShortcuts) {
    for (const char* name : {"frmTributary", "frmModelled", "frmInterpolate"}) {
        CalculationScreen* screen = startAfresh(name);
        QStringList items;
        for (QAction* a : screen->designMenu()->actions())
            items << (a->menu() ? a->menu()->objectName() : a->objectName()) + u'=' + a->text() +
                         u'=' + a->shortcut().toString(QKeySequence::PortableText);
        for (const char* item :
             {"mnuSaveEvaluation=&Save evaluation=Ctrl+S",
              "mnuSaveEvaluationAs=Save evaluation &as...=Ctrl+Shift+S",
              "mnuOpenEvaluation=&Open evaluation...=Ctrl+O",
              "mnuRecentEvaluations=Open &recent=", "mnuEvaluationFile=Evaluation file: none yet="})
            EXPECT_TRUE(items.contains(QString::fromUtf8(item))) << name << " " << item;
    }
}

// --- refused files change nothing ---

struct Tampering {
    const char* name;
    std::function<void(const QString& evaluation, const QString& modelling)> tamper;
    const char* says;
};

QByteArray Edited(const QString& file, const std::function<void(QJsonObject&)>& edit) {
    QJsonObject root = QJsonDocument::fromJson(ReadBytes(file)).object();
    edit(root);
    return QJsonDocument(root).toJson();
}

std::vector<Tampering> Tamperings() {
    const auto editing = [](std::function<void(QJsonObject&)> edit) {
        return [edit](const QString& file, const QString&) {
            ASSERT_TRUE(WriteBytes(file, Edited(file, edit)));
        };
    };
    const auto input = [editing](const char* key, const QString& value) {
        return editing([key, value](QJsonObject& root) {
            QJsonObject inputs = root.value(QStringLiteral("inputs")).toObject();
            inputs.insert(QString::fromLatin1(key), value);
            root.insert(QStringLiteral("inputs"), inputs);
        });
    };
    return {
        {"a modelling-results file",
         [](const QString& file, const QString&) {
             ASSERT_TRUE(WriteBytes(file, kWidths6And8.data()));
         },
         "not an evaluation"},
        {"cut short",
         [](const QString& file, const QString&) {
             const QByteArray whole = ReadBytes(file);
             ASSERT_TRUE(WriteBytes(file, whole.left(whole.size() - 40)));
         },
         "incomplete"},
        {"newer", editing([](QJsonObject& r) { r.insert(QStringLiteral("version"), 7); }),
         "newer version"},
        {"a huge input", input("depth", QString(100000, u'5')), "longer than 100"},
        {"a nonsense result", editing([](QJsonObject& r) {
             QJsonObject results = r.value(QStringLiteral("results")).toObject();
             results.insert(QStringLiteral("fos"), QStringLiteral("NaN"));
             r.insert(QStringLiteral("results"), results);
         }),
         "not a number as the screen shows it"},
        {"the modelling file gone",
         [](const QString&, const QString& modelling) { ASSERT_TRUE(QFile::remove(modelling)); },
         "is missing"},
        {"the modelling file no longer one",
         [](const QString&, const QString& modelling) {
             ASSERT_TRUE(WriteBytes(modelling, "6\t0\t8\r\n100\t20\t100\t15\r\n"));
         },
         "no longer a valid modelling-results file"},
        {"no file at all",
         [](const QString& file, const QString&) { ASSERT_TRUE(QFile::remove(file)); },
         "no such file"},
        // Never waited on: a pipe is refused at once, whichever file it stands for.
        {"a pipe in the evaluation's place",
         [](const QString& file, const QString&) {
             ASSERT_TRUE(QFile::remove(file));
             ASSERT_TRUE(MakeFifo(QFile::encodeName(file).toStdString()));
         },
         "not a file but a folder or a device"},
        {"a pipe in the modelling file's place",
         [](const QString&, const QString& modelling) {
             ASSERT_TRUE(QFile::remove(modelling));
             ASSERT_TRUE(MakeFifo(QFile::encodeName(modelling).toStdString()));
         },
         "not a file but a folder or a device"},
    };
}

TEST_F(EvaluationFilesTest, AFileThatIsNoGoodEvaluationIsRefusedAndNoScreenChanges) {
    for (const Tampering& t : Tamperings()) {
        SCOPED_TRACE(t.name);
        const QString modelling = path("results.int");
        const QString file = path("tampered.vte");
        QFile::remove(modelling); // a pipe left by the row before
        QFile::remove(file);
        savedInterpolation(modelling, file);
        t.tamper(file, modelling);
        FifoWatchdog evaluationWatch(QFile::encodeName(file).toStdString());
        FifoWatchdog modellingWatch(QFile::encodeName(modelling).toStdString());

        // Another evaluation on show, in another screen, is left alone.
        CalculationScreen* shown = startAfresh("frmTributary");
        RunFullEvaluation(shown, QStringLiteral("4"));
        const auto before = AllWindows();
        const std::string stateBefore = State().ModellingResults.FileName;
        messages.shown.clear();
        open(shown, file);
        EXPECT_FALSE(evaluationWatch.stop());
        EXPECT_FALSE(modellingWatch.stop());
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.last().title, QStringLiteral("Open evaluation"));
        EXPECT_TRUE(messages.last().text.contains(QString::fromLatin1(t.says)))
            << messages.last().text.toStdString();
        EXPECT_TRUE(messages.last().text.endsWith(QLatin1String("No screen was changed.")));
        EXPECT_TRUE(AllWindows() == before); // no screen made, none changed
        EXPECT_EQ(State().ModellingResults.FileName, stateBefore);
    }
}

// --- opened, but told ---

TEST_F(EvaluationFilesTest, AChangedModellingFileIsFlaggedWithTheResultsItChanged) {
    const QString modelling = path("results.int");
    const QString file = path("changed.vte");
    frmInterpolate* screen = savedInterpolation(modelling, file);
    const QByteArray saved = ReadBytes(file);

    // The width-6 curve now rises to 70 MPa: 45 at 300 m.
    ASSERT_TRUE(WriteBytes(modelling, "6\t0\t8\t0\r\n100\t20\t100\t15\r\n500\t70\t500\t45\r\n"));
    screen = dynamic_cast<frmInterpolate*>(startAfresh("frmInterpolate"));
    messages.shown.clear();
    open(screen, file);
    ASSERT_EQ(messages.shown.size(), 1u);
    const QString text = messages.last().text;
    EXPECT_TRUE(text.contains(QStringLiteral("has changed since the evaluation was saved")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("  Pillar stress (MPa): saved 40, now 45")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("  FOS: saved ")));
    EXPECT_TRUE(text.contains(QStringLiteral("keeps its saved values")));
    EXPECT_EQ(Text(screen, QStringLiteral("lblPillarStress")), QStringLiteral("45"));
    EXPECT_EQ(ReadBytes(file), saved); // never rewritten

    // A change that leaves the results as they were is still flagged.
    ASSERT_TRUE(WriteBytes(modelling, "6\t0\t8\t0\r\n100\t20\t100\t15\r\n500\t60\t500\t44\r\n"));
    messages.shown.clear();
    open(screen, file);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.last().text.contains(QStringLiteral("checksum")));
    EXPECT_FALSE(messages.last().text.contains(QStringLiteral("These differ")));
}

TEST_F(EvaluationFilesTest, SavedResultsThatTheStepsNoLongerGiveAreListed) {
    CalculationScreen* screen = startAfresh("frmTributary");
    RunFullEvaluation(screen, QStringLiteral("5"));
    const QString file = path("other version.vte");
    save(screen, file);
    const QByteArray edited = Edited(file, [](QJsonObject& root) {
        QJsonObject results = root.value(QStringLiteral("results")).toObject();
        results.insert(QStringLiteral("fos"), QStringLiteral("1.7"));
        results.insert(QStringLiteral("fos_too_small"), false);
        root.insert(QStringLiteral("results"), results);
        root.insert(QStringLiteral("program_version"), QStringLiteral("1.1.0"));
    });
    ASSERT_TRUE(WriteBytes(file, edited));
    screen = startAfresh("frmModelled");
    messages.shown.clear();
    open(screen, file);
    ASSERT_FALSE(messages.shown.empty());
    const QString text = messages.last().text;
    EXPECT_TRUE(text.contains(QStringLiteral("  FOS: saved 1.7, now 1.5"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("  FOS shown red: saved no, now yes")));
    EXPECT_TRUE(text.contains(QStringLiteral("saved by version 1.1.0")));
    EXPECT_FALSE(text.contains(QStringLiteral("Pillar strength")));
    EXPECT_EQ(ReadBytes(file), edited);
}

TEST_F(EvaluationFilesTest, AnEvaluationMovedWithItsModellingFileFindsItBesideIt) {
    const QString modelling = path("results.int");
    frmInterpolate* screen = savedInterpolation(modelling, path("moved.vte"));
    QTemporaryDir elsewhere;
    ASSERT_TRUE(QFile::copy(path("moved.vte"), elsewhere.filePath(QStringLiteral("moved.vte"))));
    ASSERT_TRUE(QFile::copy(modelling, elsewhere.filePath(QStringLiteral("results.int"))));
    ASSERT_TRUE(QFile::remove(modelling));

    screen = dynamic_cast<frmInterpolate*>(startAfresh("frmInterpolate"));
    messages.shown.clear();
    open(screen, elsewhere.filePath(QStringLiteral("moved.vte")));
    EXPECT_TRUE(messages.shown.empty()) << messages.last().text.toStdString();
    EXPECT_EQ(Text(screen, QStringLiteral("lblPillarStress")), QStringLiteral("40"));
    EXPECT_EQ(State().ModellingResults.FileName,
              QFile::encodeName(elsewhere.filePath(QStringLiteral("results.int"))).toStdString());

    // Another file of that name beside it is not taken for it.
    ASSERT_TRUE(WriteBytes(elsewhere.filePath(QStringLiteral("results.int")),
                           "6\t0\t8\t0\r\n100\t21\t100\t15\r\n500\t60\t500\t45\r\n"));
    messages.shown.clear();
    open(screen, elsewhere.filePath(QStringLiteral("moved.vte")));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.last().text.contains(QStringLiteral("is missing")));
}

TEST_F(EvaluationFilesTest, OpeningSwitchesTheGraphicalToggleOffAndKeepsTheFilesDimensions) {
    CalculationScreen* screen = startAfresh("frmTributary");
    RunFullEvaluation(screen, QStringLiteral("5"));
    const QString file = path("toggle.vte");
    save(screen, file);
    screen = startAfresh("frmTributary");
    Press(screen, QStringLiteral("chkGraphicToggle"));
    ASSERT_FALSE(Field(screen, QStringLiteral("cboPillarWidth1"))->isEnabled());
    open(screen, file);
    EXPECT_TRUE(Field(screen, QStringLiteral("cboPillarWidth1"))->isEnabled());
    EXPECT_EQ(Text(screen, QStringLiteral("cboPillarWidth1")), QStringLiteral("10"));
    EXPECT_EQ(Text(screen, QStringLiteral("lblFOS")), QStringLiteral("1.5"));
}

// --- saves that fail lose nothing ---

TEST_F(EvaluationFilesTest, AWriteErrorHalfWayLeavesTheOldFileAsItWas) {
    CalculationScreen* screen = startAfresh("frmTributary");
    RunFullEvaluation(screen, QStringLiteral("5"));
    const QString file = path("kept.vte");
    save(screen, file);
    const QByteArray old = ReadBytes(file);
    ASSERT_FALSE(old.isEmpty());

    Type(screen, QStringLiteral("cboPillarHeight"), QStringLiteral("2"));
    // The disk fills after half the bytes.
    write = [](QIODevice& device, const QByteArray& bytes) {
        device.write(bytes.left(bytes.size() / 2));
        return false;
    };
    messages.shown.clear();
    save(screen, file);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.last().title, QStringLiteral("Save evaluation"));
    EXPECT_TRUE(messages.last().text.contains(QStringLiteral("the disk may be full")));
    EXPECT_EQ(ReadBytes(file), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("kept.vte")});
}

// A save goes through the one save helper: a pipe that nothing reads from is
// said to be so at once and stays a pipe, a link keeps pointing at the saved
// file.
TEST_F(EvaluationFilesTest, ASaveOntoAPipeOrALinkKeepsWhatTheNameIs) {
    CalculationScreen* screen = startAfresh("frmTributary");
    RunFullEvaluation(screen, QStringLiteral("5"));
    const std::string fifo = QFile::encodeName(path("pipe.vte")).toStdString();
    ASSERT_TRUE(MakeFifo(fifo));
    messages.shown.clear();
    save(screen, path("pipe.vte"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.last().text,
              QStringLiteral("The evaluation cannot be saved as %1: nothing reads from it.\n"
                             "Nothing was written.")
                  .arg(QDir::toNativeSeparators(path("pipe.vte"))));
    struct stat info {};
    ASSERT_EQ(::lstat(fifo.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));

    ASSERT_TRUE(MakeLink("real.vte", QFile::encodeName(path("link.vte")).toStdString()));
    messages.shown.clear();
    save(screen, path("link.vte"));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(QFileInfo(path("link.vte")).isSymLink());
    EXPECT_TRUE(ParseEvaluation(ReadBytes(path("real.vte"))));
}

TEST_F(EvaluationFilesTest, AModellingFileChangedSinceItWasLoadedIsNotSavedAsTheSource) {
    const QString modelling = path("results.int");
    frmInterpolate* screen = savedInterpolation(modelling, QString());
    ASSERT_TRUE(WriteBytes(modelling, "6\t0\t8\t0\r\n100\t20\t100\t15\r\n500\t70\t500\t45\r\n"));
    save(screen, path("stale.vte"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.last().text.contains(QStringLiteral("has changed or gone since it was "
                                                             "loaded")));
    EXPECT_FALSE(QFile::exists(path("stale.vte")));
}

} // namespace
} // namespace vt::test
