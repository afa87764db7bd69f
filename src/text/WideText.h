// Conversions between ANSI texts and UTF-16, the form the regular-expression engines use.
#pragma once

#include "text/Text.h"

#include <string>
#include <string_view>

using WideText = std::u16string;

// ANSI code page to UTF-16, up to the first NUL byte.
WideText ansiToWide(std::string_view s);

// UTF-16 to the ANSI code page, up to the first NUL character; a character the code page
// cannot hold becomes its default character.
Text wideToAnsi(std::u16string_view w);
