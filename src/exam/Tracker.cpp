// Report dispatch and the three page rules that capture questions, advance letters and reset.
#include "exam/Tracker.h"

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

// Text that every match of a pattern holds, whatever the letter case: its characters have
// none, so their bytes stand in the page unchanged.
constexpr std::string_view captureMatchText = "没有选择!\";";
constexpr std::string_view retakeMatchText = "'>·";

constexpr int answerBoxCount = 5;

// A rule fires only when its key text occurs and its first occurrence is not at byte 1.
bool pageTest(std::string_view html, std::string_view key) {
    return findText(html, key) > 1;
}

// A line feed after a byte below 80 hex ends a line in every conversion to UTF-16. After a
// higher byte it might be taken as the second byte of a character, so it ends nothing here.
bool isSafeLineEnd(std::string_view s, size_t i) {
    return s[i] == '\n' && (i == 0 || static_cast<unsigned char>(s[i - 1]) < 0x80);
}

// The lines of `html` that hold the bytes of `matchText`, in page order, each with its line
// feed. The rules' patterns never match a line feed (their dots exclude it and their
// literals hold none), so each match lies inside one line and holds `matchText`: a pattern
// finds the same matches, in the same order, in these lines as in the whole page, and the
// engine reads a few lines instead of a long page.
Text linesHolding(std::string_view html, std::string_view matchText) {
    Text lines;
    size_t done = 0; // everything before it is copied or holds no match
    for (size_t hit = html.find(matchText); hit != std::string_view::npos;
         hit = html.find(matchText, done)) {
        size_t begin = hit;
        while (begin > done && !isSafeLineEnd(html, begin - 1))
            --begin;
        size_t end = html.find('\n', hit + matchText.size());
        while (end != std::string_view::npos && !isSafeLineEnd(html, end))
            end = html.find('\n', end + 1);
        end = end == std::string_view::npos ? html.size() : end + 1;
        lines.append(html.substr(begin, end - begin));
        done = end;
    }
    return lines;
}

Text groupOne(RegexObject& regex, int32_t match) {
    int32_t unused = 0;
    return regex.subMatchText(match, 1, unused, false);
}

void captureRule(Tracker& t, std::string_view html) {
    if (!t.questionList.empty() || !pageTest(html, captureKey)) return;
    t.regex.execute(capturePattern, linesHolding(html, captureMatchText));
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
    t.regex.execute(retakePattern, linesHolding(html, retakeMatchText));
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
    const PacketReport r = t.client.parse(report);
    if (textEquals(r.type, "recv") && findText(r.url, "pages/exam") > 1) {
        // The rules only read the page, and the reset touches the tracker, not the report,
        // so they can share the parsed html instead of a copy of it.
        const std::string_view html = r.html;
        captureRule(t, html);
        retakeRule(t, html);
        certificateRule(t, html);
    }
    t.client.reply(r, false);
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
