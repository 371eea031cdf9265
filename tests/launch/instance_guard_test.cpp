// The single-copy guard: one holder of a name per user, freed when its
// holder ends, never faked or blocked by another user.
#include "launch/instance_guard.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstddef>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include <gtest/gtest.h>

using dravik::launch::InstanceGuard;

namespace {

// A name no real copy and no other test uses.
std::string testName(const char* which) { return "dravik-test/" + std::to_string(::getpid()) + "/" + which; }

// Binds `name` as a plain socket, listening or not; -1 on failure.
int bindName(const std::string& name, bool listening) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path + 1, name.data(), name.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        (listening && ::listen(fd, 4) != 0)) {
        if (fd >= 0) ::close(fd);
        return -1;
    }
    return fd;
}

// A child process that takes a name with `take` (true when it holds it,
// and keeps holding it) and holds it until kill() or the end of the test.
class ChildHolder {
public:
    explicit ChildHolder(const std::function<bool()>& take) {
        int ready[2];
        if (::pipe(ready) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            // The pipe ends empty when the name cannot be had.
            if (take() && ::write(ready[1], "y", 1) == 1) ::pause();
            ::_exit(1);
        }
        ::close(ready[1]);
        char answer = 0;
        holds_ = pid_ > 0 && ::read(ready[0], &answer, 1) == 1;
        ::close(ready[0]);
    }
    ~ChildHolder() { kill(); }
    bool holds() const { return holds_; }
    void kill() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
    bool holds_ = false;
};

}  // namespace

TEST(InstanceGuard, TheSecondGuardOnOneNameSeesTheFirstUntilItIsGone) {
    const std::string name = testName("pair");
    auto first = std::make_unique<InstanceGuard>(name);
    ASSERT_FALSE(first->isOff());
    EXPECT_FALSE(first->anotherCopyRunning()) << "the copy holding the name does not count itself";
    InstanceGuard second(name);
    EXPECT_FALSE(second.isOff());
    EXPECT_TRUE(second.anotherCopyRunning());
    first.reset();
    InstanceGuard third(name);
    EXPECT_FALSE(third.anotherCopyRunning());
    EXPECT_FALSE(third.isOff());
}

TEST(InstanceGuard, AKilledHolderFreesTheNameAtOnce) {
    const std::string name = testName("killed");
    ChildHolder child([&name] { return !(new InstanceGuard(name))->isOff(); });
    ASSERT_TRUE(child.holds());
    EXPECT_TRUE(InstanceGuard(name).anotherCopyRunning());
    child.kill();
    EXPECT_FALSE(InstanceGuard(name).anotherCopyRunning());
}

TEST(InstanceGuard, IsOffWhenTheNameIsBoundByThingsThatDoNotAnswer) {
    const std::string name = testName("silent");
    const int squatter = bindName(name, false);
    ASSERT_GE(squatter, 0);
    InstanceGuard guard(name);
    EXPECT_TRUE(guard.isOff());
    EXPECT_FALSE(guard.anotherCopyRunning());
    ::close(squatter);
}

TEST(InstanceGuard, IsOffWhenAnotherUserHoldsTheName) {
    if (::geteuid() != 0) GTEST_SKIP() << "holding a name as another user needs root";
    const std::string name = testName("foreign");
    // nobody, listening: its credentials are what a copy sees.
    ChildHolder child([&name] { return ::setgid(65534) == 0 && ::setuid(65534) == 0 && bindName(name, true) >= 0; });
    ASSERT_TRUE(child.holds());
    InstanceGuard guard(name);
    EXPECT_TRUE(guard.isOff());
    EXPECT_FALSE(guard.anotherCopyRunning()) << "another user's holder is not this user's copy";
}
