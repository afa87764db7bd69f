// Small, real-looking exam pages and reports for the tracker's tests.
#pragma once

#include "text/Text.h"

#include <string>
#include <vector>

// A page that asks for unanswered questions: one errormessage line per stem, numbered from 1
// (or with the given numbers).
inline Text capturePage(const std::vector<Text>& stems, std::vector<int> numbers = {}) {
    Text html = "<html><head><title>在线考试</title><script>\r\n";
    for (size_t i = 0; i < stems.size(); ++i) {
        int n = i < numbers.size() ? numbers[i] : static_cast<int>(i + 1);
        html += "  $(\"#q" + std::to_string(n) + "\").errormessage = \"" + std::to_string(n) +
                "、" + stems[i] + "没有选择!\";\r\n";
    }
    html += "</script></head><body>请作答</body></html>";
    return html;
}

// The retake page: each wrongly answered question as <dd title='...'>·.
inline Text retakePage(const std::vector<Text>& titles) {
    Text html = "<html><body><h1>成绩</h1><a href='#'>重新考试</a><dl>\r\n";
    for (const Text& t : titles)
        html += "<dd title='" + t + "'>·" + t + "</dd>\r\n";
    html += "</dl></body></html>";
    return html;
}

inline Text certificatePage() {
    return "<html><body>恭喜通过考试 <a href='/cert'>申请证书</a></body></html>";
}

inline Text examReport(const Text& num, const Text& html, const Text& type = "recv",
                       const Text& url = "http://www.site.example/pages/exam/start.jsp") {
    return "num{|" + num + "|}type{|" + type + "|}url{|" + url + "|}html{|" + html +
           "|}header{|HTTP/1.1 200 OK|}";
}
