#include "launch/instance_guard.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <ctime>
#include <string>

namespace dravik::launch {
namespace {

// Times a copy tries again when the name is taken but its holder does not
// answer yet: it may have bound the name a moment ago and not be listening,
// or have ended a moment ago. A holder that still does not answer after
// about 50 ms is not a copy of ours.
constexpr int kAttempts = 6;
constexpr long kPauseNanoseconds = 10'000'000;

// The address of an abstract name: a NUL byte, then the name, no NUL after.
struct AbstractAddress {
    sockaddr_un address{};
    socklen_t length = 0;
    explicit AbstractAddress(const std::string& name) {
        address.sun_family = AF_UNIX;
        const std::size_t size = std::min(name.size(), sizeof address.sun_path - 1);
        std::memcpy(address.sun_path + 1, name.data(), size);
        length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + size);
    }
    const sockaddr* get() const { return reinterpret_cast<const sockaddr*>(&address); }
};

void closeKeepingErrno(int fd) {
    const int saved = errno;
    ::close(fd);
    errno = saved;
}

enum class Holder { Ours, Foreign, Silent };

// Who holds `address`: a process of this effective user, another user's, or
// nothing that answers (a name bound without listening, a holder gone, a
// full queue of connections).
Holder holderOf(const AbstractAddress& address) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return Holder::Silent;
    Holder holder = Holder::Silent;
    if (::connect(fd, address.get(), address.length) == 0) {
        // The credentials the holder had when it started listening.
        ucred credentials{};
        socklen_t size = sizeof credentials;
        if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &size) == 0) {
            holder = credentials.uid == ::geteuid() ? Holder::Ours : Holder::Foreign;
        }
    }
    closeKeepingErrno(fd);
    return holder;
}

}  // namespace

std::string singleCopyName(uid_t user) { return "dravik/single-copy/uid-" + std::to_string(user); }

InstanceGuard::InstanceGuard() { take(singleCopyName(::geteuid())); }

InstanceGuard::InstanceGuard(const std::string& name) { take(name); }

InstanceGuard::~InstanceGuard() {
    if (fd_ >= 0) ::close(fd_);
}

void InstanceGuard::take(const std::string& name) {
    const AbstractAddress address(name);
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        // SOCK_CLOEXEC: a program this copy starts does not inherit the name.
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0) return;
        if (::bind(fd, address.get(), address.length) == 0) {
            // Listening lets a later copy ask who holds the name; its
            // connection waits in the queue, never accepted, until this copy
            // ends.
            if (::listen(fd, SOMAXCONN) != 0) {
                ::close(fd);
                return;
            }
            fd_ = fd;
            state_ = State::Held;
            return;
        }
        const int error = errno;
        ::close(fd);
        if (error != EADDRINUSE) return;
        switch (holderOf(address)) {
            case Holder::Ours: state_ = State::AnotherCopy; return;
            case Holder::Foreign: return;
            case Holder::Silent: break;
        }
        const timespec pause{0, kPauseNanoseconds};
        ::nanosleep(&pause, nullptr);
    }
}

}  // namespace dravik::launch
