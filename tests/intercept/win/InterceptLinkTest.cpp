// The interceptor link on Windows: the fd_home value, the restart of "fd.exe", the wait that
// keeps dispatching messages and the control channel. run-in-temp.sh runs this program from a
// program directory of its own, beside a stand-in interceptor (fd-standin.exe) that the tests
// copy to "fd.exe" when they need one. init costs seconds here, so each test makes few calls.
#include "intercept/InterceptClient.h"
#include "text/ProgramDirectory.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <winsock2.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr u_short controlPort = 2006;
constexpr u_short firstLocalPort = 6002;

std::string inProgramDirectory(const std::string& name) {
    return programDirectory() + "\\" + name;
}

int32_t handleNumber(HWND window) {
    return static_cast<int32_t>(reinterpret_cast<intptr_t>(window));
}

struct Datagram {
    std::string bytes;
    u_short fromPort = 0;
};

// A UDP socket of the test itself, bound to `ip` and `port` (0: any port).
class TestSocket {
  public:
    TestSocket(const char* ip, u_short port) : s(::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP)) {
        sockaddr_in a = address(ip, port);
        if (s != INVALID_SOCKET && ::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
            ::closesocket(s);
            s = INVALID_SOCKET;
        }
    }
    ~TestSocket() {
        if (s != INVALID_SOCKET) ::closesocket(s);
    }
    TestSocket(const TestSocket&) = delete;
    TestSocket& operator=(const TestSocket&) = delete;

    bool bound() const { return s != INVALID_SOCKET; }

    bool sendTo(u_short port, const std::string& bytes) {
        sockaddr_in to = address("127.0.0.1", port);
        return ::sendto(s, bytes.data(), static_cast<int>(bytes.size()), 0,
                        reinterpret_cast<sockaddr*>(&to),
                        sizeof to) == static_cast<int>(bytes.size());
    }

    // The next datagram, or nothing when none has come within five seconds.
    std::optional<Datagram> next() {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(s, &readable);
        timeval limit{5, 0};
        if (::select(0, &readable, nullptr, nullptr, &limit) != 1) return std::nullopt;
        std::string buf(65536, '\0');
        sockaddr_in from{};
        int fromSize = sizeof from;
        int n = ::recvfrom(s, buf.data(), static_cast<int>(buf.size()), 0,
                           reinterpret_cast<sockaddr*>(&from), &fromSize);
        if (n < 0) return std::nullopt;
        buf.resize(static_cast<size_t>(n));
        return Datagram{buf, ntohs(from.sin_port)};
    }

  private:
    static sockaddr_in address(const char* ip, u_short port) {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = ::inet_addr(ip);
        a.sin_port = htons(port);
        return a;
    }
    SOCKET s;
};

// Checks that nothing has reached `listener`: a marker sent now from another socket must be
// the first datagram there (on the loopback a datagram is queued before sendto returns).
void expectNothingSent(TestSocket& listener) {
    TestSocket marker("127.0.0.1", 0);
    ASSERT_TRUE(marker.sendTo(controlPort, "marker"));
    std::optional<Datagram> first = listener.next();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->bytes, "marker");
}

void expectDatagram(TestSocket& listener, const std::string& bytes, u_short fromPort) {
    std::optional<Datagram> d = listener.next();
    ASSERT_TRUE(d) << "expected " << bytes;
    EXPECT_EQ(d->bytes, bytes);
    EXPECT_EQ(d->fromPort, fromPort);
}

// The raw bytes of HKCU\fd_home with its terminating NUL, or nothing if it is not a REG_SZ.
std::optional<std::string> fdHome() {
    char value[64];
    DWORD size = sizeof value;
    DWORD type = 0;
    if (RegQueryValueExA(HKEY_CURRENT_USER, "fd_home", nullptr, &type,
                         reinterpret_cast<BYTE*>(value), &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return std::nullopt;
    return std::string(value, size);
}

// One "start" line of the stand-in's log: who started, in which directory, with what line.
struct StandInStart {
    DWORD pid = 0;
    std::string currentDirectory;
    std::string commandLine;
};

std::vector<StandInStart> standInStarts(const std::string& log) {
    std::vector<StandInStart> starts;
    std::ifstream in(log, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> f;
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, '|');)
            f.push_back(field);
        if (f.size() == 4 && f[0] == "start")
            starts.push_back({static_cast<DWORD>(std::stoul(f[1])), f[2], f[3]});
    }
    return starts;
}

bool stillRunning(HANDLE process) {
    return WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
}

void endProcess(HANDLE process) {
    TerminateProcess(process, 0);
    WaitForSingleObject(process, 5000);
}

// What the test window saw.
struct WindowLog {
    int posted = 0;
    std::vector<std::string> reports;
} windowLog;

