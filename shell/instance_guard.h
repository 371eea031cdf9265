// Whether another copy of the program was already running when this one
// started, per user.
#pragma once

#include <QString>

namespace dravik::shell {

// Holds an exclusive advisory lock (flock) on a file in the user's runtime
// directory for as long as this copy runs. The kernel drops the lock when the
// process ends in any way, so a copy that crashed or was killed never blocks
// the next start, and of two copies started at the same moment exactly one
// gets it. The directory is the user's own (XDG_RUNTIME_DIR, or a private
// 0700 directory that Qt creates), so another user can neither hold nor fake
// this user's lock.
class InstanceGuard {
public:
    // `lockDirectory` empty: the user's runtime directory.
    explicit InstanceGuard(QString lockDirectory = {});
    ~InstanceGuard();
    InstanceGuard(const InstanceGuard&) = delete;
    InstanceGuard& operator=(const InstanceGuard&) = delete;

    // True if another copy holds the lock. The first call takes the lock when
    // it is free; later calls in the copy that holds it answer false, so this
    // copy never counts itself. If the lock file cannot be opened at all, the
    // answer is false: a broken lock must not keep the user from working.
    bool anotherCopyRunning();

    QString lockFilePath() const { return path_; }

private:
    QString path_;
    int fd_ = -1;
    bool held_ = false;
};

}  // namespace dravik::shell
