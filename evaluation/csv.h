// Comma- and semicolon-separated tables, read and written in one place for
// every CSV the program reads or writes (vt-evaluate's tables, the design
// charts' points, the probability summary).
//
// Two conventions: fields separated by commas with a decimal point, or by
// semicolons with a decimal comma (what a spreadsheet in a decimal-comma
// locale reads as numbers). A file keeps one of them throughout.
//
// Records end at CR LF (a lone LF or CR is read too); a field in double
// quotes may hold the separator, line breaks and doubled quotes. The text is
// UTF-8; a leading byte-order mark is skipped.
//
// The reader never stops at a bad record: it says what is wrong with it and
// goes on with the next one. It reads its input as a stream, piece by piece,
// and keeps at most kMaxFields fields of kMaxFieldBytes bytes each, so that
// a table of any length, a record of a million columns or a field of a
// gigabyte costs no more memory than a few pieces. A quoted field may run
// over line ends for kMaxQuotedSpan bytes: a quote not closed within them
// (or never) takes the record only to the end of the line it was opened on,
// and the lines after it are read again as records.
#pragma once

#include "evaluation/numbers.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>

namespace vt::evaluation {

enum class CsvConvention {
    CommaPoint,     // 2.7,500
    SemicolonComma, // 2,7;500
};

char CsvSeparator(CsvConvention convention);
// The numbers of a convention, read and shown: a decimal point and nothing
// else, or a decimal comma (a point read as one too, a "1.200" refused).
const NumberLocale& CsvNumbers(CsvConvention convention);
// A decimal-comma locale writes semicolons, any other commas.
CsvConvention CsvConventionOf(const QLocale& locale);

// The save dialogs' two CSV filters, the locale's convention first, and the
// convention of the filter chosen (an unknown or empty one: the locale's).
inline const QString kCsvCommaFilter =
    QStringLiteral("CSV, comma-separated, decimal point (*.csv)");
inline const QString kCsvSemicolonFilter =
    QStringLiteral("CSV, semicolon-separated, decimal comma (*.csv)");
QStringList CsvFilters(const QLocale& locale = QLocale());
CsvConvention CsvConventionOfFilter(const QString& filter, const QLocale& locale = QLocale());

// The convention of a table by its first line: semicolons outside quotes
// and more of them than commas make it the semicolon convention.
CsvConvention DetectCsvConvention(QByteArrayView bytes);

// The shortest text that reads back as the same number, with the
// convention's decimal mark ("2.7" of the float 2.7f, not
// "2.700000047683716").
QString CsvNumber(double value, CsvConvention convention);
QString CsvNumber(float value, CsvConvention convention);

// A number text read by `readBy` (a typed input, a shown result) with its
// decimal mark made the convention's; any other text as it is.
QString CsvNumberText(const QString& text, const NumberLocale& readBy, CsvConvention convention);

// A yes-or-no column: "yes" or "no".
QString CsvFlag(bool value);

inline constexpr qsizetype kMaxFields = 64;
inline constexpr qsizetype kMaxFieldBytes = 4096;

enum class RecordProblem {
    None,
    UnclosedQuote,        // a quoted field never closed, or not within kMaxQuotedSpan
    QuoteInUnquotedField, // ab"c
    TextAfterQuote,       // "ab"c
    FieldTooLong,         // more than kMaxFieldBytes bytes
    TooManyFields,        // more than kMaxFields fields
    NotText,              // not UTF-8, or a NUL byte
};

// What is wrong with a record, in a sentence.
QString ProblemText(RecordProblem problem);

struct Record {
    QStringList fields;       // at most kMaxFields
    qsizetype fieldCount = 0; // every field of the record, also those not kept
    qsizetype line = 0;       // the line it starts on, from 1
    qsizetype lastLine = 0;   // the line it ends on (a quoted line break joins lines)
    RecordProblem problem = RecordProblem::None;

    bool operator==(const Record&) const = default;
};

// Where a reader's bytes come from: up to `capacity` bytes into `buffer`,
// their count returned; 0 at the end of the input, and after a failure (the
// source keeps the reason for its caller).
using CsvSource = std::function<qsizetype(char* buffer, qsizetype capacity)>;

inline constexpr qsizetype kMaxQuotedSpan = qsizetype{1} << 20;

class CsvReader {
public:
    // The bytes must outlive the reader.
    explicit CsvReader(QByteArrayView bytes, CsvConvention convention = CsvConvention::CommaPoint);
    // The bytes of `source`, read as they are needed.
    explicit CsvReader(CsvSource source, CsvConvention convention = CsvConvention::CommaPoint);

    // The convention of the input by its first line (DetectCsvConvention
    // over at most its first kMaxQuotedSpan bytes), taken as the reader's
    // own. Call it before the first record is read.
    CsvConvention detectConvention();

    // The next record; false at the end of the input. Empty lines are
    // skipped.
    bool next(Record& record);

private:
    bool have(qsizetype ahead = 0);
    bool fill();
    void readField(Record& record, QByteArray& field);
    void readUnquoted(Record& record, QByteArray& field);
    void readQuoted(Record& record, QByteArray& field);
    void keep(Record& record, QByteArray& field);
    bool endsField(char c) const;
    void skipLineEnd();
    void skipByteOrderMark();

    CsvSource source_;
    QByteArray buffer_;          // what the source gave and is not yet read
    const char* data_ = nullptr; // the bytes read from: buffer_'s, or the view's
    qsizetype size_ = 0;
    qsizetype pos_ = 0;
    qsizetype mark_ = -1; // the first line end inside an open quoted field
    bool ended_ = false;
    bool started_ = false;
    char separator_;
    qsizetype line_ = 1;
};

// Appends one record, each field quoted where it holds the separator, a
// quote or a line break, ended by CR LF. An empty list appends an empty line.
void AppendRecord(QByteArray& out, const QStringList& fields,
                  CsvConvention convention = CsvConvention::CommaPoint);

} // namespace vt::evaluation
