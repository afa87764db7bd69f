// Windows reply file write: CreateFileA with no sharing, so the interceptor never reads a
// half-written reply.
#include "intercept/ReplyFile.h"

#include <windows.h>

bool writeExclusiveFile(const Text& path, std::string_view bytes) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD wrote = 0;
        DWORD chunk = static_cast<DWORD>(bytes.size() - done);
        if (!WriteFile(h, bytes.data() + done, chunk, &wrote, nullptr) || wrote == 0) break;
        done += wrote;
    }
    CloseHandle(h);
    return true;
}
