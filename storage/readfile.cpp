#include "storage/readfile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vt::storage {

namespace {

ReadProblem ProblemOf(ReadProblem::Kind kind, int error) {
    return ReadProblem{kind, FailureOf(error)};
}

ReadProblem NotAFile(const struct stat& info) {
    const char* what = S_ISDIR(info.st_mode)    ? "it is a folder"
                       : S_ISFIFO(info.st_mode) ? "it is a pipe, not a file"
                                                : "it is a device, not a file";
    return ReadProblem{ReadProblem::Kind::NotARegularFile,
                       Failure{S_ISDIR(info.st_mode) ? EISDIR : EINVAL, what, false}};
}

} // namespace

InputFile::~InputFile() {
    if (fd_ >= 0)
        ::close(fd_);
}

std::optional<ReadProblem> InputFile::open(const std::string& path, Accept accept,
                                           std::uint64_t limit) {
    limit_ = limit;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return ProblemOf(ReadProblem::Kind::CannotOpen, errno);
    const bool regularOnly = accept == Accept::RegularFiles;
    if (S_ISDIR(info.st_mode) || (regularOnly && !S_ISREG(info.st_mode)))
        return NotAFile(info);
    // A window never waits: a FIFO put in the file's place since it was looked
    // at opens at once and is refused below. A command line waits for the
    // writer of a pipe it was given, as any reader of a pipe does.
    const int flags = O_RDONLY | O_NOCTTY | O_CLOEXEC | (regularOnly ? O_NONBLOCK : 0);
    for (;;) {
        fd_ = ::open(path.c_str(), flags);
        if (fd_ >= 0 || errno != EINTR)
            break;
    }
    if (fd_ < 0)
        return ProblemOf(ReadProblem::Kind::CannotOpen, errno);
    if (::fstat(fd_, &info) != 0)
        return ProblemOf(ReadProblem::Kind::CannotOpen, errno);
    if (S_ISDIR(info.st_mode) || (regularOnly && !S_ISREG(info.st_mode)))
        return NotAFile(info);
    if (S_ISREG(info.st_mode)) {
        size_ = static_cast<std::uint64_t>(info.st_size);
        if (size_ > limit_)
            return ReadProblem{ReadProblem::Kind::TooLarge,
                               Failure{EFBIG, "it is too large", false}};
    }
    return std::nullopt;
}

std::optional<ReadProblem> InputFile::read(char* buffer, std::size_t capacity, std::size_t& got) {
    got = 0;
    if (fd_ < 0)
        return ProblemOf(ReadProblem::Kind::CannotRead, EBADF);
    // Never more than one byte past the bound is asked for.
    const std::uint64_t room = limit_ - std::min(total_, limit_) + 1;
    const std::size_t wanted = room < capacity ? static_cast<std::size_t>(room) : capacity;
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, wanted);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return ProblemOf(ReadProblem::Kind::CannotRead, errno);
        got = static_cast<std::size_t>(n);
        break;
    }
    total_ += got;
    if (total_ > limit_) {
        got = 0;
        // A file that grew while being read, or a stream longer than the bound.
        return ReadProblem{ReadProblem::Kind::TooLarge, Failure{EFBIG, "it is too large", false}};
    }
    return std::nullopt;
}

} // namespace vt::storage
