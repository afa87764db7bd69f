// Lines and the ends of matches as the engine sees them: through the conversion to UTF-16,
// where a line feed or an end text on the second byte of a pair is none.
#include "exam/LinesEnding.h"

#include "text/ByteSearch.h"
#include "text/CharacterStart.h"

namespace {

// The first occurrence of `endText` at or after `from` that begins a character, or npos.
// `known` begins a character and lies at or before `from`.
size_t findEnd(std::string_view html, std::string_view endText, size_t from, size_t known) {
    for (size_t hit = findBytes(html, endText, from); hit != std::string_view::npos;
         hit = findBytes(html, endText, hit + 1)) {
        if (startsAnsiCharacter(html, hit, known)) return hit;
        known = hit + 1; // the second byte of a pair: the byte after it begins a character
    }
    return std::string_view::npos;
}

// A line feed ends a line only where it begins a character; elsewhere it is the second byte
// of a pair, and no line feed to the engine.
bool isLineEnd(std::string_view html, size_t i, size_t known) {
    return html[i] == '\n' && startsAnsiCharacter(html, i, known);
}

} // namespace

Text linesEnding(std::string_view html, std::string_view endText) {
    Text lines;
    size_t done = 0; // everything before it is copied or holds no match; begins a character
    for (size_t hit = findEnd(html, endText, 0, 0); hit != std::string_view::npos;
         hit = findEnd(html, endText, done, done)) {
        size_t begin = hit;
        while (begin > done) {
            const size_t feed = html.rfind('\n', begin - 1);
            if (feed == std::string_view::npos || feed < done) {
                begin = done;
            } else if (isLineEnd(html, feed, done)) {
                begin = feed + 1;
                break;
            } else {
                begin = feed;
            }
        }
        size_t end = findBytes(html, "\n", hit + endText.size());
        while (end != std::string_view::npos && !isLineEnd(html, end, hit))
            end = findBytes(html, "\n", end + 1);
        end = end == std::string_view::npos ? html.size() : end + 1;
        // An occurrence that begins a character ends before one, as `endText` is whole
        // characters.
        size_t cut = hit + endText.size();
        for (size_t next = findEnd(html, endText, cut, cut); next < end;
             next = findEnd(html, endText, cut, cut))
            cut = next + endText.size();
        lines.append(html.substr(begin, cut - begin));
        lines += '\n';
        done = end;
    }
    return lines;
}
