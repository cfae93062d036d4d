#include "batch/batch.h"

#include "evaluation/designfields.h"
#include "evaluation/installeddata.h"
#include "evaluation/numbers.h"
#include "evaluation/strengthformulas.h"
#include "results/core/modellingfile.h"
#include "storage/qtstorage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <algorithm>
#include <string_view>
#include <sys/stat.h>

namespace vt::batch {

using evaluation::CsvNumbers;
using evaluation::CsvNumberText;
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

namespace {

// A file by its identity, so that every name of it is one key; a name that
// cannot be looked at by its cleaned path (its read then says why).
QString FileKey(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) == 0)
        return QStringLiteral("file %1:%2")
            .arg(static_cast<qulonglong>(info.st_dev))
            .arg(static_cast<qulonglong>(info.st_ino));
    return QStringLiteral("name ") + path;
}

// What a kept table holds in memory.
std::size_t BytesOf(const results::ModellingResults& table) {
    const auto cells = [](const results::Table& t) {
        return static_cast<std::size_t>(t.rows() + 1) * static_cast<std::size_t>(t.columns() + 1) *
               sizeof(double);
    };
    return sizeof table + table.FileName.capacity() + table.FileText.capacity() +
           cells(table.Readings) + cells(table.ChartPoints) +
           table.Header.capacity() * sizeof(double) + table.ValidCounts.capacity() * sizeof(int) +
           table.CurveDefects.capacity() * sizeof(results::CurveDefect);
}

} // namespace

const results::ModellingResults* ModellingTables::table(const QString& path, QString& problem) {
    const QString name = QDir::cleanPath(QDir(folder_).absoluteFilePath(path));
    const QString key = FileKey(name);
    if (const auto found = byKey_.find(key); found != byKey_.end()) {
        entries_.splice(entries_.begin(), entries_, found->second);
    } else {
        Entry entry;
        entry.key = key;
        results::ModellingResults record;
        ++reads_;
        const auto failure =
            results::ReadModellingFile(record, QFile::encodeName(name).toStdString());
        if (failure != results::ReadFailure::None) {
            entry.problem = ReadProblem(failure, path);
        } else if (!results::ParseModellingResults(record)) {
            entry.problem =
                QStringLiteral("The modelling-results file %1 is not in the format of modelling "
                               "results")
                    .arg(Quoted(path));
        } else {
            // An interpolation reads the parsed table only: the file's text
            // and the chart's points are let go.
            std::string().swap(record.FileText);
            record.ChartPoints = results::Table();
            entry.table = std::move(record);
        }
        entry.bytes = sizeof(Entry) +
                      static_cast<std::size_t>(key.size() + entry.problem.size()) * sizeof(QChar) +
                      (entry.table ? BytesOf(*entry.table) : 0);
        // The least recently used go first; the new one stays, however large.
        while (!entries_.empty() && kept_ + entry.bytes > budget_) {
            kept_ -= entries_.back().bytes;
            byKey_.erase(entries_.back().key);
            entries_.pop_back();
        }
        kept_ += entry.bytes;
        entries_.push_front(std::move(entry));
        byKey_.emplace(key, entries_.begin());
    }
    const Entry& entry = entries_.front();
    problem = entry.problem;
    return entry.table ? &*entry.table : nullptr;
}

