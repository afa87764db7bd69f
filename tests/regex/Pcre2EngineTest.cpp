// The PCRE2 engine on its own: every rule of the pattern translation, the replacement
// syntax, and the limits that turn a runaway search into a failed run.
#include "regex/Pcre2Engine.h"
#include "regex/PatternTranslator.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

using namespace std::string_view_literals;

struct Flags {
    bool ignoreCase = false;
    bool multiline = false;
    bool global = true;
};
const Flags ignoreCase{true};
const Flags multiline{false, true};

// Printable ASCII as it is, every other code unit as \uHHHH.
std::string show(std::u16string_view w) {
    std::string s;
    for (char16_t c : w) {
        if (c >= 0x20 && c < 0x7F) {
            s += static_cast<char>(c);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04X", static_cast<unsigned>(c));
            s += buf;
        }
    }
    return s;
}

std::shared_ptr<RegexEngine> engineFor(std::u16string_view pattern, Flags f) {
    auto e = createPcre2Engine();
    e->setIgnoreCase(f.ignoreCase);
    e->setMultiline(f.multiline);
    e->setGlobal(f.global);
    e->setPattern(WideText(pattern));
    return e;
}

// Each match as text@FirstIndex with its groups in parentheses; "fail" for a failed run.
std::string run(std::u16string_view pattern, std::u16string_view subject, Flags f = {}) {
    auto matches = engineFor(pattern, f)->execute(WideText(subject));
    if (!matches) return "fail";
    std::string out;
    for (int32_t i = 0; i < matches->count(); ++i) {
        auto m = matches->item(i);
        if (i) out += '|';
        out += show(m->value()) + "@" + std::to_string(m->firstIndex());
        // Two appends: GCC 12 for i686 warns falsely (-Wrestrict) on literal + temporary.
        for (int32_t j = 0; j < m->subMatchCount(); ++j) {
            out += j ? ',' : '(';
            out += show(m->subMatch(j));
        }
        if (m->subMatchCount()) out += ')';
    }
    return out;
}

struct Row {
    std::u16string_view pattern;
    std::u16string_view subject;
    const char* want;
    Flags flags = {};
};

void checkRows(const Row* rows, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(run(rows[i].pattern, rows[i].subject, rows[i].flags), rows[i].want)
            << show(rows[i].pattern);
    }
}

TEST(Pcre2Translation, LinesAndAnchors) {
    // clang-format off
    const Row rows[] = {
        {u".", u"\r\n\u2028", "\\u000D@0|\\u2028@2"},       // "." is [^\n]
        {u"^a", u"a\na", "a@0"},                            // without Multiline: the very start
        {u"a$", u"a\na", "a@2"},                            // ... and the very end,
        {u"a$", u"a\n", ""},                                // not before a final "\n"
        {u"^a", u"a\na\ra\u2028a", "a@0|a@2|a@4", multiline}, // after "\n" and "\r" only
        {u"a$", u"a\na\ra\u2028a", "a@0|a@2|a@6", multiline},
        {u"^$", u"\n\r", "@0|@1|@2", multiline},
        {u"^", u"ab", "@0"},                                // start offsets are not starts
    };
    // clang-format on
    checkRows(rows, std::size(rows));
}

TEST(Pcre2Translation, ClassEscapesAreAscii) {
    // clang-format off
    const Row rows[] = {
        {u"\\d+", u"12\uFF13\u0663", "12@0"},
        {u"\\D", u"1\uFF13", "\\uFF13@1"},
        {u"\\w+", u"a_Z9\u00E9\u4E2D", "a_Z9@0"},
        {u"\\W", u"a\u00E9", "\\u00E9@1"},
        {u"\\s", u"\u00A0\u3000\u2028 \t\v\f\r\n",
         " @3|\\u0009@4|\\u000B@5|\\u000C@6|\\u000D@7|\\u000A@8"},
        {u"\\S", u" \u00A0", "\\u00A0@1"},
        {u"\\ba", u"\u00E9a", "a@1"},
        {u"[\\d\\s]", u"\uFF131 ", "1@1| @2"},
        {u"ABC\u00C9", u"abc\u00E9 abc\u00C9", "abc\\u00C9@5", ignoreCase}, // only A-Z fold
    };
    // clang-format on
    checkRows(rows, std::size(rows));
}

