// RegexObject on every engine of the build (VBScript.RegExp on Windows, PCRE2 natively):
// one table of matching behaviours, then the lifecycle and failure rules.
#include "regex/RegexObject.h"
#include "regex/RegexEngines.h"
#include "regex/UnderWine.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace {

struct Options {
    OptionalBool caseSensitive = {}, multiline = {}, global = {}, quoteMarker = {};
};
const Options caseSensitive{.caseSensitive = given(true)};
const Options singleLine{.multiline = given(false)};
const Options firstOnly{.global = given(false)};
const Options quoteMarkers{.quoteMarker = given(true)};

// Wine's VBScript.RegExp never moves on after an empty match in a global run, so such a
// row would loop for ever: it is never run there.
const char* const hangsUnderWine = "<hangs>";

struct Row {
    const char* pattern;
    const char* subject;
    // Each match as text@position, its groups in parentheses; "fail" when execute is false.
    // This is the Windows answer.
    const char* want;
    Options options = {};
    // When set: replace() with `with` gives `replaced`.
    const char* with = nullptr;
    const char* replaced = nullptr;
    // Where Wine's VBScript.RegExp answers differently: its answer, or hangsUnderWine.
    const char* wine = nullptr;
};

// clang-format off
const Row rows[] = {
    // The tracker's capture pattern on a GBK page: "\d" is exactly one digit, "、" and the
    // stem are characters, not bytes, and "(.*?)" stops at the first "没有选择".
    {.pattern = ".errormessage = \"\\d、(.*?)没有选择!\";",
     .subject = "a.errormessage = \"1、甲没有选择!\";\na.errormessage = \"2、乙丙没有选择!\";",
     .want = ".errormessage = \"1、甲没有选择!\";@1(甲@21)|"
             ".errormessage = \"2、乙丙没有选择!\";@36(乙丙@56)"},
    {.pattern = ".errormessage = \"\\d、(.*?)没有选择!\";",
     .subject = "a.errormessage = \"10、甲没有选择!\";",
     .want = ""},
    // The retake pattern: lazy, so the second group runs on to the next "'>·".
    {.pattern = "<dd title='(.*?)'>·",
     .subject = "<dd title='甲'>·<dd title='乙'>x<dd title='丙'>·",
     .want = "<dd title='甲'>·@0(甲@11)|<dd title='乙'>x<dd title='丙'>·@17(乙'>x<dd title='丙@28)"},
    // "." stops at a line feed, so no match runs across one.
    {.pattern = "<dd title='(.*?)'>·", .subject = "<dd title='甲\n'>·", .want = ""},
    {.pattern = "a(.*?)c", .subject = "abcbc", .want = "abc@0(b@1)"},
    {.pattern = "a(.*)c", .subject = "abcbc", .want = "abcbc@0(bcb@1)"},
    {.pattern = "a\\db", .subject = "a1b a12b", .want = "a1b@0"},
    // Case is ignored unless asked for; every match on a line is found.
    {.pattern = "abc", .subject = "ABC abc", .want = "ABC@0|abc@4"},
    {.pattern = "abc", .subject = "ABC abc", .want = "abc@4", .options = caseSensitive},
    {.pattern = "a", .subject = "aa", .want = "a@0", .options = firstOnly},
    // Positions: the scan starts at byte FirstIndex - 1, so an earlier occurrence wins, with
    // case ignored as the run ignored it; two-byte characters shift it back further.
    {.pattern = "a", .subject = "aa", .want = "a@0|a@0"},
    {.pattern = "a", .subject = "Aa", .want = "A@0|a@0"},
    {.pattern = "a", .subject = "Aa", .want = "a@1", .options = caseSensitive},
    {.pattern = "a", .subject = "中a", .want = "a@2"},
    {.pattern = "b", .subject = "中中ab", .want = "b@5"},
    // Empty groups: position 0, or -2 in an empty subject.
    {.pattern = "a(x*)b", .subject = "ab", .want = "ab@0(@0)"},
    {.pattern = "(x*)", .subject = "", .want = "@-2(@-2)", .options = firstOnly},
    {.pattern = "(a)?b", .subject = "b", .want = "b@0(@0)"},
    {.pattern = "(a)?b\\1", .subject = "b", .want = "b@0(@0)"},
    // Bad patterns.
    {.pattern = "a(b", .subject = "ab", .want = "fail"},
    {.pattern = "a)b", .subject = "ab", .want = "fail"},
    {.pattern = "a**", .subject = "a", .want = "fail"},
    {.pattern = "(?<=a)b", .subject = "ab", .want = "fail"},
    {.pattern = "(?i)a", .subject = "a", .want = "fail"},
    // Quote markers stand for '"' only when asked.
    {.pattern = "title=#引号(.*?)#引号", .subject = "title=\"甲\" title=#引号乙#引号",
     .want = "title=\"甲\"@0(甲@7)", .options = quoteMarkers},
    {.pattern = "title=#引号(.*?)#引号", .subject = "title=\"甲\" title=#引号乙#引号",
     .want = "title=#引号乙#引号@11(乙@22)"},
    // Multiline (the default): "^" and "$" at every line, "\r" ending a line too.
    {.pattern = "^b", .subject = "a\nb", .want = "b@2"},
    {.pattern = "^b", .subject = "a\nb", .want = "", .options = singleLine},
    {.pattern = "a$", .subject = "a\nb", .want = "a@0"},
    {.pattern = "a$", .subject = "a\n", .want = "", .options = singleLine},
    {.pattern = "^b", .subject = "a\rb", .want = "b@2"},
    // Escapes in the scripting engine's own sense.
    {.pattern = "\\x41\\u4E2D", .subject = "A中", .want = "A中@0"},
    {.pattern = "\\x4G", .subject = "x4G", .want = "x4G@0"},
    {.pattern = "\\101\\a", .subject = "Aa", .want = "Aa@0"},
    {.pattern = "(a)\\1", .subject = "aa", .want = "aa@0(a@0)"},
    {.pattern = "\\d", .subject = "１", .want = ""},
    // "\s" is [ \f\n\r\t\v] on Windows; Wine's also takes U+3000 and other spaces.
    {.pattern = "[^\\s]\\s", .subject = "a　", .want = "", .wine = "a　@0"},
    {.pattern = "a(?=b)", .subject = "acab", .want = "a@2"},
    // Replacement syntax.
    {.pattern = "(\\d)", .subject = "a1b2", .want = "1@1(1@1)|2@3(2@3)",
     .with = "<$1$&$$>", .replaced = "a<11$>b<22$>"},
    {.pattern = "b", .subject = "abc", .want = "b@1", .with = "[$`|$']", .replaced = "a[a|c]c"},
    {.pattern = "a", .subject = "aa", .want = "a@0", .options = firstOnly,
     .with = "b", .replaced = "ba"},
    // "." takes "\r" on Windows; Wine ends lines there as well.
    {.pattern = "a.b", .subject = "a\rb", .want = "a\rb@0", .wine = ""},
    // Global runs and empty matches: after an empty match the search moves one character
    // on; after a non-empty one an empty match may follow where it ended.
    {.pattern = "x*", .subject = "ab", .want = "@0|@0|@0", .with = "-", .replaced = "-a-b-",
     .wine = hangsUnderWine},
    {.pattern = "a*", .subject = "baaac", .want = "@0|aaa@1|@0|@0", .wine = hangsUnderWine},
    {.pattern = "", .subject = "ab", .want = "@0|@0|@0", .wine = hangsUnderWine},
};
// clang-format on

