// vt-evaluate against the screens: a table of designs goes through the real
// executable, and every design is also typed into its real screen and
// calculated with the screen's own buttons; row by row, the table must say
// what the screen shows (with a decimal point) or the message it gives.
#include "app/ui.h"
#include "batch/batch.h"
#include "evaluation/csv.h"
#include "evaluation/installeddata.h"
#include "evaluation/messages.h"
#include "results/core/modellingfile.h"
#include "screens/frminterpolate.h"
#include "tests/support/modellingtables.h"
#include "tests/support/programtest.h"
#include "tests/support/screenhelpers.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

namespace vt::test {
namespace {

struct Design {
    const char* method;
    std::map<QString, QString> inputs; // by column
};

std::vector<Design> Designs() {
    const auto plan = [](const char* method, const char* loading, const char* depth,
                         const char* width, const char* length, const char* bord1,
                         const char* bord2, const char* k, const char* height) {
        const QString loadingColumn = QLatin1String(method) == QLatin1String("tributary")
                                          ? QStringLiteral("rock_density")
                                          : QStringLiteral("aps");
        return Design{method,
                      {{loadingColumn, QString::fromLatin1(loading)},
                       {QStringLiteral("depth"), QString::fromLatin1(depth)},
                       {QStringLiteral("pillar_width"), QString::fromLatin1(width)},
                       {QStringLiteral("pillar_length"), QString::fromLatin1(length)},
                       {QStringLiteral("bord_width_1"), QString::fromLatin1(bord1)},
                       {QStringLiteral("bord_width_2"), QString::fromLatin1(bord2)},
                       {QStringLiteral("k"), QString::fromLatin1(k)},
                       {QStringLiteral("pillar_height"), QString::fromLatin1(height)}}};
    };
    // An empty modelling file: the installed default one.
    const auto interpolation = [](const char* width, const char* depth, const char* k,
                                  const char* height, const char* file = "results.int") {
        return Design{"interpolation",
                      {{QStringLiteral("pillar_width"), QString::fromLatin1(width)},
                       {QStringLiteral("depth"), QString::fromLatin1(depth)},
                       {QStringLiteral("k"), QString::fromLatin1(k)},
                       {QStringLiteral("pillar_height"), QString::fromLatin1(height)},
                       {QStringLiteral("modelling_file"), QString::fromLatin1(file)}}};
    };
    Design variables = plan("tributary", "2.7", "800", "10", "10", "12", "12", "100", "1.5");
    variables.inputs[QStringLiteral("alpha")] = QStringLiteral("0.46");
    variables.inputs[QStringLiteral("beta")] = QStringLiteral("0.66");
    variables.inputs[QStringLiteral("squat_start")] = QStringLiteral("5.0");
    variables.inputs[QStringLiteral("strength_increase_rate")] = QStringLiteral("2.5");
    return {
        plan("tributary", "2.7", "500", "10", "10", "12", "12", "100", "5"),
        plan("tributary", "3.3", "1200", "6.5", "9", "8", "16", "80", "2.2"),
        plan("tributary", "2.75", "350", "12", "20", "12", "12", "60", "2"),
        variables,
        plan("tributary", "2.7", "", "10", "10", "12", "12", "100", "5"),
        plan("tributary", "2.7", "500", "abc", "10", "12", "12", "100", "5"),
        plan("tributary", "2.7", "500", "10", "10", "12", "12", "100", "0"),
        plan("modelled", "64.0985", "500", "10", "10", "12", "12", "100", "2"),
        plan("modelled", "0", "500", "10", "10", "12", "12", "100", "2"),
        plan("modelled", "45.5", "700", "1", "1", "40", "40", "30", "3"),
        interpolation("6", "300", "40", "3"),
        interpolation("7", "250", "40", "2"),
        interpolation("6", "600", "40", "3"),
        interpolation("5", "300", "40", "3"),
        interpolation("8", "400", "40", "3", ""),
        interpolation("12", "900", "60", "4", ""),
    };
}

// What a screen shows after its buttons, as the table's columns.
struct Shown {
    std::map<QString, QString> results;
    QString firstMessage;
};

class BatchScreensTest : public ProgramTest {
protected:
    Shown onScreen(const Design& design, const QString& modelling) {
        CloseAllWindows();
        flushDeletes();
        State().ModellingResults = results::ModellingResults{};
        messages.shown.clear();
        const bool interpolation = QLatin1String(design.method) == QLatin1String("interpolation");
        const QString name = interpolation ? "frmInterpolate"
                             : QLatin1String(design.method) == QLatin1String("modelled")
                                 ? "frmModelled"
                                 : "frmTributary";
        CalculationScreen* screen = OpenScreen(name);
        if (interpolation) {
            const QString file =
                design.inputs.at(QStringLiteral("modelling_file")).isEmpty()
                    ? QStringLiteral(VT_BUILD_DATA_DIR "/") + evaluation::kDefaultResultsFileName
                    : modelling;
            EXPECT_TRUE(results::ReadModellingText(State().ModellingResults,
                                                   QFile::encodeName(file).toStdString()));
            EXPECT_TRUE(dynamic_cast<frmInterpolate*>(screen)->LoadModellingResults());
        }
        if (design.inputs.count(QStringLiteral("alpha")))
            Press(screen, QStringLiteral("Check1"));
        const std::map<QString, const char*> fields{
            {"rock_density", "cboRockDensity"},
            {"aps", "txtPillarStress"},
            {"depth", "txtDepth"},
            {"pillar_width", "cboPillarWidth1"},
            {"pillar_length", "cboPillarLength"},
            {"bord_width_1", "cboBordWidth"},
            {"bord_width_2", "cboBordWidth2"},
            {"k", "cboK"},
            {"pillar_height", "cboPillarHeight"},
            {"alpha", "cboAlpha"},
            {"beta", "cboBeta"},
            {"squat_start", "cboSquatPillarEffect"},
            {"strength_increase_rate", "cboStrengthIncrease"}};
        for (const auto& [column, text] : design.inputs)
            if (fields.count(column))
                Type(screen, QString::fromLatin1(fields.at(column)), text);
        Press(screen, QStringLiteral("cmdCalculateAndContinue1"));
        Press(screen, QStringLiteral("cmdCalculateAndContinue2"));

        const auto red = [screen](const char* field) {
            return Background(Field(screen, QString::fromLatin1(field))) == kWarningRed
                       ? QStringLiteral("yes")
                       : QStringLiteral("no");
        };
        const auto text = [screen](const char* field) {
            // The screen's decimal separator is the table's point.
            return Text(screen, QString::fromLatin1(field)).replace(u',', u'.');
        };
        Shown shown;
        shown.results = {{"extraction", text("lblPercentageExtraction")},
                         {"pillar_stress", text("lblFRPillarStress")},
                         {"effective_width", text("cboPillarWidth")},
                         {"wh_ratio", text("lblWHratio")},
                         {"pillar_strength", text("lblPillarStrength")},
                         {"fos", text("lblFOS")},
                         {"wh_too_small", red("lblWHratio")},
                         {"fos_too_small", red("lblFOS")},
                         {"formula", text("txtFormula")}};
        if (!messages.shown.empty())
            shown.firstMessage = messages.shown.front().text;
        return shown;
    }

