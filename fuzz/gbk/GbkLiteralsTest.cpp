// The literal conversion of the clang build where it is easy to get wrong: trail bytes that
// are backslashes, escapes followed by digits, raw and prefixed literals, digit separators.
#include "text/HexBytes.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

constexpr int million = 1'000'000; // a digit separator is no character literal

TEST(GbkConversion, MatchesWhatGccGives) {
    struct {
        std::string_view literal;
        const char* bytes;
    } const rows[] = {
        // clang-format off
        {"乗", "81 5C"},                 // its trail byte is a backslash
        {"乗n", "81 5C 6E"},             // ... which must not escape the letter after it
        {"、1", "A1 A2 31"},             // a digit after the converted bytes stays a digit
        {"\u3001", "A1 A2"},             // a universal character name converts too
        {R"(乗\)", "81 5C 5C"},          // a raw literal keeps its backslash
        {"it's 、", "69 74 27 73 20 A1 A2"},
        // clang-format on
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(hex(rows[i].literal), rows[i].bytes);
    }
    // u8 literals stay UTF-8.
    const std::u8string_view utf8 = u8"、";
    EXPECT_EQ(hex({reinterpret_cast<const char*>(utf8.data()), utf8.size()}), "E3 80 81");
    EXPECT_EQ(million, 1000000);
    EXPECT_EQ(hex(std::string(1, '\xA1')), "A1");
}

} // namespace
