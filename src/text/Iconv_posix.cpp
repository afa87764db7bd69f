// iconv with replacement of what does not convert, for the native ANSI conversions.
#include "text/Iconv_posix.h"

#include "text/CharacterStart.h"

#include <cerrno>
#include <iconv.h>

std::string iconvConvert(const char* to, const char* from, std::string_view in,
                         std::string_view replacement, InvalidLength invalidLength) {
    std::string out;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return out;
    out.resize(in.size() * 4 + 16);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    size_t used = 0;
    while (srcLeft > 0) {
        char* dst = out.data() + used;
        size_t dstLeft = out.size() - used;
        size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        used = out.size() - dstLeft;
        if (r != static_cast<size_t>(-1)) break;
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        // EILSEQ or EINVAL: replace one piece and go on after it.
        size_t skip = invalidLength(std::string_view(src, srcLeft));
        if (skip == 0 || skip > srcLeft) skip = srcLeft;
        src += skip;
        srcLeft -= skip;
        if (out.size() - used < replacement.size()) out.resize(out.size() * 2 + 16);
        out.replace(used, replacement.size(), replacement);
        used += replacement.size();
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    out.resize(used);
    return out;
}

size_t invalidGbkLength(std::string_view rest) {
    const bool pair = rest.size() >= 2 && isCodePageLead(static_cast<unsigned char>(rest[0])) &&
                      isCodePageTrail(static_cast<unsigned char>(rest[1]));
    return pair ? 2 : 1;
}
