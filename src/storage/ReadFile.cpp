#include "storage/ReadFile.h"

#include <cerrno>
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

template <typename Buffer>
ReadFileResult readInto(const std::string& path, Buffer& buffer, std::size_t limit) {
    buffer.clear();
    // O_NONBLOCK: opening a FIFO with no writer would otherwise wait forever. It changes nothing
    // for a regular file, and anything else is refused below before it is read.
    Descriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
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
        return failure(ReadFileStatus::TooLarge, "cannot read: file too large");
    // The size is a first guess only: a file that grows or shrinks meanwhile is read to its end,
    // but never past the limit.
    buffer.reserve(static_cast<std::size_t>(info.st_size));
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
            buffer.clear();
            return failure(ReadFileStatus::TooLarge, "cannot read: file too large");
        }
        buffer.insert(buffer.end(), chunk, chunk + got);
    }
    return ReadFileResult();
}
}  // namespace

ReadFileResult readWholeFile(const std::string& path, std::vector<unsigned char>& bytes, std::size_t limit) {
    return readInto(path, bytes, limit);
}

ReadFileResult readWholeFile(const std::string& path, std::string& text, std::size_t limit) {
    return readInto(path, text, limit);
}
