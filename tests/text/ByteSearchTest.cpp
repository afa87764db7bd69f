// findBytes against string_view::find on random texts over a few bytes, long enough to
// cross the 16-byte steps of the vector search, with matches in every position of a step.
#include "text/ByteSearch.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

TEST(ByteSearch, FindsWhatStringViewFinds) {
    const char alphabet[] = {'a', '|', '}', '\0', '\xB0'};
    std::mt19937 random(11);
    std::uniform_int_distribution<size_t> letter(0, std::size(alphabet) - 1);
    for (int round = 0; round < 20000; ++round) {
        std::string s(random() % 70, 'a');
        for (char& c : s)
            c = alphabet[letter(random)];
        // Sought texts cut out of the subject are found; others mostly are not.
        std::string sought;
        const size_t length = random() % 5;
        if (random() % 2 && s.size() >= length) {
            sought = s.substr(random() % (s.size() - length + 1), length);
        } else {
            for (size_t k = 0; k < length; ++k)
                sought += alphabet[letter(random)];
        }
        const size_t from = random() % (s.size() + 2);
        ASSERT_EQ(findBytes(s, sought, from), std::string_view(s).find(sought, from))
            << "round " << round;
    }
}

TEST(ByteSearch, LongTexts) {
    std::string s(1 << 20, 'x');
    EXPECT_EQ(findBytes(s, "|}"), std::string_view::npos);
    s[(1 << 20) - 2] = '|';
    EXPECT_EQ(findBytes(s, "|}"), std::string_view::npos);
    s.back() = '}';
    EXPECT_EQ(findBytes(s, "|}"), (1u << 20) - 2);
    EXPECT_EQ(findBytes(s, "}"), (1u << 20) - 1);
    EXPECT_EQ(findBytes(s, "x|}"), (1u << 20) - 3);
}

} // namespace
