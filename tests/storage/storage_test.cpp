// The save helper and the reading helper, each once, table-driven, on what a
// user can name: new and old files, links, FIFOs with and without a reader,
// device nodes made here, folders, names too long, a read-only file system
// and one filled to the last byte.
#include "storage/readfile.h"
#include "storage/savefile.h"
#include "tests/support/specialfiles.h"
#include "tests/support/tmpfs.h"

#include <QDir>
#include <QTemporaryDir>
#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <future>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vt::test {
namespace {

using storage::Accept;
using storage::ReadProblem;

// The bytes of a file or FIFO; a folder or device gives none (a device of
// this test's own may be endless).
std::string Slurp(const std::string& path) {
    std::string bytes;
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && (S_ISCHR(info.st_mode) || S_ISDIR(info.st_mode)))
        return bytes;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
    if (fd < 0)
        return "(missing)";
    char buffer[4096];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, static_cast<std::size_t>(n));
    ::close(fd);
    return bytes;
}

bool Put(const std::string& path, const std::string& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    const bool written =
        ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    return ::close(fd) == 0 && written;
}

mode_t TypeOf(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 ? (info.st_mode & S_IFMT) : 0;
}

// Everything a descriptor gives until its writer closes, read on another
// thread; the descriptor is closed then.
std::future<std::string> ReadAllLater(int fd) {
    return std::async(std::launch::async, [fd] {
        std::string bytes;
        char buffer[4096];
        for (ssize_t n; fd >= 0 && (n = ::read(fd, buffer, sizeof buffer)) > 0;)
            bytes.append(buffer, static_cast<std::size_t>(n));
        if (fd >= 0)
            ::close(fd);
        return bytes;
    });
}

class StorageTest : public ::testing::Test {
public:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    std::string path(const std::string& name) const {
        return QFile::encodeName(dir_.filePath(QString::fromStdString(name))).toStdString();
    }
    QStringList entries(const std::string& folder) const {
        return QDir(QString::fromStdString(folder))
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }

protected:
    QTemporaryDir dir_;
};

// One save per row. `prepare` makes what the name stands for and returns the
// path to save to (empty: the row cannot run here, with `skip` saying why);
// after the save, `where` is read back and the folder's entries counted.
struct SaveRow {
    const char* name;
    std::function<std::string(StorageTest&, std::string& skip)> prepare;
    std::string reason;   // empty: saved
    std::string where;    // the file whose bytes are checked afterwards
    std::string expected; // its bytes afterwards
    mode_t type;          // the type of `where` afterwards (links: of the link)
};

