// The answer tracker on the real regex engine: filter, capture, retake, certificate, reset.
#include "Pages.h"

#include "exam/MemoryDisplay.h"
#include "exam/Tracker.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

fs::path testFolder() {
    return fs::temp_directory_path() /
           ("tesvo-tracker-" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
}

class TrackerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    void deliver(const Text& report) { handleReportMessage(tracker, report.c_str()); }
    void page(const Text& html) { deliver(examReport(std::to_string(++num), html)); }

    std::string replyOf(const std::string& n) {
        std::ifstream in(folder.string() + "/" + n + ".fd", std::ios::binary);
        if (!in) return "<none>";
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void expectAnswers(std::array<Text, 5> want) { EXPECT_EQ(display.answers, want); }

    const fs::path folder = testFolder();
    std::vector<Text> questions;
    InterceptClient client{folder.string()};
    RegexObject regex;
    MemoryDisplay display;
    Tracker tracker{questions, client, regex, display};
    int num = 0;
};

TEST_F(TrackerTest, FilterLetsOnlyReceivedExamPagesThrough) {
    const Text html = capturePage({"题一"});
    struct {
        Text type, url;
    } const rejected[] = {
        {"RECV", "http://s/pages/exam/a"}, {"", "http://s/pages/exam/a"},
        {"send", "http://s/pages/exam/a"}, {"recv", "pages/exam/a?again=pages/exam"},
        {"recv", "http://s/pages/other"},  {"recv", ""},
    };
    for (size_t i = 0; i < std::size(rejected); ++i) {
        SCOPED_TRACE(i);
        const std::string num = std::string("r").append(std::to_string(i));
        deliver(examReport(num, html, rejected[i].type, rejected[i].url));
        EXPECT_EQ(replyOf(num), "new{|0|}");
    }
    EXPECT_TRUE(questions.empty());
    EXPECT_EQ(display.questionBox, "");
    deliver(examReport("ok", html, "recv", "xpages/exam"));
    EXPECT_EQ(questions, std::vector<Text>{"题一"});
}

TEST_F(TrackerTest, EveryReportIsRepliedToEvenWhenEmptyOrNull) {
    handleReportMessage(tracker, nullptr);
    EXPECT_EQ(replyOf(""), "new{|0|}");
    fs::remove(folder / ".fd");
    deliver("");
    EXPECT_EQ(replyOf(""), "new{|0|}");
    deliver("num{|9|}garbage \xFF\x81");
    EXPECT_EQ(replyOf("9"), "new{|0|}");
}

TEST_F(TrackerTest, CaptureFillsListAndQuestionBoxInPageOrder) {
    page(capturePage({"第一题", "第二题", "第三题", "", "第五题"}));
    EXPECT_EQ(questions, (std::vector<Text>{"第一题", "第二题", "第三题", "", "第五题"}));
    EXPECT_EQ(display.questionBox, "第一题\r\n第二题\r\n第三题\r\n\r\n第五题\r\n");
    EXPECT_EQ(replyOf("1"), "new{|0|}");
    // A second capture page while tracking adds nothing.
    page(capturePage({"别的题"}));
    EXPECT_EQ(questions.size(), 5u);
    EXPECT_EQ(display.questionBox, "第一题\r\n第二题\r\n第三题\r\n\r\n第五题\r\n");
}

TEST_F(TrackerTest, OnlyOneDigitNumbersAreCaptured) {
    page(capturePage({"九", "十"}, {9, 10}));
    EXPECT_EQ(questions, std::vector<Text>{"九"});
}

TEST_F(TrackerTest, SixthAndSeventhStemsAreKeptButHaveNoBox) {
    page(capturePage({"a1", "a2", "a3", "a4", "a5", "a6", "a7"}));
    EXPECT_EQ(questions.size(), 7u);
    EXPECT_EQ(display.questionBox, "a1\r\na2\r\na3\r\na4\r\na5\r\na6\r\na7\r\n");
    page(retakePage({"a6", "a7"}));
    expectAnswers({"A", "A", "A", "A", "A"});
    page(retakePage({"a5", "a1"}));
    expectAnswers({"B", "A", "A", "A", "B"});
}

TEST_F(TrackerTest, RetakeAdvancesListedStemsOnly) {
    page(capturePage({"甲", "乙", "丙"}));
    display.answers[3] = "D";
    display.answers[4] = "E";
    page(retakePage({"丁", "乙"}));
    expectAnswers({"A", "B", "A", "D", "E"});
    // The same page again advances again; byte-exact comparison of titles.
    page(retakePage({"乙", "甲 ", "Jia"}));
    expectAnswers({"A", "C", "A", "D", "E"});
}

TEST_F(TrackerTest, DuplicateStemsAdvanceTheFirstPositionOnly) {
    page(capturePage({"x", "same", "y", "same"}));
    page(retakePage({"same"}));
    expectAnswers({"A", "B", "A", "A", "A"});
    // A title listed twice advances twice.
    page(retakePage({"same", "same"}));
    expectAnswers({"A", "D", "A", "A", "A"});
}

TEST_F(TrackerTest, CaseAndSpacesMatterInRetakeTitles) {
    page(capturePage({"Stem one"}));
    page(retakePage({"stem one", "Stem  one", "STEM ONE"}));
    expectAnswers({"A", "A", "A", "A", "A"});
}

TEST_F(TrackerTest, CapturePageWithoutMatchesLeavesTrackerEmpty) {
    page("<p>这一页没有选择的题目</p>");
    EXPECT_TRUE(questions.empty());
    page(capturePage({"后来的题"}));
    EXPECT_EQ(questions, std::vector<Text>{"后来的题"});
}

TEST_F(TrackerTest, AllThreeRulesInOneReport) {
    Text both = capturePage({"p1", "p2"}) + retakePage({"p2"});
    page(both);
    EXPECT_EQ(questions, (std::vector<Text>{"p1", "p2"}));
    expectAnswers({"A", "B", "A", "A", "A"});
    resetTracker(tracker);
    page(both + certificatePage());
    EXPECT_TRUE(questions.empty());
    EXPECT_EQ(display.questionBox, "");
    expectAnswers({"A", "A", "A", "A", "A"});
}

TEST_F(TrackerTest, KeyTextAtTheFirstByteDoesNotFire) {
    page("没有选择" + capturePage({"q"}));
    EXPECT_TRUE(questions.empty());
    page(capturePage({"q"}));
    page("重新考试" + retakePage({"q"}));
    expectAnswers({"A", "A", "A", "A", "A"});
    page("申请证书" + certificatePage());
    EXPECT_EQ(questions.size(), 1u);
}

TEST_F(TrackerTest, LettersRunThroughTheByteCodes) {
    page(capturePage({"1", "2", "3", "4", "5"}));
    display.answers = {"Z", "", "\xFF", "Bx", "\x7F"};
    page(retakePage({"1", "2", "3", "4", "5"}));
    expectAnswers({"[", "\x01", "", "C", "\x80"});
}

TEST_F(TrackerTest, ResetFromAnyState) {
    resetTracker(tracker);
    expectAnswers({"A", "A", "A", "A", "A"});
    page(capturePage({"a", "b"}));
    page(retakePage({"a"}));
    display.answers[2] = "";
    resetTracker(tracker);
    EXPECT_TRUE(questions.empty());
    EXPECT_EQ(display.questionBox, "");
    expectAnswers({"A", "A", "A", "A", "A"});
}

// The rules give the engine only the lines that hold a match's text; on every layout of
// lines the capture must equal what the pattern finds in the whole page.
TEST_F(TrackerTest, CaptureTakesWhatThePatternFindsInTheWholePage) {
    const Text line = "  $('#q1').errormessage = \"1、题一没有选择!\";";
    struct {
        const char* layout;
        Text html;
    } const pages[] = {
        {"CR LF and LF", "<p>\r\n" + line + "\r\n<b>\n" + line + "\n</p>"},
        {"two in one line", "<p>" + line + line + "\r\n</p>"},
        {"no line feed", "<p>" + line + "<i>" + line},
        {"match text alone", "<p>// 没有选择!\";\n" + line + "\n"},
        {"lead byte before LF", "<p>\xC3\n" + line + "\xC3\n" + line + "\n"},
        {"stem over lead byte and LF", "<p>.errormessage = \"2、前\xC3\n后没有选择!\";\n"},
        {"upper case", "<p>\n.ERRORMESSAGE = \"3、大写没有选择!\";\r\n"},
    };
    for (const auto& p : pages) {
        SCOPED_TRACE(p.layout);
        RegexObject whole;
        whole.execute(".errormessage = \"\\d、(.*?)没有选择!\";", p.html);
        std::vector<Text> stems;
        Text box;
        for (int32_t j = 1; j <= whole.matchCount(); ++j) {
            int32_t unused = 0;
            stems.push_back(whole.subMatchText(j, 1, unused, false));
            box += stems.back() + "\r\n";
        }
        resetTracker(tracker);
        page(p.html);
        EXPECT_EQ(questions, stems);
        EXPECT_EQ(display.questionBox, box);
    }
}

TEST_F(TrackerTest, RetakeFindsTitlesOnAnyLayoutOfLines) {
    page(capturePage({"甲", "乙", "丙", "丁", "戊"}));
    page("<a>重新考试</a><dd title='甲'>·</dd><dd title='乙'>·</dd>");
    expectAnswers({"B", "B", "A", "A", "A"});
    page("<a>重新考试</a>\n<DD TITLE='丙'>·\r\n<dd title='丁'>·\xC3\n<dd title='戊'>·");
    expectAnswers({"B", "B", "B", "B", "B"});
}

TEST_F(TrackerTest, HostileInputIsHandledAndReplied) {
    // A 4 MiB page on one line with the keys near its end.
    Text huge(4u << 20, 'x');
    for (size_t i = 0; i < huge.size(); i += 3)
        huge[i] = '\xB0';
    page("<" + huge + capturePage({"长页"}) + retakePage({"长页"}));
    EXPECT_EQ(questions, std::vector<Text>{"长页"});
    expectAnswers({"B", "A", "A", "A", "A"});
    EXPECT_EQ(replyOf("1"), "new{|0|}");
    resetTracker(tracker);

    // An errormessage line without its closing quote, and a stem of 100,000 characters.
    Text longStem(200000, '\xB0');
    page("<.errormessage = \"1、" + longStem + "没有选择!" +
         capturePage({longStem.substr(0, 100000)}));
    EXPECT_EQ(questions.size(), 1u);
    resetTracker(tracker);

    // Invalid GBK, and retake titles full of regex metacharacters.
    page(capturePage({"\xFF", "(a|b)*?[", "\\d+$"}) + "\xFF\xFF\x80");
    EXPECT_EQ(questions.size(), 3u);
    page(retakePage({"(a|b)*?[", "\\d+$"}));
    expectAnswers({"A", "B", "B", "A", "A"});
    EXPECT_EQ(replyOf(std::to_string(num)), "new{|0|}");
}

} // namespace