LRESULT CALLBACK testWindowProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_APP) {
        ++windowLog.posted;
        return 0;
    }
    if (msg == EM_REPLACESEL) {
        windowLog.reports.push_back(lp ? reinterpret_cast<const char*>(lp) : "");
        return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

class InterceptLink : public ::testing::Test {
  protected:
    void SetUp() override {
        removeInterceptorEntry();
        ASSERT_EQ(GetFileAttributesA(interceptor.c_str()), INVALID_FILE_ATTRIBUTES);
        DeleteFileA(log.c_str());
    }

    void TearDown() override {
        for (const StandInStart& s : standInStarts(log)) {
            if (HANDLE p = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, s.pid)) {
                endProcess(p);
                CloseHandle(p);
            }
        }
        for (HANDLE p : started) {
            endProcess(p);
            CloseHandle(p);
        }
        removeInterceptorEntry();
        DeleteFileA(log.c_str());
    }

    void removeInterceptorEntry() {
        DeleteFileA(interceptor.c_str());
        RemoveDirectoryA(interceptor.c_str());
    }

    // Starts the stand-in at `exe` with an argument, so that it sends no report, and waits
    // until it idles: by then it is a process that "taskkill /IM fd.exe" finds.
    HANDLE startQuietStandIn(const std::string& exe) {
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        std::string line = "fd.exe quiet";
        if (!CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &si, &pi))
            return nullptr;
        CloseHandle(pi.hThread);
        WaitForInputIdle(pi.hProcess, 5000);
        started.push_back(pi.hProcess);
        return pi.hProcess;
    }

    const std::string interceptor = inProgramDirectory("fd.exe");
    const std::string standIn = inProgramDirectory("fd-standin.exe");
    const std::string log = inProgramDirectory("fd-standin.log");
    std::vector<HANDLE> started;
};

TEST_F(InterceptLink, WithoutInterceptorNothingRunsAndNothingIsBound) {
    const std::string elsewhere = inProgramDirectory("elsewhere");
    CreateDirectoryA(elsewhere.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(standIn.c_str(), (elsewhere + "\\fd.exe").c_str(), FALSE));
    HANDLE running = startQuietStandIn(elsewhere + "\\fd.exe");
    ASSERT_TRUE(running);
    TestSocket listener("127.0.0.1", controlPort);
    ASSERT_TRUE(listener.bound());

    InterceptClient client;
    Text num = "kept";
    Text others[6] = {"kept", "kept", "kept", "kept", "kept", "kept"};
    EXPECT_FALSE(
        client.receive(num, others[0], others[1], others[2], others[3], others[4], others[5]));
    EXPECT_EQ(num, "kept");
    client.exit();
    client.restore();
    expectNothingSent(listener);

    const int32_t handles[] = {123456, -7, 0};
    for (size_t i = 0; i < std::size(handles); ++i) {
        SCOPED_TRACE(i);
        EXPECT_FALSE(client.init(handles[i], 7788, {""}, {"x"}, 9000));
        // Written as signed decimal REG_SZ, with the NUL counted in the value's size.
        EXPECT_EQ(fdHome(), std::to_string(handles[i]) + '\0');
    }
    EXPECT_FALSE(client.hasSocket());
    EXPECT_EQ(client.peerInfo().ip, "");
    EXPECT_EQ(client.peerInfo().port, 0);
    EXPECT_EQ(client.storedProxyPort(), 0);
    client.exit();
    expectNothingSent(listener);
    EXPECT_TRUE(TestSocket("0.0.0.0", firstLocalPort).bound()); // 6002 is still free
    EXPECT_TRUE(stillRunning(running)) << "an fd.exe was ended";

    endProcess(running);
    DeleteFileA((elsewhere + "\\fd.exe").c_str());
    DeleteFileA((elsewhere + "\\fd-standin.log").c_str());
    RemoveDirectoryA(elsewhere.c_str());
}

// Creates a hidden top-level window that notes what reaches it.
class TestWindow {
  public:
    TestWindow() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = testWindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "TesvoLinkTestWindow";
        RegisterClassA(&wc);
        handle = CreateWindowA(wc.lpszClassName, "link test", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                               nullptr, nullptr, wc.hInstance, nullptr);
    }
    ~TestWindow() { DestroyWindow(handle); }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    HWND handle;
};