TEST_F(StorageTest, SavesWholeOrNotAtAllAndWritesStraightIntoWhatIsNoFile) {
    const std::string kNew = "new bytes\n";
    const SaveRow rows[] = {
        {"a new file", [](StorageTest& t, std::string&) { return t.path("new.txt"); }, "",
         "new.txt", kNew, S_IFREG},
        {"an older file is replaced",
         [](StorageTest& t, std::string&) {
             Put(t.path("old.txt"), "older and longer bytes\n");
             return t.path("old.txt");
         },
         "", "old.txt", kNew, S_IFREG},
        {"a link: its file replaced, the link kept",
         [](StorageTest& t, std::string&) {
             Put(t.path("real.txt"), "older\n");
             MakeLink("real.txt", t.path("link.txt"));
             return t.path("link.txt");
         },
         "", "real.txt", kNew, S_IFREG},
        {"a link to a name not yet there makes the file",
         [](StorageTest& t, std::string&) {
             MakeLink("later.txt", t.path("dangling.txt"));
             return t.path("dangling.txt");
         },
         "", "later.txt", kNew, S_IFREG},
        {"links in a circle",
         [](StorageTest& t, std::string&) {
             MakeLink("b", t.path("a"));
             MakeLink("a", t.path("b"));
             return t.path("a");
         },
         "Too many levels of symbolic links", "a", "(missing)", S_IFLNK},
        {"a folder",
         [](StorageTest& t, std::string&) {
             QDir().mkpath(QString::fromStdString(t.path("folder")));
             return t.path("folder");
         },
         "it is a folder", "folder", "", S_IFDIR},
        {"a folder that is not there",
         [](StorageTest& t, std::string&) { return t.path("missing/new.txt"); },
         "No such file or directory", "missing/new.txt", "(missing)", 0},
        {"a name too long",
         [](StorageTest& t, std::string&) { return t.path(std::string(256, 'n')); },
         "File name too long", std::string(256, 'n'), "(missing)", 0},
        {"a FIFO nothing reads from",
         [](StorageTest& t, std::string&) {
             MakeFifo(t.path("fifo"));
             return t.path("fifo");
         },
         "nothing reads from it", "fifo", "", S_IFIFO},
        {"a device that takes everything",
         [](StorageTest& t, std::string& skip) {
             if (!MakeCharDevice(t.path("null"), 1, 3)) {
                 skip = "no device node can be made here (not root, or a folder without devices)";
                 return std::string();
             }
             return t.path("null");
         },
         "", "null", "", S_IFCHR},
        {"a device that is always full",
         [](StorageTest& t, std::string& skip) {
             if (!MakeCharDevice(t.path("full"), 1, 7)) {
                 skip = "no device node can be made here (not root, or a folder without devices)";
                 return std::string();
             }
             return t.path("full");
         },
         "No space left on device", "full", "", S_IFCHR},
    };
    for (const SaveRow& row : rows) {
        SCOPED_TRACE(row.name);
        std::string skip;
        const std::string target = row.prepare(*this, skip);
        if (target.empty()) {
            std::cout << "[  SKIPPED ROW ] " << row.name << ": " << skip << '\n';
            continue;
        }
        const auto before = entries(path("")).size();
        const auto failure = storage::SaveBytes(target, kNew);
        EXPECT_EQ(failure ? failure->reason : std::string(), row.reason);
        EXPECT_EQ(Slurp(path(row.where)), row.expected);
        EXPECT_EQ(TypeOf(path(row.where)), row.type);
        // Nothing left beside it: a new name is the one entry a save adds.
        EXPECT_LE(entries(path("")).size(), before + (row.reason.empty() ? 1u : 0u));
    }
    EXPECT_EQ(TypeOf(path("link.txt")), static_cast<mode_t>(S_IFLNK));
}

