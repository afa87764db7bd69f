// Turns the UTF-8 characters in the ordinary narrow literals of one C++ file into GBK bytes,
// as g++ -fexec-charset=GBK does, for compilers that only know UTF-8 (clang).
//
// Usage: gbk-literals IN OUT. IN is a translation unit whose includes are already inlined
// (clang -E -frewrite-includes), so every literal the compiler will see is in it. Comments,
// prefixed literals (u8, u, U, L) and line markers are copied unchanged. In an ordinary
// literal each run of non-ASCII bytes becomes octal escapes: raw GBK bytes would not do,
// since a GBK trail byte can be 5C, a backslash (and clang warns about them). A raw literal
// is split around such a run, which becomes an escaped literal between two raw ones. A
// character GBK cannot represent is an error, as it is for g++.
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iconv.h>
#include <iostream>
#include <iterator>
#include <string>
#include <utility>

namespace {

class Converter {
  public:
    Converter(const std::string& in, std::string name) : in(in), file(std::move(name)) {}

    // False after reporting an unrepresentable character.
    bool run(std::string& out) {
        atLineStart = true;
        while (pos < in.size() && ok) {
            const char c = in[pos];
            if (atLineStart && isLineMarker()) {
                copyLine();
            } else if (c == '/' && peek(1) == '/') {
                copyLine();
            } else if (c == '/' && peek(1) == '*') {
                copyUntil("*/", 2);
            } else if (isDigit(c) || (c == '.' && isDigit(peek(1)))) {
                copyNumber();
            } else if (isIdentStart(c)) {
                identifier();
            } else if (c == '"' || c == '\'') {
                literal(true);
            } else {
                take();
            }
        }
        out = std::move(result);
        return ok;
    }

  private:
    char peek(size_t k) const { return pos + k < in.size() ? in[pos + k] : '\0'; }
    static bool isDigit(char c) { return c >= '0' && c <= '9'; }
    static bool isIdentStart(char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == '$';
    }
    static bool isIdentChar(char c) { return isIdentStart(c) || isDigit(c); }

    // Copies one byte.
    void take() {
        const char c = in[pos++];
        result += c;
        if (c == '\n') ++line;
        atLineStart = c == '\n' || (atLineStart && (c == ' ' || c == '\t'));
    }

    // "# 12 "file" 3" and "#line 12 "file"": the file names stay as they are, and they tell
    // where an error is.
    bool isLineMarker() {
        size_t k = pos;
        if (in[k] != '#') return false;
        ++k;
        while (k < in.size() && (in[k] == ' ' || in[k] == '\t'))
            ++k;
        size_t digits = k;
        if (in.compare(k, 5, "line ") == 0) digits = k + 5;
        while (digits < in.size() && in[digits] == ' ')
            ++digits;
        if (digits >= in.size() || !isDigit(in[digits])) return false;
        line = std::stol(in.substr(digits, 12)) - 1;
        size_t q = in.find('"', digits);
        size_t e = in.find('\n', digits);
        if (q < e) file = in.substr(q + 1, in.find('"', q + 1) - q - 1);
        return true;
    }

    // Copies to the end of the line, following backslash-newline continuations.
    void copyLine() {
        while (pos < in.size() && in[pos] != '\n') {
            if (in[pos] == '\\' && peek(1) == '\n') take();
            take();
        }
    }

    void copyUntil(const char* end, size_t len) {
        size_t e = in.find(end, pos + len);
        e = e == std::string::npos ? in.size() : e + len;
        while (pos < e)
            take();
    }

    // A pp-number: its digit separators are not character literals.
    void copyNumber() {
        take();
        while (pos < in.size()) {
            const char c = in[pos];
            const char prev = result.back();
            if (isIdentChar(c) || c == '.') {
                take();
            } else if (c == '\'' && isIdentChar(peek(1))) {
                take();
                take();
            } else if ((c == '+' || c == '-') &&
                       (prev == 'e' || prev == 'E' || prev == 'p' || prev == 'P')) {
                take();
            } else {
                break;
            }
        }
    }

    void identifier() {
        const size_t start = pos;
        while (pos < in.size() && isIdentChar(in[pos]))
            take();
        const char c = peek(0);
        if (c != '"' && c != '\'') return;
        std::string prefix = in.substr(start, pos - start);
        const bool raw = c == '"' && !prefix.empty() && prefix.back() == 'R';
        if (raw) prefix.pop_back();
        if (!prefix.empty() && prefix != "u8" && prefix != "u" && prefix != "U" && prefix != "L")
            return; // an identifier followed by a literal, e.g. a user-defined literal suffix
        if (raw)
            rawLiteral(prefix.empty());
        else
            literal(prefix.empty());
    }

