// Whether the short ways of the text rules (text_rules/detail/) are built
// in: 1 unless the build says otherwise (CMake option DRAVIK_FAST_PATHS=OFF
// defines it as 0, and then every door takes the full rule).
#pragma once

#ifndef DRAVIK_FAST_PATHS
#define DRAVIK_FAST_PATHS 1
#endif
