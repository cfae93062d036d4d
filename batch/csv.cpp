#include "batch/csv.h"

#include <algorithm>
#include <cstring>

namespace vt::batch {

QString ProblemText(RecordProblem problem) {
    switch (problem) {
    case RecordProblem::None:
        return {};
    case RecordProblem::UnclosedQuote:
        return QStringLiteral("A quoted field is not closed: the row was read to the end of its "
                              "line");
    case RecordProblem::QuoteInUnquotedField:
        return QStringLiteral("A field that does not start with a quote holds one");
    case RecordProblem::TextAfterQuote:
        return QStringLiteral("Text follows the closing quote of a field");
    case RecordProblem::FieldTooLong:
        return QStringLiteral("A field is longer than %1 bytes").arg(kMaxFieldBytes);
    case RecordProblem::TooManyFields:
        return QStringLiteral("The row has more than %1 fields").arg(kMaxFields);
    case RecordProblem::NotText:
        return QStringLiteral("The row is not UTF-8 text");
    }
    return {};
}

namespace {

void Flag(Record& record, RecordProblem problem) {
    if (record.problem == RecordProblem::None)
        record.problem = problem;
}

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

bool EndsField(char c) {
    return c == ',' || IsLineEnd(c);
}

// Appends as much of `part` as the field may hold.
void AppendLimited(Record& record, QByteArray& field, QByteArrayView part) {
    const qsizetype room = kMaxFieldBytes - field.size();
    if (part.size() > room) {
        Flag(record, RecordProblem::FieldTooLong);
        part = part.first(std::max<qsizetype>(room, 0));
    }
    field.append(part);
}

} // namespace

CsvReader::CsvReader(QByteArrayView bytes)
    : bytes_(bytes) {
    if (bytes_.startsWith(QByteArrayView("\xEF\xBB\xBF")))
        pos_ = 3;
}

bool CsvReader::atLineEnd() const {
    return pos_ < bytes_.size() && IsLineEnd(bytes_[pos_]);
}

void CsvReader::skipLineEnd() {
    if (pos_ >= bytes_.size())
        return;
    if (bytes_[pos_] == '\r' && pos_ + 1 < bytes_.size() && bytes_[pos_ + 1] == '\n')
        ++pos_;
    ++pos_;
    ++line_;
}

bool CsvReader::next(Record& record) {
    while (atLineEnd())
        skipLineEnd();
    if (pos_ >= bytes_.size())
        return false;
    record = Record{};
    record.line = line_;
    QByteArray field;
    for (;;) {
        readField(record, field);
        if (record.problem == RecordProblem::UnclosedQuote)
            return true; // the reader already stands on the next line
        keep(record, field);
        if (pos_ < bytes_.size() && bytes_[pos_] == ',') {
            ++pos_;
            continue;
        }
        break;
    }
    skipLineEnd();
    return true;
}

void CsvReader::readField(Record& record, QByteArray& field) {
    field.clear();
    if (pos_ < bytes_.size() && bytes_[pos_] == '"') {
        readQuoted(record, field);
        if (record.problem == RecordProblem::UnclosedQuote)
            return;
        if (pos_ >= bytes_.size() || EndsField(bytes_[pos_]))
            return;
        Flag(record, RecordProblem::TextAfterQuote);
    }
    const qsizetype start = pos_;
    while (pos_ < bytes_.size() && !EndsField(bytes_[pos_])) {
        if (bytes_[pos_] == '"')
            Flag(record, RecordProblem::QuoteInUnquotedField);
        ++pos_;
    }
    AppendLimited(record, field, bytes_.sliced(start, pos_ - start));
}

void CsvReader::readQuoted(Record& record, QByteArray& field) {
    const qsizetype open = pos_;
    const qsizetype openLine = line_;
    ++pos_;
    for (;;) {
        const char* begin = bytes_.data() + pos_;
        const auto* quote = static_cast<const char*>(
            std::memchr(begin, '"', static_cast<std::size_t>(bytes_.size() - pos_)));
        if (!quote) {
            // Never closed: the record ends with the line the quote opened on.
            Flag(record, RecordProblem::UnclosedQuote);
            pos_ = open;
            line_ = openLine;
            while (pos_ < bytes_.size() && !IsLineEnd(bytes_[pos_]))
                ++pos_;
            skipLineEnd();
            return;
        }
        const qsizetype at = quote - bytes_.data();
        const QByteArrayView part = bytes_.sliced(pos_, at - pos_);
        line_ += std::count(part.begin(), part.end(), '\n');
        AppendLimited(record, field, part);
        pos_ = at + 1;
        if (pos_ < bytes_.size() && bytes_[pos_] == '"') {
            AppendLimited(record, field, QByteArrayView("\""));
            ++pos_;
            continue;
        }
        return;
    }
}

void CsvReader::keep(Record& record, QByteArray& field) {
    ++record.fieldCount;
    if (record.fieldCount > kMaxFields) {
        Flag(record, RecordProblem::TooManyFields);
        return;
    }
    if (field.contains('\0') || !field.isValidUtf8()) {
        Flag(record, RecordProblem::NotText);
        QString text = QString::fromUtf8(field);
        text.replace(QChar(u'\0'), QChar(QChar::ReplacementCharacter));
        record.fields << text;
        return;
    }
    record.fields << QString::fromUtf8(field);
}

namespace {

// One field, quoted where it must be. Most fields are short ASCII numbers:
// they are copied without a conversion.
void AppendField(QByteArray& out, const QString& field) {
    bool ascii = true;
    bool quoted = false;
    for (const QChar c : field) {
        const char16_t u = c.unicode();
        if (u >= 0x80)
            ascii = false;
        else if (u == u',' || u == u'"' || u == u'\r' || u == u'\n')
            quoted = true;
    }
    if (ascii && !quoted) {
        const qsizetype at = out.size();
        out.resize(at + field.size());
        char* to = out.data() + at;
        for (const QChar c : field)
            *to++ = static_cast<char>(c.unicode());
        return;
    }
    QByteArray text = field.toUtf8();
    if (!quoted) {
        out.append(text);
        return;
    }
    text.replace("\"", "\"\"");
    out.append('"').append(text).append('"');
}

} // namespace

void AppendRecord(QByteArray& out, const QStringList& fields) {
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out.append(',');
        AppendField(out, fields[i]);
    }
    out.append("\r\n");
}

} // namespace vt::batch