std::string render(const RegexObject& r, bool ok) {
    if (!ok) return "fail";
    auto located = [](const Text& text, int32_t pos) { return text + "@" + std::to_string(pos); };
    std::string out;
    const int32_t groups = r.subMatchCount();
    for (int32_t i = 1; i <= r.matchCount(); ++i) {
        int32_t pos = 0;
        if (i > 1) out += '|';
        Text text = r.matchText(i, pos, true);
        out += located(text, pos);
        for (int32_t j = 1; j <= groups; ++j) {
            out += j == 1 ? "(" : ",";
            text = r.subMatchText(i, j, pos, true);
            out += located(text, pos);
        }
        if (groups) out += ')';
    }
    return out;
}

class RegexObjectTest : public ::testing::TestWithParam<RegexEngineChoice> {
  protected:
    bool wineEngine() const {
        return underWine() && std::string(GetParam().name) == "VBScript.RegExp";
    }
    bool run(const Row& row) {
        const Options& o = row.options;
        return regex.execute(row.pattern, row.subject, o.caseSensitive, o.multiline, o.global,
                             o.quoteMarker);
    }

    RegexObject regex{GetParam().create};
};

TEST_P(RegexObjectTest, BehaviourTable) {
    for (size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        const Row& row = rows[i];
        std::string want = row.want;
        if (row.wine && wineEngine()) {
            if (row.wine == hangsUnderWine) continue;
            want = row.wine;
        }
        bool ok = run(row);
        EXPECT_EQ(render(regex, ok), want) << row.pattern;
        if (row.with) {
            EXPECT_EQ(regex.replace(row.with), row.replaced);
        }
    }
}