    // The designs through the real vt-evaluate, as a file beside the
    // modelling-results file it names.
    std::vector<std::map<QString, QString>> throughTheProgram(const std::vector<Design>& designs) {
        QByteArray table;
        // A column order of its own, to show that order does not matter.
        QStringList shuffled;
        for (const char* column : batch::kInputColumns)
            shuffled.prepend(QString::fromLatin1(column));
        evaluation::AppendRecord(table, shuffled);
        for (const Design& design : designs) {
            QStringList row;
            for (const QString& column : shuffled)
                row << (column == QLatin1String("method") ? QString::fromLatin1(design.method)
                        : design.inputs.count(column)     ? design.inputs.at(column)
                                                          : QString());
            evaluation::AppendRecord(table, row);
        }
        const QString input = dir.filePath(QStringLiteral("designs.csv"));
        const QString output = dir.filePath(QStringLiteral("results.csv"));
        QFile file(input);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(table) == table.size());
        file.close();
        QProcess program;
        program.start(QStringLiteral(VT_EVALUATE), {input, output});
        EXPECT_TRUE(program.waitForFinished(60000));
        EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
        QFile written(output);
        EXPECT_TRUE(written.open(QIODevice::ReadOnly));
        const QByteArray bytes = written.readAll();
        evaluation::CsvReader reader(bytes);
        evaluation::Record header;
        EXPECT_TRUE(reader.next(header));
        std::vector<std::map<QString, QString>> rows;
        evaluation::Record record;
        while (reader.next(record)) {
            std::map<QString, QString> row;
            for (qsizetype i = 0; i < header.fields.size(); ++i)
                row[header.fields[i]] = record.fields.value(i);
            rows.push_back(row);
        }
        return rows;
    }

