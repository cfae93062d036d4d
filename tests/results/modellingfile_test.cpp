// Reading and parsing modelling-results files.
#include "results/core/modellingfile.h"
#include "tests/results/resultsfiles.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using vt::test::LoadBytes;
using vt::test::Loaded;
using vt::test::ResultsFiles;

class ModellingFile : public ::testing::Test {
protected:
    Loaded load(std::string_view bytes) { return LoadBytes(files, bytes); }
    ResultsFiles files;
};

TEST_F(ModellingFile, TwoWidthExampleGivesRangesScalesAndWidthList) {
    const Loaded l = load(vt::test::kWidths5And7);
    ASSERT_TRUE(l.parsed);
    const auto& r = l.record;
    EXPECT_EQ(r.LineCount, 3);
    EXPECT_EQ(r.FieldCount, 4);
    EXPECT_EQ(r.MinDepth, 100);
    EXPECT_EQ(r.MaxDepth, 200);
    EXPECT_EQ(r.MinStress, 15);
    EXPECT_EQ(r.MaxStress, 35);
    EXPECT_EQ(r.DepthScale, 4);
    EXPECT_EQ(r.StressScale, -20);
    EXPECT_EQ(vt::results::WidthListTexts(r), (std::vector<std::string>{"5", "7"}));
    EXPECT_EQ(r.FileText, std::string(vt::test::kWidths5And7));
    // Readings as the file holds them; header row and column 0 stay 0.
    EXPECT_EQ(r.Readings(2, 1), 100);
    EXPECT_EQ(r.Readings(3, 2), 35);
    EXPECT_EQ(r.Readings(3, 4), 28);
    EXPECT_EQ(r.Readings(1, 1), 0);
    EXPECT_EQ(r.Readings(2, 0), 0);
    EXPECT_EQ(r.Header, (std::vector<double>{0, 5, 0, 7, 0}));
    // Chart units: (depth - 100) x 4 and (stress - 15) x -20.
    EXPECT_EQ(r.ChartPoints(2, 1), 0);
    EXPECT_EQ(r.ChartPoints(3, 1), 400);
    EXPECT_EQ(r.ChartPoints(2, 4), 0);
    EXPECT_EQ(r.ChartPoints(3, 2), -400);
    EXPECT_EQ(r.ChartPoints(3, 4), -260);
}

TEST_F(ModellingFile, WidthListKeepsFileOrderAndDecimalSeparator) {
    const Loaded l = load("12.5\t0\t7\t0\t4.25\t0\r\n"
                          "100\t20\t100\t15\t100\t30\r\n"
                          "200\t35\t200\t28\t200\t50\r\n");
    ASSERT_TRUE(l.parsed);
    EXPECT_EQ(vt::results::WidthListTexts(l.record, ","),
              (std::vector<std::string>{"12,5", "7", "4,25"}));
    EXPECT_EQ(vt::results::WidthListTexts(l.record),
              (std::vector<std::string>{"12.5", "7", "4.25"}));
}

TEST_F(ModellingFile, PaddedCurveNeverEntersTheRanges) {
    const Loaded l = load("4\t0\t6\t0\r\n"
                          "100\t30\t100\t20\r\n"
                          "200\t60\t200\t40\r\n"
                          "-1\t-1\t300\t60\r\n");
    ASSERT_TRUE(l.parsed);
    EXPECT_EQ(l.record.MinDepth, 100);
    EXPECT_EQ(l.record.MaxDepth, 300);
    EXPECT_EQ(l.record.MinStress, 20);
    EXPECT_EQ(l.record.MaxStress, 60);
    EXPECT_EQ(l.record.Readings(4, 1), -1);
}

TEST_F(ModellingFile, OddFieldsReadByTheLeadingNumberRule) {
    // "12,5" reads 12, "1 000" reads 1000, an empty field reads 0 and is a
    // valid reading; fields beyond the header's count are ignored.
    const Loaded l = load("5\t0\t7\t0\r\n"
                          "1 000\t12,5\t\t15\textra\r\n"
                          "2 000\t35\t200\t28\r\n");
    ASSERT_TRUE(l.parsed);
    EXPECT_EQ(l.record.Readings(2, 1), 1000);
    EXPECT_EQ(l.record.Readings(2, 2), 12);
    EXPECT_EQ(l.record.Readings(2, 3), 0);
    EXPECT_EQ(l.record.MinDepth, 0);
    EXPECT_EQ(l.record.MaxDepth, 2000);
    EXPECT_EQ(l.record.MinStress, 12);
}

struct LineEndCase {
    const char* name;
    const char* bytes;
    int lines;
    bool parsed;
};

class LineEnds : public ::testing::TestWithParam<LineEndCase> {};

