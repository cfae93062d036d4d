// The program as a desktop program: an evaluation named on the command line,
// saving again without a question, the question before changed inputs are
// thrown away, the recent files and the folders kept between runs.
#include "app/frmsplash.h"
#include "app/settings.h"
#include "design/frmdesigncharts.h"
#include "design/frmtargetfos.h"
#include "probability/frmprobability.h"
#include "program/commandline.h"
#include "program/registerwindows.h"
#include "tests/files/evaluationfilestest.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QJsonObject>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <bit>
#include <gtest/gtest.h>

namespace vt::test {
namespace {

// --- the command line ---

struct CommandLineCase {
    QStringList arguments;
    CommandLine::Action action;
    const char* file;
    const char* error; // part of it
};

TEST(CommandLineTest, OneFileHelpAndVersionAreTakenAndAnythingElseIsAUsageError) {
    using A = CommandLine::Action;
    const CommandLineCase cases[] = {
        {{}, A::Start, "", ""},
        {{QStringLiteral("panel 7.vte")}, A::Start, "panel 7.vte", ""},
        {{QStringLiteral("--"), QStringLiteral("-odd.vte")}, A::Start, "-odd.vte", ""},
        {{QStringLiteral("-")}, A::Start, "-", ""},
        {{QStringLiteral("--help")}, A::Help, "", ""},
        {{QStringLiteral("a.vte"), QStringLiteral("-h")}, A::Help, "", ""},
        {{QStringLiteral("--version")}, A::Version, "", ""},
        {{QStringLiteral("--bogus"), QStringLiteral("--version")}, A::Version, "", ""},
        {{QStringLiteral("--"), QStringLiteral("--help")}, A::Start, "--help", ""},
        {{QStringLiteral("--bogus")}, A::Usage, "", "unknown option '--bogus'"},
        {{QStringLiteral("-x")}, A::Usage, "", "unknown option '-x'"},
        {{QStringLiteral("a.vte"), QStringLiteral("b.vte")},
         A::Usage,
         "",
         "not 'a.vte' and 'b.vte'"},
        {{QString()}, A::Usage, "", "empty file name"},
    };
    for (const CommandLineCase& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const CommandLine line = ParseCommandLine(c.arguments);
        EXPECT_EQ(line.action, c.action);
        EXPECT_EQ(line.file, QString::fromUtf8(c.file));
        EXPECT_TRUE(line.error.contains(QString::fromUtf8(c.error)));
    }
    EXPECT_TRUE(UsageText(QStringLiteral("x")).startsWith(QStringLiteral("vandrel-tessaron: x\n")));
    EXPECT_TRUE(VersionText().contains(files::ProgramVersion()));
}

struct ProgramRun {
    QStringList arguments;
    int exitCode;
    const char* out; // the start of standard output
    const char* err; // the start of standard error
};

// The program itself, without a display: only answers that need none.
TEST(CommandLineTest, TheProgramAnswersHelpVersionAndUsageErrorsWithTheirExitCodes) {
    const ProgramRun runs[] = {
        {{QStringLiteral("--help")}, 0, "Usage: vandrel-tessaron [FILE.vte]\n", ""},
        {{QStringLiteral("--version")}, 0, "vandrel-tessaron ", ""},
        {{QStringLiteral("--bogus")}, 2, "", "vandrel-tessaron: unknown option '--bogus'\nUsage:"},
        {{QStringLiteral("a.vte"), QStringLiteral("b.vte")}, 2, "", "vandrel-tessaron: one"},
    };
    for (const ProgramRun& run : runs) {
        SCOPED_TRACE(run.arguments.join(u' ').toStdString());
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(VT_PROGRAM_DIR "/vandrel-tessaron"), run.arguments);
        ASSERT_TRUE(program.waitForFinished(30000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), run.exitCode);
        const QByteArray out = program.readAllStandardOutput();
        const QByteArray err = program.readAllStandardError();
        EXPECT_TRUE(out.startsWith(run.out)) << out.toStdString();
        EXPECT_TRUE(err.startsWith(run.err)) << err.toStdString();
        EXPECT_EQ(out.isEmpty(), !*run.out);
        EXPECT_EQ(err.isEmpty(), !*run.err);
    }
}

class DesktopTest : public EvaluationFilesTest {
protected:
    // A tributary evaluation saved as `name`; the screen is closed afterwards.
    QString savedTributary(const char* name) {
        CalculationScreen* screen = startAfresh("frmTributary");
        RunFullEvaluation(screen, QStringLiteral("5"));
        save(screen, path(name));
        EXPECT_TRUE(QFile::exists(path(name)));
        CloseAllWindows();
        flushDeletes();
        return path(name);
    }

