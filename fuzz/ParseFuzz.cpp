// Fuzz target: report parsing (and through it the private field extraction) on any bytes.
#include "ReferenceFind.h"
#include "intercept/InterceptClient.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

// A field's value by the rule, with the plain search: after the first key marker, up to the
// first "|}" the search finds from there.
std::string referenceField(std::string_view report, std::string_view marker) {
    const int s = referenceFind(report, marker, 1, false);
    if (s == -1) return {};
    const int c = s + static_cast<int>(marker.size());
    const int e = referenceFind(report, "|}", c, false);
    if (e == -1) return {};
    return std::string(report.substr(static_cast<size_t>(c) - 1, static_cast<size_t>(e - c)));
}

[[noreturn]] void fail(std::string_view marker, const std::string& value, const char* what) {
    std::fprintf(stderr, "field %.*s (%zu bytes): %s\n", static_cast<int>(marker.size()),
                 marker.data(), value.size(), what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // An exact-size heap copy: a read past the report's end is caught.
    std::unique_ptr<char[]> buffer(new char[size]);
    std::copy(data, data + size, buffer.get());
    const std::string_view input(buffer.get(), size);

    static const InterceptClient client(Text("/nonexistent"));
    const PacketReport r = client.parse(input);

    // The report ends at its first NUL, as the C string it arrives as would.
    const std::string_view report = input.substr(0, input.find('\0'));
    const struct {
        std::string_view marker;
        const Text& value;
    } fields[] = {{"num{|", r.num},       {"type{|", r.type},      {"url{|", r.url},
                  {"html{|", r.html},     {"cookie{|", r.cookie},  {"post{|", r.post},
                  {"header{|", r.header}, {"process{|", r.process}};
    for (const auto& f : fields) {
        if (f.value.empty()) continue;
        // Implies that the value lies inside the report.
        if (report.find(std::string(f.marker) + f.value + "|}") == std::string_view::npos)
            fail(f.marker, f.value, "not between its key marker and an end marker");
    }
    for (const auto& f : fields)
        if (f.value != referenceField(report, f.marker))
            fail(f.marker, f.value, "differs from the plain extraction");
    if (!r.replyExtra.empty()) fail("replyExtra", r.replyExtra, "filled by parse");
    return 0;
}
