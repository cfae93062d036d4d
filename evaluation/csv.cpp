#include "evaluation/csv.h"

#include "engine/engine.h"
#include "engine/shortest.h"

#include <algorithm>
#include <utility>

namespace vt::evaluation {

char CsvSeparator(CsvConvention convention) {
    return convention == CsvConvention::SemicolonComma ? ';' : ',';
}

const NumberLocale& CsvNumbers(CsvConvention convention) {
    static const NumberLocale point = NumberLocale::Point();
    static const NumberLocale comma(QLocale(QLocale::German, QLocale::Germany));
    return convention == CsvConvention::SemicolonComma ? comma : point;
}

CsvConvention CsvConventionOf(const QLocale& locale) {
    return locale.decimalPoint() == QLatin1String(",") ? CsvConvention::SemicolonComma
                                                       : CsvConvention::CommaPoint;
}

QStringList CsvFilters(const QLocale& locale) {
    if (CsvConventionOf(locale) == CsvConvention::SemicolonComma)
        return {kCsvSemicolonFilter, kCsvCommaFilter};
    return {kCsvCommaFilter, kCsvSemicolonFilter};
}

CsvConvention CsvConventionOfFilter(const QString& filter, const QLocale& locale) {
    if (filter == kCsvCommaFilter)
        return CsvConvention::CommaPoint;
    if (filter == kCsvSemicolonFilter)
        return CsvConvention::SemicolonComma;
    return CsvConventionOf(locale);
}

namespace {

// The separators outside quotes on the first line that is not empty.
struct HeaderLine {
    qsizetype commas = 0;
    qsizetype semicolons = 0;
    bool complete = false; // its line end was seen

    CsvConvention convention() const {
        return semicolons > commas ? CsvConvention::SemicolonComma : CsvConvention::CommaPoint;
    }
};

HeaderLine ScanHeaderLine(QByteArrayView bytes) {
    HeaderLine header;
    bool quoted = false;
    bool started = false; // empty lines before the header are skipped
    for (const char c : bytes) {
        const bool lineEnd = c == '\r' || c == '\n';
        if (!quoted && lineEnd && started) {
            header.complete = true;
            break;
        }
        started = started || !lineEnd;
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && c == ',')
            ++header.commas;
        else if (!quoted && c == ';')
            ++header.semicolons;
    }
    return header;
}

} // namespace

CsvConvention DetectCsvConvention(QByteArrayView bytes) {
    return ScanHeaderLine(bytes).convention();
}

QString CsvNumber(double value, CsvConvention convention) {
    return ShowShortest(value, CsvNumbers(convention));
}

QString CsvNumber(float value, CsvConvention convention) {
    return QString::fromStdString(
        engine::ShortestFloatText(value, CsvNumbers(convention).separator()));
}

QString CsvNumberText(const QString& text, const NumberLocale& readBy, CsvConvention convention) {
    if (!ReadDouble(text, readBy))
        return text;
    // A number read whole has at most one decimal mark and no group
    // separators.
    const QChar mark = convention == CsvConvention::SemicolonComma ? u',' : u'.';
    QString shown = text;
    for (QChar& c : shown)
        if (c == u'.' || c == u',' || (readBy.otherPoint() && c == QChar(readBy.otherPoint())))
            c = mark;
    return shown;
}

QString CsvFlag(bool value) {
    return value ? QStringLiteral("yes") : QStringLiteral("no");
}

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

CsvReader::CsvReader(QByteArrayView bytes, CsvConvention convention)
    : data_(bytes.data())
    , size_(bytes.size())
    , ended_(true)
    , separator_(CsvSeparator(convention)) {}

CsvReader::CsvReader(CsvSource source, CsvConvention convention)
    : source_(std::move(source))
    , separator_(CsvSeparator(convention)) {}

namespace {

// The piece asked of a source at a time.
constexpr qsizetype kPiece = qsizetype{1} << 16;

} // namespace

bool CsvReader::fill() {
    if (ended_)
        return false;
    // What was read is let go, except the bytes after the first line end of
    // an open quoted field, which are read again if it is never closed.
    const qsizetype keepFrom = mark_ >= 0 ? std::min(mark_, pos_) : pos_;
    if (keepFrom > 0) {
        buffer_.remove(0, keepFrom);
        pos_ -= keepFrom;
        if (mark_ >= 0)
            mark_ -= keepFrom;
    }
    const qsizetype at = buffer_.size();
    buffer_.resize(at + kPiece);
    const qsizetype got = std::clamp<qsizetype>(source_(buffer_.data() + at, kPiece), 0, kPiece);
    buffer_.resize(at + got);
    data_ = buffer_.constData();
    size_ = buffer_.size();
    if (got == 0)
        ended_ = true;
    return got > 0;
}

