// What the main window's handlers call outside the window: the interceptor, the answer
// tracker and the one message box. The program passes its globals; tests pass fakes.
#pragma once

#include "text/Text.h"

#include <cstdint>
#include <vector>

class WindowServices {
  public:
    virtual ~WindowServices() = default;

    virtual bool initInterceptor(int32_t windowHandle, int32_t proxyPort,
                                 const std::vector<Text>& pidFilters,
                                 const std::vector<Text>& urlFilters, int64_t size) = 0;
    virtual void exitInterceptor() = 0;
    // The text of an EM_REPLACESEL that reached the main window; null is the empty report.
    virtual void handleReport(const char* reportText) = 0;
    virtual void resetTracker() = 0;
    // A modal message box with no owner window.
    virtual void showMessage(const Text& text, const Text& caption, unsigned type) = 0;
};
