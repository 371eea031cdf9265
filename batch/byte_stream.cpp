#include "batch/byte_stream.h"

#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace dravik::batch {
namespace {

// Waits until a non-blocking descriptor is ready; false on an error.
bool waitFor(int fd, short events) {
    pollfd p{fd, events, 0};
    for (;;) {
        const int n = ::poll(&p, 1, -1);
        if (n > 0) return true;
        if (n < 0 && errno != EINTR) return false;
    }
}

}  // namespace

FdSource::FdSource(int fd) : fd_(fd) {
    // Only a regular file can be read twice; a pipe or terminal cannot.
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) start_ = ::lseek(fd, 0, SEEK_CUR);
}

std::size_t FdSource::read(char* buffer, std::size_t capacity) {
    if (error_ != 0) return 0;
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, capacity);
        if (n >= 0) return static_cast<std::size_t>(n);
        if (errno == EINTR) continue;
        if ((errno == EAGAIN || errno == EWOULDBLOCK) && waitFor(fd_, POLLIN)) continue;
        error_ = errno;
        return 0;
    }
}

bool FdSource::rewind() {
    return error_ == 0 && start_ >= 0 && ::lseek(fd_, static_cast<off_t>(start_), SEEK_SET) == start_;
}

bool FdSink::write(const char* data, std::size_t size) {
    if (error_ != 0) return false;
    while (size > 0) {
        const ssize_t n = ::write(fd_, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            if ((errno == EAGAIN || errno == EWOULDBLOCK) && waitFor(fd_, POLLOUT)) continue;
            error_ = errno;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

std::size_t MemorySource::read(char* buffer, std::size_t capacity) {
    const std::size_t n = std::min({capacity, piece_, data_.size()});
    if (n > 0) std::memcpy(buffer, data_.data(), n);
    data_.remove_prefix(n);
    return n;
}

}  // namespace dravik::batch
