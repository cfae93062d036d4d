// The CSV reader and writer: RFC 4180 records in both conventions, the
// numbers and flags written, and every way a record can be bad without
// stopping the reader or costing memory.
#include "evaluation/csv.h"
#include "tests/support/csvrecords.h"
#include "tests/support/locale.h"

#include <QRandomGenerator>
#include <charconv>
#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vt::evaluation {
namespace {

struct Expected {
    QStringList fields;
    RecordProblem problem = RecordProblem::None;
    qsizetype line = 1;
    qsizetype lastLine = 0; // 0: the line it starts on
};

struct ReadCase {
    const char* name;
    QByteArray bytes;
    std::vector<Expected> records;
    CsvConvention convention = CsvConvention::CommaPoint;
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
        {"quoted line break",
         "\"a\r\nb\",c\r\nd\r\n",
         {{{"a\r\nb", "c"}, P::None, 1, 2}, {{"d"}, P::None, 3}}},
        {"a quote that joins lines",
         "a,\"b\r\nc\r\nd\",e\r\nf\r\n",
         {{{"a", "b\r\nc\r\nd", "e"}, P::None, 1, 3}, {{"f"}, P::None, 4}}},
        {"semicolons",
         "a;b,c;\"d;e\"\r\n1,5;2\r\n",
         {{{"a", "b,c", "d;e"}}, {{"1,5", "2"}, P::None, 2}},
         CsvConvention::SemicolonComma},
        {"commas are text with semicolons",
         "2,7,3\r\n",
         {{{"2,7,3"}}},
         CsvConvention::SemicolonComma},
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
        // Whole in memory, and streamed in pieces that end anywhere (inside a
        // CR LF, a doubled quote, a byte-order mark).
        for (const qsizetype piece : {qsizetype{0}, qsizetype{1}, qsizetype{2}, qsizetype{5}}) {
            SCOPED_TRACE(std::string(c.name) + ", pieces of " + std::to_string(piece));
            const std::vector<Record> records = piece == 0
                                                    ? Records(c.bytes, c.convention)
                                                    : RecordsInPieces(c.bytes, piece, c.convention);
            ASSERT_EQ(records.size(), c.records.size());
            for (std::size_t i = 0; i < records.size(); ++i) {
                EXPECT_EQ(records[i].fields, c.records[i].fields) << i;
                EXPECT_EQ(records[i].problem, c.records[i].problem) << i;
                EXPECT_EQ(records[i].line, c.records[i].line) << i;
                EXPECT_EQ(records[i].lastLine,
                          c.records[i].lastLine ? c.records[i].lastLine : c.records[i].line)
                    << i;
                EXPECT_EQ(records[i].fieldCount, records[i].fields.size()) << i;
            }
        }
    }
}

