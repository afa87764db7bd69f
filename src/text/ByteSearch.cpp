// With glibc, memchr and memmem are fast. The Windows build's come from msvcrt, which under
// Wine reads a byte at a time (4 MiB in 1.5 ms); a report's road scans its text several
// times, so there the search takes 16 bytes a step with SSE2 where the processor has it.
#include "text/ByteSearch.h"

#include <cstring>

#ifndef __GLIBC__
#if defined(__i386__) || defined(__x86_64__)
#include <emmintrin.h>
#define TESVO_SSE2_SEARCH 1
#endif
#endif

namespace {

using Bytes = const unsigned char*;

#ifdef __GLIBC__
// glibc's memmem reads about a byte a step (1.5 GB/s here for two bytes such as the
// report's end marker "|}"), where memchr on the first byte moves many bytes a step.
// Where that byte is frequent memchr stops at nearly every byte, so once the stops come more
// often than one in 16 bytes (after some slack), memmem takes the rest.
Bytes search(Bytes s, size_t n, std::string_view sought) {
    const auto* t = reinterpret_cast<Bytes>(sought.data());
    const size_t m = sought.size();
    if (m == 1) return static_cast<Bytes>(std::memchr(s, t[0], n));
    const Bytes last = s + n - m; // a match starts at or before it
    Bytes p = s;
    size_t stops = 0;
    while (p <= last) {
        const auto* q = static_cast<Bytes>(std::memchr(p, t[0], static_cast<size_t>(last - p) + 1));
        if (!q) return nullptr;
        if (std::memcmp(q + 1, t + 1, m - 1) == 0) return q;
        if (++stops * 16 > static_cast<size_t>(q - s) + 256)
            return static_cast<Bytes>(memmem(q + 1, static_cast<size_t>(s + n - (q + 1)), t, m));
        p = q + 1;
    }
    return nullptr;
}
#else

#ifdef TESVO_SSE2_SEARCH
// The first position p < n - 1 where s[p] is `a` and s[p + 1] is `b` (with n - 1 = 0 and
// b unused, the first byte `a`), comparing 16 positions a step.
__attribute__((target("sse2"))) Bytes findSse2(Bytes s, size_t n, unsigned char a, unsigned char b,
                                               bool pair) {
    const size_t positions = pair ? n - 1 : n;
    const __m128i va = _mm_set1_epi8(static_cast<char>(a));
    const __m128i vb = _mm_set1_epi8(static_cast<char>(b));
    size_t i = 0;
    for (; i + 16 <= positions; i += 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        __m128i hits = _mm_cmpeq_epi8(x, va);
        if (pair) {
            const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i + 1));
            hits = _mm_and_si128(hits, _mm_cmpeq_epi8(y, vb));
        }
        if (const int mask = _mm_movemask_epi8(hits)) return s + i + __builtin_ctz(mask);
    }
    for (; i < positions; ++i)
        if (s[i] == a && (!pair || s[i + 1] == b)) return s + i;
    return nullptr;
}

bool hasSse2() {
    static const bool has = [] {
        __builtin_cpu_init(); // in case this runs before libgcc's own constructor
        return __builtin_cpu_supports("sse2") != 0;
    }();
    return has;
}
#endif

// Candidates from the first one or two bytes, the rest compared.
Bytes search(Bytes s, size_t n, std::string_view sought) {
    const auto* t = reinterpret_cast<Bytes>(sought.data());
    const size_t m = sought.size();
#ifdef TESVO_SSE2_SEARCH
    if (hasSse2()) {
        const bool pair = m >= 2;
        for (Bytes p = s; static_cast<size_t>(s + n - p) >= m;) {
            Bytes hit = findSse2(p, static_cast<size_t>(s + n - p) - (m - (pair ? 2 : 1)), t[0],
                                 pair ? t[1] : 0, pair);
            if (!hit) return nullptr;
            if (m <= 2 || std::memcmp(hit + 2, t + 2, m - 2) == 0) return hit;
            p = hit + 1;
        }
        return nullptr;
    }
#endif
    std::string_view hay(reinterpret_cast<const char*>(s), n);
    const size_t k = hay.find(sought);
    return k == std::string_view::npos ? nullptr : s + k;
}
#endif

} // namespace

size_t findBytes(std::string_view s, std::string_view sought, size_t from) {
    if (from > s.size() || sought.size() > s.size() - from) return std::string_view::npos;
    if (sought.empty()) return from;
    const auto* base = reinterpret_cast<Bytes>(s.data());
    Bytes hit = search(base + from, s.size() - from, sought);
    return hit ? static_cast<size_t>(hit - base) : std::string_view::npos;
}