TEST_F(StorageTest, ASaveKeepsTheReplacedFilesPermissionsAndANewFileFollowsTheUmask) {
    ASSERT_TRUE(Put(path("kept.txt"), "old"));
    ASSERT_EQ(::chmod(path("kept.txt").c_str(), 0640), 0);
    ASSERT_FALSE(storage::SaveBytes(path("kept.txt"), "new"));
    const mode_t mask = ::umask(022);
    ASSERT_FALSE(storage::SaveBytes(path("fresh.txt"), "new"));
    ::umask(mask);
    for (const auto& [name, mode] : {std::pair{"kept.txt", 0640}, std::pair{"fresh.txt", 0644}}) {
        struct stat info {};
        ASSERT_EQ(::stat(path(name).c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, static_cast<mode_t>(mode)) << name;
    }
}

TEST_F(StorageTest, AFifoWithAReaderAndADescriptorsNameGetTheBytesStraight) {
    // Larger than a pipe holds, so the writer waits on the reader in between.
    const std::string bytes(256 * 1024, 'p');
    ASSERT_TRUE(MakeFifo(path("fifo")));
    // The reader is there before the save (which never waits for one) and
    // reads once the writer is.
    const int reader = ::open(path("fifo").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    storage::SaveFile save(path("fifo"));
    ASSERT_TRUE(save.open()) << save.failure()->reason;
    EXPECT_TRUE(save.direct());
    ASSERT_EQ(::fcntl(reader, F_SETFL, O_RDONLY), 0);
    auto read = ReadAllLater(reader);
    ASSERT_TRUE(save.write(bytes.substr(0, 1000)));
    ASSERT_TRUE(save.write(bytes.substr(1000)));
    ASSERT_TRUE(save.commit());
    EXPECT_EQ(read.get(), bytes);
    EXPECT_EQ(TypeOf(path("fifo")), static_cast<mode_t>(S_IFIFO));

    // /dev/stdout and /dev/fd/N name a descriptor: written into, not replaced.
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    const std::string name = "/proc/self/fd/" + std::to_string(ends[1]);
    EXPECT_FALSE(storage::SaveBytes(name, "through the pipe"));
    ::close(ends[1]);
    char buffer[64] = {};
    EXPECT_EQ(std::string(buffer, static_cast<std::size_t>(::read(ends[0], buffer, sizeof buffer))),
              "through the pipe");
    ::close(ends[0]);
    // A reader that has gone: a failure, not the end of the program.
    ASSERT_EQ(::pipe(ends), 0);
    ::close(ends[0]);
    const auto gone = storage::SaveBytes("/proc/self/fd/" + std::to_string(ends[1]), "lost");
    ::close(ends[1]);
    ASSERT_TRUE(gone);
    EXPECT_EQ(gone->error, EPIPE);
}

TEST_F(StorageTest, AnAbandonedOrFailedSaveLeavesTheOlderFileAndNoTemporaryFile) {
    if (geteuid() != 0)
        GTEST_SKIP() << "a full disk and a read-only file system are mounted for root only";
    struct Row {
        const char* name;
        const char* size;
        bool full;
        bool readOnly;
        bool abandon;
        std::string reason;
    };
    const Row rows[] = {
        {"abandoned part way", "1m", false, false, true, ""},
        {"a disk filled to the last byte", "64k", true, false, false, "No space left on device"},
        {"a read-only file system", "1m", false, true, false, "Read-only file system"},
    };
    int index = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString folder = dir_.filePath(QStringLiteral("mount%1").arg(index++));
        Tmpfs tmpfs(folder, row.size);
        if (!tmpfs.mounted())
            GTEST_SKIP() << "no tmpfs can be mounted here";
        const std::string file = QFile::encodeName(folder).toStdString() + "/kept.txt";
        ASSERT_TRUE(Put(file, "older"));
        if (row.full)
            Fill(folder);
        if (row.readOnly) {
            ASSERT_TRUE(tmpfs.makeReadOnly());
        }
        const QStringList before = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        storage::SaveFile save(file);
        bool saved = save.open();
        for (int i = 0; saved && i < 64; ++i)
            saved = save.write(std::string(4096, 'n'));
        if (row.abandon) {
            EXPECT_TRUE(saved);
            save.abandon();
        } else {
            EXPECT_FALSE(saved && save.commit());
        }
        EXPECT_EQ(save.failure() ? save.failure()->reason : std::string(), row.reason);
        EXPECT_FALSE(save.failure() && save.failure()->partial);
        EXPECT_EQ(Slurp(file), "older");
        EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), before);
    }
}

// One read per row: what the name stands for, what is accepted, the bound,
// and the bytes or the refusal.
struct ReadRow {
    const char* name;
    std::function<std::string(StorageTest&, std::string& skip)> prepare;
    Accept accept;
    std::uint64_t limit;
    std::optional<ReadProblem::Kind> refusal;
    std::string reason;
    std::string bytes;
};

