// JSON transcript lines: ANSI texts decoded to UTF-8 and escaped.
#include "Transcript.h"

#include "text/Utf8.h"

namespace {

void appendJsonString(std::string& out, const Text& ansi) {
    static const char hex[] = "0123456789abcdef";
    out += '"';
    for (unsigned char c : ansiToUtf8(ansi)) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20 || c == 0x7F) {
                out += "\\u00";
                out += hex[c >> 4];
                out += hex[c & 15];
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    out += '"';
}

template <class List> void appendJsonArray(std::string& out, const List& items) {
    out += '[';
    bool first = true;
    for (const Text& item : items) {
        if (!first) out += ',';
        first = false;
        appendJsonString(out, item);
    }
    out += ']';
}

} // namespace

std::string transcriptLine(int step, const char* action, const StepState& state) {
    std::string out = "{\"step\":" + std::to_string(step) + ",\"action\":\"" + action + "\"";
    out += ",\"questionBox\":";
    appendJsonString(out, state.questionBox);
    out += ",\"answers\":";
    appendJsonArray(out, state.answers);
    out += ",\"questions\":";
    appendJsonArray(out, state.questions);
    out += ",\"reply\":";
    if (state.reply) {
        appendJsonString(out, *state.reply);
    } else {
        out += "null";
    }
    out += '}';
    return out;
}
