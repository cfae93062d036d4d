// Reading a file without ever waiting on it and with a bound on its size.
// Standard library and POSIX only.
//
// The program's windows read regular files only: the path is looked at
// first, so that a pipe or device is never opened, and the open itself does
// not block and is checked again, for a path swapped in between. A command
// line may also read a pipe or a device (its input); it is read as a stream,
// the bound checked as each piece arrives.
#pragma once

#include "storage/savefile.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace vt::storage {

// What a read accepts besides a regular file.
enum class Accept {
    RegularFiles, // a pipe, device or folder is refused, never waited on
    Streams,      // a pipe or device is read to its end too (a folder is not)
};

// Why a read failed.
struct ReadProblem {
    enum class Kind {
        CannotOpen,      // missing, not permitted, a name too long
        NotARegularFile, // a folder, pipe or device where a file was wanted
        TooLarge,        // more than the bound
        CannotRead,      // a read failed part way
    };
    Kind kind = Kind::CannotOpen;
    Failure failure; // errno and its text, or our own reason
};

// One file being read.
class InputFile {
public:
    InputFile() = default;
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Opens `path` to read at most `limit` bytes; a regular file larger than
    // that is refused before a byte is read.
    std::optional<ReadProblem> open(const std::string& path, Accept accept, std::uint64_t limit);

    // The next bytes into `buffer`: `got` is 0 at the end. A refusal once
    // more than the bound has arrived.
    std::optional<ReadProblem> read(char* buffer, std::size_t capacity, std::size_t& got);

    // The size of a regular file when it was opened; 0 for a stream.
    std::uint64_t size() const { return size_; }

private:
    int fd_ = -1;
    std::uint64_t size_ = 0;
    std::uint64_t limit_ = 0;
    std::uint64_t total_ = 0;
};

// A whole file of at most `limit` bytes appended to `out` (whose type has
// reserve, size and append(const char*, size)): nothing on success.
template <typename Bytes>
std::optional<ReadProblem> ReadWhole(const std::string& path, Accept accept, std::uint64_t limit,
                                     Bytes& out) {
    InputFile file;
    if (auto problem = file.open(path, accept, limit))
        return problem;
    if (file.size() > 0)
        out.reserve(static_cast<decltype(out.size())>(static_cast<std::uint64_t>(out.size()) +
                                                      file.size()));
    char chunk[1 << 16];
    for (;;) {
        std::size_t got = 0;
        if (auto problem = file.read(chunk, sizeof chunk, got))
            return problem;
        if (got == 0)
            return std::nullopt;
        out.append(chunk, static_cast<decltype(out.size())>(got));
    }
}

} // namespace vt::storage
