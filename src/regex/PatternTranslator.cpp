// The translation of scripting-engine patterns to PCRE2: one pass over the pattern that
// re-emits every atom in a form whose meaning PCRE2 cannot read differently.
#include "regex/PatternTranslator.h"

#include <cstdint>

namespace {

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}
bool isOctal(char16_t c) {
    return c >= u'0' && c <= u'7';
}
bool isAsciiLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}
bool isAsciiAlnum(char16_t c) {
    return isDigit(c) || isAsciiLetter(c);
}

int hexValue(char16_t c) {
    if (isDigit(c)) return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

void appendHex(std::u16string& out, uint32_t v) {
    static const char16_t digits[] = u"0123456789ABCDEF";
    out += u"\\x{";
    bool started = false;
    for (int shift = 12; shift >= 0; shift -= 4) {
        uint32_t d = (v >> shift) & 0xF;
        if (d || started || shift == 0) {
            out += digits[d];
            started = true;
        }
    }
    out += u'}';
}

// A literal code unit: ASCII letters and digits as they are, everything else by its value,
// so that no character can take on a PCRE2 meaning.
void appendLiteral(std::u16string& out, char16_t c) {
    if (isAsciiAlnum(c))
        out += c;
    else
        appendHex(out, c);
}

// Capturing groups in the whole pattern: "\N" is a back reference only when N of them exist,
// wherever they stand.
int countGroups(std::u16string_view p) {
    int groups = 0;
    for (size_t i = 0; i < p.size(); ++i) {
        char16_t c = p[i];
        if (c == u'\\') {
            ++i;
        } else if (c == u'[') {
            ++i;
            if (i < p.size() && p[i] == u'^') ++i;
            while (i < p.size() && p[i] != u']')
                i += p[i] == u'\\' ? 2 : 1;
        } else if (c == u'(' && (i + 1 >= p.size() || p[i + 1] != u'?')) {
            ++groups;
        }
    }
    return groups;
}

class Translator {
  public:
    Translator(std::u16string_view p, bool multiline)
        : p(p), multiline(multiline), groups(countGroups(p)) {}

    std::optional<std::u16string> run() {
        int depth = 0;
        // Whether the last item can take a quantifier: not at the start of an alternative,
        // after an assertion, or after another quantifier (so "a**" and the possessive
        // "a*+" are rejected as the scripting engine rejects them).
        bool quantifiable = false;
        while (i < p.size()) {
            char16_t c = p[i++];
            switch (c) {
            case u'\\':
                if (!escape(quantifiable)) return std::nullopt;
                break;
            case u'[':
                if (!characterClass()) return std::nullopt;
                quantifiable = true;
                break;
            case u'(':
                if (i < p.size() && p[i] == u'?') {
                    // Only (?: (?= (?! exist; (?< (?i) (?P (?# (?> and the rest do not.
                    if (i + 1 >= p.size()) return std::nullopt;
                    char16_t k = p[i + 1];
                    if (k != u':' && k != u'=' && k != u'!') return std::nullopt;
                    out += u"(?";
                    out += k;
                    i += 2;
                } else {
                    out += u'(';
                }
                ++depth;
                quantifiable = false;
                break;
            case u')':
                if (depth == 0) return std::nullopt;
                --depth;
                out += u')';
                quantifiable = true;
                break;
            case u'|':
                out += u'|';
                quantifiable = false;
                break;
            case u'^':
                // Line starts after "\n" and "\r"; PCRE2's own multiline knows one newline.
                out += multiline ? u"(?<![^\\n\\r])" : u"\\A";
                quantifiable = false;
                break;
            case u'$':
                // Without Multiline only the very end, not before a final "\n".
                out += multiline ? u"(?![^\\n\\r])" : u"\\z";
                quantifiable = false;
                break;
            case u'.':
                out += u"[^\\n]";
                quantifiable = true;
                break;
            case u'*':
            case u'+':
            case u'?':
                if (!quantifiable) return std::nullopt;
                out += c;
                lazySuffix();
                quantifiable = false;
                break;
            case u'{':
                if (braceQuantifier()) {
                    if (!quantifiable || !valid) return std::nullopt;
                    lazySuffix();
                    quantifiable = false;
                } else {
                    // Not a quantifier: a literal brace, as the scripting engine reads it.
                    appendLiteral(out, c);
                    quantifiable = true;
                }
                break;
            default:
                appendLiteral(out, c);
                quantifiable = true;
                break;
            }
        }
        if (depth != 0) return std::nullopt;
        return out;
    }

  private:
    void lazySuffix() {
        if (i < p.size() && p[i] == u'?') {
            out += u'?';
            ++i;
        }
    }

    // Reads "{n}", "{n,}" or "{n,m}" at i (after the brace) and emits it; false, reading
    // nothing, when the text there is not one. `valid` turns false for n > m.
    bool braceQuantifier() {
        size_t k = i;
        auto number = [&](uint32_t& v) {
            size_t from = k;
            v = 0;
            while (k < p.size() && isDigit(p[k])) {
                // Beyond PCRE2's repeat limit all values fail alike.
                if (v < 1000000) v = v * 10 + (p[k] - u'0');
                ++k;
            }
            return k > from;
        };
        uint32_t lo = 0, hi = 0;
        if (!number(lo)) return false;
        bool open = false, hasHi = false;
        if (k < p.size() && p[k] == u',') {
            ++k;
            open = true;
            hasHi = number(hi);
        }
        if (k >= p.size() || p[k] != u'}') return false;
        i = k + 1;
        valid = !hasHi || lo <= hi;
        out += u'{';
        out += toText(lo);
        if (open) out += u',';
        if (hasHi) out += toText(hi);
        out += u'}';
        return true;
    }

    static std::u16string toText(uint32_t v) {
        std::u16string s;
        do {
            s.insert(s.begin(), static_cast<char16_t>(u'0' + v % 10));
            v /= 10;
        } while (v);
        return s;
    }

    // An octal escape from i (its first digit is p[i - 1]): up to three digits while the
    // value stays within 0377.
    char16_t octal() {
        uint32_t v = p[i - 1] - u'0';
        for (int n = 1; n < 3 && i < p.size() && isOctal(p[i]) && v * 8 + (p[i] - u'0') <= 0377;
             ++n)
            v = v * 8 + (p[i++] - u'0');
        return static_cast<char16_t>(v);
    }

    // "\xHH" and "\uHHHH" need all their digits; otherwise the letter stands for itself.
    char16_t hexEscape(char16_t letter, size_t digits) {
        if (i + digits > p.size()) return letter;
        uint32_t v = 0;
        for (size_t k = 0; k < digits; ++k) {
            int h = hexValue(p[i + k]);
            if (h < 0) return letter;
            v = v * 16 + h;
        }
        i += digits;
        return static_cast<char16_t>(v);
    }

    // The character an escape means in and out of classes (after the cases each handles
    // itself). An unknown escape is the literal letter.
    char16_t characterEscape(char16_t e) {
        switch (e) {
        case u'f':
            return u'\f';
        case u'n':
            return u'\n';
        case u'r':
            return u'\r';
        case u't':
            return u'\t';
        case u'v':
            return u'\v'; // PCRE2's \v would be a class of vertical space
        case u'x':
            return hexEscape(e, 2);
        case u'u':
            return hexEscape(e, 4);
        case u'c':
            if (i < p.size() && isAsciiLetter(p[i])) return p[i++] % 32;
            // Without a letter the backslash is itself and the "c" is read again.
            --i;
            return u'\\';
        default:
            return isOctal(e) ? octal() : e;
        }
    }

    static bool isClassEscape(char16_t e) {
        return e == u'd' || e == u'D' || e == u'w' || e == u'W' || e == u's' || e == u'S';
    }

    bool escape(bool& quantifiable) {
        if (i >= p.size()) return false; // a trailing backslash
        char16_t e = p[i++];
        quantifiable = true;
        if (e == u'b' || e == u'B') {
            out += u'\\';
            out += e;
            quantifiable = false;
            return true;
        }
        // With the built-in tables and no UCP these are ASCII: [0-9], [A-Za-z0-9_] and
        // [\t\n\v\f\r ], as in the scripting engine.
        if (isClassEscape(e)) {
            out += u'\\';
            out += e;
            return true;
        }
        if (e >= u'1' && e <= u'9') {
            size_t k = i - 1;
            uint32_t n = 0;
            while (k < p.size() && isDigit(p[k])) {
                if (n < 100000) n = n * 10 + (p[k] - u'0');
                ++k;
            }
            if (n <= static_cast<uint32_t>(groups)) {
                i = k;
                out += u"\\g{" + toText(n) + u"}";
                return true;
            }
        }
        appendLiteral(out, characterEscape(e));
        return true;
    }

    // One item of a class: a character, or a class escape (\d and the like) in `klass`.
    bool classAtom(char16_t& value, char16_t& klass) {
        klass = 0;
        value = p[i++];
        if (value != u'\\') return true;
        if (i >= p.size()) return false;
        char16_t e = p[i++];
        if (isClassEscape(e)) {
            klass = e;
        } else if (e == u'b') {
            value = u'\b';
        } else {
            value = characterEscape(e);
        }
        return true;
    }

    bool characterClass() {
        bool negated = i < p.size() && p[i] == u'^';
        if (negated) ++i;
        if (i < p.size() && p[i] == u']') {
            // "[]" matches nothing and "[^]" any character; PCRE2 would read the bracket as
            // a member.
            ++i;
            out += negated ? u"[\\x{0}-\\x{FFFF}]" : u"(?!)";
            return true;
        }
        out += negated ? u"[^" : u"[";
        while (true) {
            if (i >= p.size()) return false;
            if (p[i] == u']') {
                ++i;
                break;
            }
            char16_t lo, loClass;
            if (!classAtom(lo, loClass)) return false;
            // A hyphen between two characters makes a range; next to a class escape, or
            // before the closing bracket, it is itself a member.
            if (i + 1 < p.size() && p[i] == u'-' && p[i + 1] != u']') {
                ++i;
                char16_t hi, hiClass;
                if (!classAtom(hi, hiClass)) return false;
                if (!loClass && !hiClass) {
                    if (lo > hi) return false;
                    appendHex(out, lo);
                    out += u'-';
                    appendHex(out, hi);
                    continue;
                }
                appendClassAtom(lo, loClass);
                appendHex(out, u'-');
                appendClassAtom(hi, hiClass);
                continue;
            }
            appendClassAtom(lo, loClass);
        }
        out += u']';
        return true;
    }

    void appendClassAtom(char16_t value, char16_t klass) {
        if (klass) {
            out += u'\\';
            out += klass;
        } else {
            appendHex(out, value);
        }
    }

    std::u16string_view p;
    bool multiline;
    int groups;
    size_t i = 0;
    bool valid = true;
    std::u16string out;
};

} // namespace

std::optional<std::u16string> translatePattern(std::u16string_view pattern, bool multiline) {
    return Translator(pattern, multiline).run();
}