bool CsvReader::have(qsizetype ahead) {
    while (pos_ + ahead >= size_)
        if (!fill())
            return false;
    return true;
}

void CsvReader::skipByteOrderMark() {
    if (started_)
        return;
    started_ = true;
    if (have(2) && QByteArrayView(data_ + pos_, 3) == QByteArrayView("\xEF\xBB\xBF"))
        pos_ += 3;
}

CsvConvention CsvReader::detectConvention() {
    skipByteOrderMark();
    HeaderLine header = ScanHeaderLine(QByteArrayView(data_ + pos_, size_ - pos_));
    while (!header.complete && size_ - pos_ < kMaxQuotedSpan && fill())
        header = ScanHeaderLine(QByteArrayView(data_ + pos_, size_ - pos_));
    separator_ = CsvSeparator(header.convention());
    return header.convention();
}

bool CsvReader::endsField(char c) const {
    return c == separator_ || IsLineEnd(c);
}

void CsvReader::skipLineEnd() {
    if (!have())
        return;
    if (data_[pos_] == '\r' && have(1) && data_[pos_ + 1] == '\n')
        ++pos_;
    ++pos_;
    ++line_;
}

bool CsvReader::next(Record& record) {
    skipByteOrderMark();
    while (have() && IsLineEnd(data_[pos_]))
        skipLineEnd();
    if (!have())
        return false;
    record = Record{};
    record.line = line_;
    QByteArray field;
    for (;;) {
        readField(record, field);
        if (record.problem == RecordProblem::UnclosedQuote) {
            record.lastLine = record.line;
            return true; // the reader already stands on the next line
        }
        keep(record, field);
        if (have() && data_[pos_] == separator_) {
            ++pos_;
            continue;
        }
        break;
    }
    record.lastLine = line_;
    skipLineEnd();
    return true;
}

void CsvReader::readField(Record& record, QByteArray& field) {
    field.clear();
    if (have() && data_[pos_] == '"') {
        readQuoted(record, field);
        if (record.problem == RecordProblem::UnclosedQuote)
            return;
        if (!have() || endsField(data_[pos_]))
            return;
        Flag(record, RecordProblem::TextAfterQuote);
    }
    readUnquoted(record, field);
}

void CsvReader::readUnquoted(Record& record, QByteArray& field) {
    for (;;) {
        const qsizetype start = pos_;
        while (pos_ < size_ && !endsField(data_[pos_])) {
            if (data_[pos_] == '"')
                Flag(record, RecordProblem::QuoteInUnquotedField);
            ++pos_;
        }
        AppendLimited(record, field, QByteArrayView(data_ + start, pos_ - start));
        if (pos_ < size_ || !fill())
            return;
    }
}

void CsvReader::readQuoted(Record& record, QByteArray& field) {
    const qsizetype openLine = line_;
    ++pos_;
    mark_ = -1;
    bool afterReturn = false; // a CR LF is one line end
    for (;;) {
        const bool tooLong = mark_ >= 0 && pos_ - mark_ > kMaxQuotedSpan;
        if (tooLong || !have()) {
            // Not closed: the record ends with the line the quote opened on,
            // whatever else was found wrong in the lines after it.
            record.problem = RecordProblem::UnclosedQuote;
            if (mark_ >= 0) {
                pos_ = mark_;
                mark_ = -1;
                line_ = openLine;
                skipLineEnd();
            }
            return;
        }
        const qsizetype start = pos_;
        while (pos_ < size_ && data_[pos_] != '"') {
            const char c = data_[pos_];
            if (IsLineEnd(c)) {
                if (mark_ < 0)
                    mark_ = pos_;
                if (c == '\r' || !afterReturn)
                    ++line_;
            }
            afterReturn = c == '\r';
            ++pos_;
            if (mark_ >= 0 && pos_ - mark_ > kMaxQuotedSpan)
                break;
        }
        AppendLimited(record, field, QByteArrayView(data_ + start, pos_ - start));
        if (pos_ == size_ || data_[pos_] != '"')
            continue; // more to read, or too long
        ++pos_;
        afterReturn = false;
        if (have() && data_[pos_] == '"') {
            AppendLimited(record, field, QByteArrayView("\""));
            ++pos_;
            continue;
        }
        mark_ = -1;
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
void AppendField(QByteArray& out, const QString& field, char separator) {
    bool ascii = true;
    bool quoted = false;
    for (const QChar c : field) {
        const char16_t u = c.unicode();
        if (u >= 0x80)
            ascii = false;
        else if (u == static_cast<char16_t>(separator) || u == u'"' || u == u'\r' || u == u'\n')
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

void AppendRecord(QByteArray& out, const QStringList& fields, CsvConvention convention) {
    const char separator = CsvSeparator(convention);
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out.append(separator);
        AppendField(out, fields[i], separator);
    }
    out.append("\r\n");
}

} // namespace vt::evaluation