    // The start-up window as the program shows it with `file` on its command
    // line, accepted.
    QPointer<frmSplash> startAndAccept(const QString& file) {
        QPointer<frmSplash> splash = dynamic_cast<frmSplash*>(ShowStartWindow(file));
        EXPECT_FALSE(splash.isNull());
        auto* accept = splash->findChild<QPushButton*>(QStringLiteral("cmdAccept"));
        QTest::mouseClick(accept, Qt::LeftButton);
        flushDeletes();
        return splash;
    }
};

TEST_F(DesktopTest, TheCommandLinesFileOpensOnItsScreenAfterAccept) {
    const QString file = savedTributary("panel.vte");
    messages.shown.clear();
    QPointer<frmSplash> splash = startAndAccept(file);
    CalculationScreen* screen = screenNamed("frmTributary");
    ASSERT_NE(screen, nullptr);
    EXPECT_TRUE(screen->isVisible());
    EXPECT_TRUE(splash.isNull() || !splash->isVisible());
    EXPECT_EQ(screen->designTexts().height, QStringLiteral("5"));
    EXPECT_FALSE(screen->shownResults().factorOfSafety.isEmpty());
    EXPECT_TRUE(messages.shown.empty()) << messages.last().text.toStdString();
    ASSERT_TRUE(screen->evaluationFile());
    EXPECT_EQ(screen->evaluationFile()->path, file);
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("Tributary Theory")); // the title stays
}

TEST_F(DesktopTest, ABadCommandLineFileSaysWhyAndLeavesTheStartUpWindowWithItsChoice) {
    for (const char* bytes : {"", "{\"format\": \"vandrel-tessaron-evaluation\""}) {
        SCOPED_TRACE(bytes);
        const QString file = path("bad.vte");
        if (*bytes) {
            ASSERT_TRUE(WriteBytes(file, bytes));
        } else {
            QFile::remove(file);
        }
        messages.shown.clear();
        QPointer<frmSplash> splash = startAndAccept(file);
        ASSERT_EQ(messages.shown.size(), 1u);
        ASSERT_FALSE(splash.isNull());
        EXPECT_TRUE(messages.last().text.contains(QStringLiteral("cannot be opened")));
        EXPECT_EQ(messages.last().title, files::kOpenTitle);
        EXPECT_TRUE(splash->isVisible());
        EXPECT_TRUE(splash->findChild<QGroupBox*>(QStringLiteral("frmChoices"))->isVisible());
        for (const char* name : {"frmTributary", "frmModelled", "frmInterpolate"})
            EXPECT_EQ(screenNamed(name), nullptr) << name;
        Windows().close(QStringLiteral("frmSplash"));
        flushDeletes();
    }
}

// --- saving again ---

TEST_F(DesktopTest, CtrlSSavesToTheKnownFileWithoutADialog) {
    CalculationScreen* screen = startAfresh("frmModelled");
    RunFullEvaluation(screen, QStringLiteral("5"));
    ChooseDesignItem(screen, "mnuSaveEvaluation"); // no file yet: asks (and is cancelled)
    EXPECT_FALSE(suggestedName.isEmpty());
    EXPECT_FALSE(screen->evaluationFile());
    savePath = path("first.vte");
    ChooseDesignItem(screen, "mnuSaveEvaluation");
    ASSERT_TRUE(QFile::exists(savePath));
    savePath = path("never.vte"); // a question now would write here
    Type(screen, QStringLiteral("cboPillarHeight"), QStringLiteral("4"));
    screen->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(screen));
    QTest::keyClick(screen, Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(QFile::exists(path("never.vte")));
    const auto read = files::ParseEvaluation(ReadBytes(path("first.vte")));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->design.height, QStringLiteral("4"));
    EXPECT_FALSE(files::HasUnsavedChanges(*screen));
    // "Save evaluation as..." asks again, offering the known file.
    ChooseDesignItem(screen, "mnuSaveEvaluationAs");
    EXPECT_EQ(suggestedName, path("first.vte"));
    EXPECT_TRUE(QFile::exists(path("never.vte")));
    EXPECT_EQ(screen->evaluationFile()->path, path("never.vte"));
}

