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
    std::string reason;  // "" when Ok; otherwise e.g. "cannot open: No such file or directory"

    bool ok() const { return status == ReadFileStatus::Ok; }
};

// The largest file of each kind the game and its tools read, checked against the file's size before
// a byte is read: each is far beyond anything real of its kind (the shipped database is a few
// kilobytes, the largest model about 30), and keeps a stray huge file from taking the memory.
constexpr std::size_t MEBIBYTE = std::size_t(1) << 20;
constexpr std::size_t LARGEST_DATABASE_FILE = 64 * MEBIBYTE;
constexpr std::size_t LARGEST_MODEL_FILE = 32 * MEBIBYTE;
constexpr std::size_t LARGEST_VERTEX_PROGRAM = MEBIBYTE / 16;
constexpr std::size_t LARGEST_CONTENT_SOURCE = 16 * MEBIBYTE;
constexpr std::size_t LARGEST_SQUAD_FILE = MEBIBYTE;

// Reads the whole regular file at `path` into `bytes` (emptied first), holding it once. A file
// larger than `limit` is refused before it is read, with both sizes in the reason ("too large:
// 2.0 GiB, more than the 64 MiB a game database may have", `what` naming the kind of file). On
// failure `bytes` is empty.
ReadFileResult readWholeFile(const std::string& path, std::vector<unsigned char>& bytes, std::size_t limit,
                             const std::string& what);
// The same into a string.
ReadFileResult readWholeFile(const std::string& path, std::string& text, std::size_t limit,
                             const std::string& what);
// The last `count` bytes of the regular file (all of it when shorter) and its size, after the same
// checks, so that a reader can test a file's end before it reads the rest.
ReadFileResult readFileEnd(const std::string& path, std::size_t count, std::vector<unsigned char>& tail,
                           std::size_t& fileSize, std::size_t limit, const std::string& what);

// A byte count for messages: "512 bytes", "64 KiB", "2.0 GiB".
std::string sizeText(unsigned long long bytes);
