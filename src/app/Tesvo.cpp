// Tesvo's entry: prepares the process, creates the globals and the main window, runs the
// message loop, and releases everything in order when the window has gone.
#include "app/Globals.h"
#include "app/MainWindow.h"
#include "app/MessageLoop.h"
#include "app/ProgramServices.h"
#include "text/ProgramDirectory.h"

#include <winsock2.h>

#include <ole2.h>
#include <windows.h>

namespace {

constexpr int exitWindowNotCreated = 1;

// The run between the process's preparation and its clean-up. The globals are released when
// it returns, so before OLE and the socket library are: atexit would run too late for that.
int runWithGlobals(HINSTANCE instance) {
    Globals globals;
    createGlobals(globals);
    struct ReleaseAtEnd {
        Globals& g;
        ~ReleaseAtEnd() { releaseGlobals(g); }
    } releaseAtEnd{globals};

    MainWindow window;
    ProgramServices services(globals, window);
    if (!window.create(instance, services)) {
        MessageBoxA(nullptr, "无法创建主窗口，程序不能运行。", "Tesvo", MB_OK | MB_ICONERROR);
        return exitWindowNotCreated;
    }
    // A close while init dispatched messages has destroyed the window and used up its quit
    // message: there is no loop to run then.
    if (!window.handle()) return 0;
    return runMessageLoop(window.handle());
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WSADATA wsa;
    WSAStartup(MAKEWORD(1, 0), &wsa);
    OleInitialize(nullptr);
    // The interceptor, started without a directory of its own, inherits this one.
    SetCurrentDirectoryA(programDirectory().c_str());

    int code = runWithGlobals(instance);

    OleUninitialize();
    WSACleanup();
    return code;
}
