// Whether another copy of the program was already running when this one
// started, per user.
#pragma once

#include <sys/types.h>

#include <string>

namespace dravik::launch {

// The name every copy of `user`'s program takes, whatever its environment:
// it depends on nothing but the user id, so two copies agree on it even when
// their XDG_RUNTIME_DIR, XDG_CACHE_HOME, HOME or working directory differ.
std::string singleCopyName(uid_t user);

// Holds a name in the abstract Unix socket namespace for as long as this
// copy runs. The kernel frees the name the moment the process ends in any
// way, so a copy that crashed or was killed never blocks the next; binding
// is atomic, so of two copies started at the same moment exactly one gets
// it. Nothing is written to any disk.
//
// Anyone may bind any abstract name, so a copy that finds the name taken
// asks the holder's credentials (SO_PEERCRED) and counts it only when it runs
// as the same user: another user can neither fake this user's copy nor keep
// it from starting. When the name is held by another user, or by something
// that does not answer, or no socket can be had, the guard is off: it never
// reports another copy, and the program says so.
class InstanceGuard {
public:
    // The name of this process's effective user.
    InstanceGuard();
    // `name` instead, for tests that must not meet a real copy.
    explicit InstanceGuard(const std::string& name);
    ~InstanceGuard();
    InstanceGuard(const InstanceGuard&) = delete;
    InstanceGuard& operator=(const InstanceGuard&) = delete;

    // True when this copy could not tell whether another copy runs.
    bool isOff() const { return state_ == State::Off; }

    // True if another copy of the same user held the name when this guard
    // was made. The copy that holds the name answers false, so it never
    // counts itself; so does a guard that is off: a broken guard must not
    // keep the user from working.
    bool anotherCopyRunning() const { return state_ == State::AnotherCopy; }

private:
    enum class State { Held, AnotherCopy, Off };
    void take(const std::string& name);

    State state_ = State::Off;
    int fd_ = -1;
};

}  // namespace dravik::launch
