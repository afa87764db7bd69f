// Fuzz target: the lines the page rules hand the engine. On any page the PCRE2 engine must
// find the same matches, in the same order, in those lines as in the whole page, and the
// lines are never longer than the page and one line feed.
#include "exam/LinesEnding.h"
#include "regex/Pcre2Engine.h"
#include "regex/RegexObject.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::vector<Text> groupsOf(RegexObject& regex, std::string_view pattern, std::string_view subject) {
    std::vector<Text> groups;
    if (!regex.execute(pattern, subject)) return {"<failed>"};
    for (int32_t j = 1; j <= regex.matchCount(); ++j) {
        int32_t unused = 0;
        groups.push_back(regex.subMatchText(j, 1, unused, false));
    }
    return groups;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string_view html = input.substr(0, input.find('\0'));
    static RegexObject regex(createPcre2Engine);
    const struct {
        const char* pattern;
        const char* endText;
    } rules[] = {
        {".errormessage = \"\\d、(.*?)没有选择!\";", "没有选择!\";"},
        {"<dd title='(.*?)'>·", "'>·"},
    };
    for (const auto& rule : rules) {
        const std::vector<Text> whole = groupsOf(regex, rule.pattern, html);
        const Text lines = linesEnding(html, rule.endText);
        if (groupsOf(regex, rule.pattern, lines) != whole) {
            std::fprintf(stderr, "%s: other matches in the lines\n", rule.pattern);
            std::abort();
        }
        if (lines.size() > html.size() + 1) {
            std::fprintf(stderr, "%s: lines longer than the page\n", rule.pattern);
            std::abort();
        }
    }
    return 0;
}
