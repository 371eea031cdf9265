// The result display rule written into a caller's buffer, inline for a hot
// loop (a batch file's rows): the door picks its way inside. With a fixed
// number of places at the call the short way is compiled for those places
// alone (text_rules/detail/display_shortcut.h); every way gives the full
// rule's text, and with DRAVIK_FAST_PATHS=0 only the full rule is built in.
#pragma once

#include <string_view>

#include "text_rules/detail/fast_paths.h"
#include "text_rules/text_rules.h"
#if DRAVIK_FAST_PATHS
#include "text_rules/detail/display_shortcut.h"
#endif

namespace dravik::text_rules {

namespace detail {
// The full result display rule for any x: kNotANumber where x is not
// finite, else the 15-significant-digit way.
std::string_view displayResultFully(NumberBuffer& buffer, double x, int decimals);
}  // namespace detail

// displayResult written into `buffer`; the view stays valid as long as the
// buffer does.
[[gnu::always_inline]] inline std::string_view displayResultInto(NumberBuffer& buffer, double x, int decimals) {
#if DRAVIK_FAST_PATHS
    static_assert(kNumberTextCapacity >= detail::display_shortcut::kBufferBytes);
    // The short way takes most results, and declines a non-finite x itself.
    if (const auto text = detail::display_shortcut::write(buffer.data(), x, decimals); !text.empty()) return text;
#endif
    return detail::displayResultFully(buffer, x, decimals);
}

}  // namespace dravik::text_rules