// --- the question before changed inputs are thrown away ---

enum class Way { NewCalculation, OpenEvaluation, Exit, CloseScreen };

struct LeavingCase {
    const char* name;
    Way way;
    bool fromFile;     // the screen's design was opened from a file
    bool changed;      // and an input changed since
    SaveChoice answer; // to the question, when there is one
    bool asked;
    bool leaves;        // the screen is left
    bool fileRewritten; // with the changed input
};

std::vector<LeavingCase> LeavingCases() {
    std::vector<LeavingCase> cases;
    const std::pair<Way, const char*> ways[] = {{Way::NewCalculation, "new calculation"},
                                                {Way::OpenEvaluation, "open evaluation"},
                                                {Way::Exit, "exit"},
                                                {Way::CloseScreen, "closing the screen"}};
    for (const auto& [way, name] : ways) {
        cases.push_back({name, way, false, true, SaveChoice::Cancel, false, true, false});
        cases.push_back({name, way, true, false, SaveChoice::Cancel, false, true, false});
        cases.push_back({name, way, true, true, SaveChoice::Cancel, true, false, false});
        cases.push_back({name, way, true, true, SaveChoice::Discard, true, true, false});
        cases.push_back({name, way, true, true, SaveChoice::Save, true, true, true});
    }
    return cases;
}

TEST_F(DesktopTest, EachWayOutAsksOnlyWhenInputsChangedAndCancelKeepsEverything) {
    const QString file = savedTributary("kept.vte");
    const QString other = path("other.vte");
    ASSERT_TRUE(QFile::copy(file, other));
    const QByteArray original = ReadBytes(file);
    for (const LeavingCase& c : LeavingCases()) {
        ASSERT_TRUE(WriteBytes(file, original));
        SCOPED_TRACE(std::string(c.name) + (c.fromFile ? ", from a file" : ", never saved") +
                     (c.changed ? ", changed" : ", unchanged") + ", answer " +
                     std::to_string(static_cast<int>(c.answer)));
        CalculationScreen* screen = startAfresh("frmTributary");
        if (c.fromFile) {
            open(screen, file);
        } else {
            RunFullEvaluation(screen, QStringLiteral("5"));
        }
        if (c.changed)
            Type(screen, QStringLiteral("txtDepth"), QStringLiteral("321"));
        const auto before = ShownTexts(screen);
        const QByteArray fileBefore = ReadBytes(file);
        messages.askedToSave.clear();
        messages.saveChoice = c.answer;
        endRequests = 0;
        openPath = other;
        QPointer<CalculationScreen> watched = screen;
        switch (c.way) {
        case Way::NewCalculation:
            screen->findChild<QAction*>(QStringLiteral("mnuNewCalculation"))->trigger();
            break;
        case Way::OpenEvaluation:
            ChooseDesignItem(screen, "mnuOpenEvaluation");
            break;
        case Way::Exit:
            screen->findChild<QAction*>(QStringLiteral("mnuExit"))->trigger();
            break;
        case Way::CloseScreen:
            screen->close();
            break;
        }
        flushDeletes();
        EXPECT_EQ(messages.askedToSave.size(), c.asked ? 1u : 0u);
        if (c.asked) {
            EXPECT_TRUE(messages.askedToSave.front().text.contains(QStringLiteral("kept.vte")));
        }
        const bool rewritten = ReadBytes(file) != fileBefore;
        EXPECT_EQ(rewritten, c.fileRewritten);
        if (c.fileRewritten) {
            EXPECT_EQ(files::ParseEvaluation(ReadBytes(file))->design.depth, QStringLiteral("321"));
        }
        const bool left = [&] {
            switch (c.way) {
            case Way::Exit:
                return endRequests == 1;
            case Way::OpenEvaluation:
                return watched->evaluationFile() && watched->evaluationFile()->path == other;
            case Way::NewCalculation:
            case Way::CloseScreen:
                return watched.isNull();
            }
            return false;
        }();
        EXPECT_EQ(left, c.leaves);
        if (!c.leaves) {
            ASSERT_FALSE(watched.isNull());
            EXPECT_TRUE(watched->isVisible());
            EXPECT_EQ(Changes(before, ShownTexts(watched)), "");
            EXPECT_EQ(watched->evaluationFile()->path, file);
            auto* splash = Windows().existing(QStringLiteral("frmSplash"));
            EXPECT_TRUE(splash == nullptr || !splash->isVisible());
        }
        messages.shown.clear();
        Windows().close(QStringLiteral("frmSplash"));
    }
}

