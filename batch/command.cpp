// vt-evaluate as a command: its help, its arguments, the input read and the
// output written through the program's reading and save helpers, and the
// exit codes. The table itself is evaluated by batch.cpp.
#include "batch/batch.h"
#include "evaluation/installeddata.h"
#include "storage/qtstorage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <algorithm>
#include <sys/stat.h>

namespace vt::batch {

using evaluation::Refusal;
using evaluation::Step;

QString DefaultModellingFile() {
    // The program's folder is known once the application object exists (a
    // test without one takes the current folder).
    const QString programFolder =
        QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
    return evaluation::InstalledDataFolder(programFolder) + u'/' +
           evaluation::kDefaultResultsFileName;
}

QString HelpText() {
    return QStringLiteral(
               "Usage: vt-evaluate [OPTION]... [INPUT [OUTPUT]]\n"
               "Evaluates every design of a CSV table, one per row, as the calculation screens "
               "of\n"
               "Vandrel Tessaron do, and writes the table again with the results.\n"
               "\n"
               "  INPUT      the designs; standard input when missing or \"-\"\n"
               "  OUTPUT     the table with the results; standard output when missing or \"-\"\n"
               "  --formulas add each published strength formula's strength and FOS\n"
               "  --separator=comma      write commas and decimal points\n"
               "  --separator=semicolon  write semicolons and decimal commas\n"
               "  -h, --help show this help\n"
               "  --version  show the version\n"
               "\n"
               "A table is comma-separated with decimal points, or semicolon-separated with\n"
               "decimal commas (as spreadsheets in decimal-comma languages save it): the header\n"
               "line tells which. The output is written the way the input was, unless\n"
               "--separator says otherwise. Fields may be quoted as RFC 4180 says.\n"
               "\n"
               "The first row names the columns, in any order:\n"
               "  method                  tributary, modelled or interpolation\n"
               "  rock_density            tributary\n"
               "  depth, pillar_width, pillar_length, bord_width_1, bord_width_2, pillar_height, "
               "k\n"
               "                          (interpolation: a square pillar between 12 m bords, "
               "so\n"
               "                          pillar_length empty or the width, bords empty or 12)\n"
               "  alpha, beta             0.5 and 0.75 when empty\n"
               "  squat_start             4.5 when empty\n"
               "  strength_increase_rate  4.5 when empty\n"
               "  aps                     the modelled average pillar stress (modelled)\n"
               "  modelling_file          the modelling-results file (interpolation); a "
               "relative\n"
               "                          path is taken from the folder of INPUT; when empty,\n"
               "                          the installed default file:\n"
               "                          %1\n"
               "  ucs, ldf                for --formulas: the UCS in MPa (the formulas that need "
               "it\n"
               "                          give none without it) and the large-discontinuity\n"
               "                          factor (1 when empty)\n"
               "A missing column is empty.\n"
               "\n"
               "The output holds the input columns in this order (with the defaults filled in),\n"
               "then extraction, pillar_stress, effective_width, wh_ratio, pillar_strength, fos\n"
               "(each as the screen shows it), wh_too_small, fos_too_small (yes below 2.5 and\n"
               "1.6, else no), formula and message. A row that cannot be evaluated has no\n"
               "results and its message names its line, and the column at fault where there is\n"
               "one (\"line 14, column pillar_height: empty\"). A bad row does not stop the "
               "run.\n"
               "A field comes back as it was given (a number with the output's decimal mark),\n"
               "also one that starts with =, +, - or @: a spreadsheet may take such a field for\n"
               "a formula, so open tables from others with care.\n"
               "With --formulas, <formula>_strength and <formula>_fos follow for each published\n"
               "strength formula (hedley_grant_1972, ..., salamon_munro_1967), as the window\n"
               "\"Strength formulas...\" shows them.\n"
               "\n"
               "Limits: the input may hold up to 1 GiB; it is read and the results written a\n"
               "row at a time, so a long table costs no more memory than a short one. A row\n"
               "keeps up to %3 fields of %4 bytes each (more are said in its message), and a\n"
               "quoted field may run over line ends for up to 1 MiB (a quote not closed by then\n"
               "ends its row with its line). A modelling-results file may hold up to 32 MiB\n"
               "and 32 767 lines; the modelling tables kept in memory at once up to %2 MiB\n"
               "(every name of one file shares its table; more are read again when needed).\n"
               "\n"
               "Exit status: 0 when the table was evaluated, even if rows carry a message;\n"
               "1 when the input cannot be read (also part way), its header is wrong or the\n"
               "output cannot be written (a file named as OUTPUT is then left as it was); 2\n"
               "for a wrong argument.\n")
        .arg(QDir::toNativeSeparators(DefaultModellingFile()))
        .arg(kMaxTableBytes >> 20)
        .arg(evaluation::kMaxFields)
        .arg(evaluation::kMaxFieldBytes);
}

namespace {

void Say(QIODevice& err, const QString& message) {
    err.write((QStringLiteral("vt-evaluate: ") + message + u'\n').toUtf8());
}

// The designs, from a named file, pipe or device through the one reading
// helper or from standard input, read as a stream: the bound is checked as
// each piece arrives, and the first failure is kept, naming the input.
class Input {
public:
    Input(QString path, QIODevice& in)
        : path_(std::move(path))
        , in_(in) {}

