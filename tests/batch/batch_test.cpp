// The batch evaluator without windows: the header, each row against the
// evaluation it stands for, bad rows that never stop the run, hostile
// tables, and the command line with its exit codes.
#include "batch/batch.h"
#include "evaluation/design.h"
#include "evaluation/numbers.h"
#include "evaluation/strengthformulas.h"
#include "results/core/modellingfile.h"
#include "tests/batch/records.h"
#include "tests/support/modellingtables.h"
#include "tests/support/specialfiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Readable failures.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace vt::batch {
namespace {

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
                                                  const QString& folder = QDir::currentPath()) {
    QByteArray out;
    const auto counts = EvaluateTable(table, folder, out);
    EXPECT_TRUE(counts) << counts.refusal().message.toStdString();
    const std::vector<Record> records = Records(out);
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
        "modelled,,500,10,10,12,12,0,100,,,,,64,\r\n";
    const auto rows = Evaluated(table, dir.path());
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
        EXPECT_EQ(row.at(QStringLiteral("extraction")), e.extraction);
        EXPECT_EQ(row.at(QStringLiteral("pillar_stress")), e.stress);
        EXPECT_EQ(row.at(QStringLiteral("effective_width")), e.effectiveWidth);
        EXPECT_EQ(row.at(QStringLiteral("wh_ratio")), e.widthHeightRatio);
        EXPECT_EQ(row.at(QStringLiteral("pillar_strength")), e.strength);
        EXPECT_EQ(row.at(QStringLiteral("fos")), e.factorOfSafety);
        EXPECT_EQ(row.at(QStringLiteral("wh_too_small")),
                  e.widthHeightTooSmall ? QStringLiteral("1") : QStringLiteral("0"));
        EXPECT_EQ(row.at(QStringLiteral("fos_too_small")),
                  e.factorOfSafetyTooSmall ? QStringLiteral("1") : QStringLiteral("0"));
        EXPECT_EQ(row.at(QStringLiteral("formula")), e.formula);
        EXPECT_EQ(row.at(QStringLiteral("message")), e.refusal ? e.refusal->message : QString());
        // The inputs come back as given, the defaults filled in.
        EXPECT_EQ(row.at(QStringLiteral("alpha")), d.alpha);
        EXPECT_EQ(row.at(QStringLiteral("depth")), d.depth);
    }
    // The cases the table is meant to hold.
    EXPECT_EQ(rows[0].at(QStringLiteral("fos")), QStringLiteral("1.5"));
    EXPECT_EQ(rows[0].at(QStringLiteral("fos_too_small")), QStringLiteral("1"));
    EXPECT_EQ(rows[1].at(QStringLiteral("formula")),
              QStringLiteral("The squat pillar formula was used"));
    EXPECT_EQ(rows[2].at(QStringLiteral("effective_width")), QStringLiteral("5.7"));
    EXPECT_EQ(rows[3].at(QStringLiteral("pillar_stress")), QStringLiteral("40"));
    EXPECT_EQ(rows[4].at(QStringLiteral("message")), QStringLiteral("Depth out of bounds"));
    EXPECT_EQ(rows[5].at(QStringLiteral("message")),
              QStringLiteral("Fill values in all the text-boxes"));
    EXPECT_TRUE(rows[6].at(QStringLiteral("message")).contains(QStringLiteral("not a number")));
    EXPECT_FALSE(rows[7].at(QStringLiteral("message")).isEmpty()); // a height of 0
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
    const auto rows = Evaluated(table, dir.path());
    ASSERT_EQ(rows.size(), 7u);
    const char* says[] = {
        "Fill values in all the text-boxes",
        "Unknown method \"square\"",
        "The method is empty",
        "more fields than the header",
        "A quoted field is not closed",
        "File not properly selected, click on data file !",
        "Fill values in all the text-boxes", // the method as typed, blanks and capitals aside
    };
    for (std::size_t r = 0; r < rows.size(); ++r) {
        EXPECT_TRUE(rows[r].at(QStringLiteral("message")).contains(QString::fromUtf8(says[r])))
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
    const QString square = QStringLiteral("Interpolation takes square pillars");
    const QString bords = QStringLiteral("Interpolation takes the modelling's bords of 12 m");
    EXPECT_EQ(rows[0].at(QStringLiteral("message")), QString());
    EXPECT_EQ(rows[1].at(QStringLiteral("message")), QString());
    EXPECT_EQ(rows[1].at(QStringLiteral("fos")), rows[0].at(QStringLiteral("fos")));
    EXPECT_FALSE(rows[0].at(QStringLiteral("fos")).isEmpty());
    for (std::size_t r : {2u, 3u, 4u}) {
        EXPECT_TRUE(rows[r].at(QStringLiteral("message")).startsWith(r == 2 ? square : bords))
            << r << ": " << rows[r].at(QStringLiteral("message")).toStdString();
        EXPECT_TRUE(rows[r].at(QStringLiteral("fos")).isEmpty()) << r;
    }
    // A width that is no number is said by the evaluation, and other methods
    // take the length and bords as given.
    for (std::size_t r : {5u, 6u}) {
        EXPECT_FALSE(
            rows[r].at(QStringLiteral("message")).startsWith(QStringLiteral("Interpolation")))
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
        const auto counts = EvaluateTable(c.input, QDir::currentPath(), out);
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
    ASSERT_TRUE(EvaluateTable(table, QDir::currentPath(), out, true));
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
            EXPECT_EQ(column(records[r], "message"), c.refusal().message);
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
        {{QStringLiteral("--help")}, 0, "Usage: vt-evaluate [--formulas] [INPUT [OUTPUT]]", ""},
        {{QStringLiteral("-h"), QStringLiteral("x")}, 0, "strength_increase_rate", ""},
        {{QStringLiteral("--version")}, 0, "vt-evaluate 1.", ""},
        {{QStringLiteral("--fast")}, 2, "", "unknown option --fast"},
        {{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}, 2, "", "too many"},
        {{dir.filePath(QStringLiteral("none.csv"))}, 1, "", "cannot be read"},
        {{dir.path()}, 1, "", "is a folder"},
        {{huge}, 1, "", hugeSaid.constData()},
        {{input, pipe}, 1, "", pipeSaid.constData()},
        {{input}, 0, "79.3,64.1,10,2,94.6,1.5,1,1,The Hedley/Grant formula was used,\r\n", ""},
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

    // Nor does an output that cannot be written.
    Streams unwritable(kTable);
    EXPECT_EQ(unwritable.run({QStringLiteral("-"), dir.filePath(QStringLiteral("no/such/x.csv"))}),
              1);
    EXPECT_TRUE(unwritable.err.data().contains("cannot be written"));
}

} // namespace
} // namespace vt::batch
