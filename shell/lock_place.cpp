#include "shell/lock_place.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace dravik::shell {
namespace {

constexpr char kProgramFolder[] = "dravik";

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

std::string accountHome(uid_t user) {
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::string buffer(size > 0 ? static_cast<std::size_t>(size) : 16384, '\0');
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(user, &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr) return {};
    return found->pw_dir == nullptr ? std::string() : std::string(found->pw_dir);
}

// "/a/b//" → "/a/b"; anything but an absolute path → "".
std::string absoluteWithoutTrailingSlash(std::string path) {
    if (path.empty() || path.front() != '/') return {};
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

void closeKeepingErrno(int fd) {
    const int saved = errno;
    ::close(fd);
    errno = saved;
}

// Opens a directory, following symbolic links: the parent of a lock place
// (a cache directory on another disk behind a link is common). Creates it,
// mode 0700, when asked and missing; its own parent must exist.
int openParent(const std::string& path, bool create) {
    const std::string dir = path.empty() ? std::string("/") : path;
    int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT && create) {
        if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) return -1;
        fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    }
    return fd;
}

}  // namespace

LockEnvironment currentLockEnvironment() {
    LockEnvironment environment{environmentValue("XDG_RUNTIME_DIR"), environmentValue("XDG_CACHE_HOME"),
                                environmentValue("HOME")};
    if (environment.home.empty()) environment.home = accountHome(::getuid());
    return environment;
}

std::vector<LockPlace> lockPlaces(const LockEnvironment& environment) {
    std::vector<LockPlace> places;
    const std::string runtime = absoluteWithoutTrailingSlash(environment.runtimeDirectory);
    if (runtime.size() > 1) places.push_back({runtime, false});

    std::string cache = absoluteWithoutTrailingSlash(environment.cacheHome);
    if (cache.empty()) {
        const std::string home = absoluteWithoutTrailingSlash(environment.home);
        if (!home.empty()) cache = (home == "/" ? std::string() : home) + "/.cache";
    }
    if (!cache.empty()) places.push_back({(cache == "/" ? std::string() : cache) + "/" + kProgramFolder, true});
    return places;
}

bool isPrivateDirectory(mode_t mode, uid_t owner, uid_t user) {
    return S_ISDIR(mode) && owner == user && (mode & 0077) == 0;
}

std::optional<int> openPrivateDirectory(const LockPlace& place, uid_t user) {
    const std::string directory = absoluteWithoutTrailingSlash(place.directory);
    const std::size_t slash = directory.rfind('/');
    if (directory.size() <= 1 || slash == std::string::npos) return std::nullopt;
    const std::string name = directory.substr(slash + 1);

    const int parent = openParent(directory.substr(0, slash), place.createIfMissing);
    if (parent < 0) return std::nullopt;
    if (place.createIfMissing && ::mkdirat(parent, name.c_str(), 0700) != 0 && errno != EEXIST) {
        closeKeepingErrno(parent);
        return std::nullopt;
    }
    // O_NOFOLLOW: a symbolic link in place of the directory is refused (ELOOP
    // or ENOTDIR), whoever it points to.
    const int fd = ::openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    closeKeepingErrno(parent);
    if (fd < 0) return std::nullopt;
    struct stat seen {};
    if (::fstat(fd, &seen) != 0 || !isPrivateDirectory(seen.st_mode, seen.st_uid, user)) {
        closeKeepingErrno(fd);
        return std::nullopt;
    }
    return fd;
}

}  // namespace dravik::shell
