// The code page's lead bytes (81 to FE hex) pair up with the byte after them. The byte after
// any other byte begins a character, whether that byte stood alone or ended a pair, and in a
// run of lead bytes each pairs with the next, since a lead byte is also a trail byte; so a
// byte begins a character when an even number of lead bytes runs up to it. After an odd
// run the last lead byte takes it as its second byte, unless it lies outside the trail
// range and the conversion does not take such a byte: Windows' and Wine's conversions take
// any byte, iconv's leaves it to stand alone.
#include "text/CharacterStart.h"

#include "text/WideText.h"

namespace {

bool leadTakesAnyByte() {
    static const bool any = ansiToWide("\x81'").size() == 1;
    return any;
}

} // namespace

bool startsAnsiCharacter(std::string_view s, size_t i, size_t known) {
    if (i == 0 || i >= s.size()) return true;
    size_t run = 0;
    while (i - run > known && isCodePageLead(static_cast<unsigned char>(s[i - run - 1])))
        ++run;
    if (run % 2 == 0) return true;
    return !leadTakesAnyByte() && !isCodePageTrail(static_cast<unsigned char>(s[i]));
}