TEST(Pcre2Translation, CharacterEscapes) {
    // clang-format off
    const Row rows[] = {
        {u"\\x41\\u4e2D", u"A\u4E2D", "A\\u4E2D@0"},
        {u"\\x4G\\u12", u"x4Gu12", "x4Gu12@0"},   // too few digits: the letter itself
        {u"\\v", u"\n\v", "\\u000B@1"},           // one character, not PCRE2's class
        {u"\\f\\n\\r\\t", u"\f\n\r\t", "\\u000C\\u000A\\u000D\\u0009@0"},
        {u"\\cA\\cz", u"\x01\x1A", "\\u0001\\u001A@0"},
        {u"\\c1[\\c]", u"\\c1c", "\\c1c@0"},
        {u"\\101\\0\\400", u"A\0 0"sv, "A\\u0000 0@0"}, // octal up to 0377
        {u"\\8\\9", u"89", "89@0"},
        // Unknown escapes, PCRE2's included, are their letter.
        {u"\\a\\e\\z\\A\\Q\\E\\K\\G\\h\\R\\N\\X\\C\\o\\k\\g\\y", u"aezAQEKGhRNXCokgy",
         "aezAQEKGhRNXCokgy@0"},
        {u"\\p{L}", u"p{L}", "p{L}@0"},
        {u"\\.\\*\\\\\\/", u".*\\/", ".*\\/@0"},
    };
    // clang-format on
    checkRows(rows, std::size(rows));
}

TEST(Pcre2Translation, BackReferencesAndOctal) {
    // clang-format off
    const Row rows[] = {
        {u"(a)\\1", u"aa", "aa@0(a)"},
        {u"(a)\\2", u"a\x02", "a\\u0002@0(a)"},          // no second group: octal
        {u"(a)\\10", u"a\b", "a\\u0008@0(a)"},
        {u"\\1(a)", u"a", "a@0(a)"},                    // groups later in the pattern count
        {u"(a)?b\\1", u"b", "b@0()"},                   // an unset group matches empty
        {u"(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)\\11", u"abcdefghijkk",
         "abcdefghijkk@0(a,b,c,d,e,f,g,h,i,j,k)"},
        {u"(A)\\1", u"Aa", "Aa@0(A)", ignoreCase},
        {u"[(]\\1", u"(\x01", "(\\u0001@0"},            // a bracket in a class is no group
    };
    // clang-format on
    checkRows(rows, std::size(rows));
}

TEST(Pcre2Translation, CharacterClasses) {
    // clang-format off
    const Row rows[] = {
        {u"[\\d-z]", u"5-zb", "5@0|-@1|z@2"},  // a hyphen next to a class escape is itself
        {u"[a-]", u"-b", "-@0"},
        {u"[]a]", u"]a", ""},                  // "[]" matches nothing
        {u"a[^]", u"a\n", "a\\u000A@0"},       // "[^]" matches anything
        {u"[\\b]", u"\b", "\\u0008@0"},
        {u"[[]", u"[", "[@0"},
        {u"[\\]]", u"]", "]@0"},
        {u"[.]", u"a.", ".@1"},
        {u"[\\101\\x42\\u0043]", u"ABC", "A@0|B@1|C@2"},
        {u"[\\B\\a]", u"Ba", "B@0|a@1"},
        {u"[^\\n]", u"\n\r", "\\u000D@1"},
        {u"[\\u4e00-\\u9fa5]+", u"a\u4E2D\u6587", "\\u4E2D\\u6587@1"},
        {u"[^a-c]", u"abcd", "d@3"},
        {u"[a-c]", u"B", "B@0", ignoreCase},
    };
    // clang-format on
    checkRows(rows, std::size(rows));
}

TEST(Pcre2Translation, Quantifiers) {
    // clang-format off
    const Row rows[] = {
        {u"a{2}", u"aaa", "aa@0"},
        {u"a{2,}?", u"aaaa", "aa@0|aa@2"},
        {u"a{1,2}", u"aaa", "aa@0|a@2"},
        {u"a{,2}", u"a{,2}", "a{,2}@0"},      // not a quantifier: literal braces
        {u"{a}", u"{a}", "{a}@0"},
        {u"a+?", u"aa", "a@0|a@1"},
        {u"(?=a)*b", u"b", "b@0"},            // lookahead is an atom
        {u"a??b", u"ab", "ab@0"},
    };
    // clang-format on
    checkRows(rows, std::size(rows));
}

