// The single-copy lock's place: which directories are tried, which are
// accepted as private, and that the lock never lands anywhere else.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "shell/instance_guard.h"
#include "shell/lock_place.h"

namespace fs = std::filesystem;
using dravik::shell::InstanceGuard;
using dravik::shell::isPrivateDirectory;
using dravik::shell::LockEnvironment;
using dravik::shell::LockPlace;
using dravik::shell::lockPlaces;
using dravik::shell::openPrivateDirectory;

namespace {

// A fresh directory (mode 0700, from mkdtemp), removed with all it holds.
class ScratchDirectory {
public:
    ScratchDirectory() {
        std::string pattern = (fs::temp_directory_path() / "lock_place_test.XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~ScratchDirectory() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

void makeDirectory(const std::string& path, mode_t mode) {
    ASSERT_EQ(::mkdir(path.c_str(), 0700), 0) << path;
    ASSERT_EQ(::chmod(path.c_str(), mode), 0) << path;  // not cut by the umask
}

mode_t modeOf(const std::string& path) {
    struct stat seen {};
    return ::lstat(path.c_str(), &seen) == 0 ? seen.st_mode : 0;
}

bool opens(const LockPlace& place) {
    const auto fd = openPrivateDirectory(place, ::getuid());
    if (fd) ::close(*fd);
    return fd.has_value();
}

}  // namespace

TEST(LockPlaces, RuntimeDirectoryFirstThenTheProgramsFolderInTheCache) {
    struct Case {
        LockEnvironment environment;
        std::vector<LockPlace> places;
    };
    const Case cases[] = {
        {{"/run/user/1000", "/home/li/.cache", "/home/li"},
         {{"/run/user/1000", false}, {"/home/li/.cache/dravik", true}}},
        {{"/run/user/1000", "", "/home/li"}, {{"/run/user/1000", false}, {"/home/li/.cache/dravik", true}}},
        {{"", "/var/cache/li", "/home/li"}, {{"/var/cache/li/dravik", true}}},
        {{"", "", "/home/li"}, {{"/home/li/.cache/dravik", true}}},
        {{"/run/user/1000///", "/c//", "/h"}, {{"/run/user/1000", false}, {"/c/dravik", true}}},
        {{"", "", "/"}, {{"/.cache/dravik", true}}},
        {{"", "/", "/home/li"}, {{"/dravik", true}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(lockPlaces(c.environment), c.places)
            << "runtime '" << c.environment.runtimeDirectory << "', cache '" << c.environment.cacheHome << "', home '"
            << c.environment.home << "'";
    }
}

TEST(LockPlaces, RelativePathsAreNeverUsedSoTheWorkingDirectoryNeverHoldsTheLock) {
    struct Case {
        LockEnvironment environment;
        std::vector<LockPlace> places;
    };
    const Case cases[] = {
        {{"run", "", "/home/li"}, {{"/home/li/.cache/dravik", true}}},
        {{".", "cache", "/home/li"}, {{"/home/li/.cache/dravik", true}}},
        {{"", "", "home/li"}, {}},
        {{"", "", "."}, {}},
        {{"", "", ""}, {}},
        {{"/", "", ""}, {}},
        {{"", "./cache", "~"}, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(lockPlaces(c.environment), c.places)
            << "runtime '" << c.environment.runtimeDirectory << "', cache '" << c.environment.cacheHome << "', home '"
            << c.environment.home << "'";
    }
}

TEST(PrivateDirectory, OwnedByTheUserWithNoAccessForAnyoneElse) {
    constexpr uid_t kUser = 1000;
    struct Case {
        mode_t mode;
        uid_t owner;
        bool isPrivate;
    };
    const Case cases[] = {
        {S_IFDIR | 0700, kUser, true},  {S_IFDIR | 0500, kUser, true},   {S_IFDIR | 0755, kUser, false},
        {S_IFDIR | 0750, kUser, false}, {S_IFDIR | 0710, kUser, false},  {S_IFDIR | 0701, kUser, false},
        {S_IFDIR | 0702, kUser, false}, {S_IFDIR | 01777, kUser, false}, {S_IFDIR | 0700, 0, false},
        {S_IFDIR | 0700, 65534, false}, {S_IFLNK | 0700, kUser, false},  {S_IFREG | 0600, kUser, false},
        {S_IFDIR | 02700, kUser, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isPrivateDirectory(c.mode, c.owner, kUser), c.isPrivate)
            << "mode " << std::oct << c.mode << std::dec << ", owner " << c.owner;
    }
}

TEST(OpenPrivateDirectory, AcceptsTheUsersOwnDirectoryAndRefusesOneOthersCanEnter) {
    ScratchDirectory scratch;
    makeDirectory(scratch / "private", 0700);
    makeDirectory(scratch / "open", 0755);
    makeDirectory(scratch / "group", 0770);
    EXPECT_TRUE(opens({scratch / "private", false}));
    EXPECT_FALSE(opens({scratch / "open", false}));
    EXPECT_FALSE(opens({scratch / "group", false}));
    EXPECT_FALSE(opens({scratch / "open", true})) << "an existing folder is not put right, only refused";
    EXPECT_EQ(modeOf(scratch / "open") & 07777, 0755u);
}

TEST(OpenPrivateDirectory, RefusesASymbolicLinkEvenToAPrivateDirectory) {
    ScratchDirectory scratch;
    makeDirectory(scratch / "private", 0700);
    ASSERT_EQ(::symlink((scratch / "private").c_str(), (scratch / "link").c_str()), 0);
    EXPECT_FALSE(opens({scratch / "link", false}));
    EXPECT_FALSE(opens({scratch / "link", true}));
    ASSERT_EQ(::symlink((scratch / "nowhere").c_str(), (scratch / "dangling").c_str()), 0);
    EXPECT_FALSE(opens({scratch / "dangling", true}));
    EXPECT_FALSE(fs::exists(scratch / "nowhere")) << "a link is never followed to create its target";
}

TEST(OpenPrivateDirectory, RefusesAFolderThatBelongsToAnotherUser) {
    if (::geteuid() != 0) GTEST_SKIP() << "planting a folder for another user needs root";
    ScratchDirectory scratch;
    makeDirectory(scratch / "dravik", 0700);
    ASSERT_EQ(::chown((scratch / "dravik").c_str(), 65534, 65534), 0);
    EXPECT_FALSE(opens({scratch / "dravik", true}));
    EXPECT_FALSE(opens({scratch / "dravik", false}));
}

TEST(OpenPrivateDirectory, CreatesTheCacheFolderPrivateButNeverTheRuntimeDirectory) {
    ScratchDirectory scratch;
    const mode_t oldMask = ::umask(0);  // a permissive umask must not open the folder up
    EXPECT_TRUE(opens({scratch / "cache/dravik", true}));
    ::umask(oldMask);
    EXPECT_EQ(modeOf(scratch / "cache/dravik"), S_IFDIR | 0700u);
    EXPECT_EQ(modeOf(scratch / "cache"), S_IFDIR | 0700u) << "a missing cache directory is made private too";

    EXPECT_FALSE(opens({scratch / "runtime", false}));
    EXPECT_FALSE(fs::exists(scratch / "runtime"));
    EXPECT_FALSE(opens({scratch / "a/b/dravik", true})) << "only the cache directory itself is created";
    EXPECT_FALSE(fs::exists(scratch / "a"));
}

TEST(OpenPrivateDirectory, RefusesAFileAndPathsThatNameNoFolder) {
    ScratchDirectory scratch;
    const int file = ::open((scratch / "dravik").c_str(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(file, 0);
    ::close(file);
    EXPECT_FALSE(opens({scratch / "dravik", true}));
    EXPECT_FALSE(opens({"/", false}));
    EXPECT_FALSE(opens({"", true}));
    EXPECT_FALSE(opens({"relative", true}));
    EXPECT_FALSE(fs::exists("relative"));
}

TEST(InstanceGuard, TheSecondGuardOnOneDirectorySeesTheFirstUntilItIsGone) {
    ScratchDirectory scratch;
    auto first = std::make_unique<InstanceGuard>(scratch.path());
    ASSERT_FALSE(first->isOff());
    EXPECT_EQ(first->lockFilePath(), scratch / "dravik.lock");
    EXPECT_FALSE(first->anotherCopyRunning());
    EXPECT_FALSE(first->anotherCopyRunning()) << "the copy holding the lock does not count itself";
    InstanceGuard second(scratch.path());
    EXPECT_TRUE(second.anotherCopyRunning());
    first.reset();
    InstanceGuard third(scratch.path());
    EXPECT_FALSE(third.anotherCopyRunning());
}

TEST(InstanceGuard, IsOffInADirectoryOthersCanEnterAndCreatesNothingThere) {
    ScratchDirectory scratch;
    makeDirectory(scratch / "open", 0755);
    InstanceGuard guard(scratch / "open");
    EXPECT_TRUE(guard.isOff());
    EXPECT_EQ(guard.lockFilePath(), "");
    EXPECT_FALSE(guard.anotherCopyRunning());
    EXPECT_FALSE(fs::exists(scratch / "open/dravik.lock"));
}

TEST(InstanceGuard, DoesNotFollowALinkPlantedInPlaceOfTheLockFile) {
    ScratchDirectory scratch;
    makeDirectory(scratch / "run", 0700);
    ASSERT_EQ(::symlink((scratch / "target").c_str(), (scratch / "run/dravik.lock").c_str()), 0);
    InstanceGuard guard(scratch / "run");
    EXPECT_TRUE(guard.isOff());
    EXPECT_FALSE(fs::exists(scratch / "target"));
}
