// The shared text helpers: C-string copies, the character-stepping search, quote markers.
#include "text/Text.h"

#include "text/ByteSearch.h"

#include <cstring>

Text textFromCString(const char* s) {
    return s ? Text(s) : Text();
}

bool startsTextCharacter(std::string_view s, size_t p, size_t known) {
    size_t runStart = p;
    while (runStart > known && isLeadByte(static_cast<unsigned char>(s[runStart - 1])))
        --runStart;
    return (p - runStart) % 2 == 0;
}

namespace {

unsigned char foldAscii(unsigned char c) {
    return (c >= 'a' && c <= 'z') ? c - 32 : c;
}

bool equalAt(const unsigned char* p, std::string_view sought, bool ignoreCase) {
    const auto* q = reinterpret_cast<const unsigned char*>(sought.data());
    if (!ignoreCase) return std::memcmp(p, q, sought.size()) == 0;
    for (size_t k = 0; k < sought.size(); ++k)
        if (foldAscii(p[k]) != foldAscii(q[k])) return false;
    return true;
}

// The plain form of the search: one character at a time.
int stepSearch(const unsigned char* s, size_t n, size_t from, std::string_view sought,
               bool ignoreCase) {
    size_t i = from;
    while (i < n) {
        if (n - i >= sought.size() && equalAt(s + i, sought, ignoreCase))
            return static_cast<int>(i + 1);
        if (isLeadByte(s[i])) {
            if (i + 1 == n) return -1; // lead byte before the terminating NUL
            i += 2;
        } else {
            i += 1;
        }
    }
    return -1;
}

// Same result as stepSearch for an exact search, at the speed of findBytes: candidates come
// from it and are kept only when they start a character. `known` is a character start at or
// before every later candidate, so each byte is looked at a bounded number of times.
int fastExactSearch(std::string_view s, size_t from, std::string_view sought) {
    size_t known = from;
    size_t at = from;
    while (at + sought.size() <= s.size()) {
        const size_t p = findBytes(s, sought, at);
        if (p == std::string_view::npos) break;
        if (startsTextCharacter(s, p, known)) return static_cast<int>(p + 1);
        // p is a trail byte, so p + 1 starts a character.
        known = p + 1;
        at = p + 1;
    }
    // No match; the stepping search would also have found none before any lone lead byte.
    return -1;
}

} // namespace

int findText(std::string_view subject, std::string_view sought, int start, bool ignoreCase) {
    const size_t n = subject.size();
    if (n == 0) return -1;
    size_t from = start < 1 ? 0 : static_cast<size_t>(start) - 1;
    if (from >= n) return -1;
    if (sought.empty()) return 1;
    if (ignoreCase)
        return stepSearch(reinterpret_cast<const unsigned char*>(subject.data()), n, from, sought,
                          true);
    return fastExactSearch(subject, from, sought);
}

Text replaceQuoteMarker(std::string_view s) {
    Text out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        if (s.substr(i, quoteMarker.size()) == quoteMarker) {
            out += '"';
            i += quoteMarker.size();
        } else if (isLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) {
            out.append(s.data() + i, 2);
            i += 2;
        } else {
            out += s[i++];
        }
    }
    return out;
}
