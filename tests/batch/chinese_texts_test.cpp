// The compiled-in Chinese texts (the page's catalogue) against msgfmt's own
// reading of the same .po file: every pair, in the same order, and each found
// by its English text. The .mo format: a little-endian header (magic, revision,
// count, offset of the originals' table, offset of the translations' table),
// each table a (length, offset) pair per text, sorted by the original's bytes.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "batch/chinese_texts.h"

namespace {

using namespace dravik::batch;

std::uint32_t word(const std::string& mo, std::size_t at) {
    std::uint32_t w = 0;
    for (int i = 3; i >= 0; --i) w = (w << 8) | static_cast<unsigned char>(mo.at(at + static_cast<std::size_t>(i)));
    return w;
}

std::vector<std::pair<std::string, std::string>> readMo(const char* path) {
    std::ifstream in(path, std::ios::binary);
    const std::string mo((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(word(mo, 0), 0x950412DEu) << path;
    const auto text = [&](std::size_t table, std::uint32_t i) {
        return mo.substr(word(mo, table + 8 * i + 4), word(mo, table + 8 * i));
    };
    std::vector<std::pair<std::string, std::string>> pairs;
    for (std::uint32_t i = 0; i < word(mo, 8); ++i) {
        std::string english = text(word(mo, 12), i);
        if (!english.empty()) pairs.emplace_back(std::move(english), text(word(mo, 16), i));  // not the header
    }
    return pairs;
}

TEST(ChineseTexts, AreMsgfmtsReadingOfTheCatalogueInItsOrder) {
    const auto expected = readMo(DRAVIK_CHINESE_MO);
    ASSERT_GT(expected.size(), 80u);
    const auto table = chineseTexts();
    ASSERT_EQ(table.size(), expected.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].english, expected[i].first) << i;
        EXPECT_EQ(table[i].chinese, expected[i].second) << expected[i].first;
    }
}

TEST(ChineseTexts, FindsEachTextAndNoNearMiss) {
    for (const TextPair& pair : chineseTexts()) {
        const char* found = chineseText(pair.english);
        ASSERT_NE(found, nullptr) << pair.english;
        EXPECT_EQ(std::string(found), pair.chinese) << pair.english;
        EXPECT_EQ(chineseText(std::string(pair.english) + " "), nullptr) << pair.english;
        EXPECT_EQ(chineseText(pair.english.substr(0, pair.english.size() - 1)), nullptr) << pair.english;
    }
    EXPECT_EQ(chineseText(""), nullptr);
    EXPECT_STREQ(chineseText("line {1}: {2}"), "第 {1} 行：{2}");
}

}  // namespace
