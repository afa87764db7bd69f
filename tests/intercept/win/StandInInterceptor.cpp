// A stand-in for the interceptor "fd.exe" in the link tests. It notes how it was started in
// fd-standin.log beside itself, sends one report to the window that fd_home names (unless it
// was given an argument), and then idles until it is ended.
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

std::string ownDirectory() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path, n < MAX_PATH ? n : 0);
    return s.substr(0, s.rfind('\\'));
}

// One line per event, appended; the test reads the file while this process still runs.
void note(const std::string& line) {
    HANDLE f = CreateFileA((ownDirectory() + "\\fd-standin.log").c_str(), FILE_APPEND_DATA,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(f);
}

// The window handle the system published, read the way the interceptor finds it.
HWND publishedWindow() {
    char value[32] = {};
    DWORD size = sizeof value - 1;
    DWORD type = 0;
    if (RegQueryValueExA(HKEY_CURRENT_USER, "fd_home", nullptr, &type,
                         reinterpret_cast<BYTE*>(value), &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return nullptr;
    return reinterpret_cast<HWND>(static_cast<intptr_t>(std::strtol(value, nullptr, 10)));
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int) {
    std::string pid = std::to_string(GetCurrentProcessId());
    char cwd[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, cwd);
    note("start|" + pid + "|" + cwd + "|" + GetCommandLineA());
    // The report goes out from the message loop, once the starter's wait for this process
    // to become ready for input has ended.
    if (arguments[0] == '\0') SetTimer(nullptr, 0, 10, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message != WM_TIMER) continue;
        KillTimer(nullptr, msg.wParam);
        std::string report = "num{|" + pid + "|}type{|recv|}";
        DWORD_PTR result = 0;
        LRESULT sent = SendMessageTimeoutA(publishedWindow(), EM_REPLACESEL, 0,
                                           reinterpret_cast<LPARAM>(report.c_str()), SMTO_NORMAL,
                                           10000, &result);
        note("sent|" + pid + "|" + (sent ? "1" : "0"));
    }
    return 0;
}
