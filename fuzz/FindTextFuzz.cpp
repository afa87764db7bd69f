// Fuzz target: findText against the plain character-stepping search of ReferenceFind.h.
#include "ReferenceFind.h"
#include "text/Text.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

std::string hex(std::string_view s) {
    std::string out;
    char b[4];
    for (unsigned char c : s) {
        std::snprintf(b, sizeof b, "%02X ", c);
        out += b;
    }
    return out;
}

} // namespace

// Input: flags, start, then either the sought text and the subject, or the subject alone with
// the sought text cut out of it (so that matches on trail bytes are common).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const bool ignoreCase = in.ConsumeBool();
    const bool cutFromSubject = in.ConsumeBool();
    const int start = in.ConsumeIntegralInRange<int>(-2, 600);
    std::string sought;
    std::string subject;
    if (cutFromSubject) {
        const size_t from = in.ConsumeIntegral<uint16_t>();
        const size_t length = in.ConsumeIntegralInRange<size_t>(0, 12);
        subject = in.ConsumeRemainingBytesAsString();
        if (from < subject.size()) sought = subject.substr(from, length);
    } else {
        sought = in.ConsumeRandomLengthString(64);
        subject = in.ConsumeRemainingBytesAsString();
    }
    // Exact-size heap copies, so that a read past either end is caught.
    std::unique_ptr<char[]> s(new char[subject.size()]);
    std::unique_ptr<char[]> t(new char[sought.size()]);
    std::copy(subject.begin(), subject.end(), s.get());
    std::copy(sought.begin(), sought.end(), t.get());
    const std::string_view sv(s.get(), subject.size());
    const std::string_view tv(t.get(), sought.size());

    const int got = findText(sv, tv, start, ignoreCase);
    const int want = referenceFind(sv, tv, start, ignoreCase);
    auto check = [&](bool holds, const char* what, int other) {
        if (holds) return;
        std::fprintf(stderr, "findText(%s| %s| %d, %d) = %d: %s (%d)\n", hex(sv).c_str(),
                     hex(tv).c_str(), start, ignoreCase, got, what, other);
        std::abort();
    };
    check(got == want, "the reference gives", want);

    // Two relations that need no reference. Letter case, of any byte, means nothing to a
    // search that ignores it; and such a search finds an exact match or one before it.
    if (ignoreCase) {
        std::string upper(sv), lower(tv);
        for (char& c : upper)
            c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
        for (char& c : lower)
            c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
        const int folded = findText(upper, lower, start, true);
        check(folded == got, "with the subject in upper and the sought text in lower case", folded);
    } else if (got != -1) {
        const int ignoring = findText(sv, tv, start, true);
        check(ignoring != -1 && ignoring <= got, "ignoring case", ignoring);
    }
    return 0;
}