TEST_P(LineEnds, CrLfAndLoneCrEndALineButLoneLfDoesNot) {
    ResultsFiles files;
    const LineEndCase& c = GetParam();
    const Loaded l = LoadBytes(files, c.bytes);
    EXPECT_TRUE(l.read);
    EXPECT_EQ(l.record.LineCount, c.lines);
    EXPECT_EQ(l.parsed, c.parsed);
}

INSTANTIATE_TEST_SUITE_P(
    Files, LineEnds,
    ::testing::Values(
        LineEndCase{"CrLf", "5\t0\t7\t0\r\n100\t20\t100\t15\r\n200\t35\t200\t28\r\n", 3, true},
        LineEndCase{"NoFinalEnd", "5\t0\t7\t0\r\n100\t20\t100\t15\r\n200\t35\t200\t28", 3, true},
        LineEndCase{"LoneCr", "5\t0\t7\t0\r100\t20\t100\t15\r200\t35\t200\t28\r", 3, true},
        LineEndCase{"LfOnly", "5\t0\t7\t0\n100\t20\t100\t15\n200\t35\t200\t28\n", 1, false},
        LineEndCase{"HeaderOnly", "5\t0\t7\t0\r\n", 1, false}, LineEndCase{"Empty", "", 0, false},
        LineEndCase{"EmptyLineAtEnd", "5\t0\t7\t0\r\n100\t20\t100\t15\r\n200\t35\t200\t28\r\n\r\n",
                    4, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ModellingFile, LoneLineFeedStaysInTheKeptText) {
    ResultsFiles files;
    vt::results::ModellingResults r;
    ASSERT_TRUE(vt::results::ReadModellingText(r, files.write("a\nb\rc\r\nd")));
    EXPECT_EQ(r.FileText, "a\nb\r\nc\r\nd\r\n");
    EXPECT_EQ(r.LineCount, 3);
}

struct FailureCase {
    const char* name;
    const char* bytes;
};

class LoadFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(LoadFailure, FailsWithFiniteScales) {
    ResultsFiles files;
    const Loaded l = LoadBytes(files, GetParam().bytes);
    EXPECT_TRUE(l.read);
    EXPECT_FALSE(l.parsed);
    EXPECT_TRUE(std::isfinite(l.record.DepthScale));
    EXPECT_TRUE(std::isfinite(l.record.StressScale));
}

INSTANTIATE_TEST_SUITE_P(
    Files, LoadFailure,
    ::testing::Values(
        FailureCase{"OddHeader", "5\t0\t7\r\n100\t20\t100\r\n200\t35\t200\r\n"},
        FailureCase{"ShortLine", "5\t0\t7\t0\r\n100\t20\t100\t15\r\n200\t35\t200\r\n"},
        FailureCase{"EmptyReadingLine", "5\t0\t7\t0\r\n100\t20\t100\t15\r\n\r\n"},
        FailureCase{"NoValidDepth", "5\t0\t7\t0\r\n-1\t20\t-1\t15\r\n-1\t35\t-1\t28\r\n"},
        FailureCase{"NoValidStress", "5\t0\t7\t0\r\n100\t-1\t100\t-1\r\n200\t-1\t200\t-1\r\n"},
        FailureCase{"AllDepthsEqual", "5\t0\t7\t0\r\n100\t20\t100\t15\r\n100\t35\t100\t28\r\n"},
        FailureCase{"AllStressesEqual", "5\t0\t7\t0\r\n100\t20\t100\t20\r\n200\t20\t200\t20\r\n"},
        FailureCase{"OverflowingNumber",
                    "5\t0\t7\t0\r\n100\t20\t100\t15\r\n200\t1e999\t200\t28\r\n"},
        FailureCase{"OverflowingWidth",
                    "1e400\t0\t7\t0\r\n100\t20\t100\t15\r\n200\t35\t200\t28\r\n"},
        FailureCase{"RangeTooWide",
                    "5\t0\t7\t0\r\n-1.7e308\t20\t100\t15\r\n1.7e308\t35\t200\t28\r\n"},
        FailureCase{"RangeTooNarrow",
                    "5\t0\t7\t0\r\n1e-310\t20\t1e-310\t15\r\n2e-310\t35\t2e-310\t28\r\n"},
        FailureCase{"EmptyHeader", "\r\n100\t20\r\n200\t35\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ModellingFile, MissingFileOrFolderFailsTheRead) {
    vt::results::ModellingResults r;
    EXPECT_FALSE(vt::results::ReadModellingText(r, files.path("nowhere.int")));
    EXPECT_EQ(r.FileName, files.path("nowhere.int"));
    EXPECT_EQ(r.LineCount, 0);
    EXPECT_FALSE(vt::results::ParseModellingResults(r));
    const std::string folder = files.write("x", "x.int");
    EXPECT_FALSE(vt::results::ReadModellingText(r, folder.substr(0, folder.rfind('/'))));
}

// A file of `lines` lines: the header and readings rising by 1 m and 1 MPa.
std::string FileOfLines(int lines) {
    std::string text = "5\t0\t7\t0\r\n";
    for (int i = 1; i < lines; ++i) {
        const std::string v = std::to_string(i);
        text += v + "\t" + v + "\t" + v + "\t" + v + "\r\n";
    }
    return text;
}

TEST_F(ModellingFile, LoadsAtMost32767Lines) {
    const Loaded most = load(FileOfLines(32767));
    EXPECT_TRUE(most.parsed);
    EXPECT_EQ(most.record.LineCount, 32767);

    Loaded tooMany = load(FileOfLines(32768));
    EXPECT_FALSE(tooMany.read);
    EXPECT_FALSE(tooMany.parsed);
    EXPECT_EQ(tooMany.record.LineCount, 32767);
    // The text collected up to the failure is kept for the preview.
    EXPECT_EQ(tooMany.record.FileText.rfind("32767\t32767\t32767\t32767\r\n"),
              tooMany.record.FileText.size() - 25);
    EXPECT_FALSE(vt::results::ParseModellingResults(tooMany.record));
}

TEST_F(ModellingFile, LoadsAtMost32767FieldsPerLine) {
    const auto lineOf = [](int fields, const std::string& value) {
        std::string line = value;
        for (int i = 1; i < fields; ++i)
            line += "\t" + value;
        return line + "\r\n";
    };
    // 32 766 fields: an even header at the limit.
    const std::string most = lineOf(32766, "5") + lineOf(32766, "100") + lineOf(32766, "200");
    const Loaded ok = load(most);
    EXPECT_TRUE(ok.parsed);
    EXPECT_EQ(ok.record.FieldCount, 32766);
    // A reading line of 32 768 fields, even beyond the header's, is one too many.
    const Loaded tooMany = load(lineOf(4, "5") + lineOf(32768, "100") + lineOf(4, "200"));
    EXPECT_FALSE(tooMany.parsed);
    const Loaded header = load(lineOf(32768, "5") + lineOf(32768, "100"));
    EXPECT_FALSE(header.parsed);
}

TEST_F(ModellingFile, LoadingTwiceGivesTheSameRecord) {
    const std::string path = files.write(vt::test::kWidths5And7);
    const Loaded first = vt::test::LoadFile(path);
    const Loaded second = vt::test::LoadFile(path);
    ASSERT_TRUE(first.parsed && second.parsed);
    EXPECT_EQ(first.record.LineCount, second.record.LineCount);
    EXPECT_EQ(first.record.FileText, second.record.FileText);
}

TEST_F(ModellingFile, ParsesTheKeptTextNotTheFile) {
    // The chooser reads on a click and loads on "Accept file": the file may
    // have changed meanwhile; the load uses what was read and shown.
    const std::string path = files.write(vt::test::kWidths5And7);
    vt::results::ModellingResults r;
    ASSERT_TRUE(vt::results::ReadModellingText(r, path));
    files.write("garbage", "results.int");
    ASSERT_TRUE(vt::results::ParseModellingResults(r));
    EXPECT_EQ(r.MaxDepth, 200);
}

TEST(DefaultFile, LoadsWithEightWidthsAndPaddedCurves) {
    const Loaded l = vt::test::LoadFile(vt::test::DefaultFilePath());
    ASSERT_TRUE(l.parsed);
    EXPECT_EQ(l.record.FieldCount, 16);
    EXPECT_EQ(l.record.LineCount, 21);
    EXPECT_EQ(vt::results::WidthListTexts(l.record),
              (std::vector<std::string>{"4", "6", "8", "10", "12", "14", "16", "18"}));
    EXPECT_EQ(l.record.MinDepth, 100);
    EXPECT_EQ(l.record.MaxDepth, 2000);
    EXPECT_EQ(l.record.Readings(14, 1), -1); // the 4 m curve ends at 1200 m
    EXPECT_EQ(l.record.Readings(13, 1), 1200);
    EXPECT_NE(l.record.FileText.find("\t"), std::string::npos);
    // Stress rises with depth and falls with width wherever both are read.
    for (int r = 2; r <= 21; ++r)
        for (int p = 1; p + 3 <= 16; p += 2)
            if (l.record.Readings(r, p) != -1) {
                EXPECT_GT(l.record.Readings(r, p + 1), l.record.Readings(r, p + 3)) << r << p;
            }
    for (int p = 2; p <= 16; p += 2)
        for (int r = 2; r < 21 && l.record.Readings(r + 1, p) != -1; ++r)
            EXPECT_LT(l.record.Readings(r, p), l.record.Readings(r + 1, p)) << r << p;
}

} // namespace
