// A small iconv wrapper for the native conversions of the ANSI code page (CP936).
#pragma once

#include <string>
#include <string_view>

// Converts `in` from `from` to `to`. Input that does not convert is skipped one byte at a
// time, and `replacement` (already in the target encoding) stands for each skipped piece.
std::string iconvConvert(const char* to, const char* from, std::string_view in,
                         std::string_view replacement, size_t inUnit);
