// Character starts against the platform's own conversion, on every short text over bytes
// that stand alone, lead a pair, or may or may not end one.
#include "text/CharacterStart.h"
#include "text/WideText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// 'a' and a line feed stand alone; 81 and C3 are lead bytes (and trail bytes); 40 is ASCII
// and a trail byte; 80 and FF stand alone, 80 also ends a pair.
constexpr char alphabet[] = {'a', '\n', '\x81', '\xC3', '\x40', '\x80', '\xFF'};
constexpr size_t letters = sizeof alphabet;

std::string text(size_t code, size_t length) {
    std::string s;
    for (size_t k = 0; k < length; ++k, code /= letters)
        s += alphabet[code % letters];
    return s;
}

TEST(CharacterStart, SplitsWhereTheConversionDoes) {
    for (size_t length = 1; length <= 5; ++length) {
        size_t count = 1;
        for (size_t k = 0; k < length; ++k)
            count *= letters;
        for (size_t code = 0; code < count; ++code) {
            const std::string s = text(code, length);
            const WideText whole = ansiToWide(s);
            for (size_t i = 0; i <= length; ++i) {
                const bool splits = ansiToWide(s.substr(0, i)) + ansiToWide(s.substr(i)) == whole;
                ASSERT_EQ(startsAnsiCharacter(s, i), splits) << "code " << code << " at " << i;
                // Any earlier start serves as the known start.
                for (size_t known = 0; known < i; ++known) {
                    if (!startsAnsiCharacter(s, known)) continue;
                    ASSERT_EQ(startsAnsiCharacter(s, i, known), splits)
                        << "code " << code << " at " << i << " from " << known;
                }
            }
        }
    }
}

} // namespace
