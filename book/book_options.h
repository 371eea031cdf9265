// The options of `dravik --sheets FILE.csv -o BOOK.pdf`: a book of the
// calculation sheets of a building's file. Free of Qt, read before the
// program starts anything else; the windows' program reads them.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dravik::book {

struct BookOptions {
    std::string input;   // the building's CSV file
    std::string output;  // the book's PDF file
    // Title block fields given as options (--project …), by their keys.
    std::vector<std::pair<std::string_view, std::string>> titleFields;
    std::string encoding;   // --encoding, passed to the batch reading
    bool strict = false;    // --strict, as dravik-batch's
    bool lenient = false;   // --lenient, as dravik-batch's
    bool defaults = false;  // --defaults, as dravik-batch's
};

// Whether `args` (after the program's name) ask for a book: "--sheets" among
// them, before any "--".
bool isBookRequest(std::span<const std::string_view> args);

// Reads the book's options; on a problem returns its message (Chinese, one
// line, no line end) in `error`.
std::optional<BookOptions> readBookOptions(std::span<const std::string_view> args, std::string& error);

}  // namespace dravik::book