TEST_F(StorageTest, ReadsNeverWaitOnAWindowsBehalfAndStayWithinTheirBound) {
    const auto file = [](const char* name, std::string bytes) {
        return [name, bytes](StorageTest& t, std::string&) {
            Put(t.path(name), bytes);
            return t.path(name);
        };
    };
    const auto fifo = [](StorageTest& t, std::string&) {
        MakeFifo(t.path("fifo"));
        return t.path("fifo");
    };
    const auto zero = [](StorageTest& t, std::string& skip) {
        if (TypeOf(t.path("zero")) != S_IFCHR && !MakeCharDevice(t.path("zero"), 1, 5)) {
            skip = "no device node can be made here (not root, or a folder without devices)";
            return std::string();
        }
        return t.path("zero");
    };
    using Kind = ReadProblem::Kind;
    const ReadRow rows[] = {
        {"a file", file("a.txt", "abc"), Accept::RegularFiles, 3, std::nullopt, "", "abc"},
        {"a file one byte too large", file("b.txt", "abcd"), Accept::RegularFiles, 3,
         Kind::TooLarge, "it is too large", ""},
        {"a huge file, refused unread",
         [](StorageTest& t, std::string&) {
             MakeSparseFile(t.path("huge"), std::uint64_t{1} << 40);
             return t.path("huge");
         },
         Accept::Streams, 1 << 20, Kind::TooLarge, "it is too large", ""},
        {"a link to a file",
         [](StorageTest& t, std::string&) {
             Put(t.path("target.txt"), "linked");
             MakeLink("target.txt", t.path("link.txt"));
             return t.path("link.txt");
         },
         Accept::RegularFiles, 100, std::nullopt, "", "linked"},
        {"a missing file", [](StorageTest& t, std::string&) { return t.path("none"); },
         Accept::Streams, 100, Kind::CannotOpen, "No such file or directory", ""},
        {"a name too long",
         [](StorageTest& t, std::string&) { return t.path(std::string(256, 'n')); },
         Accept::RegularFiles, 100, Kind::CannotOpen, "File name too long", ""},
        {"a folder",
         [](StorageTest& t, std::string&) {
             QDir().mkpath(QString::fromStdString(t.path("folder")));
             return t.path("folder");
         },
         Accept::Streams, 100, Kind::NotARegularFile, "it is a folder", ""},
        {"a FIFO where a file is wanted", fifo, Accept::RegularFiles, 100, Kind::NotARegularFile,
         "it is a pipe, not a file", ""},
        {"a device where a file is wanted", zero, Accept::RegularFiles, 100, Kind::NotARegularFile,
         "it is a device, not a file", ""},
        {"an endless device as a stream", zero, Accept::Streams, 1 << 20, Kind::TooLarge,
         "it is too large", ""},
    };
    for (const ReadRow& row : rows) {
        SCOPED_TRACE(row.name);
        std::string skip;
        const std::string target = row.prepare(*this, skip);
        if (target.empty()) {
            std::cout << "[  SKIPPED ROW ] " << row.name << ": " << skip << '\n';
            continue;
        }
        // A read that waited on the FIFO would be freed by the watchdog and
        // fail the row, instead of hanging the test.
        FifoWatchdog watchdog(path("fifo"));
        std::string bytes;
        const auto problem = storage::ReadWhole(target, row.accept, row.limit, bytes);
        EXPECT_FALSE(watchdog.stop());
        EXPECT_EQ(problem ? std::optional(problem->kind) : std::nullopt, row.refusal);
        EXPECT_EQ(problem ? problem->failure.reason : std::string(), row.reason);
        EXPECT_EQ(problem ? row.bytes : bytes, row.bytes);
        // Never more than one byte past the bound is taken in.
        EXPECT_LE(bytes.size(), row.limit);
    }
}

TEST_F(StorageTest, AStreamIsReadToItsEndAndRefusedOneBytePastItsBound) {
    for (const std::size_t size : {std::size_t{0}, std::size_t{100000}, std::size_t{100001}}) {
        SCOPED_TRACE(size);
        ::unlink(path("fifo").c_str());
        ASSERT_TRUE(MakeFifo(path("fifo")));
        const std::string sent(size, 's');
        auto writer = std::async(std::launch::async, [this, &sent] {
            const int fd = ::open(path("fifo").c_str(), O_WRONLY);
            for (std::size_t done = 0; fd >= 0 && done < sent.size();) {
                const ssize_t n = ::write(fd, sent.data() + done, sent.size() - done);
                if (n <= 0)
                    break;
                done += static_cast<std::size_t>(n);
            }
            if (fd >= 0)
                ::close(fd);
        });
        std::string bytes;
        const auto problem = storage::ReadWhole(path("fifo"), Accept::Streams, 100000, bytes);
        writer.wait();
        EXPECT_EQ(problem.has_value(), size > 100000);
        EXPECT_EQ(problem ? sent : bytes, sent);
    }
}

} // namespace
} // namespace vt::test
