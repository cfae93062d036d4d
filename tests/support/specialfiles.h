// Test support: files that are not plain files (a pipe, a link to a device, a
// huge sparse file) and a watchdog that frees a reader stuck on a pipe, so
// that a test of code that must never wait on a pipe fails instead of hanging.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace vt::test {

inline bool MakeFifo(const std::string& path) {
    return ::mkfifo(path.c_str(), 0600) == 0;
}

inline bool MakeLink(const std::string& target, const std::string& path) {
    std::error_code error;
    std::filesystem::create_symlink(target, path, error);
    return !error;
}

// A character device node of the given numbers at `path` (root only; a
// folder mounted without devices refuses it): a test's own /dev/null (1, 3),
// /dev/zero (1, 5) or /dev/full (1, 7), never the machine's.
inline bool MakeCharDevice(const std::string& path, unsigned major, unsigned minor) {
    return ::mknod(path.c_str(), S_IFCHR | 0600, makedev(major, minor)) == 0;
}

// A file of `bytes` bytes that takes no room on the disk (a hole throughout).
inline bool MakeSparseFile(const std::string& path, std::uint64_t bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0)
        return false;
    const bool sized = ::ftruncate(fd, static_cast<off_t>(bytes)) == 0;
    ::close(fd);
    return sized;
}

// Watches a pipe while the code under test runs (any other entry at the path
// is left alone). After `patience` it opens
// the pipe's write end without blocking, which succeeds only if someone is
// waiting to read it; it then closes it at once, so that the reader sees an
// empty pipe and goes on. released() tells whether that was needed.
class FifoWatchdog {
public:
    explicit FifoWatchdog(std::string path,
                          std::chrono::milliseconds patience = std::chrono::milliseconds(2000))
        : path_(std::move(path))
        , thread_([this, patience] { watch(patience); }) {}
    FifoWatchdog(const FifoWatchdog&) = delete;
    FifoWatchdog& operator=(const FifoWatchdog&) = delete;
    ~FifoWatchdog() { stop(); }

    // Ends the watch; true when a reader had been stuck on the pipe.
    bool stop() {
        done_ = true;
        if (thread_.joinable())
            thread_.join();
        return released_;
    }
    bool released() const { return released_; }

private:
    void watch(std::chrono::milliseconds patience) {
        const auto deadline = std::chrono::steady_clock::now() + patience;
        while (!done_) {
            struct stat info {};
            if (std::chrono::steady_clock::now() >= deadline && ::stat(path_.c_str(), &info) == 0 &&
                S_ISFIFO(info.st_mode)) {
                const int fd = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) { // a reader was waiting
                    ::close(fd);
                    released_ = true;
                }
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

    std::string path_;
    std::atomic<bool> done_{false};
    std::atomic<bool> released_{false};
    std::thread thread_;
};

} // namespace vt::test
