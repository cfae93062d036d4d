// The batch evaluator without windows: the header, each row against the
// evaluation it stands for, bad rows that never stop the run, hostile
// tables, and the command line with its exit codes.
#include "batch/batch.h"
#include "evaluation/design.h"
#include "evaluation/numbers.h"
#include "evaluation/strengthformulas.h"
#include "results/core/modellingfile.h"
#include "tests/support/csvrecords.h"
#include "tests/support/modellingtables.h"
#include "tests/support/specialfiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>

// Readable failures.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace vt::batch {
namespace {

using evaluation::Records;

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

Record HeaderOf(const char* line) {
    CsvReader reader{QByteArrayView(line, qstrlen(line))};
    Record record;
    EXPECT_TRUE(reader.next(record));
    return record;
}

// The output of a table, by column name, one map per row.
std::vector<std::map<QString, QString>> Evaluated(const QByteArray& table,
                                                  const QString& folder = QDir::currentPath(),
                                                  const TableOptions& given = {}) {
    QByteArray out;
    TableOptions options = given;
    options.folder = folder;
    const auto counts = EvaluateTable(table, options, out);
    EXPECT_TRUE(counts) << counts.refusal().message.toStdString();
    const std::vector<Record> records =
        Records(out, options.output.value_or(evaluation::DetectCsvConvention(table)));
    std::vector<std::map<QString, QString>> rows;
    if (records.empty())
        return rows;
    for (std::size_t r = 1; r < records.size(); ++r) {
        std::map<QString, QString> row;
        EXPECT_EQ(records[r].fields.size(), records[0].fields.size());
        for (qsizetype c = 0; c < records[0].fields.size(); ++c)
            row[records[0].fields[c]] = records[r].fields.value(c);
        rows.push_back(row);
    }
    EXPECT_EQ(qsizetype(rows.size()), counts ? counts->rows : -1);
    return rows;
}

TEST(BatchTest, TheHeaderNamesKnownColumnsInAnyOrderOnce) {
    const auto header = ReadHeader(HeaderOf(" K ,Method,modelling_file,aps"));
    ASSERT_TRUE(header) << header.refusal().message.toStdString();
    EXPECT_EQ(header->position[0], 1);  // method
    EXPECT_EQ(header->position[8], 0);  // k
    EXPECT_EQ(header->position[13], 3); // aps
    EXPECT_EQ(header->position[14], 2); // modelling_file
    EXPECT_EQ(header->position[2], -1); // depth: missing, so empty
    EXPECT_EQ(header->width, 4);

    const struct {
        const char* line;
        const char* says;
    } bad[] = {
        {"method,dept", "unknown column \"dept\"; the columns are method, rock_density"},
        {"method,k,K", "the column \"k\" twice"},
        {"depth,k", "no \"method\" column"},
        {"method,,k", "Column 2 of the header has no name"},
        {"method,\"k", "header row cannot be read: A quoted field is not closed"},
    };
    for (const auto& b : bad) {
        const auto refused = ReadHeader(HeaderOf(b.line));
        ASSERT_FALSE(refused) << b.line;
        EXPECT_TRUE(refused.refusal().message.contains(QString::fromUtf8(b.says)))
            << refused.refusal().message.toStdString();
    }
}

// Each row of a table against Evaluate of the same design with the point
// locale: the batch adds reading and writing, nothing to the numbers.
TEST(BatchTest, EveryRowIsTheEvaluationOfItsDesign) {
    QTemporaryDir dir;
    ASSERT_TRUE(WriteFile(dir.filePath(QStringLiteral("results.int")), test::kWidths6And8.data()));
    const QByteArray table =
        "method,rock_density,depth,pillar_width,pillar_length,bord_width_1,bord_width_2,"
        "pillar_height,k,alpha,beta,squat_start,strength_increase_rate,aps,modelling_file\r\n"
        "tributary,2.7,500,10,10,12,12,5,100,,,,,,\r\n"
        "tributary,2.7,500,10,10,12,12,1.5,100,0.46,0.66,5.0,2.5,,\r\n"
        "modelled,,500,4,10,8,16,3,40,,,,,64.0985,\r\n"
        "interpolation,,300,6,,,,3,40,,,,,,results.int\r\n"
        "interpolation,,600,6,,,,3,40,,,,,,results.int\r\n"
        "tributary,2.7,,10,10,12,12,5,100,,,,,,\r\n"
        "tributary,\"2,7\",500,10,10,12,12,5,100,,,,,,\r\n"
        "modelled,,500,10,10,12,12,0,100,,,,,64,\r\n"
        "tributary,2.7,500,-5,10,12,12,5,100,,,,,,\r\n"
        "interpolation,,300,6,,,,3,40,,,,,,\r\n"; // the default modelling file
    TableOptions options;
    options.defaultModelling = dir.filePath(QStringLiteral("results.int"));
    const auto rows = Evaluated(table, dir.path(), options);
    const std::vector<Record> inputs = Records(table);
    ASSERT_EQ(rows.size(), inputs.size() - 1);
    results::ModellingResults modelling;
    ASSERT_TRUE(results::ReadModellingText(
        modelling, QFile::encodeName(dir.filePath(QStringLiteral("results.int"))).toStdString()));
    ASSERT_TRUE(results::ParseModellingResults(modelling));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        SCOPED_TRACE(r);
        const QStringList& f = inputs[r + 1].fields;
        evaluation::DesignTexts d;
        d.method = *evaluation::MethodFromName(f[0]);
        d.density = f[1];
        d.depth = f[2];
        d.width = f[3];
        d.length = f[4];
        d.bord1 = f[5];
        d.bord2 = f[6];
        d.height = f[7];
        d.k = f[8];
        d.alpha = f[9].isEmpty() ? QStringLiteral("0.5") : f[9];
        d.beta = f[10].isEmpty() ? QStringLiteral("0.75") : f[10];
        d.squatStart = f[11].isEmpty() ? QStringLiteral("4.5") : f[11];
        d.increaseRate = f[12].isEmpty() ? QStringLiteral("4.5") : f[12];
        d.stress = f[13];
        const evaluation::Evaluation e = evaluation::Evaluate(
            d, evaluation::NumberLocale::Point(),
            d.method == evaluation::Method::Interpolation ? &modelling : nullptr);
        const auto& row = rows[r];
        // A refused row carries its reason and no result, not even those of
        // the steps before the refusal.
        const bool whole = !e.refusal;
        const auto shown = [whole](const QString& text) { return whole ? text : QString(); };
        const auto flag = [whole](bool on) {
            return whole ? (on ? QStringLiteral("yes") : QStringLiteral("no")) : QString();
        };
        EXPECT_EQ(row.at(QStringLiteral("extraction")), shown(e.extraction));
        EXPECT_EQ(row.at(QStringLiteral("pillar_stress")), shown(e.stress));
        EXPECT_EQ(row.at(QStringLiteral("effective_width")), shown(e.effectiveWidth));
        EXPECT_EQ(row.at(QStringLiteral("wh_ratio")), shown(e.widthHeightRatio));
        EXPECT_EQ(row.at(QStringLiteral("pillar_strength")), shown(e.strength));
        EXPECT_EQ(row.at(QStringLiteral("fos")), shown(e.factorOfSafety));
        EXPECT_EQ(row.at(QStringLiteral("wh_too_small")), flag(e.widthHeightTooSmall));
        EXPECT_EQ(row.at(QStringLiteral("fos_too_small")), flag(e.factorOfSafetyTooSmall));
        EXPECT_EQ(row.at(QStringLiteral("formula")), shown(e.formula));
        EXPECT_EQ(row.at(QStringLiteral("message")).isEmpty(), whole);
        EXPECT_TRUE(
            whole ||
            row.at(QStringLiteral("message")).startsWith(QStringLiteral("line %1").arg(r + 2)))
            << row.at(QStringLiteral("message")).toStdString();
        // The inputs come back as given, the defaults filled in.
        EXPECT_EQ(row.at(QStringLiteral("alpha")), d.alpha);
        EXPECT_EQ(row.at(QStringLiteral("depth")), d.depth);
    }
    // The cases the table is meant to hold.
    EXPECT_EQ(rows[0].at(QStringLiteral("fos")), QStringLiteral("1.5"));
    EXPECT_EQ(rows[0].at(QStringLiteral("fos_too_small")), QStringLiteral("yes"));
    EXPECT_EQ(rows[1].at(QStringLiteral("formula")),
              QStringLiteral("The squat pillar formula was used"));
    EXPECT_EQ(rows[2].at(QStringLiteral("effective_width")), QStringLiteral("5.7"));
    EXPECT_EQ(rows[3].at(QStringLiteral("pillar_stress")), QStringLiteral("40"));
    EXPECT_EQ(rows[4].at(QStringLiteral("message")), QStringLiteral("line 6: Depth out of bounds"));
    EXPECT_EQ(rows[5].at(QStringLiteral("message")), QStringLiteral("line 7, column depth: empty"));
    EXPECT_EQ(rows[6].at(QStringLiteral("message")),
              QStringLiteral("line 8, column rock_density: ") +
                  evaluation::NumberRefusal(evaluation::Input::RockDensity, u"2,7",
                                            evaluation::NumberProblem::NotANumber,
                                            evaluation::NumberLocale::Point())
                      .message);
    EXPECT_FALSE(rows[7].at(QStringLiteral("message")).isEmpty()); // a height of 0
    // A width of -5 went through the effective width on the screen
    // (-21.4) before its refusal: the row shows none of it.
    const evaluation::Evaluation negative = evaluation::Evaluate(
        evaluation::DesignTexts{
            evaluation::Method::Tributary, "2.7", {}, "500", "-5", "10", "12", "12", "100", "5"},
        evaluation::NumberLocale::Point());
    ASSERT_TRUE(negative.refusal);
    EXPECT_FALSE(negative.effectiveWidth.isEmpty());
    EXPECT_TRUE(rows[8].at(QStringLiteral("effective_width")).isEmpty());
    EXPECT_FALSE(rows[8].at(QStringLiteral("message")).isEmpty());
    EXPECT_EQ(rows[9].at(QStringLiteral("fos")), rows[3].at(QStringLiteral("fos")));
    EXPECT_EQ(rows[9].at(QStringLiteral("modelling_file")), options.defaultModelling);
}

