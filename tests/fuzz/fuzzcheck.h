#pragma once

#include <cstdio>
#include <cstdlib>

// A broken invariant must stop the fuzzer like a crash does, so that it keeps
// the input; assert() would vanish under NDEBUG.
#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition);                     \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)
