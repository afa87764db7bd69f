// Reply texts, reply paths and the check that keeps a report's number a plain file name.
#include "intercept/ReplyFile.h"

#include "text/ProgramDirectory.h"

#include <cctype>
#include <cstring>

namespace {

bool isForbiddenByte(unsigned char c) {
    return c < 0x20 || c == 0x7F || std::strchr("<>:\"/\\|?*", c) != nullptr;
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// Windows maps these names to devices whatever extension follows them ("CON.fd" is the
// console), and ignores trailing spaces and dots before the extension.
bool isReservedDeviceName(std::string_view num) {
    std::string_view base = num.substr(0, num.find('.'));
    while (!base.empty() && (base.back() == ' ' || base.back() == '.'))
        base.remove_suffix(1);
    static constexpr std::string_view fixed[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (std::string_view name : fixed)
        if (equalsIgnoringAsciiCase(base, name)) return true;
    if (base.size() == 4 && base[3] >= '1' && base[3] <= '9' &&
        (equalsIgnoringAsciiCase(base.substr(0, 3), "COM") ||
         equalsIgnoringAsciiCase(base.substr(0, 3), "LPT")))
        return true;
    return false;
}

} // namespace

bool isSafeReplyName(std::string_view num) {
    // Checked byte by byte, not by character: a path separator is refused even where GBK
    // would read it as the second byte of a character, since not every API does.
    for (unsigned char c : num)
        if (isForbiddenByte(c)) return false;
    return !isReservedDeviceName(num);
}

Text replyText(const PacketReport& report, bool modify) {
    Text out;
    if (!modify) {
        out = "new{|0|}";
    } else {
        out.reserve(48 + report.cookie.size() + report.html.size() + report.post.size() +
                    report.url.size());
        out += "new{|1|}";
        out += "cookie{|" + report.cookie + "|}";
        out += "html{|" + report.html + "|}";
        out += "post{|" + report.post + "|}";
        out += "url{|" + report.url + "|}";
    }
    out += report.replyExtra;
    return out;
}

Text replyPath(std::string_view folder, std::string_view num) {
    Text path;
    path.reserve(folder.size() + num.size() + 4);
    path.append(folder);
    path += pathSeparator;
    path.append(num);
    path += ".fd";
    return path;
}
