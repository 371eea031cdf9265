// The reader's 32-bytes-at-a-time way through a line of unquoted cells:
// the block marks against a byte-by-byte reading, and whole records against
// the cells they were written from, with commas, quotes and CRs at every
// position of a block.
#include <gtest/gtest.h>

#include <bit>
#include <random>
#include <string>
#include <vector>

#include "batch/byte_scan.h"
#include "batch/csv.h"

namespace {

using namespace dravik::batch;

// What a block holds, read one byte at a time.
scan::BlockMarks marksByteByByte(const char* block) {
    scan::BlockMarks m{0, 0, 0, 0};
    for (std::size_t k = 0; k < scan::kBlock; ++k) {
        if (block[k] == ',') m.commas |= 1u << k;
        if (block[k] == '\n') m.lineFeeds |= 1u << k;
        if (block[k] == '"') m.quotes |= 1u << k;
        if (block[k] == '\r') m.carriageReturns |= 1u << k;
    }
    return m;
}

void expectSameMarks(const char* block, scan::BlockMarks got, const char* way) {
    const scan::BlockMarks want = marksByteByByte(block);
    const std::string bytes(block, scan::kBlock);
    EXPECT_EQ(got.commas, want.commas) << way << ": " << bytes;
    EXPECT_EQ(got.lineFeeds, want.lineFeeds) << way << ": " << bytes;
    EXPECT_EQ(got.quotes, want.quotes) << way << ": " << bytes;
    EXPECT_EQ(got.carriageReturns, want.carriageReturns) << way << ": " << bytes;
}

// Bytes next to the marked ones in value (a comma is 0x2C, a quote 0x22, CR
// 0x0D, LF 0x0A) and with the high bit set, where a sloppy byte test goes wrong.
constexpr char kBytePool[] = {',',    '"',    '\r',   '\n',   '\0',   '0',    '9',    'a',    '+',
                              '-',    '!',    '#',    '\x0C', '\x0E', '\x7F', '\x80', '\xAC', '\xA2',
                              '\x8D', '\xFF', '\xE5', '\x2D', '\x21', '\x23', '\x09', '\x0B', '\x8A'};

TEST(ByteScan, BothWaysMarkEveryCommaLineFeedQuoteAndCrOfABlock) {
    std::mt19937 random(20261208);
    char block[scan::kBlock];
    for (int round = 0; round < 200000; ++round) {
        for (char& c : block) c = kBytePool[random() % sizeof kBytePool];
        expectSameMarks(block, scan::marksPortable(block), "portable");
#if defined(__SSE2__)
        expectSameMarks(block, scan::marksSse2(block), "sse2");
#endif
        if (HasFailure()) return;
    }
    // Each single marked byte at each position, among bytes one away from it.
    for (char mark : {',', '\n', '"', '\r'}) {
        for (char around : {static_cast<char>(mark - 1), static_cast<char>(mark + 1), static_cast<char>(mark | 0x80)}) {
            for (std::size_t k = 0; k < scan::kBlock; ++k) {
                std::fill(std::begin(block), std::end(block), around);
                block[k] = mark;
                expectSameMarks(block, scan::marksPortable(block), "portable");
#if defined(__SSE2__)
                expectSameMarks(block, scan::marksSse2(block), "sse2");
#endif
            }
        }
    }
}

// Both ways write the positions of a mask's bits, lowest first, and end
// where the last one is, for masks of every byte value in every byte of the
// block and for random masks.
TEST(ByteScan, BothWaysWriteThePositionsOfEveryBitOfABlock) {
    const auto expectPositions = [](std::uint32_t mask, std::uint32_t base) {
        std::vector<std::uint32_t> want;
        for (std::uint32_t k = 0; k < scan::kBlock; ++k) {
            if ((mask >> k & 1u) != 0) want.push_back(base + k);
        }
        std::uint32_t out[scan::kBlock + 8];
        std::uint32_t* end = scan::writeBitPositionsPortable(mask, base, out);
        EXPECT_EQ(std::vector<std::uint32_t>(out, end), want) << "portable " << mask;
#if defined(__SSE2__)
        end = scan::writeBitPositionsSse2(mask, base, out);
        EXPECT_EQ(std::vector<std::uint32_t>(out, end), want) << "sse2 " << mask;
#endif
    };
    for (std::uint32_t shift = 0; shift < scan::kBlock; shift += 8) {
        for (std::uint32_t byte = 0; byte < 256; ++byte) expectPositions(byte << shift, 1000);
    }
    std::mt19937 random(32);
    for (int round = 0; round < 20000; ++round)
        expectPositions(static_cast<std::uint32_t>(random()), static_cast<std::uint32_t>(random() % 100000));
    expectPositions(0xFFFFFFFFu, 0);
}

// A cell as a spreadsheet writes it: quoted when it holds a comma, quote, CR
// or LF, and sometimes quoted anyway.
std::string written(const std::string& cell, bool quoteAnyway) {
    if (!quoteAnyway && cell.find_first_of(",\"\r\n") == std::string::npos) return cell;
    std::string out = "\"";
    for (char c : cell) {
        out += c;
        if (c == '"') out += '"';
    }
    return out + "\"";
}

// Records of 1 to 60 cells of 0 to 40 bytes, most of them plain, so that
// lines are long and every comma and special byte falls at every position
// of a block, written with LF or CR LF, and read back.
TEST(ByteScan, ReaderGivesBackTheCellsOfLongGeneratedRecords) {
    std::mt19937 random(7);
    const std::string plainBytes = "0123456789.abcXYZ \t\x80\xE5\xAC";
    for (const char* lineEnd : {"\n", "\r\n"}) {
        std::vector<std::vector<std::string>> records;
        std::string input;
        for (int r = 0; r < 3000; ++r) {
            std::vector<std::string> cells(1 + random() % 60);
            const bool special = random() % 4 == 0;
            for (std::string& cell : cells) {
                const std::size_t size = random() % 41;
                for (std::size_t k = 0; k < size; ++k) cell += plainBytes[random() % plainBytes.size()];
                if (special && random() % 8 == 0 && !cell.empty()) {
                    cell[random() % cell.size()] = ",\"\r\n"[random() % 4];
                }
            }
            // A record of one empty cell would be an empty line.
            if (cells.size() == 1 && cells[0].empty()) cells[0] = "x";
            std::string line;
            for (std::size_t j = 0; j < cells.size(); ++j) {
                if (j > 0) line += ',';
                line += written(cells[j], special && random() % 16 == 0);
            }
            input += line + lineEnd;
            records.push_back(std::move(cells));
        }
        for (std::size_t piece : {std::size_t{1} << 20, std::size_t{97}}) {
            MemorySource source(input, piece);
            CsvReader reader(source, std::size_t{1} << 12);
            CsvRecord record;
            for (std::size_t r = 0; r < records.size(); ++r) {
                ASSERT_TRUE(reader.next(record)) << "record " << r;
                ASSERT_EQ(record.problem, QuoteProblem::None) << "record " << r;
                ASSERT_EQ(record.size(), records[r].size()) << "record " << r << ": " << record.raw();
                for (std::size_t j = 0; j < record.size(); ++j) {
                    ASSERT_EQ(record[j], records[r][j]) << "record " << r << " cell " << j;
                }
            }
            EXPECT_FALSE(reader.next(record));
        }
    }
}

// A CR in a file of LF lines is a cell byte, except right before the LF,
// wherever the two fall against the blocks: at every position of lines of
// every length up to three blocks, alone or before the LF, and with the LF
// just past the bytes read so far.
TEST(ByteScan, ACarriageReturnCountsOnlyRightBeforeTheLineFeed) {
    for (std::size_t length = 1; length <= 3 * scan::kBlock + 1; ++length) {
        for (std::size_t at = 0; at < length; ++at) {
            std::string line(length, 'x');
            for (std::size_t k = 3; k < length; k += 5) line[k] = ',';
            line[at] = '\r';
            const std::string input = "h\n" + line + "\nlast\n";
            const bool crLf = at + 1 == length;
            if (crLf && at == 0) continue;  // CR LF alone: an empty line, no record
            const std::string text = crLf ? line.substr(0, at) : line;
            std::vector<std::string> cells(1);
            for (char c : text) {
                if (c == ',') {
                    cells.emplace_back();
                } else {
                    cells.back() += c;
                }
            }
            for (std::size_t piece : {std::size_t{1} << 20, std::size_t{1}, length + 2, length + 3}) {
                MemorySource source(input, piece);
                CsvReader reader(source, 64);
                CsvRecord record;
                ASSERT_TRUE(reader.next(record));
                ASSERT_TRUE(reader.next(record));
                ASSERT_EQ(record.lineEnd, crLf ? LineEnd::CrLf : LineEnd::Lf) << length << " " << at;
                ASSERT_EQ(record.size(), cells.size()) << length << " " << at;
                for (std::size_t j = 0; j < cells.size(); ++j) ASSERT_EQ(record[j], cells[j]) << length << " " << at;
                ASSERT_TRUE(reader.next(record));
                EXPECT_EQ(record[0], "last");
                EXPECT_FALSE(reader.next(record));
            }
        }
    }
}

}  // namespace
