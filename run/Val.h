#pragma once
// Val: the number a token stands for.
//
// Called by the range pass for every token and by the raster pass for every painted one.
// Spaces, tabs and line feeds are ignored wherever they stand. Then come an optional sign, decimal
// digits with at most one period (whatever the locale), and an optional exponent: E or D in either
// case, an optional sign and digits. Reading stops at the first character that does not fit, so a
// carriage return, a comma or a second period ends the number; a token without digits is 0.
// The result is correctly rounded; beyond the range of a double it is +-infinity, below it 0.

#include <string_view>

namespace varneska {

double Val(std::string_view token) noexcept;

// The characters Val skips wherever they stand in a token.
constexpr bool IsIgnoredInNumber(char c) noexcept {
    return c == ' ' || c == '\t' || c == '\n';
}

constexpr bool IsDigit(char c) noexcept {
    return c >= '0' && c <= '9';
}

static_assert(IsIgnoredInNumber(' ') && IsIgnoredInNumber('\t') && IsIgnoredInNumber('\n'));
static_assert(!IsIgnoredInNumber('\r') && !IsIgnoredInNumber(',') && !IsIgnoredInNumber('\0'));
static_assert(IsDigit('0') && IsDigit('9') && !IsDigit('/') && !IsDigit(':'));

}  // namespace varneska
