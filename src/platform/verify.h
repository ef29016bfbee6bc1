#pragma once
// The one policy for an index or size that comes from outside: a debug build
// stops at once where the caller broke the contract; a release build takes
// the fallback written after the macro and goes on.
//
//     VELMORO_VERIFY_OR_DEBUG_ASSERT(index >= 0 && index < Count()) { return; }
//
// Plain C++ (no Qt), so the audio library may use it too.
#include <cstdio>
#include <cstdlib>

namespace velmoro::platform {

// Debug: reports the broken condition and aborts. Release: true, so the
// fallback runs.
inline bool VerifyFailed(const char* condition, const char* file, int line)
{
#ifndef NDEBUG
    std::fprintf(stderr, "velmoro: %s:%d: check failed: %s\n", file, line, condition);
    std::abort();
#else
    (void)condition;
    (void)file;
    (void)line;
    return true;
#endif
}

} // namespace velmoro::platform

#define VELMORO_VERIFY_OR_DEBUG_ASSERT(condition)                                                            \
    if (!(condition) && ::velmoro::platform::VerifyFailed(#condition, __FILE__, __LINE__))
