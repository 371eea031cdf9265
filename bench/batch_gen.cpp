// Writes a CSV file of mixed-shape rows for the batch throughput benchmark:
//   batch_gen ROWS > file.csv
// The rows cycle through the four shapes with values drawn from the
// drop-down lists by a fixed pseudo-random sequence, so every run of the
// benchmark reads the same file. Each row has an id, a storey and a note
// (every 16th note needs quotes); the cells of inputs the row's shape lacks
// are left empty.
#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>

#include "sections/shapes.h"

namespace {

constexpr std::array<std::string_view, 25> kColumns = {
    "shape", "a",    "b",    "c",   "d",   "e",   "f",   "zj1zj", "zj2zj", "zj1sl", "zj2sl", "dgzj",
    "xgzj",  "hxsl", "zxsl", "asl", "bsl", "csl", "dsl", "esl",   "fsl",   "gjjj",  "bhhd"};

struct Random {
    std::uint64_t state = 0x9E3779B97F4A7C15u;
    std::uint32_t next() {
        state = state * 6364136223846793005u + 1442695040888963407u;
        return static_cast<std::uint32_t>(state >> 33);
    }
    int pick(std::span<const int> values) { return values[next() % values.size()]; }
};

constexpr int kWide[] = {400, 500, 600, 700, 800, 900, 1000, 1100, 1200};
constexpr int kLimb[] = {200, 250, 300, 350, 400, 450, 500, 550, 600};
constexpr int kBar[] = {16, 18, 20, 22, 25, 28, 32};
constexpr int kHoop[] = {8, 10, 12, 14};
constexpr int kSpacing[] = {100, 120, 150, 200};
constexpr int kCover[] = {15, 20, 25, 30};
constexpr int kCount[] = {2, 3, 4, 5, 6, 8, 10, 12, 16};

// The list a column's values come from.
std::span<const int> valuesFor(std::string_view name) {
    if (name == "a" || name == "b") return kWide;
    if (name.size() == 1) return kLimb;
    if (name == "zj1zj" || name == "zj2zj") return kBar;
    if (name == "dgzj" || name == "xgzj") return kHoop;
    if (name == "gjjj") return kSpacing;
    if (name == "bhhd") return kCover;
    return kCount;
}

void appendInt(std::string& out, long long value) {
    char digits[24];
    const auto res = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, res.ptr);
}

}  // namespace

int main(int argc, char** argv) {
    long long rows = 1'000'000;
    if (argc > 1) {
        const std::string_view arg = argv[1];
        if (std::from_chars(arg.data(), arg.data() + arg.size(), rows).ec != std::errc{} || rows < 0) {
            std::fputs("usage: batch_gen ROWS\n", stderr);
            return 2;
        }
    }
    const auto shapes = dravik::sections::allShapes();
    std::string out = "id,storey";
    for (std::string_view column : kColumns) {
        if (column.empty()) continue;
        out += ',';
        out += column;
    }
    out += ",note\n";
    Random random;
    for (long long row = 0; row < rows; ++row) {
        const auto& shape = *shapes[static_cast<std::size_t>(row) % shapes.size()];
        out += 'W';
        appendInt(out, row + 1);
        out += ',';
        appendInt(out, static_cast<long long>(random.next() % 40) - 2);
        out += 'F';
        for (std::string_view column : kColumns) {
            if (column.empty()) continue;
            out += ',';
            if (column == "shape") {
                out += row % 8 < 4 ? shape.windowName : shape.typeName;
                continue;
            }
            bool has = false;
            for (const auto& input : shape.inputs) has = has || input.name == column;
            if (has) appendInt(out, random.pick(valuesFor(column)));
        }
        out += row % 16 == 0 ? ",\"checked, see \"\"B2\"\"\"\n" : ",ok\n";
        if (out.size() > (1u << 20)) {
            std::fwrite(out.data(), 1, out.size(), stdout);
            out.clear();
        }
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