TEST(BatchTest, MissingColumnsAreEmptyAndBadRowsSayWhy) {
    QTemporaryDir dir;
    const QByteArray table = "k,method,pillar_height\r\n"
                             "100,tributary,5\r\n"
                             "100,square,5\r\n"
                             "100,,5\r\n"
                             "100,tributary,5,extra\r\n"
                             "100,\"tributary,5\r\n"
                             "100,interpolation,5\r\n"
                             "100, Modelled ,5\r\n";
    // A stray quote closed on a later line joins the lines between.
    const QByteArray joined = "k,method,pillar_height\r\n"
                              "100,tributary,5\r\n"
                              "100,\"tributary\r\n100,tributary\",5\r\n";
    auto rows = Evaluated(table, dir.path());
    rows.push_back(Evaluated(joined, dir.path()).at(1));
    ASSERT_EQ(rows.size(), 8u);
    const char* says[] = {
        "line 2, column rock_density: empty",
        "line 3, column method: unknown method \"square\"; give tributary, modelled or "
        "interpolation",
        "line 4, column method: empty; give tributary, modelled or interpolation",
        "line 5: the row has more fields than the header",
        "line 6: A quoted field is not closed",
        "line 7, column depth: empty",
        "line 8, column depth: empty", // the method as typed, blanks and capitals aside
        "lines 3 to 4 were read as one row: a quote opened on line 3 closes only on line 4",
    };
    for (std::size_t r = 0; r < rows.size(); ++r) {
        EXPECT_TRUE(rows[r].at(QStringLiteral("message")).startsWith(QString::fromUtf8(says[r])))
            << r << ": " << rows[r].at(QStringLiteral("message")).toStdString();
        EXPECT_TRUE(rows[r].at(QStringLiteral("depth")).isEmpty());
        EXPECT_EQ(rows[r].at(QStringLiteral("beta")), QStringLiteral("0.75"));
    }
}

