// Reading files that are not plain modelling-results files: pipes, devices,
// folders, links, files too large for any table, and the line-by-line reading
// across the reader's chunks.
#include "results/core/modellingfile.h"
#include "tests/results/resultsfiles.h"
#include "tests/support/specialfiles.h"

#include <gtest/gtest.h>
#include <string>

namespace {

using vt::results::kMaxFileBytes;
using vt::results::ReadFailure;
using vt::test::FifoWatchdog;
using vt::test::ResultsFiles;

const char* NameOf(ReadFailure failure) {
    switch (failure) {
    case ReadFailure::None:
        return "None";
    case ReadFailure::CannotOpen:
        return "CannotOpen";
    case ReadFailure::NotARegularFile:
        return "NotARegularFile";
    case ReadFailure::TooLarge:
        return "TooLarge";
    case ReadFailure::TooManyLines:
        return "TooManyLines";
    }
    return "?";
}

struct SpecialCase {
    const char* name;
    // Makes the entry at `path` in `files`; false when it could not be made.
    bool (*make)(ResultsFiles& files, const std::string& path);
    ReadFailure expected;
    bool regular; // what IsRegularFile says
    friend void PrintTo(const SpecialCase& c, std::ostream* os) { *os << c.name; }
};

bool Fifo(ResultsFiles&, const std::string& path) {
    return vt::test::MakeFifo(path);
}
bool LinkToFifo(ResultsFiles& files, const std::string& path) {
    return vt::test::MakeFifo(files.path("pipe")) && vt::test::MakeLink(files.path("pipe"), path);
}
bool LinkToDevZero(ResultsFiles&, const std::string& path) {
    return vt::test::MakeLink("/dev/zero", path);
}
bool LinkToFolder(ResultsFiles& files, const std::string& path) {
    return std::filesystem::create_directory(files.path("folder")) &&
           vt::test::MakeLink(files.path("folder"), path);
}
bool BrokenLink(ResultsFiles& files, const std::string& path) {
    return vt::test::MakeLink(files.path("gone"), path);
}
bool Sparse256MiB(ResultsFiles&, const std::string& path) {
    return vt::test::MakeSparseFile(path, std::uint64_t{256} * 1024 * 1024);
}
bool OneByteTooLarge(ResultsFiles&, const std::string& path) {
    return vt::test::MakeSparseFile(path, kMaxFileBytes + 1);
}
bool LinkToGoodFile(ResultsFiles& files, const std::string& path) {
    return vt::test::MakeLink(files.write(vt::test::kWidths5And7, "good.txt"), path);
}

class SpecialFile : public ::testing::TestWithParam<SpecialCase> {};

TEST_P(SpecialFile, IsRefusedWithoutWaitingOrReading) {
    const SpecialCase& c = GetParam();
    ResultsFiles files;
    const std::string path = files.path("special.int");
    ASSERT_TRUE(c.make(files, path)) << "could not make " << c.name;
    EXPECT_EQ(vt::results::IsRegularFile(path), c.regular);

    vt::results::ModellingResults record;
    record.FileText = "left from before";
    record.LineCount = 9;
    ReadFailure failure;
    bool readAgain;
    bool stuck;
    {
        FifoWatchdog watchdog(files.path("pipe"));
        FifoWatchdog watchdogOnEntry(path);
        failure = vt::results::ReadModellingFile(record, path);
        vt::results::ModellingResults again;
        readAgain = vt::results::ReadModellingText(again, path);
        stuck = watchdog.stop() || watchdogOnEntry.stop();
    }
    EXPECT_FALSE(stuck) << "the read waited on a pipe";
    EXPECT_EQ(NameOf(failure), std::string(NameOf(c.expected)));
    EXPECT_EQ(record.FileName, path);
    if (c.expected == ReadFailure::None) {
        EXPECT_EQ(record.LineCount, 3);
        EXPECT_TRUE(vt::results::ParseModellingResults(record));
        EXPECT_TRUE(readAgain);
    } else {
        EXPECT_TRUE(record.FileText.empty());
        EXPECT_EQ(record.LineCount, 0);
        EXPECT_FALSE(vt::results::ParseModellingResults(record));
        EXPECT_FALSE(readAgain);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Entries, SpecialFile,
    ::testing::Values(
        SpecialCase{"Fifo", Fifo, ReadFailure::NotARegularFile, false},
        SpecialCase{"LinkToFifo", LinkToFifo, ReadFailure::NotARegularFile, false},
        SpecialCase{"LinkToDevZero", LinkToDevZero, ReadFailure::NotARegularFile, false},
        SpecialCase{"LinkToFolder", LinkToFolder, ReadFailure::NotARegularFile, false},
        SpecialCase{"BrokenLink", BrokenLink, ReadFailure::CannotOpen, false},
        SpecialCase{"Sparse256MiB", Sparse256MiB, ReadFailure::TooLarge, true},
        SpecialCase{"OneByteTooLarge", OneByteTooLarge, ReadFailure::TooLarge, true},
        SpecialCase{"LinkToGoodFile", LinkToGoodFile, ReadFailure::None, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SpecialFile, TheBoundIs32MiB) {
    EXPECT_EQ(kMaxFileBytes, 33554432u);
}

TEST(SpecialFile, AFileOfExactlyTheBoundIsRead) {
    ResultsFiles files;
    const std::string path = files.path("largest.int");
    ASSERT_TRUE(vt::test::MakeSparseFile(path, kMaxFileBytes));
    vt::results::ModellingResults record;
    EXPECT_EQ(NameOf(vt::results::ReadModellingFile(record, path)), std::string("None"));
    EXPECT_EQ(record.LineCount, 1); // zero bytes throughout, no line end
    EXPECT_EQ(record.FileText.size(), kMaxFileBytes + 2);
}

TEST(SpecialFile, AnUnreadableFileCannotBeOpened) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "running as root: file permissions do not refuse root";
    ResultsFiles files;
    const std::string path = files.write(vt::test::kWidths5And7);
    ASSERT_EQ(::chmod(path.c_str(), 0), 0);
    vt::results::ModellingResults record;
    EXPECT_EQ(NameOf(vt::results::ReadModellingFile(record, path)), std::string("CannotOpen"));
}

// The reader takes the file in chunks of 64 KiB: a line end split between two
// chunks still ends one line.
TEST(ChunkedReading, ALineEndAcrossTwoChunksIsOneLineEnd) {
    constexpr std::size_t kChunk = std::size_t{1} << 16;
    struct Case {
        const char* name;
        std::string bytes;
        int lines;
        std::string text;
    };
    const std::string a(kChunk - 1, 'a');
    const std::string b(kChunk, 'b');
    const Case cases[] = {
        {"CrLfAcross", a + "\r\nx\r\n", 2, a + "\r\nx\r\n"},
        {"LoneCrAtChunkEnd", a + "\rx", 2, a + "\r\nx\r\n"},
        {"CrCrLfAcross", a + "\r\r\nx", 3, a + "\r\n\r\nx\r\n"},
        {"LfStartsTheNextChunk", b + "\nx\r\n", 1, b + "\nx\r\n"},
        {"CrEndsTheFile", a + "\r", 1, a + "\r\n"},
    };
    for (const Case& c : cases) {
        ResultsFiles files;
        vt::results::ModellingResults fromFile;
        ASSERT_TRUE(vt::results::ReadModellingText(fromFile, files.write(c.bytes))) << c.name;
        EXPECT_EQ(fromFile.LineCount, c.lines) << c.name;
        EXPECT_EQ(fromFile.FileText, c.text) << c.name;
        vt::results::ModellingResults fromBytes;
        ASSERT_TRUE(vt::results::ModellingTextFromBytes(fromBytes, c.bytes)) << c.name;
        EXPECT_EQ(fromBytes.FileText, c.text) << c.name;
    }
}

TEST(ChunkedReading, StopsAtTheFirstLinePastTheLimit) {
    // 40 000 lines: the reading ends with line 32 768 and reads no further.
    std::string text;
    for (int i = 1; i <= 40000; ++i)
        text += std::to_string(i) + "\r\n";
    ResultsFiles files;
    vt::results::ModellingResults record;
    EXPECT_EQ(NameOf(vt::results::ReadModellingFile(record, files.write(text))),
              std::string("TooManyLines"));
    EXPECT_EQ(record.LineCount, 32767);
    const std::string tail = "\r\n32767\r\n32768\r\n";
    ASSERT_GE(record.FileText.size(), tail.size());
    EXPECT_EQ(record.FileText.substr(record.FileText.size() - tail.size()), tail);
}

} // namespace