TEST_F(DesktopTest, TheDesignMenuNamesTheScreensFileAndSaysWhenItChanged) {
    for (const char* name : {"frmTributary", "frmModelled", "frmInterpolate"}) {
        SCOPED_TRACE(name);
        CalculationScreen* screen = startAfresh(name);
        QAction* item = screen->findChild<QAction*>(QStringLiteral("mnuEvaluationFile"));
        ASSERT_NE(item, nullptr);
        EXPECT_FALSE(item->isEnabled());
        EXPECT_EQ(item->text(), QStringLiteral("Evaluation file: none yet"));
        const QString title = screen->windowTitle();
        save(screen, path("R&D.vte"));
        EXPECT_EQ(item->text(), QStringLiteral("Evaluation file: R&&D.vte"));
        Type(screen, QStringLiteral("cboPillarHeight"), QStringLiteral("7"));
        emit screen->designMenu()->aboutToShow();
        EXPECT_EQ(item->text(), QStringLiteral("Evaluation file: R&&D.vte (changed)"));
        EXPECT_EQ(screen->windowTitle(), title);
    }
}

// --- kept between runs ---

QStringList RecentItems(CalculationScreen* screen) {
    auto* menu = screen->findChild<QMenu*>(QStringLiteral("mnuRecentEvaluations"));
    EXPECT_NE(menu, nullptr);
    if (!menu)
        return {};
    emit menu->aboutToShow();
    QStringList items;
    for (QAction* action : menu->actions())
        items << action->text();
    return items;
}

TEST_F(DesktopTest, RecentFilesAreKeptAcrossRunsEightAtMostAndAGoneOneIsSaidAndDropped) {
    CalculationScreen* screen = startAfresh("frmModelled");
    RunFullEvaluation(screen, QStringLiteral("5"));
    for (int i = 1; i <= 10; ++i)
        save(screen, path(QStringLiteral("e%1.vte").arg(i).toUtf8().constData()));
    open(screen, path("e3.vte"));
    // Another run: nothing but the settings file carries the list over.
    CloseAllWindows();
    flushDeletes();
    ASSERT_TRUE(QFile::exists(settings::SettingsPath()));
    EXPECT_TRUE(settings::SettingsPath().contains(QStringLiteral("/.qttest/")));
    screen = startAfresh("frmTributary");
    EXPECT_EQ(RecentItems(screen),
              (QStringList{"&1 e3.vte", "&2 e10.vte", "&3 e9.vte", "&4 e8.vte", "&5 e7.vte",
                           "&6 e6.vte", "&7 e5.vte", "&8 e4.vte"}));
    ASSERT_TRUE(QFile::remove(path("e10.vte")));
    screen->findChild<QAction*>(QStringLiteral("mnuRecent2"))->trigger();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.last().text.contains(QStringLiteral("e10.vte is no longer there")));
    EXPECT_EQ(RecentItems(screen).size(), 7);
    screen->findChild<QAction*>(QStringLiteral("mnuRecent1"))->trigger();
    CalculationScreen* opened = screenNamed("frmModelled");
    ASSERT_NE(opened, nullptr);
    EXPECT_TRUE(opened->isVisible());
    EXPECT_EQ(opened->evaluationFile()->path, path("e3.vte"));
}

TEST_F(DesktopTest, UnreadableOrDamagedSettingsNeverStopTheProgram) {
    const QString file = settings::SettingsPath();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(file).path()));
    for (const QByteArray& bytes : {QByteArray("[recent\n\x01\xff=\"\n"), QByteArray()}) {
        ASSERT_TRUE(WriteBytes(file, bytes));
        if (bytes.isEmpty()) { // unreadable: a folder in the file's place
            ASSERT_TRUE(QFile::remove(file) && QDir().mkpath(file));
        }
        CalculationScreen* screen = startAfresh("frmModelled");
        RunFullEvaluation(screen, QStringLiteral("5"));
        save(screen, path("kept.vte"));
        EXPECT_TRUE(QFile::exists(path("kept.vte")));
        EXPECT_LE(RecentItems(screen).size(), 1);
        open(screen, path("kept.vte"));
        EXPECT_TRUE(screen->isVisible());
        QDir(file).removeRecursively();
    }
}

