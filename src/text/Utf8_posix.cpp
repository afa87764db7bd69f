// Native UTF-8 <-> ANSI (CP936) through iconv.
#include "text/Utf8.h"

#include "text/Iconv_posix.h"

std::string ansiToUtf8(std::string_view s) {
    return iconvConvert("UTF-8", "CP936", s, "\xEF\xBF\xBD", invalidGbkLength);
}

Text utf8ToAnsi(std::string_view s) {
    return iconvConvert("CP936", "UTF-8", s, "?", [](std::string_view) -> size_t { return 1; });
}