namespace {

QString AtLine(const Record& record) {
    return QStringLiteral("line %1").arg(record.line);
}

QString AtColumn(const Record& record, const char* column) {
    return QStringLiteral("line %1, column %2").arg(record.line).arg(Name(column));
}

// The reason a row is not evaluated before its design is: the row itself,
// or its method.
QString RowProblem(const Record& record, const Header& header, const QString& method) {
    if (record.lastLine > record.line)
        return QStringLiteral("lines %1 to %2 were read as one row: a quote opened on line %1 "
                              "closes only on line %2")
            .arg(record.line)
            .arg(record.lastLine);
    if (record.problem != RecordProblem::None)
        return AtLine(record) + QStringLiteral(": ") + ProblemText(record.problem);
    if (record.fieldCount > header.width)
        return AtLine(record) + QStringLiteral(": the row has more fields than the header");
    if (method.trimmed().isEmpty())
        return AtColumn(record, kInputColumns[kMethod]) +
               QStringLiteral(": empty; give tributary, modelled or interpolation");
    if (!evaluation::MethodFromName(method.trimmed().toLower()))
        return AtColumn(record, kInputColumns[kMethod]) +
               QStringLiteral(": unknown method %1; give tributary, modelled or interpolation")
                   .arg(Quoted(method));
    return {};
}

// The first input the design's method needs that is empty or no number,
// in the order of the columns. The interpolation reads its depth and width
// by their leading numbers, so only their emptiness is its own.
QString FieldProblem(const Record& record, const evaluation::DesignTexts& design,
                     const evaluation::NumberLocale& locale) {
    for (const evaluation::DesignField& field : evaluation::kDesignFields) {
        if (!field.usedBy(design.method))
            continue;
        const QString& text = design.*field.text;
        if (text.trimmed().isEmpty())
            return AtColumn(record, field.name) + QStringLiteral(": empty");
        if (design.method == evaluation::Method::Interpolation &&
            field.leading != evaluation::Leading::No)
            continue;
        const evaluation::NumberProblem problem =
            field.precision == evaluation::Precision::Double
                ? evaluation::ReadDouble(text, locale).problem
                : evaluation::ReadSingle(text, locale).problem;
        if (problem != evaluation::NumberProblem::None)
            return AtColumn(record, field.name) + QStringLiteral(": ") +
                   evaluation::NumberRefusal(field.input, text, problem, locale).message;
    }
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
QString InterpolationPlanProblem(const Record& record, const evaluation::DesignTexts& design,
                                 const evaluation::NumberLocale& locale) {
    // An empty text takes the screen's value; any other must be it.
    const auto differs = [&locale](const QString& text, double expected) {
        if (text.trimmed().isEmpty())
            return false;
        const auto value = evaluation::ReadDouble(text, locale);
        return !value || value.value != expected;
    };
    // A width that is no number is said by the evaluation itself.
    const auto width = evaluation::ReadDouble(design.width, locale);
    if (width && differs(design.length, width.value))
        return AtColumn(record, "pillar_length") +
               QStringLiteral(": interpolation takes square pillars: leave pillar_length empty "
                              "or give the pillar width");
    for (const auto& [bord, column] :
         {std::pair{&design.bord1, "bord_width_1"}, std::pair{&design.bord2, "bord_width_2"}})
        if (differs(*bord, 12.0))
            return AtColumn(record, column) +
                   QStringLiteral(": interpolation takes the modelling's bords of 12 m: leave "
                                  "bord_width_1 and bord_width_2 empty or give 12");
    return {};
}

// The columns that hold numbers: every design input.
bool IsNumberColumn(std::size_t column) {
    return column != kMethod && column != kModellingFile;
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
                        const RowFormat& format) {
    const evaluation::NumberLocale& locale = CsvNumbers(format.input);
    QStringList row;
    row.reserve(static_cast<qsizetype>(kInputColumns.size() + kResultColumns.size()));
    for (const qsizetype position : header.position)
        row << (position >= 0 && position < record.fields.size() ? record.fields[position]
                                                                 : QString());
    const evaluation::DesignTexts design = DesignOf(row);
    QString message = RowProblem(record, header, row[kMethod]);
    const bool interpolation = design.method == evaluation::Method::Interpolation;
    if (message.isEmpty() && interpolation && row[kModellingFile].trimmed().isEmpty())
        row[kModellingFile] = format.defaultModelling;
    if (message.isEmpty())
        message = FieldProblem(record, design, locale);
    if (message.isEmpty() && interpolation)
        message = InterpolationPlanProblem(record, design, locale);
    evaluation::Evaluation e;
    const results::ModellingResults* table = nullptr;
    if (message.isEmpty()) {
        if (interpolation) {
            table = tables.table(row[kModellingFile], message);
            if (!message.isEmpty())
                message = AtColumn(record, kInputColumns[kModellingFile]) + QStringLiteral(": ") +
                          message;
        }
        if (message.isEmpty()) {
            e = evaluation::Evaluate(design, locale, table);
            if (e.refusal)
                message = AtLine(record) + QStringLiteral(": ") +
                          (e.refusal->silent() ? QStringLiteral("the design cannot be evaluated")
                                               : e.refusal->message);
        }
    }
    for (std::size_t column = 0; column < kInputColumns.size(); ++column)
        if (IsNumberColumn(column))
            row[static_cast<qsizetype>(column)] =
                CsvNumberText(row[static_cast<qsizetype>(column)], locale, format.output);
    if (!message.isEmpty()) {
        // A refused row shows no result, not even those of the steps before.
        for (std::size_t i = 0; i + 1 < kResultColumns.size(); ++i)
            row << QString();
        row << message;
        if (format.formulas)
            for (qsizetype i = 0; i < FormulaColumns().size(); ++i)
                row << QString();
        return row;
    }
    for (const QString* shown : {&e.extraction, &e.stress, &e.effectiveWidth, &e.widthHeightRatio,
                                 &e.strength, &e.factorOfSafety})
        row << CsvNumberText(*shown, locale, format.output);
    row << evaluation::CsvFlag(e.widthHeightTooSmall)
        << evaluation::CsvFlag(e.factorOfSafetyTooSmall) << e.formula << message;
    if (!format.formulas)
        return row;
    // The strength formulas, as the window compares them.
    QStringList columns;
    evaluation::FormulaInputs in;
    in.design = design;
    in.ucs = row[kUcs];
    in.ldf = row[kLdf].trimmed().isEmpty() ? QStringLiteral("1") : row[kLdf];
    const auto compared = evaluation::CompareFormulas(in, locale, table);
    if (compared) {
        for (const evaluation::FormulaRow& formula : compared->rows)
            if (formula.preset && formula.preset->form != engine::FormulaForm::Screen)
                columns << CsvNumberText(formula.strength, locale, format.output)
                        << CsvNumberText(formula.factorOfSafety, locale, format.output);
    } else {
        row[kMessage] = AtLine(record) + QStringLiteral(": ") + compared.refusal().message;
    }
    while (columns.size() < FormulaColumns().size())
        columns << QString();
    return row << columns;
}

Step<TableCounts> EvaluateTable(CsvReader& reader, const TableOptions& options,
                                const OutputSink& write) {
    const CsvConvention convention = reader.detectConvention();
    Record record;
    if (!reader.next(record))
        return Refusal{QStringLiteral("The input is empty: it has no header row."), {}};
    const auto header = ReadHeader(record);
    if (!header)
        return header.refusal();
    const RowFormat format{convention, options.output.value_or(convention),
                           options.defaultModelling, options.formulas};
    QStringList names;
    for (const char* column : kInputColumns)
        names << Name(column);
    for (const char* column : kResultColumns)
        names << Name(column);
    QByteArray piece;
    piece.reserve(kOutputPiece + kOutputPiece / 4);
    if (format.formulas)
        names << FormulaColumns();
    AppendRecord(piece, names, format.output);
    const auto flush = [&piece, &write] {
        const bool written = piece.isEmpty() || write(piece);
        piece.resize(0); // keeps its room for the next piece
        return written;
    };
    ModellingTables tables(options.folder);
    TableCounts counts;
    while (reader.next(record)) {
        const QStringList row = EvaluateRow(record, header.value(), tables, format);
        ++counts.rows;
        if (!row[kMessage].isEmpty())
            ++counts.refused;
        AppendRecord(piece, row, format.output);
        if (piece.size() >= kOutputPiece && !flush()) {
            counts.written = false;
            return counts;
        }
    }
    counts.written = flush();
    return counts;
}

Step<TableCounts> EvaluateTable(QByteArrayView input, const TableOptions& options,
                                QByteArray& out) {
    CsvReader reader(input);
    return EvaluateTable(reader, options, [&out](QByteArrayView bytes) {
        out.append(bytes);
        return true;
    });
}

} // namespace vt::batch