// The interpolation screen's pillar is square between the modelling's 12 m
// bords: a row giving another length or other bords is refused rather than
// evaluated as another design; the same length or 12 m bords stand.
TEST(BatchTest, InterpolationRowsKeepTheScreensPlan) {
    QTemporaryDir dir;
    ASSERT_TRUE(WriteFile(dir.filePath(QStringLiteral("results.int")), test::kWidths6And8.data()));
    const QByteArray table = "method,depth,pillar_width,pillar_length,bord_width_1,bord_width_2,"
                             "pillar_height,k,modelling_file\r\n"
                             "interpolation,300,6,,,,3,40,results.int\r\n"
                             "interpolation,300,6,6.0,12,12.00,3,40,results.int\r\n"
                             "interpolation,300,6,20,,,3,40,results.int\r\n"
                             "interpolation,300,6,,4,,3,40,results.int\r\n"
                             "interpolation,300,6,,,x,3,40,results.int\r\n"
                             "interpolation,300,y,20,,,3,40,results.int\r\n"
                             "tributary,300,6,20,4,4,3,40,\r\n";
    const auto rows = Evaluated(table, dir.path());
    ASSERT_EQ(rows.size(), 7u);
    const QString square =
        QStringLiteral("line 4, column pillar_length: interpolation takes square pillars");
    const QString bords = QStringLiteral("column bord_width_%1: interpolation takes the "
                                         "modelling's bords of 12 m");
    EXPECT_EQ(rows[0].at(QStringLiteral("message")), QString());
    EXPECT_EQ(rows[1].at(QStringLiteral("message")), QString());
    EXPECT_EQ(rows[1].at(QStringLiteral("fos")), rows[0].at(QStringLiteral("fos")));
    EXPECT_FALSE(rows[0].at(QStringLiteral("fos")).isEmpty());
    for (std::size_t r : {2u, 3u, 4u}) {
        EXPECT_TRUE(rows[r]
                        .at(QStringLiteral("message"))
                        .startsWith(r == 2 ? square
                                           : QStringLiteral("line %1, ").arg(r + 2) +
                                                 bords.arg(r == 3 ? 1 : 2)))
            << r << ": " << rows[r].at(QStringLiteral("message")).toStdString();
        EXPECT_TRUE(rows[r].at(QStringLiteral("fos")).isEmpty()) << r;
    }
    // A width that is no number is said by the evaluation, and other methods
    // take the length and bords as given.
    for (std::size_t r : {5u, 6u}) {
        EXPECT_FALSE(
            rows[r].at(QStringLiteral("message")).contains(QStringLiteral("interpolation takes")))
            << r << ": " << rows[r].at(QStringLiteral("message")).toStdString();
        EXPECT_FALSE(rows[r].at(QStringLiteral("message")).isEmpty()) << r;
    }
}

