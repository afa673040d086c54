#include "storage/ReadFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
ReadFileResult failure(ReadFileStatus status, std::string reason) {
    ReadFileResult result;
    result.status = status;
    result.reason = std::move(reason);
    return result;
}

// Closes the descriptor on every way out.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
};

ReadFileResult tooLarge(unsigned long long size, std::size_t limit, const std::string& what) {
    return failure(ReadFileStatus::TooLarge, "too large: " + sizeText(size) + ", more than the " +
                                                 sizeText(limit) + " " + what + " may have");
}

// Opens a regular file no larger than the limit for reading; `size` is its size then.
ReadFileResult openRegularFile(const std::string& path, Descriptor& file, std::size_t& size,
                               std::size_t limit, const std::string& what) {
    // O_NONBLOCK: opening a FIFO with no writer would otherwise wait forever. It changes nothing
    // for a regular file, and anything else is refused below before it is read.
    file.fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (file.fd < 0)
        return failure(ReadFileStatus::CannotOpen, std::string("cannot open: ") + std::strerror(errno));
    struct stat info;
    if (::fstat(file.fd, &info) != 0)
        return failure(ReadFileStatus::ReadError, std::string("cannot read: ") + std::strerror(errno));
    if (S_ISDIR(info.st_mode))
        return failure(ReadFileStatus::NotRegularFile, "cannot read: not a regular file (a directory)");
    if (!S_ISREG(info.st_mode))
        return failure(ReadFileStatus::NotRegularFile, "cannot read: not a regular file");
    int flags = ::fcntl(file.fd, F_GETFL);
    if (flags >= 0) ::fcntl(file.fd, F_SETFL, flags & ~O_NONBLOCK);
    if (info.st_size < 0 || static_cast<unsigned long long>(info.st_size) > limit)
        return tooLarge(static_cast<unsigned long long>(info.st_size), limit, what);
    size = static_cast<std::size_t>(info.st_size);
    return ReadFileResult();
}

template <typename Buffer>
ReadFileResult readInto(const std::string& path, Buffer& buffer, std::size_t limit, const std::string& what) {
    buffer.clear();
    Descriptor file{-1};
    std::size_t size = 0;
    ReadFileResult opened = openRegularFile(path, file, size, limit, what);
    if (!opened.ok()) return opened;
    // The size is a first guess only: a file that grows or shrinks meanwhile is read to its end,
    // but never past the limit.
    buffer.reserve(size);
    char chunk[65536];
    for (;;) {
        ssize_t got = ::read(file.fd, chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR) continue;
            int code = errno;
            buffer.clear();
            return failure(ReadFileStatus::ReadError, std::string("cannot read: ") + std::strerror(code));
        }
        if (got == 0) break;
        if (buffer.size() + static_cast<std::size_t>(got) > limit) {
            const unsigned long long grown = buffer.size() + static_cast<std::size_t>(got);
            buffer.clear();
            return tooLarge(grown, limit, what);
        }
        buffer.insert(buffer.end(), chunk, chunk + got);
    }
    return ReadFileResult();
}
}  // namespace

ReadFileResult readWholeFile(const std::string& path, std::vector<unsigned char>& bytes, std::size_t limit,
                             const std::string& what) {
    return readInto(path, bytes, limit, what);
}

ReadFileResult readWholeFile(const std::string& path, std::string& text, std::size_t limit,
                             const std::string& what) {
    return readInto(path, text, limit, what);
}

ReadFileResult readFileEnd(const std::string& path, std::size_t count, std::vector<unsigned char>& tail,
                           std::size_t& fileSize, std::size_t limit, const std::string& what) {
    tail.clear();
    fileSize = 0;
    Descriptor file{-1};
    ReadFileResult opened = openRegularFile(path, file, fileSize, limit, what);
    if (!opened.ok()) return opened;
    const std::size_t wanted = count < fileSize ? count : fileSize;
    tail.resize(wanted);
    std::size_t done = 0;
    while (done < wanted) {
        ssize_t got =
            ::pread(file.fd, tail.data() + done, wanted - done, static_cast<off_t>(fileSize - wanted + done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            int code = got < 0 ? errno : EIO;
            tail.clear();
            return failure(ReadFileStatus::ReadError, std::string("cannot read: ") + std::strerror(code));
        }
        done += static_cast<std::size_t>(got);
    }
    return ReadFileResult();
}

std::string sizeText(unsigned long long bytes) {
    const char* const units[] = {"KiB", "MiB", "GiB", "TiB"};
    if (bytes < 1024) return std::to_string(bytes) + " bytes";
    double value = double(bytes) / 1024;
    int unit = 0;
    while (value >= 1024 && unit < 3) {
        value /= 1024;
        ++unit;
    }
    char text[32];
    // Whole numbers as they are (the limits), others to one decimal.
    if (value == double(static_cast<unsigned long long>(value)))
        std::snprintf(text, sizeof text, "%llu %s", static_cast<unsigned long long>(value), units[unit]);
    else
        std::snprintf(text, sizeof text, "%.1f %s", value, units[unit]);
    return text;
}
