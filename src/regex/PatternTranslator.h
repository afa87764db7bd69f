// Patterns in the Windows scripting engine's syntax (close to ECMAScript 3), rewritten into
// PCRE2 patterns that match the same way.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// What the translation does:
// - "." is [^\n]. "^" and "$" are the very ends of the subject ("$" not before a final "\n"),
//   with Multiline also after and before each "\n" or "\r" (not U+2028).
// - \d \w \s \b and their negations are ASCII; \v is U+000B; \f \n \r \t as usual.
// - \xHH and \uHHHH need all their digits, else the letter is literal; \cX with a letter is a
//   control character, without one the backslash is literal.
// - \N is a back reference when the pattern has at least N groups, else octal (up to three
//   digits, at most 0377); \8 and \9 are the digits. An unset group matches empty.
// - Any other escape is its character, PCRE2's own (\A \z \Q \K \p ...) included.
// - In classes: \b is backspace, a hyphen next to a class escape is a member, "[]" matches
//   nothing and "[^]" anything.
// - A brace that does not form {n}, {n,} or {n,m} is literal.
// - Rejected: unbalanced parentheses and brackets, a trailing backslash, reversed ranges,
//   a quantifier with nothing to repeat or after another (so possessive forms), and "(?"
//   other than (?: (?= (?!.
// Left as PCRE2 has it: a group inside a repetition keeps its capture from an earlier round
// where ECMAScript would reset it; no pattern of the system depends on that.
//
// The PCRE2 pattern for `pattern`, meant for PCRE2_NEVER_UTF | PCRE2_NEVER_UCP with the
// built-in character tables (so \d \w \s \b stay ASCII and caseless matching folds only
// A-Z). "^" and "$" are written out for `multiline`, so PCRE2_MULTILINE is not used.
// Nothing when the scripting engine rejects the pattern, or when it uses a form the
// scripting engine lacks and PCRE2 would accept: lookbehind, inline options, named groups,
// possessive quantifiers, verbs.
std::optional<std::u16string> translatePattern(std::u16string_view pattern, bool multiline);
