// The batch tool's Chinese texts compiled in, for the page, which has no
// gettext: the catalogue batch/po/zh_CN.po written as a table at build time
// by batch/catalogue_table.py, sorted by the English text's bytes.
#pragma once

#include <span>
#include <string_view>

namespace dravik::batch {

struct TextPair {
    std::string_view english;
    std::string_view chinese;  // a literal: data() ends in a NUL
};

// Every translated text of the catalogue, sorted by `english`.
std::span<const TextPair> chineseTexts();

// The Chinese text of `english`, NUL-terminated; nullptr when the catalogue
// has none (gettext then shows the English text, and so does tr()).
const char* chineseText(std::string_view english);

}  // namespace dravik::batch
