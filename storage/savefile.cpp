#include "storage/savefile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace vt::storage {

namespace {

constexpr int kMaxLinks = 40; // as the system follows them
constexpr std::size_t kTemporaryStem = 200;

// Where a save goes, with every link followed.
struct Destination {
    enum class Kind { New, Regular, Folder, Special, Descriptor } kind = Kind::New;
    std::string path;
    struct stat info {};
};

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Join(const std::string& folder, const std::string& name) {
    return folder == "/" ? "/" + name : folder + "/" + name;
}

std::optional<Failure> Resolve(const std::string& path, Destination& destination) {
    if (path.empty())
        return FailureOf(ENOENT);
    std::string current = path;
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        const std::string name = NameOf(current);
        if (name.empty() || name == "." || name == "..") {
            struct stat info {};
            if (::stat(current.c_str(), &info) != 0)
                return FailureOf(errno);
            destination.kind =
                S_ISDIR(info.st_mode) ? Destination::Kind::Folder : Destination::Kind::Special;
            destination.path = current;
            return std::nullopt;
        }
        char* real = ::realpath(FolderOf(current).c_str(), nullptr);
        if (!real)
            return FailureOf(errno);
        const std::string folder(real);
        std::free(real);
        // A name of an open descriptor (/dev/stdout, /dev/fd/N): opened as
        // named, never replaced, since what it stands for is not a path.
        if (folder.rfind("/proc/", 0) == 0) {
            destination.kind = Destination::Kind::Descriptor;
            destination.path = current;
            return std::nullopt;
        }
        const std::string full = Join(folder, name);
        struct stat info {};
        if (::lstat(full.c_str(), &info) != 0) {
            if (errno != ENOENT)
                return FailureOf(errno);
            destination.kind = Destination::Kind::New;
            destination.path = full;
            return std::nullopt;
        }
        if (S_ISLNK(info.st_mode)) {
            char target[PATH_MAX];
            const ssize_t n = ::readlink(full.c_str(), target, sizeof target);
            if (n < 0)
                return FailureOf(errno);
            if (static_cast<std::size_t>(n) >= sizeof target)
                return FailureOf(ENAMETOOLONG);
            const std::string link(target, static_cast<std::size_t>(n));
            current = !link.empty() && link[0] == '/' ? link : Join(folder, link);
            continue;
        }
        destination.path = full;
        destination.info = info;
        destination.kind = S_ISDIR(info.st_mode)   ? Destination::Kind::Folder
                           : S_ISREG(info.st_mode) ? Destination::Kind::Regular
                                                   : Destination::Kind::Special;
        return std::nullopt;
    }
    return FailureOf(ELOOP);
}

unsigned NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666u & ~static_cast<unsigned>(mask);
}

// write(2) into a pipe whose reader has gone raises SIGPIPE, which would end
// the program: it is held back for the write and a pending one taken away,
// so that the write fails with EPIPE instead.
class QuietPipe {
public:
    QuietPipe() {
        sigset_t pipe;
        sigemptyset(&pipe);
        sigaddset(&pipe, SIGPIPE);
        sigpending(&before_);
        ::pthread_sigmask(SIG_BLOCK, &pipe, &saved_);
    }
    ~QuietPipe() {
        sigset_t now;
        sigpending(&now);
        if (sigismember(&now, SIGPIPE) && !sigismember(&before_, SIGPIPE)) {
            sigset_t pipe;
            sigemptyset(&pipe);
            sigaddset(&pipe, SIGPIPE);
            const timespec none{0, 0};
            while (::sigtimedwait(&pipe, nullptr, &none) < 0 && errno == EINTR) {
            }
        }
        ::pthread_sigmask(SIG_SETMASK, &saved_, nullptr);
    }
    QuietPipe(const QuietPipe&) = delete;
    QuietPipe& operator=(const QuietPipe&) = delete;

private:
    sigset_t saved_{};
    sigset_t before_{};
};

} // namespace

bool Failure::mayBeFull() const {
    return error == 0 || error == ENOSPC || error == EDQUOT || error == EFBIG;
}

Failure FailureOf(int error) {
    return Failure{error, std::strerror(error), false};
}

SaveFile::SaveFile(std::string path)
    : path_(std::move(path)) {}

SaveFile::~SaveFile() {
    abandon();
}

// The first failure is kept, and nothing is left behind: the temporary file
// goes at once.
bool SaveFile::fail(Failure failure) {
    if (!failure_)
        failure_ = std::move(failure);
    abandon();
    return false;
}