    void compareAll() {
        const std::vector<Design> designs = Designs();
        const QString modelling = dir.filePath(QStringLiteral("results.int"));
        QFile file(modelling);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(kWidths6And8.data());
        file.close();
        const auto rows = throughTheProgram(designs);
        ASSERT_EQ(rows.size(), designs.size());
        int complete = 0;
        for (std::size_t i = 0; i < designs.size(); ++i) {
            SCOPED_TRACE(i);
            const Shown screen = onScreen(designs[i], modelling);
            const auto& row = rows[i];
            const QString message = row.at(QStringLiteral("message"));
            // The row says its line; a field left empty is named by its
            // column where the screen asks to fill every box, any other
            // refusal in the screen's words.
            const QString line = QStringLiteral("line %1").arg(i + 2);
            if (screen.firstMessage.isEmpty()) {
                EXPECT_EQ(message, QString());
            } else if (screen.firstMessage.startsWith(evaluation::kFillAllFields)) {
                EXPECT_TRUE(message.startsWith(line + QStringLiteral(", column ")) &&
                            message.endsWith(QStringLiteral(": empty")))
                    << message.toStdString();
            } else {
                EXPECT_TRUE(message.startsWith(line) && message.endsWith(screen.firstMessage))
                    << message.toStdString() << " / " << screen.firstMessage.toStdString();
            }
            // A refused row has no results at all, not those of the steps
            // the screen went through before its refusal.
            for (const auto& [column, shown] : screen.results)
                EXPECT_EQ(row.at(column).toStdString(),
                          message.isEmpty() ? shown.toStdString() : std::string())
                    << column.toStdString();
            complete += message.isEmpty() ? 1 : 0;
        }
        EXPECT_GE(complete, 8); // most designs are whole; the rest are refused
    }

    QTemporaryDir dir;
};

TEST_F(BatchScreensTest, EveryRowSaysWhatItsScreenShows) {
    compareAll();
}

TEST_F(BatchScreensTest, EveryRowSaysWhatItsScreenShowsInGerman) {
    LocaleScope german(German());
    compareAll();
}

TEST(BatchProgramTest, UsesNoWidgets) {
    QProcess ldd;
    ldd.start(QStringLiteral("ldd"), {QStringLiteral(VT_EVALUATE)});
    if (!ldd.waitForFinished(30000) || ldd.exitCode() != 0)
        GTEST_SKIP() << "no ldd";
    const QByteArray libraries = ldd.readAllStandardOutput();
    EXPECT_TRUE(libraries.contains("libQt6Core"));
    EXPECT_FALSE(libraries.contains("libQt6Widgets"));
    EXPECT_FALSE(libraries.contains("libQt6Gui"));
}

// A table of one tributary design (FOS 1.5).
constexpr const char* kOneDesign = "method,rock_density,depth,pillar_width,pillar_length,"
                                   "bord_width_1,bord_width_2,k,pillar_height\n"
                                   "tributary,2.7,500,10,10,12,12,100,5\n";

TEST(BatchProgramTest, ReadsStandardInputAndWritesStandardOutput) {
    QProcess program;
    program.start(QStringLiteral(VT_EVALUATE), {});
    ASSERT_TRUE(program.waitForStarted());
    program.write(kOneDesign);
    program.closeWriteChannel();
    ASSERT_TRUE(program.waitForFinished(60000));
    EXPECT_EQ(program.exitCode(), 0);
    const QByteArray out = program.readAllStandardOutput();
    EXPECT_TRUE(out.startsWith("method,rock_density,depth,"));
    EXPECT_TRUE(
        out.contains(",79.3,64.1,10,2,94.6,1.5,yes,yes,The Hedley/Grant formula was used,\r\n"))
        << out.toStdString();

    QProcess wrong;
    wrong.start(QStringLiteral(VT_EVALUATE), {QStringLiteral("--no-such-option")});
    ASSERT_TRUE(wrong.waitForFinished(60000));
    EXPECT_EQ(wrong.exitCode(), 2);
    EXPECT_TRUE(wrong.readAllStandardError().contains("unknown option"));
}

// A read or a write that fails ends the run with a message and status 1
// instead of hanging or saying nothing: a folder as standard input, a full
// device as standard output.
TEST(BatchProgramTest, AFailedReadOrWriteOfTheStandardStreamsIsAnError) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QProcess reading;
    reading.setStandardInputFile(folder.path());
    reading.start(QStringLiteral(VT_EVALUATE), {});
    ASSERT_TRUE(reading.waitForFinished(60000));
    EXPECT_EQ(reading.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(reading.exitCode(), 1);
    EXPECT_TRUE(
        reading.readAllStandardError().contains("vt-evaluate: Standard input cannot be read: "));

    if (!QFileInfo::exists(QStringLiteral("/dev/full")))
        GTEST_SKIP() << "no /dev/full";
    QProcess writing;
    writing.setStandardOutputFile(QStringLiteral("/dev/full"));
    writing.start(QStringLiteral(VT_EVALUATE), {});
    ASSERT_TRUE(writing.waitForStarted());
    writing.write(kOneDesign);
    writing.closeWriteChannel();
    ASSERT_TRUE(writing.waitForFinished(60000));
    EXPECT_EQ(writing.exitCode(), 1);
    EXPECT_TRUE(writing.readAllStandardError().contains("the results cannot be written"));
}

} // namespace
} // namespace vt::test
