#include "batch/byte_stream.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace dravik::batch {

std::size_t FdSource::read(char* buffer, std::size_t capacity) {
    if (error_ != 0) return 0;
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, capacity);
        if (n >= 0) return static_cast<std::size_t>(n);
        if (errno == EINTR) continue;
        error_ = errno;
        return 0;
    }
}

bool FdSink::write(const char* data, std::size_t size) {
    if (error_ != 0) return false;
    while (size > 0) {
        const ssize_t n = ::write(fd_, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
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
