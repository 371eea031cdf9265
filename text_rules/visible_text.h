// Control and format characters made visible, so that a text a user typed
// can be written into one of our own sentences without changing how the
// sentence reads: a right-to-left override (U+202E) would otherwise reverse
// what follows it, a zero-width space (U+200B) would hide inside a number.
#pragma once

#include <string>
#include <string_view>

namespace dravik::text_rules {

// True for a code point of the Unicode general categories Cc (controls,
// U+0000-001F and U+007F-009F) and Cf (format characters: the soft hyphen,
// zero-width spaces and joiners, the bidirectional embeddings, overrides,
// isolates and marks, the byte order mark, the tag characters, ...), as of
// Unicode 15.0.
bool isControlOrFormat(char32_t codePoint);

// `utf8` with every control or format character replaced by its code point
// written between angle brackets, "〈U+202E〉": "U+" and at least four upper-
// case hexadecimal digits. Everything else, including bytes that are not
// valid UTF-8, is copied unchanged.
//   "4\u200B00" -> "4〈U+200B〉00", "a\tb" -> "a〈U+0009〉b",
//   "\U000E0041" -> "〈U+E0041〉", "400" -> "400".
std::string visibleText(std::string_view utf8);

// Every character visibleText writes of its own, for a face that must be
// able to show them.
inline constexpr std::string_view kVisibleFormCharacters = "〈〉U+0123456789ABCDEF";

}  // namespace dravik::text_rules