TEST(BatchTest, ModellingFilesAreReadOnceAndTheirFaultsSaid) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("results.int"));
    ASSERT_TRUE(WriteFile(file, test::kWidths6And8.data()));
    ModellingTables tables(dir.path());
    QString problem;
    const results::ModellingResults* table = tables.table(QStringLiteral("results.int"), problem);
    ASSERT_NE(table, nullptr) << problem.toStdString();
    // The same file by its full path is the table already read, even after
    // the file changed on disk.
    ASSERT_TRUE(WriteFile(file, "junk"));
    EXPECT_EQ(tables.table(file, problem), table);

    ASSERT_TRUE(WriteFile(dir.filePath(QStringLiteral("bad.int")), "6\t0\t8\r\n1\t2\t3\r\n"));
    const struct {
        const char* path;
        const char* says;
    } faults[] = {
        {"missing.int", "cannot be read"},
        {"bad.int", "not in the format of modelling results"},
        {".", "is not a file"},
    };
    for (const auto& f : faults) {
        EXPECT_EQ(tables.table(QString::fromLatin1(f.path), problem), nullptr);
        EXPECT_TRUE(problem.contains(QString::fromLatin1(f.says))) << problem.toStdString();
    }
}

// Every name of one file is one table, read once; tables that would keep
// more than the budget let the least recently used go, which is read again
// when it is named again.
TEST(BatchTest, ModellingTablesAreKeptByFileAndBoundedInBytes) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("results.int"));
    const QString other = dir.filePath(QStringLiteral("other.int"));
    ASSERT_TRUE(WriteFile(file, test::kWidths6And8.data()));
    ASSERT_TRUE(WriteFile(other, test::kWidths6And8.data()));
    ASSERT_TRUE(QFile::link(file, dir.filePath(QStringLiteral("link.int"))));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    const struct {
        std::size_t budget;
        std::vector<const char*> names;
        qsizetype reads;
    } cases[] = {
        {kMaxTableBytes, {"results.int", "link.int", "./sub/../results.int", "results.int"}, 1},
        {kMaxTableBytes, {"results.int", "other.int", "results.int", "other.int"}, 2},
        // Room for one table: each change of file reads again.
        {1, {"results.int", "other.int", "results.int", "link.int"}, 3},
        {1, {"missing.int", "missing.int"}, 1},
    };
    for (const auto& c : cases) {
        ModellingTables tables(dir.path(), c.budget);
        QString problem;
        for (const char* name : c.names)
            tables.table(QString::fromLatin1(name), problem);
        EXPECT_EQ(tables.reads(), c.reads) << c.names.size() << " names, budget " << c.budget;
        if (c.budget == kMaxTableBytes) {
            EXPECT_LE(tables.keptBytes(), c.budget);
        }
    }
    // A table that alone passes the budget is kept while it is used.
    ModellingTables small(dir.path(), 1);
    QString problem;
    const results::ModellingResults* table = small.table(QStringLiteral("results.int"), problem);
    ASSERT_NE(table, nullptr) << problem.toStdString();
    EXPECT_EQ(small.table(QStringLiteral("link.int"), problem), table);
    EXPECT_EQ(small.reads(), 1);
    EXPECT_GT(small.keptBytes(), 1u);
}

