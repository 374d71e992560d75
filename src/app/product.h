#pragma once
// The program's name and release as its project files record them.

namespace rg::app {

inline constexpr const char* kProductName = "RAVELGRIT";
inline constexpr const char* kCurrentRelease = "2.1";
inline constexpr const char* kMinorRelease = "0.0";
inline constexpr const char* kReleaseDate = "JULY 2016";

}  // namespace rg::app
