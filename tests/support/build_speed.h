#pragma once
// Timing limits hold for optimised native builds; sanitized and debug builds run several
// times slower and only prove that a path is linear, so their limits are wider. So are
// those of the Windows build, which is tested under Wine: its timing is Wine's, not
// that of Windows.
#if defined(__SANITIZE_ADDRESS__) || !defined(NDEBUG)
constexpr double kSlowBuildFactor = 10;
#elif defined(_WIN32)
constexpr double kSlowBuildFactor = 3;
#else
constexpr double kSlowBuildFactor = 1;
#endif
