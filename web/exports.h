// How the page's functions are exported: kept alive for the page's script
// in the WebAssembly build; plain C functions in the native build, where the
// browser tests' reference program calls the very same code.
#pragma once

#ifdef __EMSCRIPTEN__
#include <emscripten/emscripten.h>
#define DRAVIK_EXPORT EMSCRIPTEN_KEEPALIVE
#else
#define DRAVIK_EXPORT
#endif
