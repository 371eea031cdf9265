// Control and format characters written visibly; everything else untouched.
#include "text_rules/visible_text.h"

#include <gtest/gtest.h>

#include <string>

using dravik::text_rules::visibleText;

namespace {

struct Case {
    std::string text, shown;
};

}  // namespace

TEST(VisibleText, WritesControlAndFormatCharactersAsTheirCodePoints) {
    const Case cases[] = {
        {"4\u200B00", "4〈U+200B〉00"},
        {"ab\u202Ecd", "ab〈U+202E〉cd"},
        {"\u2066x\u2069", "〈U+2066〉x〈U+2069〉"},
        {"a\tb\nc", "a〈U+0009〉b〈U+000A〉c"},
        {std::string("1\0"
                     "2",
                     3),
         "1〈U+0000〉2"},
        {"\x7F", "〈U+007F〉"},
        {"\u0085\u009F", "〈U+0085〉〈U+009F〉"},
        {"\u00AD\uFEFF\u061C", "〈U+00AD〉〈U+FEFF〉〈U+061C〉"},
        {"\U000E0041\U000E007F", "〈U+E0041〉〈U+E007F〉"},
        {"\U0001343F", "〈U+1343F〉"},  // a format character since Unicode 15.0
    };
    for (const Case& c : cases) EXPECT_EQ(visibleText(c.text), c.shown) << c.text;
}

TEST(VisibleText, LeavesEveryOtherCharacterAndBrokenUtf8AsItIs) {
    const char* const unchanged[] = {
        "",
        "400",
        "长度a（mm）",
        "1\u00A0200",          // no-break space: a space, not a format character
        "\u2010\u2029\u202F",  // the neighbours of the ranges above
        "\u2065\uFFFC\U0001F600",
        "\xFF\xFE",          // not UTF-8
        "\xC0\xAE",          // an overlong "."
        "\xF0\x82\x80\xAE",  // an overlong U+202E is not read as one
        "\xED\xA0\x80",      // a surrogate
        "\xE2\x80",          // U+202E cut short
    };
    for (const char* text : unchanged) EXPECT_EQ(visibleText(text), text) << text;
}
