// The book of a building's calculation sheets, besides the sheets: its cover
// and its summary table, as HTML for a page. Qt-free.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "review/title_block.h"

namespace dravik::book {

// One row of the summary: a calculated row with its results and verdict, or
// a row that could not be calculated, with why.
struct SummaryEntry {
    std::int64_t record = 0;
    std::string memberId;
    std::string shape;  // the shape's name, or the cell as written
    bool calculated = false;
    std::array<std::string, 3> results;  // as on paper
    std::string verdict;                 // review::checkVerdict's words
    std::string why;                     // for a row not calculated
};

struct BookCounts {
    std::int64_t rows = 0;
    std::int64_t calculated = 0;
    std::int64_t met = 0;
    std::int64_t notMet = 0;
};

// The cover: the title block's project, building, people and date, and the
// program. (What the book holds is counted on the summary, written last.)
std::string coverHtml(const review::TitleBlock& block, const std::string& programLine);

// The summary: what the book holds, and a table of every row in file order.
std::string summaryHtml(const std::vector<SummaryEntry>& entries, const std::array<std::string, 3>& resultTitles,
                        const BookCounts& counts);

}  // namespace dravik::book
