// The PCRE2 engine: compile the translated pattern per run, search the way the scripting
// engine does (after an empty match one code unit on), and expand "$" replacements.
#include "regex/Pcre2Engine.h"

#include "regex/PatternTranslator.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <optional>
#include <vector>

namespace {

static_assert(sizeof(PCRE2_UCHAR) == sizeof(char16_t));

template <class T, void (*Free)(T*)> struct Deleter {
    void operator()(T* p) const { Free(p); }
};
using Code = std::unique_ptr<pcre2_code, Deleter<pcre2_code, pcre2_code_free>>;
using MatchData =
    std::unique_ptr<pcre2_match_data, Deleter<pcre2_match_data, pcre2_match_data_free>>;
using MatchContext =
    std::unique_ptr<pcre2_match_context, Deleter<pcre2_match_context, pcre2_match_context_free>>;

PCRE2_SPTR units(const WideText& w) {
    return reinterpret_cast<PCRE2_SPTR>(w.data());
}

// Start and end of a match, then of each of its groups; PCRE2_UNSET for a group that took
// no part.
using Spans = std::vector<PCRE2_SIZE>;

WideText spanText(const WideText& subject, const Spans& spans, size_t pair) {
    PCRE2_SIZE s = spans[2 * pair], e = spans[2 * pair + 1];
    return s == PCRE2_UNSET ? WideText() : subject.substr(s, e - s);
}

class Pcre2Match : public RegexMatch {
  public:
    Pcre2Match(std::shared_ptr<const WideText> subject, Spans spans)
        : subject(std::move(subject)), spans(std::move(spans)) {}
    WideText value() const override { return spanText(*subject, spans, 0); }
    int32_t firstIndex() const override { return static_cast<int32_t>(spans[0]); }
    int32_t subMatchCount() const override { return groups(); }
    WideText subMatch(int32_t index) const override {
        if (index < 0 || index >= groups()) return WideText();
        return spanText(*subject, spans, index + 1);
    }

  private:
    int32_t groups() const { return static_cast<int32_t>(spans.size() / 2) - 1; }
    std::shared_ptr<const WideText> subject;
    Spans spans;
};

class Pcre2Matches : public RegexMatches {
  public:
    // `offsets` holds `pairs` start/end pairs for each match.
    Pcre2Matches(std::shared_ptr<const WideText> subject, Spans offsets, size_t pairs)
        : subject(std::move(subject)), offsets(std::move(offsets)), pairs(pairs) {}
    int32_t count() const override { return static_cast<int32_t>(offsets.size() / (2 * pairs)); }
    std::unique_ptr<RegexMatch> item(int32_t index) const override {
        if (index < 0 || index >= count()) return nullptr;
        auto first = offsets.begin() + 2 * pairs * index;
        return std::make_unique<Pcre2Match>(subject, Spans(first, first + 2 * pairs));
    }

