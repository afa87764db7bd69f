// Deterministic GBK html and reports of a chosen size, shared by the native benchmarks and the
// end-to-end sender: exam-page filler around the real-looking pages of the tracker's tests.
#pragma once

#include "exam/Pages.h"
#include "text/Text.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace bench {

inline constexpr size_t KiB = 1024;
inline constexpr size_t MiB = 1024 * KiB;

// Common characters of question text. None of the page rules' key characters is among them,
// so the filler never fires a rule.
inline constexpr std::string_view fillerCharacters =
    "安全生产法规定的从业人员权利是发生火灾时首先应当下列属于特种作业劳动防护用品正确使方为"
    "事故报告限要求应急预案演练频次工程施工现场管理单位负责人必须组织开展检查";

// A small linear congruential generator: the same bytes on every compiler and platform.
class FillerRandom {
  public:
    explicit FillerRandom(uint32_t seed) : state(seed) {}
    uint32_t below(uint32_t n) {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % n;
    }

  private:
    uint32_t state;
};

// Question-list html of exactly `size` bytes: lines of "<p>N、" with 8 to 40 two-byte
// characters, then the radio buttons in ASCII, and every eighth line a script with braces and
// "||", which the searches for the report's markers stop at. About half of the bytes belong
// to two-byte characters. Cut at a character boundary and padded with spaces.
inline Text fillerHtml(size_t size, uint32_t seed = 1) {
    const size_t characterCount = fillerCharacters.size() / 2;
    FillerRandom random(seed);
    Text out;
    out.reserve(size + 512);
    int number = 1;
    while (out.size() < size) {
        const std::string n = std::to_string(number);
        out += "<p>" + n + "、";
        for (uint32_t k = 8 + random.below(33); k > 0; --k)
            out.append(fillerCharacters.substr(2 * random.below(uint32_t(characterCount)), 2));
        out += "</p><label><input type='radio' name='q" + n + "' value='A'>A</label>";
        out += "<label><input type='radio' name='q" + n + "' value='B'>B</label>\r\n";
        if (number % 8 == 0)
            out += "<script>if (!a" + n + " || b" + n + ") { show('q" + n + "'); }</script>\r\n";
        ++number;
    }
    // Back to a character start at or before `size`, then pad.
    size_t cut = 0;
    while (cut < size) {
        const size_t width = isLeadByte(static_cast<unsigned char>(out[cut])) ? 2 : 1;
        if (cut + width > size) break;
        cut += width;
    }
    out.resize(cut);
    out.append(size - cut, ' ');
    return out;
}

// `page` with filler put in after its "<body>" tag, so that the whole html has `size` bytes
// (or stays as it is when it is already that long). The page's own text then comes last,
// where the searches for its key texts meet it only after crossing the filler.
inline Text sizedPage(const Text& page, size_t size) {
    if (page.size() >= size) return page;
    const std::string_view body = "<body>";
    size_t at = page.find(body);
    at = at == Text::npos ? 0 : at + body.size();
    return page.substr(0, at) + fillerHtml(size - page.size()) + page.substr(at);
}

// Distinct question stems in GBK, as long as real ones.
inline std::vector<Text> questionStems(size_t count) {
    std::vector<Text> stems;
    for (size_t i = 0; i < count; ++i)
        stems.push_back("第" + std::to_string(i + 1) + "题：安全生产法规定的从业人员权利是");
    return stems;
}

// Errormessage numbers run 1 to 9 over and over: the capture pattern takes one digit, so
// every line of a long page is captured.
inline std::vector<int> oneDigitNumbers(size_t count) {
    std::vector<int> numbers;
    for (size_t i = 0; i < count; ++i)
        numbers.push_back(static_cast<int>(i % 9) + 1);
    return numbers;
}

// The pages a benchmark sends, each as html of about `size` bytes.
enum class PageKind { nonExam, capture5, capture60, retake5, certificate };

inline const char* pageKindName(PageKind kind) {
    switch (kind) {
    case PageKind::nonExam:
        return "nonExam";
    case PageKind::capture5:
        return "capture5";
    case PageKind::capture60:
        return "capture60";
    case PageKind::retake5:
        return "retake5";
    case PageKind::certificate:
        return "certificate";
    }
    return "";
}

inline Text pageHtml(PageKind kind, size_t size) {
    switch (kind) {
    case PageKind::nonExam:
        return fillerHtml(size);
    case PageKind::capture5:
        return sizedPage(capturePage(questionStems(5)), size);
    case PageKind::capture60:
        return sizedPage(capturePage(questionStems(60), oneDigitNumbers(60)), size);
    case PageKind::retake5:
        return sizedPage(retakePage(questionStems(5)), size);
    case PageKind::certificate:
        return sizedPage(certificatePage(), size);
    }
    return Text();
}

// The report for a page. A non-exam page comes from a course list, so it fails the url test
// of the exam-page filter and only the reply is written.
inline Text pageReport(PageKind kind, size_t size, const Text& num = "1") {
    const Text html = pageHtml(kind, size);
    if (kind == PageKind::nonExam)
        return examReport(num, html, "recv", "http://www.site.example/pages/course/list.jsp");
    return examReport(num, html);
}

} // namespace bench
