// Stops a fuzz run on a broken promise, naming the file, line and condition.
#pragma once

#include <cstdio>
#include <cstdlib>

#define check(ok) dravik::fuzz::checkAt(ok, #ok, __FILE__, __LINE__)

namespace dravik::fuzz {

inline void checkAt(bool ok, const char* what, const char* file, int line) {
    if (ok) return;
    std::fprintf(stderr, "%s:%d: %s\n", file, line, what);
    std::abort();
}

}  // namespace dravik::fuzz