// A table of either convention is read by its header line and written in
// kind unless told otherwise; the same designs give the same results, their
// decimal marks aside.
TEST(BatchTest, ATableIsReadAndWrittenInItsConvention) {
    const QByteArray comma = "method,rock_density,depth,pillar_width,pillar_length,bord_width_1,"
                             "bord_width_2,pillar_height,k,alpha\r\n"
                             "tributary,2.7,500,10.5,10,6,6,3.2,100,\r\n"
                             "tributary,2.7,500,10,10,12,12,1.5,100,0.46\r\n"
                             "tributary,2.7,,10,10,12,12,1.5,100,\r\n";
    const QByteArray semicolon = QByteArray(comma).replace(',', ';').replace('.', ',');
    const QByteArray pointsInSemicolons = QByteArray(comma).replace(',', ';');
    using C = CsvConvention;
    const auto swapped = [](std::vector<std::map<QString, QString>> rows) {
        for (auto& row : rows)
            for (auto& [column, text] : row)
                if (column != QLatin1String("formula") && column != QLatin1String("message"))
                    text.replace(u',', u'.');
        return rows;
    };
    const auto expected = Evaluated(comma);
    ASSERT_EQ(expected.size(), 3u);
    EXPECT_FALSE(expected[0].at(QStringLiteral("fos")).isEmpty());
    EXPECT_TRUE(expected[0].at(QStringLiteral("fos")).contains(u'.') ||
                expected[1].at(QStringLiteral("fos")).contains(u'.'));
    const struct {
        const char* name;
        QByteArray table;
        std::optional<C> output;
        C written;
    } cases[] = {
        {"semicolons and decimal commas", semicolon, {}, C::SemicolonComma},
        {"semicolons with points read as decimals", pointsInSemicolons, {}, C::SemicolonComma},
        {"semicolons written with commas", semicolon, C::CommaPoint, C::CommaPoint},
        {"commas written with semicolons", comma, C::SemicolonComma, C::SemicolonComma},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TableOptions options;
        options.output = c.output;
        QByteArray out;
        ASSERT_TRUE(EvaluateTable(c.table, options, out));
        EXPECT_EQ(evaluation::DetectCsvConvention(out), c.written);
        EXPECT_EQ(out.startsWith("method;"), c.written == C::SemicolonComma);
        const auto rows = Evaluated(c.table, QDir::currentPath(), options);
        EXPECT_EQ(swapped(rows), expected);
        if (c.written == C::SemicolonComma) {
            EXPECT_EQ(rows[0].at(QStringLiteral("pillar_width")), QStringLiteral("10,5"));
            EXPECT_EQ(rows[0].at(QStringLiteral("beta")), QStringLiteral("0,75"));
        }
    }
}