TEST_P(RegexObjectTest, RejectedPatternLeavesNoMatchesButKeepsThePattern) {
    ASSERT_TRUE(regex.execute("a", "aa"));
    ASSERT_EQ(regex.matchCount(), 2);
    EXPECT_FALSE(regex.execute("a(", "aa"));
    EXPECT_EQ(regex.matchCount(), 0);
    EXPECT_EQ(regex.subMatchCount(), 0);
    int32_t pos = 7;
    EXPECT_EQ(regex.matchText(1, pos, true), "");
    EXPECT_EQ(pos, 0); // the empty text, found at the start
    EXPECT_EQ(regex.getPattern(), "a(");
    EXPECT_EQ(regex.replace("x"), "");
}

TEST_P(RegexObjectTest, RunWithoutMatchesSucceeds) {
    EXPECT_TRUE(regex.execute("a", "a"));
    EXPECT_TRUE(regex.execute("x(y)", "abc"));
    EXPECT_EQ(regex.matchCount(), 0);
    EXPECT_EQ(regex.subMatchCount(), 0);
    EXPECT_EQ(regex.replace("z"), "abc");
}

TEST_P(RegexObjectTest, IndicesOutOfRangeGiveTheEmptyText) {
    ASSERT_TRUE(regex.execute("(b)", "ab"));
    struct {
        int32_t i, j;
    } const probes[] = {{0, 1}, {2, 1}, {-1, 1}, {1, 0}, {1, 2}};
    for (size_t k = 0; k < std::size(probes); ++k) {
        SCOPED_TRACE(k);
        int32_t pos = 7;
        EXPECT_EQ(regex.subMatchText(probes[k].i, probes[k].j, pos, true), "");
        EXPECT_EQ(pos, 0);
    }
    int32_t pos = 7;
    EXPECT_EQ(regex.matchText(2, pos, true), "");
    EXPECT_EQ(pos, 0);
    EXPECT_EQ(regex.subMatchText(1, 1, pos, true), "b");
    EXPECT_EQ(pos, 1);
}

TEST_P(RegexObjectTest, PositionIsLeftAloneWithoutWantPosition) {
    ASSERT_TRUE(regex.execute("(b)", "ab"));
    int32_t pos = 12345;
    EXPECT_EQ(regex.matchText(1, pos, false), "b");
    EXPECT_EQ(regex.subMatchText(1, 1, pos, false), "b");
    EXPECT_EQ(regex.matchText(9, pos, false), "");
    EXPECT_EQ(pos, 12345);
}

