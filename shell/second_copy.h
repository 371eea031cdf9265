// The refusal to run beside another copy of the program, made once at start,
// before any window of this copy exists.
#pragma once

namespace dravik::launch {
class InstanceGuard;
}

namespace dravik::shell {

// If another copy was already running when this one started, says so in a
// modal message box (caption "Dravik", the message, one OK button, no icon),
// waits until the user dismisses it and returns true: this copy then ends
// without showing a window. Otherwise returns false at once; this copy now
// holds the lock.
bool refuseIfAnotherCopyRuns(launch::InstanceGuard& guard);

}  // namespace dravik::shell
