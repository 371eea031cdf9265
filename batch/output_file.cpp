#include "batch/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <vector>

namespace dravik::batch {
namespace {

constexpr int kCleanedUpSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// The temporary file a signal removes; null when there is none. Set with
// the signals blocked, read by the handler.
std::atomic<const char*> temporaryToRemove = nullptr;
static_assert(std::atomic<const char*>::is_always_lock_free, "read in a signal handler");

// Only what is safe in a signal handler: unlink, then the signal again with
// its default action (SA_RESETHAND restored it), which ends the program once
// the handler returns and the signal is unblocked.
extern "C" void removeTemporaryAndEnd(int signal) {
    if (const char* path = temporaryToRemove.load()) ::unlink(path);
    ::raise(signal);
}

// Blocks the cleaned-up signals for its lifetime.
class SignalsHeld {
public:
    SignalsHeld() {
        sigset_t set;
        sigemptyset(&set);
        for (int s : kCleanedUpSignals) sigaddset(&set, s);
        ::sigprocmask(SIG_BLOCK, &set, &old_);
    }
    ~SignalsHeld() { ::sigprocmask(SIG_SETMASK, &old_, nullptr); }
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

private:
    sigset_t old_;
};

void installHandlers() {
    for (int s : kCleanedUpSignals) {
        struct sigaction old {};
        ::sigaction(s, nullptr, &old);
        if (old.sa_handler == SIG_IGN) continue;  // ignored by whoever started us (nohup): stays so
        struct sigaction action {};
        action.sa_handler = removeTemporaryAndEnd;
        sigemptyset(&action.sa_mask);
        // An unsigned constant with the top bit set, for a field of type int.
        action.sa_flags = static_cast<int>(SA_RESETHAND);
        ::sigaction(s, &action, nullptr);
    }
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The path a chain of symbolic links ends at (the path itself when it is no
// link); a link that points nowhere gives the name it points to. Past 40
// links the last one is given, and opening it fails as the system says.
std::string followLinks(std::string path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
        std::vector<char> target(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 4096) + 1);
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n < 0 || static_cast<std::size_t>(n) >= target.size()) return path;
        std::string next(target.data(), static_cast<std::size_t>(n));
        if (!next.starts_with('/')) next = folderOf(path) + "/" + next;
        path = std::move(next);
    }
    return path;
}

}  // namespace

OutputFile::~OutputFile() { discard(); }

int OutputFile::open(const std::string& path) {
    if (path.empty() || path == "-") return 0;
    path_ = path;
    target_ = followLinks(path);
    struct stat old {};
    const bool exists = ::stat(target_.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) {
        fd_ = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC);
        return fd_ < 0 ? errno : 0;
    }
    std::string name = target_.substr(target_.rfind('/') == std::string::npos ? 0 : target_.rfind('/') + 1);
    std::string temporary = folderOf(target_) + "/." + name + ".XXXXXX";
    installHandlers();
    {
        const SignalsHeld held;
        fd_ = ::mkstemp(temporary.data());
        if (fd_ < 0) return errno;
        temporary_ = std::move(temporary);
        temporaryToRemove = temporary_.c_str();
    }
    // The new file gets the old one's permissions and, where allowed, its
    // owner; else those a new file gets.
    mode_t mode;
    if (exists) {
        mode = old.st_mode & 07777;
        if (::fchown(fd_, old.st_uid, old.st_gid) != 0) {
            // Not allowed (another user's file): the file becomes ours.
        }
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd_, mode);
    return 0;
}

int OutputFile::commit() {
    if (path_.empty()) return 0;
    if (temporary_.empty()) return ::close(fd_) == 0 ? 0 : errno;
    if (::fsync(fd_) != 0 || ::close(fd_) != 0) {
        const int error = errno;
        fd_ = -1;
        discard();
        return error;
    }
    fd_ = -1;
    const SignalsHeld held;
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
        const int error = errno;
        discard();
        return error;
    }
    temporaryToRemove = nullptr;
    temporary_.clear();
    return 0;
}

void OutputFile::discard() {
    if (path_.empty()) return;
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (temporary_.empty()) return;
    const SignalsHeld held;
    ::unlink(temporary_.c_str());
    temporaryToRemove = nullptr;
    temporary_.clear();
}

}  // namespace dravik::batch
