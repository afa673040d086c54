#pragma once
// The one way the game and its tools read a file whole: the database, the models, the vertex
// program and the content sources. Only a regular file is read; a directory, a FIFO or a device
// is refused before any byte is read (so nothing blocks or throws), and every failure comes back
// as a short reason for the caller's own diagnostic line.

#include <cstddef>
#include <string>
#include <vector>

// What went wrong, for callers whose messages differ between a file that is not there and a file
// that is there but cannot be read.
enum class ReadFileStatus {
    Ok,
    CannotOpen,      // missing, no permission, ...: open(2) failed
    NotRegularFile,  // a directory, a FIFO, a device, a socket
    TooLarge,        // larger than the caller's limit
    ReadError        // open, but reading failed part way
};

struct ReadFileResult {
    ReadFileStatus status = ReadFileStatus::Ok;
    std::string reason;   // "" when Ok; otherwise e.g. "cannot open: No such file or directory"

    bool ok() const { return status == ReadFileStatus::Ok; }
};

// No file the game reads comes near this; it keeps a stray huge file from exhausting memory.
constexpr std::size_t defaultReadLimit = std::size_t(1) << 30;

// Reads the whole regular file at `path` into `bytes` (emptied first). On failure `bytes` is empty.
ReadFileResult readWholeFile(const std::string& path, std::vector<unsigned char>& bytes,
                             std::size_t limit = defaultReadLimit);
// The same into a string.
ReadFileResult readWholeFile(const std::string& path, std::string& text, std::size_t limit = defaultReadLimit);