  private:
    std::shared_ptr<const WideText> subject;
    Spans offsets;
    size_t pairs;
};

Code compile(const WideText& pattern, bool ignoreCase, bool multiline) {
    auto translated = translatePattern(pattern, multiline);
    if (!translated) return nullptr;
    uint32_t options = PCRE2_NEVER_UTF | PCRE2_NEVER_UCP | PCRE2_MATCH_UNSET_BACKREF;
    if (ignoreCase) options |= PCRE2_CASELESS;
    int error = 0;
    PCRE2_SIZE errorOffset = 0;
    return Code(pcre2_compile(reinterpret_cast<PCRE2_SPTR>(translated->data()), translated->size(),
                              options, &error, &errorOffset, nullptr));
}

size_t pairsOf(const pcre2_code* code) {
    uint32_t groups = 0;
    pcre2_pattern_info(code, PCRE2_INFO_CAPTURECOUNT, &groups);
    return groups + 1;
}

// Every match from left to right (the first only without `global`), its spans appended
// to `out`. After a match [s, e) the search goes on at e, or at e + 1 when the match was
// empty, so an empty match may follow a non-empty one at the same place. False when a
// search fails, for instance on reaching a limit.
bool searchAll(const pcre2_code* code, const WideText& subject, bool global, Spans& out) {
    MatchData data(pcre2_match_data_create_from_pattern(code, nullptr));
    MatchContext context(pcre2_match_context_create(nullptr));
    if (!data || !context) return false;
    pcre2_set_match_limit(context.get(), pcre2MatchLimit);
    pcre2_set_heap_limit(context.get(), pcre2HeapLimitKiB);

    const size_t pairs = pairsOf(code);
    PCRE2_SIZE at = 0;
    while (at <= subject.size()) {
        int rc =
            pcre2_match(code, units(subject), subject.size(), at, 0, data.get(), context.get());
        if (rc == PCRE2_ERROR_NOMATCH) break;
        if (rc < 0) return false;
        const PCRE2_SIZE* ov = pcre2_get_ovector_pointer(data.get());
        out.insert(out.end(), ov, ov + 2 * pairs);
        if (!global) break;
        at = ov[1] + (ov[0] == ov[1] ? 1 : 0);
    }
    return true;
}

// Appends `replacement` for one match: "$$" is "$", "$&" the match, "$`" and "$'" the
// text before and after it, "$n" and "$nn" group n (two digits when that group exists,
// else one); any other "$" is itself.
void expand(const WideText& replacement, const WideText& subject, const Spans& spans,
            WideText& out) {
    const size_t groups = spans.size() / 2 - 1;
    for (size_t k = 0; k < replacement.size(); ++k) {
        char16_t c = replacement[k];
        char16_t next = k + 1 < replacement.size() ? replacement[k + 1] : 0;
        if (c != u'$' || !next) {
            out += c;
        } else if (next == u'$') {
            out += u'$';
            ++k;
        } else if (next == u'&') {
            out += spanText(subject, spans, 0);
            ++k;
        } else if (next == u'`') {
            out.append(subject, 0, spans[0]);
            ++k;
        } else if (next == u'\'') {
            out.append(subject, spans[1]);
            ++k;
        } else if (next >= u'0' && next <= u'9') {
            size_t one = next - u'0';
            char16_t second = k + 2 < replacement.size() ? replacement[k + 2] : 0;
            size_t two = second >= u'0' && second <= u'9' ? one * 10 + (second - u'0') : 0;
            if (two >= 1 && two <= groups) {
                out += spanText(subject, spans, two);
                k += 2;
            } else if (one >= 1 && one <= groups) {
                out += spanText(subject, spans, one);
                ++k;
            } else {
                out += c;
            }
        } else {
            out += c;
        }
    }
}

class Pcre2Engine : public RegexEngine {
  public:
    void setIgnoreCase(bool on) override { ignoreCase_ = on; }
    bool ignoreCase() const override { return ignoreCase_; }
    void setMultiline(bool on) override { multiline = on; }
    void setGlobal(bool on) override { global = on; }
    void setPattern(const WideText& p) override { pattern_ = p; }
    WideText pattern() const override { return pattern_; }

    std::shared_ptr<RegexMatches> execute(const WideText& subject) override {
        Code code = compile(pattern_, ignoreCase_, multiline);
        Spans offsets;
        if (!code || !searchAll(code.get(), subject, global, offsets)) return nullptr;
        return std::make_shared<Pcre2Matches>(std::make_shared<const WideText>(subject),
                                              std::move(offsets), pairsOf(code.get()));
    }

    WideText replace(const WideText& subject, const WideText& replacement) override {
        Code code = compile(pattern_, ignoreCase_, multiline);
        Spans offsets;
        if (!code || !searchAll(code.get(), subject, global, offsets)) return WideText();
        const size_t width = 2 * pairsOf(code.get());
        WideText out;
        PCRE2_SIZE copied = 0;
        for (size_t m = 0; m < offsets.size(); m += width) {
            Spans spans(offsets.begin() + m, offsets.begin() + m + width);
            out.append(subject, copied, spans[0] - copied);
            expand(replacement, subject, spans, out);
            copied = spans[1];
        }
        out.append(subject, copied);
        return out;
    }

  private:
    bool ignoreCase_ = false;
    bool multiline = false;
    bool global = false;
    WideText pattern_;
};

} // namespace

std::shared_ptr<RegexEngine> createPcre2Engine() {
    return std::make_shared<Pcre2Engine>();
}
