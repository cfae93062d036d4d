// The CSV reader and writer: RFC 4180 records, and every way a record can be
// bad without stopping the reader or costing memory.
#include "batch/csv.h"
#include "tests/batch/records.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vt::batch {
namespace {

struct Expected {
    QStringList fields;
    RecordProblem problem = RecordProblem::None;
    qsizetype line = 1;
};

struct ReadCase {
    const char* name;
    QByteArray bytes;
    std::vector<Expected> records;
};

TEST(CsvTest, ReadsRecordsAsRfc4180WritesThem) {
    using P = RecordProblem;
    const ReadCase cases[] = {
        {"plain, CR LF", "a,b,c\r\n1,2,3\r\n", {{{"a", "b", "c"}}, {{"1", "2", "3"}, P::None, 2}}},
        {"line feeds only", "a,b\n1,2\n", {{{"a", "b"}}, {{"1", "2"}, P::None, 2}}},
        {"a lone CR", "a,b\r1,2", {{{"a", "b"}}, {{"1", "2"}, P::None, 2}}},
        {"no line end at the end", "a,b\r\n1,2", {{{"a", "b"}}, {{"1", "2"}, P::None, 2}}},
        {"empty fields", ",,\r\n", {{{"", "", ""}}}},
        {"empty lines skipped", "\r\n\na\r\n\r\nb\r\n", {{{"a"}, P::None, 3}, {{"b"}, P::None, 5}}},
        {"byte-order mark", "\xEF\xBB\xBFmethod,k\r\n", {{{"method", "k"}}}},
        {"quoted comma", "\"a,b\",c\r\n", {{{"a,b", "c"}}}},
        {"quoted line break", "\"a\r\nb\",c\r\nd\r\n", {{{"a\r\nb", "c"}}, {{"d"}, P::None, 3}}},
        {"doubled quotes", "\"say \"\"hi\"\"\",\"\"\r\n", {{{"say \"hi\"", ""}}}},
        {"blanks kept", " 12 , x\r\n", {{{" 12 ", " x"}}}},
        {"UTF-8", "Ünder,µ\r\n", {{{QStringLiteral("Ünder"), QStringLiteral("µ")}}}},
        {"a quote never closed",
         "a,\"b,c\r\nd,e\r\n",
         {{{"a"}, P::UnclosedQuote, 1}, {{"d", "e"}, P::None, 2}}},
        {"a quote inside a field",
         "ab\"c,d\r\ne\r\n",
         {{{"ab\"c", "d"}, P::QuoteInUnquotedField}, {{"e"}, P::None, 2}}},
        {"text after the closing quote", "\"ab\"c,d\r\n", {{{"abc", "d"}, P::TextAfterQuote}}},
        {"invalid UTF-8",
         "a,\xff\xfe\r\nb\r\n",
         {{{"a", QString(2, QChar::ReplacementCharacter)}, P::NotText}, {{"b"}, P::None, 2}}},
        {"a NUL byte",
         QByteArray("a\0b,c\r\n", 7),
         {{{QStringLiteral("a\uFFFDb"), "c"}, P::NotText}}},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<Record> records = Records(c.bytes);
        ASSERT_EQ(records.size(), c.records.size());
        for (std::size_t i = 0; i < records.size(); ++i) {
            EXPECT_EQ(records[i].fields, c.records[i].fields) << i;
            EXPECT_EQ(records[i].problem, c.records[i].problem) << i;
            EXPECT_EQ(records[i].line, c.records[i].line) << i;
            EXPECT_EQ(records[i].fieldCount, records[i].fields.size()) << i;
        }
    }
}

TEST(CsvTest, AnEmptyInputHasNoRecord) {
    for (const QByteArray& bytes :
         {QByteArray(), QByteArray("\r\n\r\n"), QByteArray("\xEF\xBB\xBF")})
        EXPECT_TRUE(Records(bytes).empty());
}

TEST(CsvTest, AMillionColumnsAreCountedNotKept) {
    QByteArray row;
    row.reserve(2'000'000);
    for (int i = 0; i < 1'000'000; ++i)
        row.append(i ? ",1" : "1");
    const QByteArray bytes = "a,b\r\n" + row + "\r\nc,d\r\n";
    const std::vector<Record> records = Records(bytes);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[1].fieldCount, 1'000'000);
    EXPECT_EQ(records[1].fields.size(), kMaxFields);
    EXPECT_EQ(records[1].problem, RecordProblem::TooManyFields);
    EXPECT_EQ(records[2].fields, (QStringList{"c", "d"}));
}

TEST(CsvTest, AHugeFieldIsCutAndFlagged) {
    for (const QByteArray& field :
         {QByteArray(10'000'000, 'x'), '"' + QByteArray(10'000'000, 'x') + '"'}) {
        const std::vector<Record> records = Records("a," + field + ",b\r\nc\r\n");
        ASSERT_EQ(records.size(), 2u);
        EXPECT_EQ(records[0].problem, RecordProblem::FieldTooLong);
        EXPECT_EQ(records[0].fields.value(1).size(), kMaxFieldBytes);
        EXPECT_EQ(records[0].fields.value(2), QStringLiteral("b"));
        EXPECT_EQ(records[1].fields, QStringList{"c"});
    }
}

TEST(CsvTest, WhatIsWrittenReadsBackAsTheSameFields) {
    // Fields built of the characters that need quoting, and others.
    const QString alphabet = QStringLiteral("ab,\"\r\n 1.ü€");
    QRandomGenerator random(13);
    QByteArray out;
    std::vector<QStringList> written;
    for (int r = 0; r < 500; ++r) {
        QStringList fields;
        const int count = 1 + random.bounded(8);
        for (int f = 0; f < count; ++f) {
            QString field;
            const int length = random.bounded(6);
            for (int i = 0; i < length; ++i)
                field += alphabet.at(random.bounded(alphabet.size()));
            fields << field;
        }
        // A record of one empty field is an empty line, which is skipped.
        if (fields == QStringList{QString()})
            fields[0] = QStringLiteral("x");
        written.push_back(fields);
        AppendRecord(out, fields);
    }
    const std::vector<Record> read = Records(out);
    ASSERT_EQ(read.size(), written.size());
    for (std::size_t i = 0; i < read.size(); ++i) {
        EXPECT_EQ(read[i].fields, written[i]) << i;
        EXPECT_EQ(read[i].problem, RecordProblem::None) << i;
    }
}

TEST(CsvTest, QuotesOnlyWhereNeeded) {
    QByteArray out;
    AppendRecord(out, {"plain", "a,b", "say \"hi\"", "two\nlines", " blank ", ""});
    EXPECT_EQ(out, QByteArray("plain,\"a,b\",\"say \"\"hi\"\"\",\"two\nlines\", blank ,\r\n"));
}

TEST(CsvTest, BinaryJunkNeverStopsTheReader) {
    QRandomGenerator random(4180);
    for (int round = 0; round < 50; ++round) {
        QByteArray junk(20'000, '\0');
        for (char& c : junk)
            c = static_cast<char>(random.bounded(256));
        const std::vector<Record> records = Records(junk);
        qsizetype lines = 0;
        for (const Record& record : records) {
            EXPECT_GE(record.line, lines); // always forward
            lines = record.line;
            EXPECT_LE(record.fields.size(), kMaxFields);
            for (const QString& field : record.fields)
                EXPECT_LE(field.toUtf8().size(), kMaxFieldBytes * 3);
        }
    }
}

} // namespace
} // namespace vt::batch
