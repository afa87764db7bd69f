// The main window's services over the program's globals and the answer tracker.
#include "app/ProgramServices.h"

#include <windows.h>

ProgramServices::ProgramServices(Globals& g, TrackerDisplay& display)
    : tracker{*g.questionList, *g.client, *g.regex, display} {}

bool ProgramServices::initInterceptor(int32_t windowHandle, int32_t proxyPort,
                                      const std::vector<Text>& pidFilters,
                                      const std::vector<Text>& urlFilters, int64_t size) {
    return tracker.client.init(windowHandle, proxyPort, pidFilters, urlFilters, size);
}

void ProgramServices::exitInterceptor() {
    tracker.client.exit();
}

void ProgramServices::handleReport(const char* reportText) {
    handleReportMessage(tracker, reportText);
}

void ProgramServices::resetTracker() {
    ::resetTracker(tracker);
}

void ProgramServices::showMessage(const Text& text, const Text& caption, unsigned type) {
    MessageBoxA(nullptr, text.c_str(), caption.c_str(), type);
}