    bool standard() const { return path_ == u'-'; }

    // A named input that cannot be opened, or a file larger than the bound,
    // is refused before a byte is read.
    bool open() {
        if (standard())
            return true;
        if (const auto problem = file_.open(storage::NativePath(path_), storage::Accept::Streams,
                                            static_cast<std::uint64_t>(kMaxInputBytes)))
            fail(*problem);
        return !failure_;
    }

    // The next piece; 0 at the end and after a failure.
    qsizetype read(char* buffer, qsizetype capacity) {
        if (failure_)
            return 0;
        if (!standard()) {
            std::size_t got = 0;
            if (const auto problem = file_.read(buffer, static_cast<std::size_t>(capacity), got)) {
                fail(*problem);
                return 0;
            }
            return static_cast<qsizetype>(got);
        }
        return readStandard(buffer, capacity);
    }

    const std::optional<QString>& failure() const { return failure_; }

private:
    qsizetype readStandard(char* buffer, qsizetype capacity) {
        auto* file = qobject_cast<QFileDevice*>(&in_);
        for (;;) {
            const qint64 got =
                in_.read(buffer, std::min<qint64>(capacity, kMaxInputBytes + 1 - total_));
            if (got < 0 || (got == 0 && file && file->error() != QFileDevice::NoError)) {
                failure_ =
                    QStringLiteral("Standard input cannot be read: %1.").arg(in_.errorString());
                return 0;
            }
            if (got == 0) {
                // A file's empty read is its end; another sequential device
                // may still be waiting for data.
                if (file || in_.atEnd() || !in_.isSequential() || !in_.waitForReadyRead(-1))
                    return 0;
                continue;
            }
            total_ += got;
            if (total_ > kMaxInputBytes) {
                failure_ = QStringLiteral("Standard input is larger than 1 GiB, the largest input "
                                          "read.");
                return 0;
            }
            return static_cast<qsizetype>(got);
        }
    }

    void fail(const storage::ReadProblem& problem) {
        switch (problem.kind) {
        case storage::ReadProblem::Kind::NotARegularFile:
            failure_ = QStringLiteral("%1 is a folder, not a table of designs.").arg(path_);
            return;
        case storage::ReadProblem::Kind::TooLarge:
            failure_ =
                QStringLiteral("%1 is larger than 1 GiB, the largest input read.").arg(path_);
            return;
        case storage::ReadProblem::Kind::CannotOpen:
        case storage::ReadProblem::Kind::CannotRead:
            break;
        }
        failure_ = QStringLiteral("%1 cannot be read: %2.")
                       .arg(path_, storage::ReasonText(problem.failure));
    }

    QString path_;
    QIODevice& in_;
    storage::InputFile file_;
    qint64 total_ = 0;
    std::optional<QString> failure_;
};

// The results, written as they come: to standard output, every write
// checked to its last byte (a full disk or a closed output is an error, not
// a success), or through the one save helper, opened at the first piece
// (after the header was found good): a file is replaced whole or not at
// all, a device or FIFO written straight into.
class Output {
public:
    Output(QString path, QIODevice& out)
        : path_(std::move(path))
        , out_(out)
        , save_(storage::NativePath(path_)) {}