bool SaveFile::open() {
    if (failure_ || fd_ >= 0 || done_)
        return fail(FailureOf(EBADF));
    Destination destination;
    if (auto failure = Resolve(path_, destination))
        return fail(*failure);
    target_ = destination.path;
    switch (destination.kind) {
    case Destination::Kind::Folder:
        return fail(Failure{EISDIR, "it is a folder", false});
    case Destination::Kind::Descriptor:
        return openDirect(destination.path, true);
    case Destination::Kind::Special:
        return openDirect(destination.path, false);
    case Destination::Kind::New:
        mode_ = NewFileMode();
        return openReplacement();
    case Destination::Kind::Regular:
        mode_ = static_cast<unsigned>(destination.info.st_mode) & 07777u;
        keepOwner_ = true;
        owner_ = destination.info.st_uid;
        group_ = destination.info.st_gid;
        return openReplacement();
    }
    return fail(FailureOf(EINVAL));
}

bool SaveFile::openDirect(const std::string& path, bool append) {
    direct_ = true;
    // Never waiting for a FIFO's reader: without one the open fails at once.
    fd_ = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0) {
        const int error = errno;
        struct stat info {};
        if (error == ENXIO && ::stat(path.c_str(), &info) == 0 && S_ISFIFO(info.st_mode))
            return fail(Failure{error, "nothing reads from it", false});
        return fail(FailureOf(error));
    }
    struct stat info {};
    if (::fstat(fd_, &info) != 0)
        return fail(FailureOf(errno));
    if (S_ISREG(info.st_mode) && !append) {
        // A file put in the device's place since it was looked at: it is
        // replaced as every file is, never overwritten in place.
        ::close(fd_);
        fd_ = -1;
        direct_ = false;
        target_ = path;
        mode_ = static_cast<unsigned>(info.st_mode) & 07777u;
        return openReplacement();
    }
    // Writes wait for a slow reader from here on, and a file that standard
    // output was sent to is added to, not overwritten.
    int flags = ::fcntl(fd_, F_GETFL);
    if (flags < 0)
        return fail(FailureOf(errno));
    flags &= ~O_NONBLOCK;
    if (S_ISREG(info.st_mode))
        flags |= O_APPEND;
    if (::fcntl(fd_, F_SETFL, flags) != 0)
        return fail(FailureOf(errno));
    return true;
}

bool SaveFile::openReplacement() {
    const std::string name = NameOf(target_);
    temporary_ = Join(FolderOf(target_),
                      "." + name.substr(0, std::min(name.size(), kTemporaryStem)) + ".XXXXXX");
    fd_ = ::mkostemp(temporary_.data(), O_CLOEXEC);
    if (fd_ < 0) {
        const int error = errno;
        temporary_.clear();
        return fail(FailureOf(error));
    }
    if (::fchmod(fd_, static_cast<mode_t>(mode_)) != 0)
        return fail(FailureOf(errno));
    if (keepOwner_ && (owner_ != ::geteuid() || group_ != ::getegid())) {
        // Kept where the system allows it; a file of another owner that can
        // be written becomes the writer's, as any new file would.
        if (::fchown(fd_, static_cast<uid_t>(owner_), static_cast<gid_t>(group_)) != 0) {
        }
    }
    return true;
}

bool SaveFile::write(std::string_view bytes) {
    if (failure_)
        return false;
    if (fd_ < 0 || done_)
        return fail(FailureOf(EBADF));
    std::optional<QuietPipe> quiet;
    if (direct_)
        quiet.emplace();
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            Failure failure = FailureOf(n < 0 ? errno : ENOSPC);
            failure.partial = direct_;
            return fail(std::move(failure));
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool SaveFile::commit() {
    if (failure_) {
        abandon();
        return false;
    }
    if (fd_ < 0 || done_)
        return fail(FailureOf(EBADF));
    const auto closeFailed = [this](int error) {
        Failure failure = FailureOf(error);
        failure.partial = direct_;
        return fail(std::move(failure));
    };
    // The data reaches the disk before the name does: after a crash the
    // name holds the old file or the new one, never an empty one.
    if (!direct_ && ::fsync(fd_) != 0)
        return closeFailed(errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && errno != EINTR)
        return closeFailed(errno);
    if (!direct_) {
        if (::rename(temporary_.c_str(), target_.c_str()) != 0)
            return closeFailed(errno);
        temporary_.clear();
        const int folder = ::open(FolderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folder >= 0) {
            ::fsync(folder); // the rename itself; a folder that cannot is no failure
            ::close(folder);
        }
    }
    done_ = true;
    return true;
}

void SaveFile::abandon() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
    }
}

std::optional<Failure> SaveBytes(const std::string& path, std::string_view bytes) {
    SaveFile file(path);
    if (file.open() && file.write(bytes) && file.commit())
        return std::nullopt;
    file.abandon();
    return file.failure();
}

} // namespace vt::storage
