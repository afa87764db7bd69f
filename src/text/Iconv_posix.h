// A small iconv wrapper for the native conversions of the ANSI code page (CP936).
#pragma once

#include <string>
#include <string_view>

// How many bytes at the start of `rest`, input that does not convert, one replacement
// stands for.
using InvalidLength = size_t (*)(std::string_view rest);

// Converts `in` from `from` to `to`. Input that does not convert is skipped a piece at a
// time, `invalidLength` bytes each, and `replacement` (already in the target encoding)
// stands for each skipped piece.
std::string iconvConvert(const char* to, const char* from, std::string_view in,
                         std::string_view replacement, InvalidLength invalidLength);

// For CP936 input: a lead byte and a byte of the trail range are one character even where
// the code page assigns none (iconv leaves out the user-defined areas that Windows maps to
// private-use characters); any other byte that does not convert is one on its own.
size_t invalidGbkLength(std::string_view rest);
