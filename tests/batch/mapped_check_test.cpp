// A file's encoding is decided from a read-only mapping of it: the answer
// must be the one the bytes give, wherever reading began, and a file that
// cannot be mapped or shrinks under the mapping must give "cannot tell", not
// a crash.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "batch/byte_stream.h"
#include "batch/text_encoding.h"

namespace {

using namespace dravik::batch;

// A temporary file holding `bytes`, open for reading at `offset`.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& bytes, long long offset = 0) {
        char name[] = "/tmp/dravik-mapped-XXXXXX";
        fd_ = ::mkstemp(name);
        ::unlink(name);
        EXPECT_EQ(::write(fd_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
        ::lseek(fd_, static_cast<off_t>(offset), SEEK_SET);
    }
    ~TemporaryFile() { ::close(fd_); }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    int fd() const { return fd_; }

private:
    int fd_ = -1;
};

TEST(MappedCheck, TellsTheWholeFileFromWhereReadingBegan) {
    const std::string ascii(3 * 4096 + 17, 'a');
    const std::string chinese = "形状,暗柱\n";
    struct Case {
        std::string bytes;
        long long offset;
        bool valid;
    };
    const Case cases[] = {
        {ascii + chinese, 0, true},
        {ascii + chinese + "\xB0\xB5\xD6\xF9", 0, false},  // GB18030 at the very end
        {"\xB0\xB5" + ascii, 0, false},                    // and at the very start
        {"\xB0\xB5" + ascii, 2, true},                     // but reading began after it
        {ascii + "\xE5\xBD", 0, false},                    // a character cut off by the end
        {"abc\xB0\xB5" + ascii, 4097, true},               // reading began past the first page
        {"", 0, true},
    };
    for (const Case& c : cases) {
        TemporaryFile file(c.bytes, c.offset);
        FdSource source(file.fd());
        EXPECT_EQ(source.wholeInputIsValidUtf8(), std::optional<bool>(c.valid)) << c.offset << " " << c.bytes.size();
        EXPECT_EQ(c.valid, isValidUtf8(std::string_view(c.bytes).substr(static_cast<std::size_t>(c.offset))));
    }
}

TEST(MappedCheck, APipeCannotTell) {
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    ASSERT_EQ(::write(ends[1], "abc\n", 4), 4);
    FdSource source(ends[0]);
    EXPECT_EQ(source.wholeInputIsValidUtf8(), std::nullopt);
    ::close(ends[0]);
    ::close(ends[1]);
}

// Pages of a mapping beyond the end of the file cannot be read (SIGBUS), as
// when the file is cut short while it is checked.
TEST(MappedCheck, AFileShorterThanItsMappingCannotTell) {
    TemporaryFile file(std::string(100, 'a'));
    EXPECT_EQ(mappedIsValidUtf8(file.fd(), 0, 3 * 4096), std::nullopt);
    // The guard is gone afterwards, and the check works again.
    EXPECT_EQ(mappedIsValidUtf8(file.fd(), 0, 100), std::optional<bool>(true));
}

}  // namespace