TEST_F(InterceptLink, RestartsInterceptorAndSendsCommands) {
    ASSERT_TRUE(CopyFileA(standIn.c_str(), interceptor.c_str(), FALSE));
    HANDLE old = startQuietStandIn(interceptor);
    ASSERT_TRUE(old);
    TestWindow window;
    ASSERT_TRUE(window.handle);
    windowLog = {};
    // Waiting before init: both must be handled by the wait, not lost.
    ASSERT_TRUE(PostMessageA(window.handle, WM_APP, 0, 0));
    PostQuitMessage(7);
    TestSocket listener("127.0.0.1", controlPort);
    ASSERT_TRUE(listener.bound());

    InterceptClient client;
    ASSERT_TRUE(
        client.init(handleNumber(window.handle), 7788, {""}, {".exam.example/pages/exam"}, 9000));

    EXPECT_FALSE(stillRunning(old)) << "the running fd.exe was not ended";
    std::vector<StandInStart> fresh;
    for (const StandInStart& s : standInStarts(log))
        if (s.commandLine == "fd.exe") fresh.push_back(s);
    ASSERT_EQ(fresh.size(), 1u) << "one fd.exe started, with no arguments";
    EXPECT_EQ(fresh[0].currentDirectory, programDirectory());
    HANDLE restarted = OpenProcess(SYNCHRONIZE, FALSE, fresh[0].pid);
    ASSERT_TRUE(restarted);
    EXPECT_TRUE(stillRunning(restarted)) << "init must leave the new interceptor running";
    CloseHandle(restarted);

    // The wait dispatched the posted message and ran the interceptor's report (sent to the
    // handle fd_home names) before init returned; the quit request is still waiting.
    EXPECT_EQ(windowLog.posted, 1);
    EXPECT_EQ(windowLog.reports,
              std::vector<std::string>{"num{|" + std::to_string(fresh[0].pid) + "|}type{|recv|}"});
    MSG quit;
    ASSERT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 7u);

    expectDatagram(
        listener,
        "act[csh]port[7788]arr_url[.exam.example/pages/exam,]arr_pid[,]size[9000]bd[6002]",
        firstLocalPort);
    EXPECT_TRUE(client.hasSocket());
    EXPECT_EQ(client.peerInfo().ip, "127.0.0.1");
    EXPECT_EQ(client.peerInfo().port, 2006);
    EXPECT_EQ(client.storedProxyPort(), 7788);
    client.exit();
    client.exit();
    client.restore();
    expectDatagram(listener, "act[exit]", firstLocalPort);
    expectDatagram(listener, "act[exit]", firstLocalPort);
    expectDatagram(listener, "act[huifu]port[7788]", firstLocalPort);

    {
        InterceptClient copy(client);
        EXPECT_FALSE(copy.hasSocket());
        EXPECT_EQ(copy.peerInfo().ip, "127.0.0.1");
        EXPECT_EQ(copy.peerInfo().port, 2006);
        EXPECT_EQ(copy.storedProxyPort(), 7788);
        copy.exit();
        expectNothingSent(listener);
    }
    client.exit(); // the copy's end left the original's socket open
    expectDatagram(listener, "act[exit]", firstLocalPort);

    TestSocket reporter("127.0.0.1", 0);
    ASSERT_TRUE(reporter.sendTo(firstLocalPort, std::string(20481, 'r')));
    ASSERT_TRUE(reporter.sendTo(firstLocalPort, "num{|3|}"));
    Text num = "kept";
    Text others[6] = {"kept", "kept", "kept", "kept", "kept", "kept"};
    EXPECT_FALSE(
        client.receive(num, others[0], others[1], others[2], others[3], others[4], others[5]));
    EXPECT_EQ(num, "kept");
    EXPECT_EQ(others[5], "kept");
    ASSERT_TRUE(
        client.receive(num, others[0], others[1], others[2], others[3], others[4], others[5]));
    EXPECT_EQ(num, "3");
    for (const Text& t : others)
        EXPECT_EQ(t, "");
}

// "fd.exe" here is a directory: it passes the existence test, but nothing can be started.
TEST_F(InterceptLink, TakenPortAndArgumentsSentAsGiven) {
    ASSERT_TRUE(CreateDirectoryA(interceptor.c_str(), nullptr));
    TestSocket taken("0.0.0.0", firstLocalPort);
    ASSERT_TRUE(taken.bound());
    TestSocket listener("127.0.0.1", controlPort);
    ASSERT_TRUE(listener.bound());

    InterceptClient client;
    EXPECT_TRUE(client.init(0, -1, {}, {"a,b]", "c"}, 9000000000LL));
    expectDatagram(listener, "act[csh]port[-1]arr_url[a,b],c,]arr_pid[]size[9000000000]bd[6003]",
                   firstLocalPort + 1);
    client.restore();
    expectDatagram(listener, "act[huifu]port[-1]", firstLocalPort + 1);
}

TEST_F(InterceptLink, StartsWhenNobodyListens) {
    ASSERT_TRUE(CreateDirectoryA(interceptor.c_str(), nullptr));
    ASSERT_TRUE(TestSocket("127.0.0.1", controlPort).bound()); // and closed again

    InterceptClient client;
    EXPECT_TRUE(client.init(0, 7788, {""}, {"x"}, 9000));
    EXPECT_TRUE(client.hasSocket());
}

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    WSADATA data;
    if (WSAStartup(MAKEWORD(1, 0), &data) != 0) return 2;
    // As the program does at start: the interceptor inherits this directory.
    SetCurrentDirectoryA(programDirectory().c_str());
    int result = RUN_ALL_TESTS();
    WSACleanup();
    return result;
}
