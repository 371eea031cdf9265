#include "shell/instance_guard.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QDir>
#include <QStandardPaths>
#include <cerrno>

namespace dravik::shell {

InstanceGuard::InstanceGuard(QString lockDirectory) {
    if (lockDirectory.isEmpty()) {
        // Qt checks that the runtime directory belongs to the user and is 0700,
        // and creates a private one under the temporary directory if needed.
        lockDirectory = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    }
    path_ = QDir(lockDirectory).filePath(QStringLiteral("dravik.lock"));
}

InstanceGuard::~InstanceGuard() {
    if (fd_ >= 0) ::close(fd_);
}

bool InstanceGuard::anotherCopyRunning() {
    if (held_) return false;
    if (fd_ < 0) {
        const QByteArray file = QFile::encodeName(path_);
        // O_NOFOLLOW: a symbolic link planted in place of the lock file is not followed.
        fd_ = ::open(file.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd_ < 0) return false;
    }
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