// A quote that joins lines is followed for kMaxQuotedSpan bytes past its
// first line end: not closed by then, the record ends with its line and the
// lines after are records again; the reader keeps no more than that span.
TEST(CsvTest, AQuoteAcrossLinesIsFollowedForABoundedSpan) {
    const auto lines = [](qsizetype bytes) {
        QByteArray text;
        while (text.size() < bytes)
            text.append("x,y\r\n");
        return text;
    };
    const QByteArray within = lines(kMaxQuotedSpan - 100);
    const QByteArray beyond = lines(kMaxQuotedSpan + 100);
    const qsizetype withinLines = within.count('\n');
    const qsizetype beyondLines = beyond.count('\n');
    const struct {
        const char* name;
        QByteArray bytes;
        qsizetype records;
        RecordProblem problem;
        qsizetype lastLine; // of the first record
    } cases[] = {
        {"closed within the span", "a,\"b\r\n" + within + "\"\r\nc\r\n", 2,
         RecordProblem::FieldTooLong, withinLines + 2},
        {"closed beyond the span", "a,\"b\r\n" + beyond + "\"\r\nc\r\n", beyondLines + 3,
         RecordProblem::UnclosedQuote, 1},
        {"one line longer than the span", "a,\"" + QByteArray(3 * kMaxQuotedSpan, 'x') + "\",b\r\n",
         1, RecordProblem::FieldTooLong, 1},
    };
    for (const auto& c : cases) {
        for (const qsizetype piece : {qsizetype{0}, qsizetype{4096}, qsizetype{65536}}) {
            SCOPED_TRACE(std::string(c.name) + ", pieces of " + std::to_string(piece));
            const std::vector<Record> records =
                piece == 0 ? Records(c.bytes) : RecordsInPieces(c.bytes, piece);
            ASSERT_EQ(static_cast<qsizetype>(records.size()), c.records);
            EXPECT_EQ(records[0].problem, c.problem);
            EXPECT_EQ(records[0].line, 1);
            EXPECT_EQ(records[0].lastLine, c.lastLine);
            if (c.problem == RecordProblem::UnclosedQuote) {
                EXPECT_EQ(records[0].fields, QStringList{"a"});
                EXPECT_EQ(records[1].fields, (QStringList{"x", "y"}));
                EXPECT_EQ(records[1].line, 2);
                EXPECT_EQ(records.back().fields, QStringList{"c"});
                EXPECT_EQ(records.back().line, beyondLines + 3);
            }
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
    for (const CsvConvention convention :
         {CsvConvention::CommaPoint, CsvConvention::SemicolonComma}) {
        // Fields built of the characters that need quoting, and others.
        const QString alphabet = QStringLiteral("ab,;\"\r\n 1.ü€");
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
            AppendRecord(out, fields, convention);
        }
        const std::vector<Record> read = Records(out, convention);
        ASSERT_EQ(read.size(), written.size());
        for (std::size_t i = 0; i < read.size(); ++i) {
            EXPECT_EQ(read[i].fields, written[i]) << i;
            EXPECT_EQ(read[i].problem, RecordProblem::None) << i;
        }
    }
}

TEST(CsvTest, QuotesOnlyWhereNeeded) {
    QByteArray out;
    AppendRecord(out, {"plain", "a,b", "say \"hi\"", "two\nlines", " blank ", "c;d", ""});
    EXPECT_EQ(out, QByteArray("plain,\"a,b\",\"say \"\"hi\"\"\",\"two\nlines\", blank ,c;d,\r\n"));
    out.clear();
    AppendRecord(out, {"2,7", "c;d", "x"}, CsvConvention::SemicolonComma);
    AppendRecord(out, {}, CsvConvention::SemicolonComma);
    EXPECT_EQ(out, QByteArray("2,7;\"c;d\";x\r\n\r\n"));
}

// The convention of a table is found from its header line; the dialogs
// offer the locale's first and tell the chosen one back.
TEST(CsvTest, ConventionsFoundFromTheHeaderTheLocaleAndTheFilter) {
    using C = CsvConvention;
    const struct {
        const char* header;
        C convention;
    } tables[] = {
        {"method,k\r\ntributary;x\r\n", C::CommaPoint},
        {"method;k\r\ntributary,1;2\r\n", C::SemicolonComma},
        {"method\r\na;b;c\r\n", C::CommaPoint}, // one column: nothing to tell
        {"\"a;b\",c\r\n", C::CommaPoint},       // a quoted semicolon is text
        {"\"a,b\";c;d\r\n", C::SemicolonComma},
        {"", C::CommaPoint},
    };
    for (const auto& t : tables) {
        const QByteArrayView bytes(t.header, qstrlen(t.header));
        EXPECT_EQ(DetectCsvConvention(bytes), t.convention) << t.header;
        CsvReader reader(PiecesOf(bytes, 3));
        EXPECT_EQ(reader.detectConvention(), t.convention) << t.header;
        EXPECT_EQ(ReadAll(reader), Records(bytes, t.convention)) << t.header;
    }

    EXPECT_EQ(CsvFilters(test::German()), QStringList({kCsvSemicolonFilter, kCsvCommaFilter}));
    EXPECT_EQ(CsvFilters(QLocale(QLocale::English, QLocale::UnitedStates)),
              QStringList({kCsvCommaFilter, kCsvSemicolonFilter}));
    EXPECT_EQ(kCsvCommaFilter, QStringLiteral("CSV, comma-separated, decimal point (*.csv)"));
    EXPECT_EQ(kCsvSemicolonFilter,
              QStringLiteral("CSV, semicolon-separated, decimal comma (*.csv)"));
    const QLocale english(QLocale::English, QLocale::UnitedKingdom);
    EXPECT_EQ(CsvConventionOfFilter(kCsvSemicolonFilter, english), C::SemicolonComma);
    EXPECT_EQ(CsvConventionOfFilter(kCsvCommaFilter, test::German()), C::CommaPoint);
    EXPECT_EQ(CsvConventionOfFilter(QString(), test::German()), C::SemicolonComma);
    EXPECT_EQ(CsvConventionOfFilter(QString(), english), C::CommaPoint);
}

// Numbers: the shortest text that reads back as the same value, and a text
// read as a number given the convention's decimal mark; the read back is
// checked by parsing, not by the writer's own code.
TEST(CsvTest, NumbersInTheConventionsDecimalMark) {
    using C = CsvConvention;
    const NumberLocale point = NumberLocale::Point();
    const NumberLocale german(test::German());
    const struct {
        QString written;
        QString expected;
    } cases[] = {
        {CsvNumber(2.7f, C::CommaPoint), "2.7"},
        {CsvNumber(2.7f, C::SemicolonComma), "2,7"},
        {CsvNumber(static_cast<double>(2.7f), C::CommaPoint), "2.700000047683716"},
        {CsvNumber(0.1, C::CommaPoint), "0.1"},
        {CsvNumber(1e-7, C::SemicolonComma), "0,0000001"},
        {CsvNumber(-0.0, C::CommaPoint), "0"},
        {CsvNumber(-0.0f, C::SemicolonComma), "0"},
        {CsvNumber(1.5e-7f, C::CommaPoint), "0.00000015"},
        {CsvNumber(16777216.0f, C::CommaPoint), "16777216"},
        {CsvNumber(1500.0, C::SemicolonComma), "1500"},
        {CsvNumberText("2,7", german, C::CommaPoint), "2.7"},
        {CsvNumberText("2.7", german, C::SemicolonComma), "2,7"},
        {CsvNumberText("2.70", point, C::SemicolonComma), "2,70"}, // digits as shown
        {CsvNumberText("500", point, C::SemicolonComma), "500"},
        {CsvNumberText("2,7", point, C::SemicolonComma), "2,7"},     // not a number there
        {CsvNumberText("1.200", german, C::CommaPoint), "1.200"},    // a thousands look-alike
        {CsvNumberText("12abc", point, C::SemicolonComma), "12abc"}, // text stays text
        {CsvNumberText("=1.5", point, C::SemicolonComma), "=1.5"},
        {CsvNumberText("", point, C::SemicolonComma), ""},
        {CsvFlag(true), "yes"},
        {CsvFlag(false), "no"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.written, c.expected);
    // Every float of a spread of magnitudes reads back as itself.
    QRandomGenerator random(27);
    for (int i = 0; i < 2000; ++i) {
        const float value = static_cast<float>(random.generateDouble() * std::pow(10.0, i % 9 - 3));
        const QString text = CsvNumber(value, C::SemicolonComma);
        const std::string read = QString(text).replace(u',', u'.').toStdString();
        float back = 0;
        const auto [end, error] = std::from_chars(read.data(), read.data() + read.size(), back);
        EXPECT_TRUE(error == std::errc{} && end == read.data() + read.size()) << read;
        EXPECT_EQ(back, value) << read;
        EXPECT_FALSE(text.contains(u'e')) << text.toStdString();
    }
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
} // namespace vt::evaluation
