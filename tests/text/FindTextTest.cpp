// findText: positions, start handling, case folding and stepping over two-byte characters.
#include "text/Text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;

// The plain character-stepping search, written independently of the fast one.
int referenceFind(const std::string& s, const std::string& t, int start, bool ic) {
    if (s.empty()) return -1;
    size_t i = start < 1 ? 0 : static_cast<size_t>(start - 1);
    if (i >= s.size()) return -1;
    if (t.empty()) return 1;
    auto fold = [&](unsigned char c) { return ic && c >= 'a' && c <= 'z' ? c - 32 : c; };
    while (i < s.size()) {
        bool ok = i + t.size() <= s.size();
        for (size_t k = 0; ok && k < t.size(); ++k)
            ok = fold(static_cast<unsigned char>(s[i + k])) ==
                 fold(static_cast<unsigned char>(t[k]));
        if (ok) return static_cast<int>(i + 1);
        if (static_cast<unsigned char>(s[i]) >= 0x80) {
            if (i + 1 == s.size()) return -1;
            i += 2;
        } else {
            ++i;
        }
    }
    return -1;
}

struct Case {
    std::string subject, sought;
    int start;
    bool ignoreCase;
    int expected;
};

// clang-format off
const Case cases[] = {
    {"abcabc", "abc", 1, false, 1},
    {"abcabc", "abc", 2, false, 4},
    {"abcabc", "abc", 0, false, 1},
    {"abcabc", "abc", -5, false, 1},
    {"abcabc", "abc", 5, false, -1},
    {"abc", "c", 3, false, 3},
    {"abc", "c", 4, false, -1},           // start past the last byte
    {"", "a", 1, false, -1},              // empty subject
    {"", "", 1, false, -1},
    {"abc", "", 1, false, 1},             // empty sought: 1 while a byte remains
    {"abc", "", 3, false, 1},
    {"abc", "", 4, false, -1},
    {"ABC", "abc", 1, false, -1},
    {"xABC", "abc", 1, true, 2},
    {"x[", "{", 1, true, -1},             // only letters fold
    {"\xB0\xA1""a", "\xA1""a", 1, false, -1},   // never from the second byte of a character
    {"\xB0\xA1\xA1""a", "\xA1""a", 1, false, 3},
    {"\xB0\xA1\xA1""a", "\xA1""a", 2, false, -1}, // stepping starts where the search begins
    {"\xB0\xA1\xA1""a", "\xA1""a", 3, false, 3},
    {"a\x81", "b", 1, false, -1},          // lead byte before the end
    {"\x81|}", "|}", 1, false, -1},        // 81 7C is one character
    {"\x81|}|}", "|}", 1, false, 4},
    {"\x81\x81\x81|}", "|}", 1, false, -1},  // 81 81, 81 7C, 7D
    {"\x81\x81|}", "|}", 1, false, 3},
    {"a\xC3\xBB""b", "\xBB""b", 1, false, -1},
    {"\xC3\xBB\xD3\xD0", "\xBB\xD3", 1, false, -1},
    {"zz\xC3\xBB\xD3\xD0", "\xC3\xBB\xD3\xD0", 1, false, 3},
};
// clang-format on

TEST(FindText, Table) {
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        const Case& c = cases[i];
        int expected = c.expected;
        EXPECT_EQ(findText(c.subject, c.sought, c.start, c.ignoreCase), expected);
        EXPECT_EQ(referenceFind(c.subject, c.sought, c.start, c.ignoreCase), expected);
    }
}

// The fast exact search must agree with plain stepping on every subject, above all on long
// runs of bytes of 80 hex and above where its parity shortcut applies.
TEST(FindText, AgreesWithSteppingOnRandomGbkText) {
    unsigned seed = 12345;
    auto next = [&] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7FFF; };
    const unsigned char alphabet[] = {'a', 'B', '|', '}', 0x81, 0xB0, 0xA1, 0x7C, 0x5C};
    for (int round = 0; round < 3000; ++round) {
        std::string s, t;
        size_t n = next() % 40, m = 1 + next() % 3;
        for (size_t k = 0; k < n; ++k)
            s += static_cast<char>(alphabet[next() % 9]);
        for (size_t k = 0; k < m; ++k)
            t += static_cast<char>(alphabet[next() % 9]);
        int start = static_cast<int>(next() % 6);
        bool ic = next() % 2;
        ASSERT_EQ(findText(s, t, start, ic), referenceFind(s, t, start, ic)) << "round " << round;
    }
}

// A two-byte text whose first byte is frequent: after many false stops the search hands the
// rest of a long subject to another search, which must find the same first match.
TEST(FindText, TwoByteTextAfterManyFalseStarts) {
    const std::string fills[] = {"|", "||a", "\x81|", "|\xB0"};
    for (const std::string& fill : fills) {
        // Every place up to well after the hand-over, and a few far off.
        for (size_t at = 0; at < 3000; at += at < 400 ? 1 : 650) {
            std::string s;
            while (s.size() < 3000)
                s += fill;
            s.insert(at, "|}");
            for (int start : {1, 2, 500})
                ASSERT_EQ(findText(s, "|}", start), referenceFind(s, "|}", start, false))
                    << fill << " at " << at << " from " << start;
        }
    }
}

TEST(FindText, LargeSubjectAbsentAndNearEnd) {
    std::string s;
    while (s.size() < (1u << 20))
        s += "\xC3\xBB\xD3\xD0 abc|";
    EXPECT_EQ(findText(s, "|}"), -1);
    std::string t = s + "|}";
    EXPECT_EQ(findText(t, "|}"), static_cast<int>(s.size()) + 1);
}

} // namespace