TEST_F(DesktopTest, EachKindOfFileDialogStartsInTheFolderLastUsedForItsKind) {
    const QString evaluations = path("evaluations");
    const QString exports = path("exports");
    ASSERT_TRUE(QDir().mkpath(evaluations) && QDir().mkpath(exports));
    fileDialogs.answer = [&](const FileQuestion& question) {
        const QString folder =
            question.files == FileQuestion::Files::Evaluations ? evaluations : exports;
        return FileAnswer{QDir(folder).filePath(QStringLiteral("chosen")), {}};
    };
    const auto ask = [](FileQuestion::Files files, const QString& suggested) {
        return AskForFile(nullptr, {FileQuestion::Kind::Save,
                                    QStringLiteral("q"),
                                    suggested,
                                    {},
                                    QStringLiteral("x"),
                                    files});
    };
    const QString home = QDir::home().filePath(QStringLiteral("name.x"));
    ask(FileQuestion::Files::Evaluations, home);
    EXPECT_EQ(fileDialogs.last().suggested, home); // nothing kept yet
    ask(FileQuestion::Files::Exports, QStringLiteral("chart.png"));
    ask(FileQuestion::Files::Unkept, home);
    EXPECT_EQ(fileDialogs.last().suggested, home);
    ask(FileQuestion::Files::Evaluations, home);
    EXPECT_EQ(fileDialogs.last().suggested, QDir(evaluations).filePath(QStringLiteral("name.x")));
    ask(FileQuestion::Files::Exports, QStringLiteral("chart.png"));
    EXPECT_EQ(fileDialogs.last().suggested, QDir(exports).filePath(QStringLiteral("chart.png")));
    ask(FileQuestion::Files::Reports, home);
    EXPECT_EQ(fileDialogs.last().suggested, home);
    // A kept folder that is gone is passed over; a suggested folder becomes the kept one.
    ASSERT_TRUE(QDir(exports).removeRecursively());
    ask(FileQuestion::Files::Exports, QStringLiteral("chart.png"));
    EXPECT_EQ(fileDialogs.last().suggested, QStringLiteral("chart.png"));
    FileQuestion inHome;
    inHome.suggested = QDir::homePath();
    EXPECT_EQ(StartingIn(inHome, evaluations).suggested, evaluations);
}

// --- the tools' settings kept in the file ---

void Retype(QLineEdit* box, const QString& text) {
    ASSERT_NE(box, nullptr);
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
}

void ChooseKind(QWidget* tool, const char* name, probability::DistributionKind kind) {
    auto* combo = tool->findChild<QComboBox*>(QString::fromLatin1(name));
    ASSERT_NE(combo, nullptr) << name;
    combo->setCurrentIndex(combo->findText(probability::KindName(kind)));
}

probability::RunResult RunProbability(frmProbability* tool) {
    QTest::mouseClick(tool->findChild<QPushButton*>(QStringLiteral("cmdRun")), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([tool] { return !tool->running(); }, 60000));
    EXPECT_NE(tool->shownResult(), nullptr);
    return tool->shownResult() ? *tool->shownResult() : probability::RunResult{};
}

struct OpenTools {
    frmDesignCharts* charts =
        Windows().existing<frmDesignCharts>(QStringLiteral("frmDesignCharts"));
    frmTargetFOS* solve = Windows().existing<frmTargetFOS>(QStringLiteral("frmTargetFOS"));
    frmProbability* probability =
        Windows().existing<frmProbability>(QStringLiteral("frmProbability"));
};

// With the program's own Design menu, tools and all.
class ToolSettingsTest : public ProgramTest {
protected:
    QTemporaryDir dir;
};

