// The engine finds the same matches in the narrowed lines as in the whole page, on random
// pages of the pieces where line feeds, pairs of bytes and the rules' texts meet.
#include "exam/LinesEnding.h"
#include "regex/RegexObject.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

struct Rule {
    const char* pattern;
    const char* endText;
};
const Rule rules[] = {
    {".errormessage = \"\\d、(.*?)没有选择!\";", "没有选择!\";"},
    {"<dd title='(.*?)'>·", "'>·"},
};

std::vector<Text> groupsOf(RegexObject& regex, std::string_view pattern, std::string_view subject) {
    std::vector<Text> groups;
    if (!regex.execute(pattern, subject)) {
        groups.push_back("<failed>");
        return groups;
    }
    for (int32_t j = 1; j <= regex.matchCount(); ++j) {
        int32_t unused = 0;
        groups.push_back(regex.subMatchText(j, 1, unused, false));
    }
    return groups;
}

TEST(LinesEnding, EngineFindsWhatItFindsInTheWholePage) {
    const char* const pieces[] = {
        ".errormessage = \"1、",
        ".ERRORMESSAGE = \"2、",
        "没有选择!\";",
        "没有选择",
        "!\";",
        "<dd title='",
        "'>·",
        "·",
        "'",
        "\n",
        "\r\n",
        "\r",
        "\x81",
        "\xC3",
        "\xFF",
        "\x80",
        "题",
        "a",
        " ",
    };
    std::mt19937 random(2026);
    std::uniform_int_distribution<size_t> piece(0, std::size(pieces) - 1);
    std::uniform_int_distribution<int> length(0, 24);
    RegexObject regex;
    int matched = 0;
    for (int page = 0; page < 1500; ++page) {
        Text html;
        for (int k = length(random); k > 0; --k)
            html += pieces[piece(random)];
        for (const Rule& rule : rules) {
            const std::vector<Text> want = groupsOf(regex, rule.pattern, html);
            const Text lines = linesEnding(html, rule.endText);
            ASSERT_EQ(groupsOf(regex, rule.pattern, lines), want) << "page " << page;
            ASSERT_LE(lines.size(), html.size() + 1);
            matched += !want.empty();
        }
    }
    EXPECT_GT(matched, 200); // the pages do exercise matches
}

// A line of many openings after its last end text, or before an end text on a pair's
// second byte, held up the engine for a time quadratic in the line's length; the engine
// now sees only the line up to its last real end text.
TEST(LinesEnding, StopsAtTheLastRealEndText) {
    const Text openers = [] {
        Text s;
        for (int k = 0; k < 2000; ++k)
            s += ".errormessage = \"1、没有选择!\"X;<dd title='";
        return s;
    }();
    struct {
        const char* shape;
        Text html;
        const char* endText;
        Text lines;
    } const cases[] = {
        {"openers after the end", "x没有选择!\";" + openers, "没有选择!\";", "x没有选择!\";\n"},
        {"end on a second byte", "x" + openers + "\x81没有选择!\";", "没有选择!\";", ""},
        {"retake openers after the end", "<a>'>·" + openers, "'>·", "<a>'>·\n"},
        {"several lines", "1'>·" + openers + "\n2'>·'>·" + openers, "'>·", "1'>·\n2'>·'>·\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(linesEnding(c.html, c.endText), c.lines) << c.shape;
}

} // namespace
