// Saving a file whole or not at all, and writing straight into what is not a
// file (a device, a pipe, standard output). Standard library and POSIX only.
//
// A regular file (or a new name) is written to a temporary file beside it,
// flushed to the disk and renamed over the old one, so a failed save leaves
// the older file as it was; a link to a regular file replaces the file it
// points to and keeps the link. A device or a FIFO is written straight into,
// every write and the close checked; a FIFO that nothing reads from is
// refused at once instead of waiting for a reader. A folder is refused.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vt::storage {

// Why a save or a read failed.
struct Failure {
    int error = 0;        // errno, or 0 for a reason of our own
    std::string reason;   // errno's text ("No space left on device") or our own
    bool partial = false; // a device or FIFO may hold part of what was written

    // Whether the reason is a lack of room (a full disk or quota), or unknown.
    bool mayBeFull() const;
};

// The reason a failed call gives: errno's text.
Failure FailureOf(int error);

// One save: open, write in as many pieces as wanted, then commit or abandon.
// Every step after a failure fails with the first failure kept.
class SaveFile {
public:
    explicit SaveFile(std::string path);
    ~SaveFile(); // abandons a save not committed
    SaveFile(const SaveFile&) = delete;
    SaveFile& operator=(const SaveFile&) = delete;

    bool open();
    bool write(std::string_view bytes);
    // Flushes and puts the file in place; true when every byte is there.
    bool commit();
    // Throws away the temporary file (a device or FIFO keeps what it got).
    void abandon();

    const std::optional<Failure>& failure() const { return failure_; }
    // Written straight into a device, FIFO or descriptor, not replaced.
    bool direct() const { return direct_; }
    // The file that is written or replaced (a link's target).
    const std::string& target() const { return target_; }

private:
    bool fail(Failure failure);
    bool openDirect(const std::string& path, bool append);
    bool openReplacement();

    std::string path_;
    std::string target_;
    std::string temporary_;
    int fd_ = -1;
    bool direct_ = false;
    bool done_ = false;
    unsigned mode_ = 0; // the replaced file's permissions, or the new file's
    bool keepOwner_ = false;
    unsigned owner_ = 0;
    unsigned group_ = 0;
    std::optional<Failure> failure_;
};

// The whole save in one call: nothing when every byte was saved.
std::optional<Failure> SaveBytes(const std::string& path, std::string_view bytes);

} // namespace vt::storage
