// The yardstick for dravik-batch's throughput: the least any program must do
// with a batch file, and nothing more.
//
//   parse_yardstick FILE > out.csv
//
// It reads FILE in blocks, splits lines and cells with memchr, reads every
// non-empty cell of an input column with std::from_chars, and writes each
// line back with three constant result cells, through one output buffer.
// No text rule, no formula, no quoting: dravik-batch's time over this
// program's time is what the real work costs on top of reading and writing.
// A cell's quotes are not understood; the last column (a note) may be split
// at a comma inside quotes, which only matters for cells after the inputs.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "sections/shapes.h"

namespace {

constexpr std::size_t kBlockSize = 1 << 20;
constexpr std::string_view kResultHeader = ",zjmj,zjl,tjpgl";
constexpr std::string_view kResultCells = ", 3996, 1.25, 1.19";

bool isInputName(std::string_view name) {
    for (const auto* shape : dravik::sections::allShapes()) {
        for (const auto& input : shape->inputs) {
            if (input.name == name) return true;
        }
    }
    return false;
}

class Output {
public:
    Output() { buffer_.reserve(2 * kBlockSize); }
    ~Output() { flush(); }
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    void append(std::string_view bytes) {
        buffer_.append(bytes);
        if (buffer_.size() >= kBlockSize) flush();
    }
    void flush() {
        const char* data = buffer_.data();
        std::size_t left = buffer_.size();
        while (left > 0) {
            const ssize_t written = ::write(STDOUT_FILENO, data, left);
            if (written < 0 && errno == EINTR) continue;
            if (written <= 0) {
                failed_ = true;
                break;
            }
            data += written;
            left -= static_cast<std::size_t>(written);
        }
        buffer_.clear();
    }
    bool failed() const { return failed_; }

private:
    std::string buffer_;
    bool failed_ = false;
};

struct Totals {
    long long numbers = 0;
    double sum = 0;
};

// One line without its line end: cells split at commas, the input columns'
// non-empty cells read as numbers.
void readCells(std::string_view line, const std::vector<bool>& numeric, Totals& totals) {
    const char* cell = line.data();
    const char* const end = line.data() + line.size();
    for (std::size_t column = 0;; ++column) {
        const auto* comma = static_cast<const char*>(std::memchr(cell, ',', static_cast<std::size_t>(end - cell)));
        const char* const cellEnd = comma != nullptr ? comma : end;
        if (column < numeric.size() && numeric[column] && cellEnd > cell) {
            double value = 0;
            if (std::from_chars(cell, cellEnd, value).ec == std::errc{}) {
                ++totals.numbers;
                totals.sum += value;
            }
        }
        if (comma == nullptr) break;
        cell = comma + 1;
    }
}

std::vector<bool> inputColumns(std::string_view header) {
    std::vector<bool> numeric;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = header.find(',', start);
        numeric.push_back(isInputName(header.substr(start, comma == std::string_view::npos ? comma : comma - start)));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return numeric;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: parse_yardstick FILE > out.csv\n", stderr);
        return 2;
    }
    const int fd = ::open(argv[1], O_RDONLY);
    if (fd < 0) {
        std::perror(argv[1]);
        return 1;
    }
    Output out;
    Totals totals;
    std::vector<bool> numeric;
    bool header = true;
    std::string block(kBlockSize, '\0');
    std::size_t held = 0;  // bytes of an unfinished line at the block's start
    while (true) {
        if (held == block.size()) block.resize(2 * block.size());  // a line longer than a block
        const ssize_t got = ::read(fd, block.data() + held, block.size() - held);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            std::perror(argv[1]);
            return 1;
        }
        const std::size_t filled = held + static_cast<std::size_t>(got);
        const char* line = block.data();
        const char* const end = block.data() + filled;
        while (line < end) {
            const auto* newline =
                static_cast<const char*>(std::memchr(line, '\n', static_cast<std::size_t>(end - line)));
            if (newline == nullptr && got > 0) break;  // wait for the rest of the line
            const char* const lineEnd = newline != nullptr ? newline : end;
            const std::string_view text(line, static_cast<std::size_t>(lineEnd - line));
            out.append(text);
            if (header) {
                numeric = inputColumns(text);
                out.append(kResultHeader);
                header = false;
            } else {
                readCells(text, numeric, totals);
                out.append(kResultCells);
            }
            out.append("\n");
            line = newline != nullptr ? newline + 1 : end;
        }
        held = static_cast<std::size_t>(end - line);
        std::memmove(block.data(), line, held);
        if (got == 0) break;
    }
    ::close(fd);
    out.flush();
    if (std::getenv("PARSE_YARDSTICK_TOTALS") != nullptr) {
        std::fprintf(stderr, "%lld numbers, sum %.17g\n", totals.numbers, totals.sum);
    }
    return out.failed() ? 1 : 0;
}
