#include "batch/chinese_texts.h"

#include <algorithm>

namespace dravik::batch {

const char* chineseText(std::string_view english) {
    const auto texts = chineseTexts();
    const auto at = std::lower_bound(texts.begin(), texts.end(), english,
                                     [](const TextPair& pair, std::string_view key) { return pair.english < key; });
    return at != texts.end() && at->english == english ? at->chinese.data() : nullptr;
}

}  // namespace dravik::batch
