#include "shell/instance_guard.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "shell/lock_place.h"

namespace dravik::shell {
namespace {

constexpr char kLockFileName[] = "dravik.lock";

}  // namespace

InstanceGuard::InstanceGuard() {
    for (const LockPlace& place : lockPlaces(currentLockEnvironment())) {
        openLockFileIn(place.directory, place.createIfMissing);
        if (fd_ >= 0) return;
    }
}

InstanceGuard::InstanceGuard(const std::string& directory) { openLockFileIn(directory, false); }

InstanceGuard::~InstanceGuard() {
    if (fd_ >= 0) ::close(fd_);
}

void InstanceGuard::openLockFileIn(const std::string& directory, bool createIfMissing) {
    const std::optional<int> dir = openPrivateDirectory({directory, createIfMissing}, ::getuid());
    if (!dir) return;
    // Opened relative to the checked descriptor; O_NOFOLLOW: a symbolic link
    // in place of the lock file is not followed.
    fd_ = ::openat(*dir, kLockFileName, O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    ::close(*dir);
    if (fd_ >= 0) path_ = directory + "/" + kLockFileName;
}

bool InstanceGuard::anotherCopyRunning() {
    if (held_ || fd_ < 0) return false;
    int rc;
    do {
        rc = ::flock(fd_, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc == 0) {
        held_ = true;
        return false;
    }
    return errno == EWOULDBLOCK;
}

}  // namespace dravik::shell