TEST_P(RegexObjectTest, PatternReadBackIsThePreparedOne) {
    EXPECT_EQ(regex.getPattern(), "");
    ASSERT_TRUE(regex.execute("=#引号(.*?)#引号", "", {}, {}, {}, given(true)));
    EXPECT_EQ(regex.getPattern(), "=\"(.*?)\"");
}

// A copy keeps the run it was made from, with its own subject, and its destruction leaves
// COM usable for the original (it took its own initialisation).
TEST_P(RegexObjectTest, CopyKeepsItsRunAndTheThreadBalanced) {
    ASSERT_TRUE(regex.execute("(b+)", "abb"));
    {
        RegexObject copy(regex);
        ASSERT_TRUE(regex.execute("c", "中c"));
        int32_t pos = 0;
        EXPECT_EQ(copy.matchCount(), 1);
        EXPECT_EQ(copy.subMatchText(1, 1, pos, true), "bb");
        EXPECT_EQ(pos, 1);
        EXPECT_EQ(copy.getPattern(), "(b+)");
        EXPECT_EQ(copy.replace("x"), "ax");
        EXPECT_EQ(regex.matchText(1, pos, true), "c");
        EXPECT_EQ(pos, 2);
    }
    EXPECT_TRUE(regex.execute("a", "a"));
    EXPECT_EQ(regex.matchCount(), 1);
}

TEST_P(RegexObjectTest, LongLazyGroupAndLargeSubject) {
    // A 100,000-character "(.*?)" match.
    std::string stem(100000, 'x');
    ASSERT_TRUE(regex.execute("<dd title='(.*?)'>·", "<dd title='" + stem + "'>·"));
    int32_t pos = 0;
    EXPECT_EQ(regex.subMatchText(1, 1, pos, false), stem);

    // A 4 MiB page with the capture lines at its end.
    std::string page;
    while (page.size() < (4u << 20))
        page += "<p>没有选择 \"1、 .errormessage</p>\n";
    page += ".errormessage = \"1、甲没有选择!\";\n.errormessage = \"2、乙没有选择!\";";
    ASSERT_TRUE(regex.execute(".errormessage = \"\\d、(.*?)没有选择!\";", page));
    ASSERT_EQ(regex.matchCount(), 2);
    EXPECT_EQ(regex.subMatchText(2, 1, pos, false), "乙");
}

std::string engineName(const ::testing::TestParamInfo<RegexEngineChoice>& info) {
    std::string name;
    for (char c : std::string(info.param.name))
        if (std::isalnum(static_cast<unsigned char>(c))) name += c;
    return name;
}

INSTANTIATE_TEST_SUITE_P(Engines, RegexObjectTest, ::testing::ValuesIn(regexEngines()), engineName);

// Where no engine can be created every operation gives its empty result.
TEST(RegexObjectWithoutEngine, EveryResultIsEmpty) {
    RegexObject none([]() -> std::shared_ptr<RegexEngine> { return nullptr; });
    EXPECT_FALSE(none.execute("a", "a"));
    EXPECT_EQ(none.matchCount(), 0);
    EXPECT_EQ(none.subMatchCount(), 0);
    EXPECT_EQ(none.getPattern(), "");
    EXPECT_EQ(none.replace("b"), "");
    int32_t pos = 7;
    EXPECT_EQ(none.matchText(1, pos, true), "");
    EXPECT_EQ(pos, 0);
}

// The program's own objects use the build's first engine.
TEST(RegexObjectDefault, RunsOnTheFirstEngine) {
    RegexObject regex;
    ASSERT_TRUE(regex.execute("b", "abc"));
    EXPECT_EQ(regex.matchCount(), 1);
}

} // namespace

// Names the engine in GoogleTest's messages.
void PrintTo(const RegexEngineChoice& choice, std::ostream* os) {
    *os << choice.name;
}
