#pragma once
// Letter case as SQLite's NOCASE sees it: only A-Z and a-z pair up; every other
// byte, an accented letter's UTF-8 bytes among them, stands for itself. Inlet
// numbers and table and column names compare this way in the program and in the
// database alike, whatever the locale.

#include <algorithm>
#include <string_view>

namespace rg::text {

constexpr char ascii_lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The same text, letter case aside.
constexpr bool iequal(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) { return ascii_lower(x) == ascii_lower(y); });
}

}  // namespace rg::text
