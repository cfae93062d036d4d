#include "batch/batch.h"

#include "evaluation/designfields.h"
#include "evaluation/numbers.h"
#include "evaluation/strengthformulas.h"
#include "results/core/modellingfile.h"
#include "storage/qtstorage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <algorithm>
#include <string_view>

namespace vt::batch {

using evaluation::Refusal;
using evaluation::Step;

namespace {

constexpr qsizetype kMethod = 0;
constexpr qsizetype kModellingFile = 14;
constexpr qsizetype kUcs = 15;
constexpr qsizetype kLdf = 16;
constexpr qsizetype kMessage =
    static_cast<qsizetype>(kInputColumns.size() + kResultColumns.size()) - 1;

// The design's inputs are the columns between "method" and "modelling_file".
constexpr bool ColumnsAreTheDesignFields() {
    for (std::size_t i = 0; i < evaluation::kDesignFields.size(); ++i)
        if (std::string_view(evaluation::kDesignFields[i].name) != kInputColumns[i + 1])
            return false;
    return std::string_view(kInputColumns[kMethod]) == "method" &&
           std::string_view(kInputColumns[kModellingFile]) == "modelling_file" &&
           std::string_view(kInputColumns[kUcs]) == "ucs" &&
           std::string_view(kInputColumns[kLdf]) == "ldf" &&
           std::string_view(kResultColumns.back()) == "message";
}
static_assert(ColumnsAreTheDesignFields());

QString Name(const char* column) {
    return QString::fromLatin1(column);
}

QString ColumnList() {
    QStringList names;
    for (const char* column : kInputColumns)
        names << Name(column);
    return names.join(QStringLiteral(", "));
}

// A name from the input, as a message may quote it.
QString Quoted(const QString& text) {
    constexpr qsizetype kShown = 40;
    return QStringLiteral("\"%1\"").arg(text.size() > kShown ? text.left(kShown) + u'…' : text);
}

QString ReadProblem(results::ReadFailure failure, const QString& path) {
    switch (failure) {
    case results::ReadFailure::None:
        return {};
    case results::ReadFailure::CannotOpen:
        return QStringLiteral("The modelling-results file %1 cannot be read").arg(Quoted(path));
    case results::ReadFailure::NotARegularFile:
        return QStringLiteral("The modelling-results file %1 is not a file").arg(Quoted(path));
    case results::ReadFailure::TooLarge:
        return QStringLiteral("The modelling-results file %1 is larger than 32 MiB")
            .arg(Quoted(path));
    case results::ReadFailure::TooManyLines:
        return QStringLiteral("The modelling-results file %1 has more than 32 767 lines")
            .arg(Quoted(path));
    }
    return {};
}

} // namespace

Step<Header> ReadHeader(const Record& record) {
    if (record.problem != RecordProblem::None)
        return Refusal{
            QStringLiteral("The header row cannot be read: %1.").arg(ProblemText(record.problem)),
            {}};
    Header header;
    header.position.fill(-1);
    for (qsizetype i = 0; i < record.fields.size(); ++i) {
        const QString name = record.fields[i].trimmed().toLower();
        if (name.isEmpty())
            return Refusal{QStringLiteral("Column %1 of the header has no name.").arg(i + 1), {}};
        std::size_t column = 0;
        while (column < kInputColumns.size() && name != QLatin1String(kInputColumns[column]))
            ++column;
        if (column == kInputColumns.size())
            return Refusal{QStringLiteral("The header names an unknown column %1; the columns "
                                          "are %2.")
                               .arg(Quoted(record.fields[i]), ColumnList()),
                           {}};
        if (header.position[column] >= 0)
            return Refusal{
                QStringLiteral("The header names the column %1 twice.").arg(Quoted(name)), {}};
        header.position[column] = i;
    }
    if (header.position[kMethod] < 0)
        return Refusal{QStringLiteral("The header names no \"method\" column; the columns are "
                                      "%1.")
                           .arg(ColumnList()),
                       {}};
    header.width = record.fieldCount;
    return header;
}

const results::ModellingResults* ModellingTables::table(const QString& path, QString& problem) {
    const QString key = QDir::cleanPath(QDir(folder_).absoluteFilePath(path));
    auto it = entries_.find(key);
    if (it == entries_.end()) {
        if (entries_.size() >= kMaxTables)
            entries_.clear();
        Entry entry;
        results::ModellingResults record;
        const auto failure =
            results::ReadModellingFile(record, QFile::encodeName(key).toStdString());
        if (failure != results::ReadFailure::None)
            entry.problem = ReadProblem(failure, path);
        else if (!results::ParseModellingResults(record))
            entry.problem =
                QStringLiteral("The modelling-results file %1 is not in the format of modelling "
                               "results")
                    .arg(Quoted(path));
        else
            entry.table = std::move(record);
        it = entries_.emplace(key, std::move(entry)).first;
    }
    problem = it->second.problem;
    return it->second.table ? &*it->second.table : nullptr;
}

namespace {

// The reason a row is not evaluated before its design is: the row itself,
// or its method.
QString RowProblem(const Record& record, const Header& header, const QString& method) {
    if (record.problem != RecordProblem::None)
        return ProblemText(record.problem);
    if (record.fieldCount > header.width)
        return QStringLiteral("The row has more fields than the header");
    if (method.trimmed().isEmpty())
        return QStringLiteral("The method is empty: give tributary, modelled or interpolation");
    if (!evaluation::MethodFromName(method.trimmed().toLower()))
        return QStringLiteral("Unknown method %1: give tributary, modelled or interpolation")
            .arg(Quoted(method));
    return {};
}

// The design of the row's inputs; the four formula variables take the
// screens' defaults when empty, in the row too.
evaluation::DesignTexts DesignOf(QStringList& inputs) {
    const evaluation::DesignTexts defaults;
    evaluation::DesignTexts design;
    design.method = evaluation::MethodFromName(inputs[kMethod].trimmed().toLower())
                        .value_or(evaluation::Method::Tributary);
    for (std::size_t i = 0; i < evaluation::kDesignFields.size(); ++i) {
        const evaluation::DesignField& field = evaluation::kDesignFields[i];
        QString& text = inputs[static_cast<qsizetype>(i) + 1];
        const bool defaulted = field.text == &evaluation::DesignTexts::alpha ||
                               field.text == &evaluation::DesignTexts::beta ||
                               field.text == &evaluation::DesignTexts::squatStart ||
                               field.text == &evaluation::DesignTexts::increaseRate;
        if (defaulted && text.isEmpty())
            text = defaults.*field.text;
        design.*field.text = text;
    }
    return design;
}

// The interpolation screen's pillar is square and its bords are the
// modelling's 12 m: a row that gives another length or other bords would be
// evaluated as a design other than its own.
QString InterpolationPlanProblem(const evaluation::DesignTexts& design) {
    const evaluation::NumberLocale& point = evaluation::NumberLocale::Point();
    // An empty text takes the screen's value; any other must be it.
    const auto differs = [&point](const QString& text, double expected) {
        if (text.trimmed().isEmpty())
            return false;
        const auto value = evaluation::ReadDouble(text, point);
        return !value || value.value != expected;
    };
    // A width that is no number is said by the evaluation itself.
    const auto width = evaluation::ReadDouble(design.width, point);
    if (width && differs(design.length, width.value))
        return QStringLiteral("Interpolation takes square pillars: leave pillar_length empty or "
                              "give the pillar width");
    if (differs(design.bord1, 12.0) || differs(design.bord2, 12.0))
        return QStringLiteral("Interpolation takes the modelling's bords of 12 m: leave "
                              "bord_width_1 and bord_width_2 empty or give 12");
    return {};
}

QString Flag(bool value) {
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

QStringList FormulaColumns() {
    QStringList names;
    for (const engine::StrengthPreset& preset : engine::kStrengthPresets) {
        if (preset.form == engine::FormulaForm::Screen)
            continue;
        QString key =
            QString::fromLatin1(preset.key.data(), static_cast<qsizetype>(preset.key.size()));
        key.replace(u'-', u'_');
        names << key + QStringLiteral("_strength") << key + QStringLiteral("_fos");
    }
    return names;
}

QStringList EvaluateRow(const Record& record, const Header& header, ModellingTables& tables,
                        bool formulas) {
    QStringList row;
    row.reserve(static_cast<qsizetype>(kInputColumns.size() + kResultColumns.size()));
    for (const qsizetype position : header.position)
        row << (position >= 0 && position < record.fields.size() ? record.fields[position]
                                                                 : QString());
    const evaluation::DesignTexts design = DesignOf(row);
    QString message = RowProblem(record, header, row[kMethod]);
    if (message.isEmpty() && design.method == evaluation::Method::Interpolation)
        message = InterpolationPlanProblem(design);
    evaluation::Evaluation e;
    const results::ModellingResults* table = nullptr;
    if (message.isEmpty()) {
        const QString& modelling = row[kModellingFile];
        if (design.method == evaluation::Method::Interpolation && !modelling.isEmpty())
            table = tables.table(modelling, message);
        if (message.isEmpty()) {
            e = evaluation::Evaluate(design, evaluation::NumberLocale::Point(), table);
            if (e.refusal)
                message = e.refusal->silent() ? QStringLiteral("The design cannot be evaluated")
                                              : e.refusal->message;
        }
    }
    row << e.extraction << e.stress << e.effectiveWidth << e.widthHeightRatio << e.strength
        << e.factorOfSafety << Flag(e.widthHeightTooSmall) << Flag(e.factorOfSafetyTooSmall)
        << e.formula << message;
    if (!formulas)
        return row;
    // The strength formulas, as the window compares them.
    QStringList columns;
    if (message.isEmpty()) {
        evaluation::FormulaInputs in;
        in.design = design;
        in.ucs = row[kUcs];
        in.ldf = row[kLdf].trimmed().isEmpty() ? QStringLiteral("1") : row[kLdf];
        const auto c = evaluation::CompareFormulas(in, evaluation::NumberLocale::Point(), table);
        if (c) {
            for (const evaluation::FormulaRow& formula : c->rows)
                if (formula.preset && formula.preset->form != engine::FormulaForm::Screen)
                    columns << formula.strength << formula.factorOfSafety;
        } else {
            row[kMessage] = c.refusal().message;
        }
    }
    while (columns.size() < FormulaColumns().size())
        columns << QString();
    return row << columns;
}

Step<TableCounts> EvaluateTable(QByteArrayView input, const QString& folder, QByteArray& out,
                                bool formulas) {
    CsvReader reader(input);
    Record record;
    if (!reader.next(record))
        return Refusal{QStringLiteral("The input is empty: it has no header row."), {}};
    const auto header = ReadHeader(record);
    if (!header)
        return header.refusal();
    QStringList names;
    for (const char* column : kInputColumns)
        names << Name(column);
    for (const char* column : kResultColumns)
        names << Name(column);
    if (formulas)
        names << FormulaColumns();
    out.reserve(out.size() + input.size() * 2 + 256);
    AppendRecord(out, names);
    ModellingTables tables(folder);
    TableCounts counts;
    while (reader.next(record)) {
        const QStringList row = EvaluateRow(record, header.value(), tables, formulas);
        ++counts.rows;
        if (!row[kMessage].isEmpty())
            ++counts.refused;
        AppendRecord(out, row);
    }
    return counts;
}

QString HelpText() {
    return QStringLiteral(
        "Usage: vt-evaluate [--formulas] [INPUT [OUTPUT]]\n"
        "Evaluates every design of a CSV table, one per row, as the calculation screens of\n"
        "Vandrel Tessaron do, and writes the table again with the results.\n"
        "\n"
        "  INPUT      the designs; standard input when missing or \"-\"\n"
        "  OUTPUT     the table with the results; standard output when missing or \"-\"\n"
        "  --formulas add each published strength formula's strength and FOS\n"
        "  -h, --help show this help\n"
        "  --version  show the version\n"
        "\n"
        "The first row names the columns, in any order:\n"
        "  method                  tributary, modelled or interpolation\n"
        "  rock_density            tributary\n"
        "  depth, pillar_width, pillar_length, bord_width_1, bord_width_2, pillar_height, k\n"
        "                          (interpolation: a square pillar between 12 m bords, so\n"
        "                          pillar_length empty or the width, bords empty or 12)\n"
        "  alpha, beta             0.5 and 0.75 when empty\n"
        "  squat_start             4.5 when empty\n"
        "  strength_increase_rate  4.5 when empty\n"
        "  aps                     the modelled average pillar stress (modelled)\n"
        "  modelling_file          the modelling-results file (interpolation); a relative\n"
        "                          path is taken from the folder of INPUT\n"
        "  ucs, ldf                for --formulas: the UCS in MPa (the formulas that need it\n"
        "                          give none without it) and the large-discontinuity factor\n"
        "                          (1 when empty)\n"
        "A missing column is empty. Numbers are written with a decimal point; fields may be\n"
        "quoted as RFC 4180 says.\n"
        "\n"
        "The output holds the input columns in this order (with the defaults filled in), then\n"
        "extraction, pillar_stress, effective_width, wh_ratio, pillar_strength, fos (each as\n"
        "the screen shows it), wh_too_small, fos_too_small (1 below 2.5 and 1.6, else 0),\n"
        "formula and message (why a row could not be evaluated). A bad row does not stop the\n"
        "run.\n"
        "With --formulas, <formula>_strength and <formula>_fos follow for each published\n"
        "strength formula (hedley_grant_1972, ..., salamon_munro_1967), as the window\n"
        "\"Strength formulas...\" shows them.\n"
        "\n"
        "Exit status: 0 when the table was evaluated, even if rows carry a message; 1 when\n"
        "the input cannot be read, its header is wrong or the output cannot be written; 2\n"
        "for a wrong argument.\n");
}

namespace {

void Say(QIODevice& err, const QString& message) {
    err.write((QStringLiteral("vt-evaluate: ") + message + u'\n').toUtf8());
}

// Everything standard input gives, up to kMaxInputBytes, the bound checked
// before each piece is kept; a read that fails (a folder given as standard
// input, an I/O error) ends it with a refusal.
Step<QByteArray> ReadAllOf(QIODevice& device) {
    QByteArray bytes;
    constexpr qint64 kChunk = qint64{1} << 20;
    auto* file = qobject_cast<QFileDevice*>(&device);
    for (;;) {
        const QByteArray chunk = device.read(std::min(kChunk, kMaxInputBytes - bytes.size() + 1));
        if (chunk.isEmpty()) {
            if (file && file->error() != QFileDevice::NoError)
                return Refusal{
                    QStringLiteral("The input cannot be read: %1.").arg(file->errorString()), {}};
            // A file's empty read is its end; another sequential device may
            // still be waiting for data.
            if (file || device.atEnd() || !device.isSequential() || !device.waitForReadyRead(-1))
                break;
            continue;
        }
        if (bytes.size() + chunk.size() > kMaxInputBytes)
            return Refusal{QStringLiteral("Standard input is larger than 1 GiB, the largest input "
                                          "read."),
                           {}};
        bytes.append(chunk);
    }
    return bytes;
}

// A named input: a file, or a pipe or device read as a stream. A file larger
// than the bound is refused before it is read, a stream as soon as it passes
// the bound.
Step<QByteArray> ReadInput(const QString& path, QIODevice& in) {
    if (path == u'-')
        return ReadAllOf(in);
    QByteArray bytes;
    const auto problem = storage::ReadBytes(path, storage::Accept::Streams,
                                            static_cast<std::uint64_t>(kMaxInputBytes), bytes);
    if (!problem)
        return bytes;
    switch (problem->kind) {
    case storage::ReadProblem::Kind::NotARegularFile:
        return Refusal{QStringLiteral("%1 is a folder, not a table of designs.").arg(path), {}};
    case storage::ReadProblem::Kind::TooLarge:
        return Refusal{QStringLiteral("%1 is larger than 1 GiB, the largest input read.").arg(path),
                       {}};
    case storage::ReadProblem::Kind::CannotOpen:
    case storage::ReadProblem::Kind::CannotRead:
        break;
    }
    return Refusal{
        QStringLiteral("%1 cannot be read: %2.").arg(path, storage::ReasonText(problem->failure)),
        {}};
}

bool WriteOutput(const QString& path, const QByteArray& bytes, QIODevice& out, QIODevice& err) {
    if (path == u'-') {
        // Standard output too is checked to its last byte: a full disk or a
        // closed output is an error, not a success.
        auto* file = qobject_cast<QFileDevice*>(&out);
        if (out.write(bytes) == bytes.size() &&
            (!file || (file->flush() && file->error() == QFileDevice::NoError)))
            return true;
        Say(err, QStringLiteral("the results cannot be written: %1.").arg(out.errorString()));
        return false;
    }
    // A file is replaced whole or not at all; a device or FIFO is written
    // straight into.
    const auto failure = storage::SaveBytes(path, bytes);
    if (!failure)
        return true;
    Say(err, QStringLiteral("%1 cannot be written: %2. %3")
                 .arg(path, storage::ReasonText(*failure),
                      failure->partial ? QStringLiteral("Part of the results may have reached it.")
                                       : QStringLiteral("Nothing was written.")));
    return false;
}

} // namespace

int Run(const QStringList& arguments, QIODevice& in, QIODevice& out, QIODevice& err) {
    QStringList files;
    bool options = true;
    bool formulas = false;
    for (const QString& argument : arguments) {
        if (options && argument == QLatin1String("--")) {
            options = false;
        } else if (options &&
                   (argument == QLatin1String("-h") || argument == QLatin1String("--help"))) {
            out.write(HelpText().toUtf8());
            return 0;
        } else if (options && argument == QLatin1String("--formulas")) {
            formulas = true;
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
    const auto input = ReadInput(inputPath, in);
    if (!input) {
        Say(err, input.refusal().message);
        return 1;
    }
    const QString folder =
        inputPath == u'-' ? QDir::currentPath() : QFileInfo(inputPath).absolutePath();
    QByteArray output;
    const auto counts = EvaluateTable(input.value(), folder, output, formulas);
    if (!counts) {
        Say(err, QStringLiteral("%1: %2").arg(inputPath == u'-' ? QStringLiteral("standard input")
                                                                : inputPath,
                                              counts.refusal().message));
        return 1;
    }
    if (!WriteOutput(outputPath, output, out, err))
        return 1;
    if (counts->refused > 0)
        Say(err, QStringLiteral("%1 of %2 designs could not be evaluated; their rows say why in "
                                "\"message\".")
                     .arg(counts->refused)
                     .arg(counts->rows));
    return 0;
}

} // namespace vt::batch
