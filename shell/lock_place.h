// Where the single-copy lock may live: only in a directory that belongs to
// the user and that no one else can enter or write. Free of Qt, so that the
// choice can be tested on its own.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace dravik::shell {

// The environment the choice depends on. Unset and empty are alike.
struct LockEnvironment {
    std::string runtimeDirectory;  // XDG_RUNTIME_DIR
    std::string cacheHome;         // XDG_CACHE_HOME
    std::string home;              // HOME, or the home directory of the user's account entry
};

// The environment of this process.
LockEnvironment currentLockEnvironment();

// A directory that may hold the lock, if it turns out to be private.
struct LockPlace {
    std::string directory;  // absolute, no trailing slash
    // True for the program's own folder in the cache directory: it is created
    // (mode 0700) when missing, and so is the cache directory itself. The
    // runtime directory is never created: it is the session's to make.
    bool createIfMissing = false;
    bool operator==(const LockPlace&) const = default;
};

// The places to try, best first:
//   1. the runtime directory itself, when XDG_RUNTIME_DIR is absolute;
//   2. "<cache>/dravik", where <cache> is XDG_CACHE_HOME when absolute,
//      otherwise "<home>/.cache" when the home directory is absolute.
// A relative path is never used, so the lock can never land in the working
// directory. Example: {"", "", "/home/li"} gives {"/home/li/.cache/dravik", true}.
std::vector<LockPlace> lockPlaces(const LockEnvironment& environment);

// True for a directory owned by `user` with no permission at all for group
// or others: the rule the runtime directory must keep, and the one the
// program's cache folder is created with. A symbolic link is not a directory
// here: the caller passes what lstat or fstat on an O_NOFOLLOW descriptor saw.
bool isPrivateDirectory(mode_t mode, uid_t owner, uid_t user);

// Opens `place.directory` for `user` without following a symbolic link in
// its last component, creating it first when the place allows, and checks on
// the open descriptor that it is private (so a directory swapped in after the
// check is never the one used). Returns the directory descriptor (O_CLOEXEC),
// or nothing when the place is missing, not private, or cannot be opened.
std::optional<int> openPrivateDirectory(const LockPlace& place, uid_t user);

}  // namespace dravik::shell
