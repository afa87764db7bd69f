// Patterns in the Windows scripting engine's syntax (close to ECMAScript 3), rewritten into
// PCRE2 patterns that match the same way.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The PCRE2 pattern for `pattern`, meant for PCRE2_NEVER_UTF | PCRE2_NEVER_UCP with the
// built-in character tables (so \d \w \s \b stay ASCII and caseless matching folds only
// A-Z). "^" and "$" are written out for `multiline`, so PCRE2_MULTILINE is not used.
// Nothing when the scripting engine rejects the pattern, or when it uses a form the
// scripting engine lacks and PCRE2 would accept: lookbehind, inline options, named groups,
// possessive quantifiers, verbs.
std::optional<std::u16string> translatePattern(std::u16string_view pattern, bool multiline);
