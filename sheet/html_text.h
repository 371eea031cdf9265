// Text put into the sheet's HTML: every character that HTML would read as
// markup written as an entity.
#pragma once

#include <string>
#include <string_view>

namespace dravik::sheet {

inline std::string escapedHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '&': out += "&amp;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

}  // namespace dravik::sheet
