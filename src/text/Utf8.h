// UTF-8 at the edges (scenario files, JSON transcripts): to and from ANSI texts.
#pragma once

#include "text/Text.h"

#include <string>
#include <string_view>

// Decodes an ANSI text to UTF-8; a byte that does not decode becomes U+FFFD.
std::string ansiToUtf8(std::string_view s);

// Encodes UTF-8 in the ANSI code page; what it cannot hold becomes its default character.
Text utf8ToAnsi(std::string_view s);
