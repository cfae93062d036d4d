// vt-evaluate: evaluates a table of designs, one per row, with the very
// evaluation the calculation screens use, and writes the table again with
// every result as the screen would show it (with a decimal point).
//
// The input's header names the columns, in any order (kInputColumns); a
// missing column is empty, and empty alpha, beta, squat_start and
// strength_increase_rate take the screens' defaults. A row that cannot be
// evaluated gets its reason in "message" and the run goes on; a bad header,
// an unreadable input or an unwritable output ends it with a message and a
// non-zero exit code.
#pragma once

#include "batch/csv.h"
#include "evaluation/design.h"
#include "evaluation/refusal.h"
#include "results/modellingresults.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <map>
#include <optional>

class QIODevice;

namespace vt::batch {

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

// The largest input read (standard input included).
inline constexpr qint64 kMaxInputBytes = qint64{1} << 30;
// Loaded modelling-results tables kept at once.
inline constexpr std::size_t kMaxTables = 64;

// Where each input column stands in the input's records (-1: missing).
struct Header {
    std::array<qsizetype, kInputColumns.size()> position{};
    qsizetype width = 0; // the fields of the header row
};

// The header record: names in any order (blanks around them and case do not
// matter), each known and named once, "method" among them.
evaluation::Step<Header> ReadHeader(const Record& record);

// The modelling-results tables of the interpolation rows, each file read
// once; relative paths are taken from `folder`.
class ModellingTables {
public:
    explicit ModellingTables(QString folder)
        : folder_(std::move(folder)) {}

    // The table, or none with the reason in `problem`.
    const results::ModellingResults* table(const QString& path, QString& problem);

private:
    struct Entry {
        std::optional<results::ModellingResults> table;
        QString problem;
    };
    QString folder_;
    std::map<QString, Entry> entries_;
};

// One design row: its input columns as read (with the defaults filled in)
// and the evaluation's columns.
// With `formulas`, each strength formula's strength and FOS follow
// (FormulaColumns), evaluated as the strength formulas window does.
QStringList EvaluateRow(const Record& record, const Header& header, ModellingTables& tables,
                        bool formulas = false);

// The columns --formulas adds after the results: per preset but the
// screen's own, "<preset>_strength" and "<preset>_fos".
QStringList FormulaColumns();

struct TableCounts {
    qsizetype rows = 0;
    qsizetype refused = 0; // rows with a message
};

// The whole table: the output (header and one record per design) appended
// to `out`; a refusal when the header is missing or bad (nothing appended).
evaluation::Step<TableCounts> EvaluateTable(QByteArrayView input, const QString& folder,
                                            QByteArray& out, bool formulas = false);

// The program: its arguments (without its own name) and the three standard
// streams. Returns the exit code: 0 when the table was evaluated (rows may
// carry messages), 1 when the input cannot be read, its header is bad or the
// output cannot be written, 2 for a wrong argument.
int Run(const QStringList& arguments, QIODevice& in, QIODevice& out, QIODevice& err);

QString HelpText();

} // namespace vt::batch