    void literal(bool convert) {
        const char quote = in[pos];
        take();
        while (pos < in.size() && ok) {
            const char c = in[pos];
            if (c == '\n') return; // unterminated: the compiler will say so
            if (static_cast<unsigned char>(c) >= 0x80) {
                nonAscii(convert);
                continue;
            }
            if (c == '\\' && universalName(convert)) continue;
            take();
            if (c == quote) return;
            if (c == '\\' && pos < in.size() && static_cast<unsigned char>(in[pos]) < 0x80) take();
        }
    }

    void rawLiteral(bool convert) {
        take();
        const size_t open = in.find('(', pos);
        if (open == std::string::npos) return;
        const std::string close = ")" + in.substr(pos, open - pos) + "\"";
        while (pos <= open)
            take();
        size_t e = in.find(close, pos);
        e = e == std::string::npos ? in.size() : e + close.size();
        while (pos < e && ok) {
            if (static_cast<unsigned char>(in[pos]) < 0x80 || !convert) {
                take();
                continue;
            }
            // Close the raw literal, give the bytes as an escaped literal, and reopen it:
            // adjacent literals are one.
            result += close + " \"";
            nonAscii(true);
            result += "\" R\"" + close.substr(1, close.size() - 2) + "(";
        }
    }

    // "\\uXXXX" and "\\UXXXXXXXX" name a character too: converted like the character itself.
    bool universalName(bool convert) {
        const size_t digits = peek(1) == 'u' ? 4 : peek(1) == 'U' ? 8 : 0;
        if (!convert || digits == 0 || pos + 2 + digits > in.size()) return false;
        const std::string hex = in.substr(pos + 2, digits);
        if (hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) return false;
        const unsigned long cp = std::stoul(hex, nullptr, 16);
        if (cp < 0x80 || cp > 0x10FFFF) return false; // left to the compiler
        std::string utf8;
        if (cp < 0x800) {
            utf8 = {char(0xC0 | cp >> 6), char(0x80 | (cp & 0x3F))};
        } else if (cp < 0x10000) {
            utf8 = {char(0xE0 | cp >> 12), char(0x80 | (cp >> 6 & 0x3F)), char(0x80 | (cp & 0x3F))};
        } else {
            utf8 = {char(0xF0 | cp >> 18), char(0x80 | (cp >> 12 & 0x3F)),
                    char(0x80 | (cp >> 6 & 0x3F)), char(0x80 | (cp & 0x3F))};
        }
        pos += 2 + digits;
        emit(utf8);
        return true;
    }

    void nonAscii(bool convert) {
        size_t end = pos;
        while (end < in.size() && static_cast<unsigned char>(in[end]) >= 0x80)
            ++end;
        const std::string utf8 = in.substr(pos, end - pos);
        pos = end;
        if (convert)
            emit(utf8);
        else
            result += utf8;
    }

    // Appends the GBK bytes of `utf8` as octal escapes.
    void emit(const std::string& utf8) {
        std::string gbk;
        if (!toGbk(utf8, gbk)) {
            std::cerr << file << ':' << line << ": error: \"" << utf8
                      << "\" in a narrow literal has no GBK form\n";
            ok = false;
            return;
        }
        for (unsigned char b : gbk) {
            char octal[5];
            std::snprintf(octal, sizeof octal, "\\%03o", b);
            result += octal;
        }
    }

    static bool toGbk(const std::string& utf8, std::string& gbk) {
        iconv_t cd = iconv_open("GBK", "UTF-8");
        if (cd == reinterpret_cast<iconv_t>(-1)) return false;
        std::string src = utf8;
        char* inPtr = src.data();
        size_t inLeft = src.size();
        gbk.assign(src.size() * 2 + 4, '\0');
        char* outPtr = gbk.data();
        size_t outLeft = gbk.size();
        const size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        iconv_close(cd);
        if (r == static_cast<size_t>(-1) || inLeft != 0) return false;
        gbk.resize(gbk.size() - outLeft);
        return true;
    }

    const std::string& in;
    std::string result;
    size_t pos = 0;
    bool ok = true;
    bool atLineStart = true;
    long line = 1;
    std::string file;
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: gbk-literals IN OUT\n";
        return 2;
    }
    std::ifstream inFile(argv[1], std::ios::binary);
    if (!inFile) {
        std::cerr << "gbk-literals: cannot read " << argv[1] << '\n';
        return 2;
    }
    const std::string in{std::istreambuf_iterator<char>(inFile), {}};
    std::string out;
    if (!Converter(in, argv[1]).run(out)) return 1;
    std::ofstream outFile(argv[2], std::ios::binary | std::ios::trunc);
    outFile << out;
    return outFile.good() ? 0 : 2;
}
