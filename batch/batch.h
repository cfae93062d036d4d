// vt-evaluate: evaluates a table of designs, one per row, with the very
// evaluation the calculation screens use, and writes the table again with
// every result as the screen would show it.
//
// The table is comma-separated with decimal points or semicolon-separated
// with decimal commas (found from its header line); the output keeps the
// input's convention unless told otherwise. The input's header names the
// columns, in any order (kInputColumns); a missing column is empty, and empty
// alpha, beta, squat_start and strength_increase_rate take the screens'
// defaults, an empty modelling_file the installed default table. A row that
// cannot be evaluated gets its reason (its line and column) in "message" and
// no results, and the run goes on; a bad header, an unreadable input or an
// unwritable output ends it with a message and a non-zero exit code.
#pragma once

#include "evaluation/csv.h"
#include "evaluation/design.h"
#include "evaluation/refusal.h"
#include "results/modellingresults.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <cstddef>
#include <functional>
#include <list>
#include <map>
#include <optional>

class QIODevice;

namespace vt::batch {

using evaluation::CsvConvention;
using evaluation::CsvReader;
using evaluation::ProblemText;
using evaluation::Record;
using evaluation::RecordProblem;

// The input columns, in the order the output writes them.
inline constexpr std::array<const char*, 17> kInputColumns{
    "method",
    "rock_density",
    "depth",
    "pillar_width",
    "pillar_length",
    "bord_width_1",
    "bord_width_2",
    "pillar_height",
    "k",
    "alpha",
    "beta",
    "squat_start",
    "strength_increase_rate",
    "aps",
    "modelling_file",
    "ucs", // for --formulas: the UCS in MPa (empty: none)
    "ldf", // for --formulas: the large-discontinuity factor (empty: 1)
};
// The result columns that follow them.
inline constexpr std::array<const char*, 10> kResultColumns{
    "extraction", "pillar_stress", "effective_width", "wh_ratio", "pillar_strength",
    "fos",        "wh_too_small",  "fos_too_small",   "formula",  "message",
};

// The largest input read (standard input included). It is read as a stream,
// a row at a time, so its size costs no memory.
inline constexpr qint64 kMaxInputBytes = qint64{1} << 30;
// The memory the loaded modelling-results tables may keep at once; the table
// in use is kept even when it alone is larger.
inline constexpr std::size_t kMaxTableBytes = std::size_t{64} << 20;

// Where each input column stands in the input's records (-1: missing).
struct Header {
    std::array<qsizetype, kInputColumns.size()> position{};
    qsizetype width = 0; // the fields of the header row
};

// The header record: names in any order (blanks around them and case do not
// matter), each known and named once, "method" among them.
evaluation::Step<Header> ReadHeader(const Record& record);

// The modelling-results tables of the interpolation rows; relative paths are
// taken from `folder`. A file is known by its identity (device and inode), so
// that every name of one file shares its table, and is read once while its
// table stays kept: the tables least recently used are let go when together
// they would keep more than `budget` bytes.
class ModellingTables {
public:
    explicit ModellingTables(QString folder, std::size_t budget = kMaxTableBytes)
        : folder_(std::move(folder))
        , budget_(budget) {}

    // The table, or none with the reason in `problem`. The pointer holds
    // until the next call.
    const results::ModellingResults* table(const QString& path, QString& problem);

    // The bytes the kept tables hold, and how many files were read.
    std::size_t keptBytes() const { return kept_; }
    qsizetype reads() const { return reads_; }

private:
    struct Entry {
        QString key;
        std::optional<results::ModellingResults> table;
        QString problem;
        std::size_t bytes = 0;
    };
    using Entries = std::list<Entry>; // the most recently used first
    QString folder_;
    std::size_t budget_;
    std::size_t kept_ = 0;
    qsizetype reads_ = 0;
    Entries entries_;
    std::map<QString, Entries::iterator> byKey_;
};

// What a table is evaluated with.
struct TableOptions {
    QString folder;           // relative modelling_file paths are taken from here
    QString defaultModelling; // the table of an empty modelling_file
    // The output's convention; none: the input's.
    std::optional<CsvConvention> output;
    bool formulas = false; // add the strength formulas' columns
};

// How a table's rows are read and written.
struct RowFormat {
    CsvConvention input = CsvConvention::CommaPoint;
    CsvConvention output = CsvConvention::CommaPoint;
    QString defaultModelling;
    bool formulas = false;
};

// One design row: its input columns as read (with the defaults filled in)
// and the evaluation's columns; a refused row has its reason in "message",
// naming its line (and column, where one is at fault), and no results.
// With format.formulas, each strength formula's strength and FOS follow
// (FormulaColumns), evaluated as the strength formulas window does.
QStringList EvaluateRow(const Record& record, const Header& header, ModellingTables& tables,
                        const RowFormat& format = {});

// The columns --formulas adds after the results: per preset but the
// screen's own, "<preset>_strength" and "<preset>_fos".
QStringList FormulaColumns();

struct TableCounts {
    qsizetype rows = 0;
    qsizetype refused = 0; // rows with a message
    bool written = true;   // false: the output refused a piece and the run stopped there
};

// Where the output goes, piece by piece: false when a piece cannot be
// written (the sink keeps why).
using OutputSink = std::function<bool(QByteArrayView bytes)>;

// The whole table, its convention found from the header line: the output
// (header and one record per design) handed to `write` in pieces of about
// kOutputPiece bytes as the rows are read; a refusal when the header is
// missing or bad (nothing written).
inline constexpr qsizetype kOutputPiece = qsizetype{1} << 20;
evaluation::Step<TableCounts> EvaluateTable(CsvReader& reader, const TableOptions& options,
                                            const OutputSink& write);
// The same of a table in memory, the output appended to `out`.
evaluation::Step<TableCounts> EvaluateTable(QByteArrayView input, const TableOptions& options,
                                            QByteArray& out);

// The installed default modelling-results file of vt-evaluate.
QString DefaultModellingFile();

// The program: its arguments (without its own name) and the three standard
// streams. Returns the exit code: 0 when the table was evaluated (rows may
// carry messages), 1 when the input cannot be read, its header is bad or the
// output cannot be written, 2 for a wrong argument.
int Run(const QStringList& arguments, QIODevice& in, QIODevice& out, QIODevice& err);

QString HelpText();

} // namespace vt::batch