    bool write(QByteArrayView bytes) {
        if (path_ == u'-')
            return out_.write(bytes.data(), bytes.size()) == bytes.size() || failStandard();
        if (!opened_) {
            opened_ = true;
            if (!save_.open())
                return false;
        }
        return save_.write(std::string_view(bytes.data(), static_cast<std::size_t>(bytes.size())));
    }

    // Everything written is in place: flushed, or the file committed.
    bool finish() {
        if (path_ == u'-') {
            auto* file = qobject_cast<QFileDevice*>(&out_);
            return !file || (file->flush() && file->error() == QFileDevice::NoError) ||
                   failStandard();
        }
        if (!opened_ && !write({}))
            return false;
        return save_.commit();
    }

    QString failure() const {
        if (path_ == u'-')
            return QStringLiteral("the results cannot be written: %1.").arg(standardReason_);
        const storage::Failure failure = save_.failure().value_or(storage::Failure{});
        return QStringLiteral("%1 cannot be written: %2. %3")
            .arg(path_, storage::ReasonText(failure),
                 failure.partial ? QStringLiteral("Part of the results may have reached it.")
                                 : QStringLiteral("Nothing was written."));
    }

private:
    bool failStandard() {
        standardReason_ = out_.errorString();
        return false;
    }

    QString path_;
    QIODevice& out_;
    storage::SaveFile save_;
    bool opened_ = false;
    QString standardReason_;
};

} // namespace

int Run(const QStringList& arguments, QIODevice& in, QIODevice& out, QIODevice& err) {
    QStringList files;
    TableOptions table;
    bool options = true;
    for (const QString& argument : arguments) {
        if (options && argument == QLatin1String("--separator=comma")) {
            table.output = CsvConvention::CommaPoint;
        } else if (options && argument == QLatin1String("--separator=semicolon")) {
            table.output = CsvConvention::SemicolonComma;
        } else if (options && argument == QLatin1String("--")) {
            options = false;
        } else if (options &&
                   (argument == QLatin1String("-h") || argument == QLatin1String("--help"))) {
            out.write(HelpText().toUtf8());
            return 0;
        } else if (options && argument == QLatin1String("--formulas")) {
            table.formulas = true;
        } else if (options && argument == QLatin1String("--version")) {
            out.write(QByteArrayLiteral("vt-evaluate " VT_PROGRAM_VERSION "\n"));
            return 0;
        } else if (options && argument.startsWith(u'-') && argument != u'-') {
            Say(err, QStringLiteral("unknown option %1; see vt-evaluate --help.").arg(argument));
            return 2;
        } else {
            files << argument;
        }
    }
    if (files.size() > 2) {
        Say(err, QStringLiteral("too many arguments: give at most INPUT and OUTPUT; see "
                                "vt-evaluate --help."));
        return 2;
    }
    const QString inputPath = files.value(0, QStringLiteral("-"));
    const QString outputPath = files.value(1, QStringLiteral("-"));
    Input input(inputPath, in);
    if (!input.open()) {
        Say(err, *input.failure());
        return 1;
    }
    table.folder = input.standard() ? QDir::currentPath() : QFileInfo(inputPath).absolutePath();
    table.defaultModelling = DefaultModellingFile();
    CsvReader reader(
        [&input](char* buffer, qsizetype capacity) { return input.read(buffer, capacity); });
    Output output(outputPath, out);
    const auto counts = EvaluateTable(
        reader, table, [&output](QByteArrayView bytes) { return output.write(bytes); });
    // An input that fails part way leaves a replaced file as it was.
    if (input.failure()) {
        Say(err, *input.failure());
        return 1;
    }
    if (!counts) {
        Say(err, QStringLiteral("%1: %2").arg(input.standard() ? QStringLiteral("standard input")
                                                               : inputPath,
                                              counts.refusal().message));
        return 1;
    }
    if (!counts->written || !output.finish()) {
        Say(err, output.failure());
        return 1;
    }
    if (counts->refused > 0)
        Say(err, QStringLiteral("%1 of %2 designs could not be evaluated; their rows say why in "
                                "\"message\".")
                     .arg(counts->refused)
                     .arg(counts->rows));
    return 0;
}

} // namespace vt::batch
