#pragma once
// Timing limits hold for optimised builds; sanitized and debug builds run several
// times slower and only prove that a path is linear, so their limits are wider.
#if defined(__SANITIZE_ADDRESS__) || !defined(NDEBUG)
constexpr double kSlowBuildFactor = 10;
#else
constexpr double kSlowBuildFactor = 1;
#endif
