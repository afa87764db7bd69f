// Program directory on Windows, from the module file name of the running program.
#include "text/ProgramDirectory.h"

#include <windows.h>

Text programDirectory() {
    char buf[MAX_PATH + 1];
    DWORD n = GetModuleFileNameA(nullptr, buf, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return Text();
    Text path(buf, n);
    // Step by characters: the byte 5C can be the second byte of a two-byte character.
    size_t last = Text::npos;
    for (size_t i = 0; i < path.size(); ++i) {
        if (isLeadByte(static_cast<unsigned char>(path[i])) && i + 1 < path.size()) {
            ++i;
            continue;
        }
        if (path[i] == '\\') last = i;
    }
    return last == Text::npos ? Text() : path.substr(0, last);
}
