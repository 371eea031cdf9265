#include "batch/byte_stream.h"

#include <poll.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csetjmp>
#include <csignal>
#include <cstring>
#include <string_view>

#include "batch/text_encoding.h"

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

// Where a bus error in a mapped file returns to; set only while the check of
// a mapping runs (the program has one thread).
sigjmp_buf* busErrorReturn = nullptr;

extern "C" void onBusError(int) { siglongjmp(*busErrorReturn, 1); }

}  // namespace

std::optional<bool> mappedIsValidUtf8(int fd, long long offset, std::size_t size) {
    if (size == 0) return true;
    const long page = ::sysconf(_SC_PAGESIZE);
    if (page <= 0 || offset < 0) return std::nullopt;
    const long long start = offset - offset % page;
    const std::size_t length = size + static_cast<std::size_t>(offset - start);
    void* const mapping = ::mmap(nullptr, length, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, static_cast<off_t>(start));
    if (mapping == MAP_FAILED) return std::nullopt;
    const std::string_view bytes(static_cast<const char*>(mapping) + (offset - start), size);
    // Nothing with a destructor lives between the jump's start and its end.
    struct sigaction guard {};
    struct sigaction previous {};
    guard.sa_handler = onBusError;
    sigemptyset(&guard.sa_mask);
    sigjmp_buf jump;
    busErrorReturn = &jump;
    ::sigaction(SIGBUS, &guard, &previous);
    volatile int outcome = -1;  // -1: a page could not be read
    if (sigsetjmp(jump, 1) == 0) outcome = validUtf8Prefix(bytes) == size ? 1 : 0;
    ::sigaction(SIGBUS, &previous, nullptr);
    busErrorReturn = nullptr;
    ::munmap(mapping, length);
    if (outcome < 0) return std::nullopt;
    return outcome == 1;
}

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

std::optional<bool> FdSource::wholeInputIsValidUtf8() {
    struct stat info {};
    if (error_ != 0 || start_ < 0 || ::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    if (info.st_size < start_) return std::nullopt;
    return mappedIsValidUtf8(fd_, start_, static_cast<std::size_t>(info.st_size - start_));
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
