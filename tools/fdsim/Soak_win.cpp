// Soak of a running Tesvo: a fixed mix of non-exam reports, capture, retake and certificate
// pages, 4 MiB pages and invalid GBK, each checked for its reply file, with Tesvo's private
// bytes, GDI and USER objects and handles sampled as it goes.
#include "Soak.h"

#include "intercept/ReplyFile.h"

#include <windows.h>
// psapi.h needs windows.h first.
#include <psapi.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> stems = {
    "安全生产法规定的从业人员权利是", "发生火灾时首先应当",   "下列属于特种作业的是",
    "劳动防护用品的正确使用方法是",   "事故报告的时限要求为", "应急预案演练的频次是"};

std::string report(long num, const std::string& html, const char* type = "recv",
                   const char* url = "http://www.exam.example.com/pages/exam/exam.jsp") {
    return "num{|" + std::to_string(num) + "|}type{|" + type + "|}url{|" + url + "|}html{|" + html +
           "|}header{|HTTP/1.1 200 OK|}";
}

std::string capturePage() {
    std::string h = "<html><script>\r\n";
    for (size_t i = 0; i < stems.size(); ++i)
        h += "$('#q" + std::to_string(i + 1) + "').errormessage = \"" + std::to_string(i + 1) +
             "、" + stems[i] + "没有选择!\";\r\n";
    return h + "</script></html>";
}

std::string retakePage(size_t first) {
    std::string h = "<html><a>重新考试</a><dl>\r\n";
    for (size_t i = first; i < stems.size(); i += 2)
        h += "<dd title='" + stems[i] + "'>·" + stems[i] + "</dd>\r\n";
    return h + "</dl></html>";
}

// The report of step i of the mix.
std::string reportFor(long i) {
    static const std::string big = [] {
        // Starts with an ASCII byte, so that no key text stands at byte 1.
        std::string s(4u << 20, 'x');
        for (size_t k = 1; k < s.size(); k += 7)
            s[k] = '\xB0';
        return s;
    }();
    switch (i % 10) {
    case 0:
        return report(i, capturePage());
    case 1:
        return report(i, retakePage(0));
    case 2:
        return report(i, retakePage(1));
    case 3:
        return report(i, "<html>其他页面</html>", "send");
    case 4:
        return report(i, "\xFF\xFE\x80\x81|}{|" + retakePage(0) + "\x81");
    case 5:
        return report(i, "<html>申请证书</html>");
    case 6:
        return report(i, "GIF89a", "recv", "http://www.exam.example.com/img/logo.gif");
    case 7:
        return i % 500 == 7 ? report(i, big + capturePage()) : report(i, "<p>ok</p>");
    case 8:
        return "num{|" + std::to_string(i) + "|}garbage\xFF";
    default:
        return report(i, capturePage() + retakePage(0) + "申请证书");
    }
}

// The process's handles, counted in the system's handle table: GetProcessHandleCount is a stub
// that answers 0 under Wine, the table is not.
unsigned long handleCount(DWORD pid) {
    struct Entry {
        USHORT processId;
        USHORT creatorBackTraceIndex;
        UCHAR objectTypeIndex;
        UCHAR handleAttributes;
        USHORT handleValue;
        PVOID object;
        ULONG grantedAccess;
    };
    using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    const ULONG systemHandleInformation = 16;
    std::vector<char> buf(1 << 20);
    ULONG needed = 0;
    LONG status;
    while ((status = query(systemHandleInformation, buf.data(), static_cast<ULONG>(buf.size()),
                           &needed)) == static_cast<LONG>(0xC0000004))
        buf.resize(buf.size() * 2);
    if (status != 0) return 0;
    ULONG n = *reinterpret_cast<ULONG*>(buf.data());
    auto* entries = reinterpret_cast<Entry*>(buf.data() + sizeof(ULONG_PTR));
    unsigned long count = 0;
    for (ULONG i = 0; i < n; ++i)
        if (entries[i].processId == pid) ++count;
    return count;
}

// Private bytes are the commit charge (PagefileUsage; Windows reports the same number as
// PrivateUsage, which Wine leaves 0). GetGuiResources is a stub under Wine: its counts mean
// something only on Windows.
void sample(HANDLE process, DWORD pid, long at, FILE* out) {
    PROCESS_MEMORY_COUNTERS mem{};
    GetProcessMemoryInfo(process, &mem, sizeof mem);
    std::fprintf(out, "at %ld private=%lu gdi=%lu user=%lu handles=%lu\n", at,
                 static_cast<unsigned long>(mem.PagefileUsage),
                 static_cast<unsigned long>(GetGuiResources(process, GR_GDIOBJECTS)),
                 static_cast<unsigned long>(GetGuiResources(process, GR_USEROBJECTS)),
                 handleCount(pid));
    std::fflush(out);
}

} // namespace

void runSoak(HWND__* window, long count, const std::string& dataDir, const std::string& outPath) {
    FILE* out = std::fopen(outPath.c_str(), "wb");
    if (!out) return;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    long bad = 0;
    sample(process, pid, 0, out);
    for (long i = 1; i <= count; ++i) {
        std::string text = reportFor(i);
        std::string path = replyPath(dataDir, std::to_string(i));
        DeleteFileA(path.c_str());
        SendMessageA(window, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(text.c_str()));
        std::ifstream in(path, std::ios::binary);
        std::string got(std::istreambuf_iterator<char>(in), {});
        in.close();
        if (got != "new{|0|}") {
            ++bad;
            std::fprintf(out, "bad reply for %ld: \"%s\"\n", i, got.c_str());
        }
        DeleteFileA(path.c_str());
        if (i % 1000 == 0) sample(process, pid, i, out);
    }
    std::fprintf(out, "soak reports=%ld bad_replies=%ld alive=%d\n", count, bad,
                 IsWindow(window) ? 1 : 0);
    std::fclose(out);
    CloseHandle(process);
}
