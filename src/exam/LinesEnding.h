// Narrowing a page to the lines a pattern can match in, so the engine reads little of it.
#pragma once

#include "text/Text.h"

#include <string_view>

// What the engine needs to see of `html` to find every match of a pattern whose matches
// all end with `endText` (whole characters) and never hold a line feed: of each line that
// holds `endText`, the text up to the end of its last occurrence, then a line feed. The
// matches come out the same and in the same order as in the whole page, for every match
// lies in one line and ends at an occurrence of `endText`.
//
// The engine then reads a few lines instead of a long page, and it never runs on past a
// line's last `endText`: there every opening of a match would fail only at the line's end,
// so a line of many openings after its last `endText` took time quadratic in its length.
Text linesEnding(std::string_view html, std::string_view endText);
