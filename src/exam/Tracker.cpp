// Report dispatch and the three page rules that capture questions, advance letters and reset.
#include "exam/Tracker.h"

#include "exam/LinesEnding.h"

#include <algorithm>
#include <utility>

namespace {

// The capture pattern: the stem between "N、" and "没有选择!" of each errormessage line.
constexpr std::string_view capturePattern = ".errormessage = \"\\d、(.*?)没有选择!\";";
// The retake pattern: each wrongly answered question's title.
constexpr std::string_view retakePattern = "<dd title='(.*?)'>·";

constexpr std::string_view captureKey = "没有选择";
constexpr std::string_view retakeKey = "重新考试";
constexpr std::string_view certificateKey = "申请证书";

// The text that ends every match of a pattern, whatever the letter case: its characters
// have none, so its bytes stand in the page unchanged, and the engine needs to see only
// the lines that hold it, each up to its last occurrence.
constexpr std::string_view captureEndText = "没有选择!\";";
constexpr std::string_view retakeEndText = "'>·";

constexpr int answerBoxCount = 5;

// A rule fires only when its key text occurs and its first occurrence is not at byte 1.
bool pageTest(std::string_view html, std::string_view key) {
    return findText(html, key) > 1;
}

Text groupOne(RegexObject& regex, int32_t match) {
    int32_t unused = 0;
    return regex.subMatchText(match, 1, unused, false);
}

void captureRule(Tracker& t, std::string_view html) {
    if (!t.questionList.empty() || !pageTest(html, captureKey)) return;
    t.regex.execute(capturePattern, linesEnding(html, captureEndText));
    const int32_t n = t.regex.matchCount();
    // All the lines go into the box in one append, which leaves it with the same text as one
    // append a line: the window repaints its scroll bar at every append, some milliseconds
    // each under Wine, so a page of 60 questions took a third of a second.
    Text lines;
    for (int32_t j = 1; j <= n; ++j) {
        Text stem = groupOne(t.regex, j);
        lines += stem;
        lines += "\r\n";
        t.questionList.push_back(std::move(stem));
    }
    if (n > 0) t.display.appendToQuestionBox(lines);
}

void retakeRule(Tracker& t, std::string_view html) {
    if (!pageTest(html, retakeKey)) return;
    t.regex.execute(retakePattern, linesEnding(html, retakeEndText));
    const int32_t n = t.regex.matchCount();
    for (int32_t j = 1; j <= n; ++j) {
        const Text title = groupOne(t.regex, j);
        const int limit = static_cast<int>(std::min<size_t>(answerBoxCount, t.questionList.size()));
        for (int k = 1; k <= limit; ++k) {
            if (textEquals(t.questionList[k - 1], title)) {
                advanceLetter(t, k);
                break;
            }
        }
    }
}

void certificateRule(Tracker& t, std::string_view html) {
    if (pageTest(html, certificateKey)) resetTracker(t);
}

} // namespace

void handleReportMessage(Tracker& t, const char* reportText) {
    dispatchReport(t, reportText ? std::string_view(reportText) : std::string_view());
}

void dispatchReport(Tracker& t, std::string_view report) {
    // The fields are read in place: the rules only read the page, and the reset touches the
    // tracker, not the report, so no copy of a page of megabytes is needed.
    const PacketReportFields r = t.client.parseFields(report);
    if (textEquals(r.type, "recv") && findText(r.url, "pages/exam") > 1) {
        captureRule(t, r.html);
        retakeRule(t, r.html);
        certificateRule(t, r.html);
    }
    // A reply that does not modify the packet is the same text for every report; only
    // `num` names its file.
    PacketReport answered;
    answered.num = r.num;
    t.client.reply(answered, false);
}

void resetTracker(Tracker& t) {
    t.questionList.clear();
    t.display.setQuestionBox(Text());
    for (int k = 1; k <= answerBoxCount; ++k)
        t.display.setAnswerBox(k, "A");
}

void advanceLetter(Tracker& t, int k) {
    const Text current = t.display.answerBox(k);
    const unsigned b = current.empty() ? 0 : static_cast<unsigned char>(current[0]);
    const unsigned c = (b + 1) % 256;
    t.display.setAnswerBox(k, c == 0 ? Text() : Text(1, static_cast<char>(c)));
}