// A table is read and its results written a row at a time: the output of
// the first rows has gone out, in pieces of about kOutputPiece, before the
// last rows were asked of the input, so no length of table is ever held.
TEST(BatchTest, ResultsGoOutAsTheRowsAreRead) {
    const QByteArray header = "method,rock_density,depth,pillar_width,pillar_length,"
                              "bord_width_1,bord_width_2,pillar_height,k\r\n";
    const QByteArray row = "tributary,2.7,500,10,10,12,12,5,100\r\n";
    const qsizetype rows = 4 * kOutputPiece / row.size();
    qsizetype given = -1; // rows handed to the reader; -1: the header not yet
    qsizetype writtenWhenHalfRead = -1;
    qsizetype written = 0;
    std::vector<qsizetype> pieces;
    CsvReader reader([&](char* buffer, qsizetype capacity) -> qsizetype {
        if (given == rows || capacity < header.size())
            return 0;
        const QByteArray& next = given < 0 ? header : row;
        std::memcpy(buffer, next.constData(), static_cast<std::size_t>(next.size()));
        if (++given == rows / 2)
            writtenWhenHalfRead = written;
        return next.size();
    });
    const auto counts =
        EvaluateTable(reader, {QDir::currentPath(), {}, {}}, [&](QByteArrayView bytes) {
            written += bytes.size();
            pieces.push_back(bytes.size());
            return true;
        });
    ASSERT_TRUE(counts) << counts.refusal().message.toStdString();
    EXPECT_EQ(counts->rows, rows);
    EXPECT_EQ(counts->refused, 0);
    EXPECT_TRUE(counts->written);
    EXPECT_GE(writtenWhenHalfRead, kOutputPiece);
    EXPECT_GE(pieces.size(), 4u);
    for (const qsizetype piece : pieces)
        EXPECT_LT(piece, kOutputPiece + 1024);

    // An output that refuses a piece stops the run there.
    const QByteArray table = header + row.repeated(rows);
    CsvReader again{QByteArrayView(table)};
    int asked = 0;
    const auto stopped = EvaluateTable(again, {QDir::currentPath(), {}, {}},
                                       [&asked](QByteArrayView) { return ++asked < 2; });
    ASSERT_TRUE(stopped);
    EXPECT_FALSE(stopped->written);
    EXPECT_EQ(asked, 2);
    EXPECT_LT(stopped->rows, rows);
}