TEST(Pcre2Translation, RejectsWhatTheScriptingEngineRejects) {
    const char16_t* const bad[] = {
        u"(",        u")",     u"a(b",       u"a\\",   u"[a",    u"[z-a]",  u"a{2,1}", u"*a",
        u"a|*",      u"(*a)",  u"(*ACCEPT)", u"a**",   u"a*+",   u"a++",    u"a?+",    u"a{2}+",
        u"a{2}{3}",  u"a*??",  u"^*",        u"$+",    u"\\b*",  u"(?<=a)", u"(?<!a)", u"(?<n>a)",
        u"(?P<n>a)", u"(?i)a", u"(?#c)",     u"(?>a)", u"(?|a)", u"(?",     u"(?R)",
    };
    for (size_t i = 0; i < std::size(bad); ++i) {
        SCOPED_TRACE(i);
        EXPECT_FALSE(translatePattern(bad[i], false)) << show(bad[i]);
        EXPECT_EQ(engineFor(bad[i], {})->execute(u"a"), nullptr) << show(bad[i]);
    }
}

TEST(Pcre2Engine, GlobalRunsMoveOnAfterEmptyMatches) {
    // clang-format off
    const Row rows[] = {
        {u"a*", u"baaac", "@0|aaa@1|@4|@5"},
        {u"", u"ab", "@0|@1|@2"},
        {u"", u"", "@0"},
        {u"a|", u"aa", "a@0|a@1|@2"},
        {u"a*", u"baaac", "@0", Flags{false, false, false}},
        {u"b", u"abab", "b@1", Flags{false, false, false}},
    };
    // clang-format on
    checkRows(rows, std::size(rows));
}

TEST(Pcre2Engine, ReplacementSyntax) {
    struct {
        const char16_t* pattern;
        const char16_t* with;
        const char16_t* subject;
        const char* want;
    } const rows[] = {
        {u"(b)(c)?", u"[$1|$2|$02|$&]", u"abcab", "a[b|c|c|bc]a[b|||b]"},
        {u"b", u"$`$'", u"abc", "aacc"},
        {u"b", u"$$$0$3$x$", u"abc", "a$$0$3$x$c"}, // no such group: the text as it is
        {u"(b)", u"$10$01", u"abc", "ab0bc"},       // one group: "$10" is "$1" and "0"
        {u"x*", u"-", u"ab", "-a-b-"},
        {u"z", u"-", u"ab", "ab"},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        auto e = engineFor(rows[i].pattern, {});
        EXPECT_EQ(show(e->replace(rows[i].subject, rows[i].with)), rows[i].want);
    }
}

// A search that reaches a limit fails the whole run; it never reads as "no match".
TEST(Pcre2Engine, RunawaySearchesFail) {
    auto backtracking = engineFor(u"(a+)+b", {});
    const WideText as = WideText(40, u'a') + u"cb";
    EXPECT_EQ(backtracking->execute(as), nullptr);
    EXPECT_EQ(backtracking->replace(as, u"x"), u"");

    // Each repetition of a group keeps a backtracking frame: beyond the heap limit here.
    WideText ab;
    for (int i = 0; i < (2 << 20); ++i)
        ab += u"ab";
    ab += u'c';
    EXPECT_EQ(engineFor(u"(?:a|b)*c", {})->execute(ab), nullptr);
}

TEST(Pcre2Engine, StartsWithTheScriptingEngineDefaults) {
    auto e = createPcre2Engine();
    EXPECT_FALSE(e->ignoreCase());
    EXPECT_EQ(e->pattern(), u"");
    // Case-sensitive, single line, first match only.
    e->setPattern(u"^A|A");
    auto m = e->execute(u"a\nAA");
    ASSERT_TRUE(m);
    ASSERT_EQ(m->count(), 1);
    EXPECT_EQ(m->item(0)->firstIndex(), 2);
    EXPECT_EQ(m->item(1), nullptr);
}

} // namespace
