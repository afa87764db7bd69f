// Native stand-ins for the Windows side of starting the interceptor. Linux has no registry,
// no "cmd" and no "fd.exe" to run, so those steps do nothing here; the existence test and
// the wait are real, so that init's order and its socket work can be tested natively.
#include "intercept/InterceptorProcess.h"

#include <ctime>
#include <sys/stat.h>

void publishWindowHandle(const Text&) {}

bool pathEntryExists(const Text& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

void runHiddenAndWait(const Text&) {}

void startDetached(const Text&, unsigned) {}

void dispatchMessagesFor(unsigned ms) {
    // <chrono> cannot be compiled with the GBK execution character set (it holds a micro
    // sign), so the wait uses nanosleep; one extra millisecond makes it "more than" ms.
    timespec t{static_cast<time_t>((ms + 1) / 1000), static_cast<long>((ms + 1) % 1000) * 1000000L};
    while (nanosleep(&t, &t) != 0) {
    }
}
