// Whether another copy of the program was already running when this one
// started, per user.
#pragma once

#include <string>

namespace dravik::shell {

// Holds an exclusive advisory lock (flock) on a file for as long as this copy
// runs. The kernel drops the lock when the process ends in any way, so a copy
// that crashed or was killed never blocks the next start, and of two copies
// started at the same moment exactly one gets it.
//
// The file lives only in a directory that belongs to the user and that no one
// else can enter (see lock_place.h): the runtime directory, otherwise the
// program's folder in the user's cache directory. So another user can neither
// hold nor fake this user's lock, and copies started from different working
// directories find the same lock. When no such directory can be had, the
// guard is off: it never reports another copy.
class InstanceGuard {
public:
    // The lock's place chosen from this process's environment.
    InstanceGuard();
    // The lock in `directory`, which must be private to the user like any
    // other place; otherwise the guard is off.
    explicit InstanceGuard(const std::string& directory);
    ~InstanceGuard();
    InstanceGuard(const InstanceGuard&) = delete;
    InstanceGuard& operator=(const InstanceGuard&) = delete;

    // True when no private directory could hold the lock file.
    bool isOff() const { return fd_ < 0; }
    // The lock file, or "" when the guard is off.
    const std::string& lockFilePath() const { return path_; }

    // True if another copy holds the lock. The first call takes the lock when
    // it is free; later calls in the copy that holds it answer false, so this
    // copy never counts itself. A guard that is off answers false: a broken
    // lock must not keep the user from working.
    bool anotherCopyRunning();

private:
    void openLockFileIn(const std::string& directory, bool createIfMissing);

    std::string path_;
    int fd_ = -1;
    bool held_ = false;
};

}  // namespace dravik::shell