TEST(BatchTest, HostileTablesGiveAClearAnswer) {
    const QByteArray header = "method,k\r\n";
    QByteArray wideHeader;
    for (int i = 0; i < 1'000'000; ++i)
        wideHeader.append("k,");
    QByteArray junk(100'000, '\0');
    QRandomGenerator random(7);
    for (char& c : junk)
        c = static_cast<char>(random.bounded(256));
    const struct {
        const char* name;
        QByteArray input;
        const char* refusal; // empty: evaluated
    } cases[] = {
        {"empty", QByteArray(), "The input is empty"},
        {"blank lines only", "\r\n\r\n\n", "The input is empty"},
        {"a million columns in the header", wideHeader + "method\r\n", "more than 64 fields"},
        {"binary junk", junk, "cannot be read"},
        {"binary junk after a header", header + junk, ""},
        {"an unbalanced quote in a row", header + "tributary,\"100\r\ntributary,100\r\n", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QByteArray out;
        const auto counts = EvaluateTable(c.input, {QDir::currentPath(), {}, {}}, out);
        if (*c.refusal) {
            ASSERT_FALSE(counts);
            EXPECT_TRUE(counts.refusal().message.contains(QString::fromUtf8(c.refusal)))
                << counts.refusal().message.toStdString();
            EXPECT_TRUE(out.isEmpty());
        } else {
            ASSERT_TRUE(counts) << counts.refusal().message.toStdString();
            EXPECT_GT(counts->rows, 0);
            EXPECT_EQ(counts->refused, counts->rows); // no design here is whole
        }
    }
}

// --- the command line ---

struct Streams {
    QBuffer in;
    QBuffer out;
    QBuffer err;

    explicit Streams(const QByteArray& input = {}) {
        in.setData(input);
        in.open(QIODevice::ReadOnly);
        out.open(QIODevice::WriteOnly);
        err.open(QIODevice::WriteOnly);
    }
    int run(const QStringList& arguments) { return Run(arguments, in, out, err); }
};

const QByteArray kTable = "method,rock_density,depth,pillar_width,pillar_length,bord_width_1,"
                          "bord_width_2,k,pillar_height\r\n"
                          "tributary,2.7,500,10,10,12,12,100,5\r\n";

// With --formulas each preset's strength and FOS follow, as the strength
// formulas window compares them; a UCS or LDF it refuses is the row's message.
TEST(BatchTest, FormulasAreComparedAsTheWindowComparesThem) {
    const QByteArray table =
        "method,aps,depth,pillar_width,pillar_length,bord_width_1,bord_width_2,k,"
        "pillar_height,ucs,ldf\r\n"
        "modelled,64,500,10,10,12,12,100,5,150,\r\n"
        "modelled,64,500,10,10,12,12,100,5,150,0.8\r\n"
        "modelled,64,500,10,10,12,12,100,5,,\r\n"
        "modelled,64,500,10,10,12,12,100,5,0,\r\n"
        "modelled,64,500,10,10,12,12,100,5,150,1.5\r\n";
    QByteArray out;
    TableOptions options;
    options.folder = QDir::currentPath();
    options.formulas = true;
    ASSERT_TRUE(EvaluateTable(table, options, out));
    const std::vector<Record> records = Records(out);
    ASSERT_EQ(records.size(), 6u);
    const QStringList columns = FormulaColumns();
    ASSERT_EQ(columns.size(), 2 * static_cast<qsizetype>(engine::kStrengthPresets.size() - 1));
    EXPECT_EQ(columns.front(), QStringLiteral("hedley_grant_1972_strength"));
    EXPECT_EQ(records[0].fields.mid(records[0].fields.size() - columns.size()), columns);
    const qsizetype first = records[0].fields.size() - columns.size();
    const auto column = [&](const Record& r, const char* name) {
        return r.fields.value(records[0].fields.indexOf(QLatin1String(name)));
    };
    const char* const ucs[] = {"150", "150", "", "0", "150"};
    const char* const ldf[] = {"1", "0.8", "1", "1", "1.5"};
    for (std::size_t r = 1; r < records.size(); ++r) {
        SCOPED_TRACE(r);
        evaluation::FormulaInputs in;
        in.design.method = evaluation::Method::Modelled;
        in.design.stress = QStringLiteral("64");
        in.design.depth = QStringLiteral("500");
        in.design.width = in.design.length = QStringLiteral("10");
        in.design.k = QStringLiteral("100");
        in.design.height = QStringLiteral("5");
        in.ucs = QLatin1String(ucs[r - 1]);
        in.ldf = QLatin1String(ldf[r - 1]);
        const auto c = evaluation::CompareFormulas(in, evaluation::NumberLocale::Point());
        if (!c) {
            EXPECT_EQ(column(records[r], "message"),
                      QStringLiteral("line %1: ").arg(r + 1) + c.refusal().message);
            for (qsizetype i = first; i < records[r].fields.size(); ++i)
                EXPECT_EQ(records[r].fields[i], QString());
            continue;
        }
        EXPECT_EQ(column(records[r], "message"), QString());
        qsizetype i = first;
        for (const evaluation::FormulaRow& row : c->rows) {
            if (row.key == QLatin1String("screen"))
                continue;
            EXPECT_EQ(records[r].fields[i++], row.strength) << row.key.toStdString();
            EXPECT_EQ(records[r].fields[i++], row.factorOfSafety) << row.key.toStdString();
        }
    }
    EXPECT_EQ(column(records[1], "hedley_grant_1972_strength"), QStringLiteral("125.8"));
    EXPECT_EQ(column(records[1], "lunder_pakalnis_1997_strength"), QStringLiteral("92"));
    EXPECT_EQ(column(records[2], "esterhuizen_2011_strength"), QStringLiteral("60.2"));
    EXPECT_EQ(column(records[3], "potvin_1989_strength"), QString()); // no UCS
    EXPECT_TRUE(column(records[4], "message").contains(QLatin1String("\"UCS (MPa)\"")));
    EXPECT_TRUE(column(records[5], "message").contains(QLatin1String("\"LDF\"")));
}

TEST(BatchTest, CommandLineArgumentsAndExitCodes) {
    QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("designs.csv"));
    ASSERT_TRUE(WriteFile(input, kTable));
    // An input past the bound (a hole, taking no room) is refused unread and
    // named; an output that nothing reads from is refused and left a pipe.
    const QString huge = dir.filePath(QStringLiteral("huge.csv"));
    ASSERT_TRUE(test::MakeSparseFile(QFile::encodeName(huge).toStdString(),
                                     static_cast<std::uint64_t>(kMaxInputBytes) + 1));
    const QString pipe = dir.filePath(QStringLiteral("pipe.csv"));
    ASSERT_TRUE(test::MakeFifo(QFile::encodeName(pipe).toStdString()));
    const QByteArray hugeSaid = (huge + QStringLiteral(" is larger than 1 GiB")).toUtf8();
    const QByteArray pipeSaid =
        (pipe + QStringLiteral(" cannot be written: nothing reads from it. Nothing was written."))
            .toUtf8();
    const struct {
        QStringList arguments;
        int code;
        const char* out; // a part of standard output
        const char* err; // a part of standard error
    } cases[] = {
        {{QStringLiteral("--help")}, 0, "Usage: vt-evaluate [OPTION]... [INPUT [OUTPUT]]", ""},
        {{QStringLiteral("-h"), QStringLiteral("x")}, 0, "strength_increase_rate", ""},
        {{QStringLiteral("--version")}, 0, "vt-evaluate 1.", ""},
        {{QStringLiteral("--fast")}, 2, "", "unknown option --fast"},
        {{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}, 2, "", "too many"},
        {{dir.filePath(QStringLiteral("none.csv"))}, 1, "", "cannot be read"},
        {{dir.path()}, 1, "", "is a folder"},
        {{huge}, 1, "", hugeSaid.constData()},
        {{input, pipe}, 1, "", pipeSaid.constData()},
        {{input}, 0, "79.3,64.1,10,2,94.6,1.5,yes,yes,The Hedley/Grant formula was used,\r\n", ""},
        {{QStringLiteral("--separator=semicolon"), input},
         0,
         "tributary;2,7;500;10;10;12;12;5;100;0,5;0,75;4,5;4,5;;;;;79,3;64,1;10;2;94,6;1,5;yes;yes;"
         "The Hedley/Grant formula was used;\r\n",
         ""},
        {{QStringLiteral("--separator=comma"), input}, 0, "79.3,64.1,10,2,94.6,1.5,yes", ""},
        {{QStringLiteral("--separator=tab"), input}, 2, "", "unknown option --separator=tab"},
        {{QStringLiteral("--help")}, 0, "also one that starts with =, +, - or @", ""},
        {{QStringLiteral("--help")}, 0, "tables kept in memory at once up to 64 MiB", ""},
        {{QStringLiteral("--"), input}, 0, "The Hedley/Grant formula", ""},
        {{QStringLiteral("--formulas"), input},
         0,
         "The Hedley/Grant formula was used,,125.8,2,64.8,1,",
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        Streams streams;
        EXPECT_EQ(streams.run(c.arguments), c.code);
        EXPECT_TRUE(streams.out.data().contains(c.out)) << streams.out.data().toStdString();
        EXPECT_TRUE(streams.err.data().contains(c.err)) << streams.err.data().toStdString();
        if (c.code == 0) {
            EXPECT_TRUE(streams.err.data().isEmpty()) << streams.err.data().toStdString();
        }
    }
    struct stat info {};
    ASSERT_EQ(::lstat(QFile::encodeName(pipe).constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

TEST(BatchTest, ReadsStandardInputAndWritesAFileWholeOrNotAtAll) {
    QTemporaryDir dir;
    const QString output = dir.filePath(QStringLiteral("results.csv"));
    Streams fromStdin(kTable + "tributary,2.7\r\n");
    EXPECT_EQ(fromStdin.run({QStringLiteral("-"), output}), 0);
    EXPECT_TRUE(fromStdin.out.data().isEmpty());
    EXPECT_TRUE(fromStdin.err.data().contains("1 of 2 designs could not be evaluated"));
    QFile written(output);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray result = written.readAll();
    EXPECT_EQ(Records(result).size(), 3u);

    // A bad header writes nothing over the earlier output.
    Streams badHeader("depth,k\r\n500,100\r\n");
    EXPECT_EQ(badHeader.run({QStringLiteral("-"), output}), 1);
    EXPECT_TRUE(badHeader.err.data().contains("standard input: The header names no"));
    written.seek(0);
    EXPECT_EQ(written.readAll(), result);

    // Nor does an input that fails part way, the rows before it evaluated.
    struct FailingInput : QIODevice {
        QByteArray table;
        qsizetype at = 0;
        qint64 readData(char* data, qint64 size) override {
            if (at == table.size())
                return -1;
            const qint64 n = std::min<qint64>(size, table.size() - at);
            std::memcpy(data, table.constData() + at, static_cast<std::size_t>(n));
            at += n;
            return n;
        }
        qint64 writeData(const char*, qint64) override { return -1; }
        bool isSequential() const override { return true; }
    } failing;
    failing.table = kTable + QByteArray(kTable).remove(0, kTable.indexOf('\n') + 1);
    failing.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    Streams failed;
    EXPECT_EQ(batch::Run({QStringLiteral("-"), output}, failing, failed.out, failed.err), 1);
    EXPECT_TRUE(failed.err.data().contains("vt-evaluate: Standard input cannot be read"))
        << failed.err.data().toStdString();
    written.seek(0);
    EXPECT_EQ(written.readAll(), result);

    // Nor does an output that cannot be written.
    Streams unwritable(kTable);
    EXPECT_EQ(unwritable.run({QStringLiteral("-"), dir.filePath(QStringLiteral("no/such/x.csv"))}),
              1);
    EXPECT_TRUE(unwritable.err.data().contains("cannot be written"));
}

} // namespace
} // namespace vt::batch
