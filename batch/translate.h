// The batch tool's texts for people: messages, notes and --help, looked up
// in the gettext catalogue "dravik-batch" (Chinese under a zh_* locale; in
// the page always Chinese, from the same catalogue compiled in). The
// English text is the key; without a catalogue it is what is shown.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace dravik::batch {

inline constexpr const char* kTextDomain = "dravik-batch";

// The text in the messages' language.
const char* tr(const char* english);

// From now on, tr() gives the Chinese text whatever the locale: for a
// document in Chinese (the book of calculation sheets) rather than a
// terminal's messages. Called once, before any text is looked up.
void useChineseTexts();

// `pattern` with {1}, {2} … replaced by the arguments in that order of
// numbering, so a translation may put them in another order.
std::string fill(std::string_view pattern, std::initializer_list<std::string_view> arguments);

// A text made safe to show in a one-line message: in quotes, control
// characters and bytes that are not UTF-8 written as \xNN, cut after 60
// bytes (or `maxBytes`). File names and cell texts go through this.
std::string quoteForMessage(std::string_view text, std::size_t maxBytes = 60);

// `byte` written as \xNN (upper-case hex), as messages and notes show a
// byte that cannot stand as it is.
void appendEscapedByte(std::string& out, unsigned char byte);

// A count as decimal digits.
std::string decimal(long long n);

}  // namespace dravik::batch
