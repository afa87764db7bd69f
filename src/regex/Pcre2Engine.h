// A stand-in for the scripting engine built on PCRE2's 16-bit library: the same object
// model, syntax (through PatternTranslator), global iteration and replacement syntax.
#pragma once

#include "regex/RegexEngine.h"

#include <memory>

// A new engine with the scripting engine's defaults: IgnoreCase, Multiline and Global false,
// empty Pattern. Never null.
std::shared_ptr<RegexEngine> createPcre2Engine();

// Per-run bounds. A run that reaches one fails (execute gives null) rather than reporting
// no match.
inline constexpr uint32_t pcre2MatchLimit = 10'000'000;  // backtracking steps per search
inline constexpr uint32_t pcre2HeapLimitKiB = 64 * 1024; // backtracking memory per search
