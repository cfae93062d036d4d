// Comma-separated tables as RFC 4180 writes them: records end at CR LF (a
// lone LF or CR is taken too), fields are separated by commas, a field in
// double quotes may hold commas, line breaks and doubled quotes. The text is
// UTF-8; a leading byte-order mark is skipped.
//
// The reader never stops at a bad record: it says what is wrong with it and
// goes on with the next one. A quote that is never closed takes the record
// only to the end of the line it was opened on. It keeps at most kMaxFields
// fields of kMaxFieldBytes bytes each, so that a record of a million columns
// or a field of a gigabyte costs no memory.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace vt::batch {

inline constexpr qsizetype kMaxFields = 64;
inline constexpr qsizetype kMaxFieldBytes = 4096;

enum class RecordProblem {
    None,
    UnclosedQuote,        // a quoted field runs to the end of the input
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
    RecordProblem problem = RecordProblem::None;
};

class CsvReader {
public:
    // The bytes must outlive the reader.
    explicit CsvReader(QByteArrayView bytes);

    // The next record; false at the end of the input. Empty lines are
    // skipped.
    bool next(Record& record);

private:
    void readField(Record& record, QByteArray& field);
    void readQuoted(Record& record, QByteArray& field);
    void keep(Record& record, QByteArray& field);
    bool atLineEnd() const;
    void skipLineEnd();

    QByteArrayView bytes_;
    qsizetype pos_ = 0;
    qsizetype line_ = 1;
};

// Appends one record, each field quoted where it holds a comma, a quote or a
// line break, ended by CR LF.
void AppendRecord(QByteArray& out, const QStringList& fields);

} // namespace vt::batch
