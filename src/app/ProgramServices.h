// The main window's services over the program's globals and the answer tracker.
#pragma once

#include "app/Globals.h"
#include "app/WindowServices.h"
#include "exam/Tracker.h"

class ProgramServices : public WindowServices {
  public:
    // `display` is the main window; `g` must hold created globals while this object is used.
    ProgramServices(Globals& g, TrackerDisplay& display);

    bool initInterceptor(int32_t windowHandle, int32_t proxyPort,
                         const std::vector<Text>& pidFilters, const std::vector<Text>& urlFilters,
                         int64_t size) override;
    void exitInterceptor() override;
    void handleReport(const char* reportText) override;
    void resetTracker() override;
    void showMessage(const Text& text, const Text& caption, unsigned type) override;

  private:
    Tracker tracker;
};
