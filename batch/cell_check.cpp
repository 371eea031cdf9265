#include "batch/cell_check.h"

namespace dravik::batch {

bool isWholeNumber(std::string_view text) {
    // The common cell: digits, perhaps with one point.
    bool digit = false;
    bool point = false;
    bool plain = true;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            plain = false;
            break;
        }
    }
    if (plain) return digit;
    std::size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n')) ++i;
    };
    auto at = [&](std::string_view set) {
        skipBlanks();
        return i < text.size() && set.find(text[i]) != std::string_view::npos;
    };
    auto digits = [&] {
        std::size_t count = 0;
        while (at("0123456789")) ++i, ++count;
        return count;
    };
    if (at("+-")) ++i;
    std::size_t count = digits();
    if (at(".")) {
        ++i;
        count += digits();
    }
    if (count == 0) return false;
    if (at("eEdD")) {
        ++i;
        if (at("+-")) ++i;
        if (digits() == 0) return false;
    }
    skipBlanks();
    return i == text.size();
}

}  // namespace dravik::batch