TEST_F(ToolSettingsTest, EveryToolSettingSurvivesASaveAndOpenAndTheRunRepeatsBitForBit) {
    using probability::DistributionKind;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("tools.vte"));
    CalculationScreen* screen = OpenScreen(QStringLiteral("frmTributary"));
    RunFullEvaluation(screen, QStringLiteral("5"));
    for (const char* item : {"mnuDesignCharts", "mnuTargetFOS", "mnuProbability"})
        ChooseDesignItem(screen, item);
    QCoreApplication::processEvents();
    OpenTools before;
    ASSERT_TRUE(before.charts && before.solve && before.probability);
    design::ChartPane* depth = before.charts->pane(1);
    Retype(depth->txtFrom, QStringLiteral("300"));
    Retype(depth->txtTo, QStringLiteral("700"));
    Retype(depth->txtStep, QStringLiteral("25"));
    Retype(before.solve->txtTargetFOS, QStringLiteral("2"));
    Retype(before.solve->txtMinimumWH, QStringLiteral("3"));
    Retype(before.solve->txtPlanGrid, QStringLiteral("0.5"));
    ChooseKind(before.probability, "cboDistributionDepth", DistributionKind::Normal);
    ChooseKind(before.probability, "cboDistributionK", DistributionKind::Lognormal);
    Retype(before.probability->findChild<QLineEdit*>(QStringLiteral("txtCVK")),
           QStringLiteral("15"));
    Retype(before.probability->findChild<QLineEdit*>(QStringLiteral("txtSamples")),
           QStringLiteral("3000"));
    Retype(before.probability->findChild<QLineEdit*>(QStringLiteral("txtSeed")),
           QStringLiteral("77"));
    const probability::RunResult first = RunProbability(before.probability);
    const QJsonObject settings[] = {before.charts->keptSettings(), before.solve->keptSettings(),
                                    before.probability->keptSettings()};
    fileDialogs.path = file;
    ChooseDesignItem(screen, "mnuSaveEvaluationAs");
    const QByteArray saved = ReadBytes(file);
    ASSERT_TRUE(saved.contains("\"version\": 2"));

    for (const bool old : {false, true}) {
        SCOPED_TRACE(old ? "version 1" : "version 2");
        CloseAllWindows();
        flushDeletes();
        State().ModellingResults = results::ModellingResults{};
        if (old) { // as a file of the first format: no tools
            ASSERT_TRUE(
                WriteBytes(file, QByteArray(saved).replace("\"version\": 2", "\"version\": 1")));
        }
        messages.shown.clear();
        ASSERT_TRUE(files::OpenEvaluationFile(file));
        QCoreApplication::processEvents();
        EXPECT_TRUE(messages.shown.empty()) << messages.last().text.toStdString();
        OpenTools after;
        if (old) {
            EXPECT_TRUE(!after.charts && !after.solve && !after.probability);
            EXPECT_EQ(Windows()
                          .existing<CalculationScreen>(QStringLiteral("frmTributary"))
                          ->designTexts()
                          .height,
                      QStringLiteral("5"));
            continue;
        }
        ASSERT_TRUE(after.charts && after.solve && after.probability);
        for (QWidget* tool :
             {static_cast<QWidget*>(after.charts), static_cast<QWidget*>(after.solve),
              static_cast<QWidget*>(after.probability)})
            EXPECT_TRUE(tool->isVisible()) << tool->objectName().toStdString();
        EXPECT_EQ(after.charts->keptSettings(), settings[0]);
        EXPECT_EQ(after.solve->keptSettings(), settings[1]);
        EXPECT_EQ(after.probability->keptSettings(), settings[2]);
        EXPECT_EQ(after.charts->pane(1)->txtStep->text(), QStringLiteral("25"));
        EXPECT_FALSE(after.charts->pane(0)->typedRange()); // still around the design
        EXPECT_EQ(after.solve->txtTargetFOS->text(), QStringLiteral("2"));
        const probability::RunResult again = RunProbability(after.probability);
        EXPECT_EQ(again.samples, 3000u);
        EXPECT_EQ(again.samples, first.samples);
        EXPECT_EQ(again.finite, first.finite);
        EXPECT_EQ(again.belowOne, first.belowOne);
        EXPECT_EQ(again.belowLimit, first.belowLimit);
        EXPECT_EQ(again.squat, first.squat);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(again.mean),
                  std::bit_cast<std::uint64_t>(first.mean));
        EXPECT_EQ(std::bit_cast<std::uint64_t>(again.standardDeviation),
                  std::bit_cast<std::uint64_t>(first.standardDeviation));
        EXPECT_EQ(std::bit_cast<std::uint32_t>(again.quantile5),
                  std::bit_cast<std::uint32_t>(first.quantile5));
        EXPECT_EQ(std::bit_cast<std::uint32_t>(again.median),
                  std::bit_cast<std::uint32_t>(first.median));
    }
}

} // namespace
} // namespace vt::test
