// The answer tracker: report dispatch and the capture, retake and certificate rules.
#pragma once

#include "exam/TrackerDisplay.h"
#include "intercept/InterceptClient.h"
#include "regex/RegexObject.h"
#include "text/Text.h"

#include <string_view>
#include <vector>

// The objects the tracker works on. In the program they are the globals and the window;
// tests and tools pass their own.
struct Tracker {
    std::vector<Text>& questionList;
    InterceptClient& client;
    RegexObject& regex;
    TrackerDisplay& display;
};

// Handles one report completely, reply file included. `reportText` is the message's text;
// null is the empty report.
void handleReportMessage(Tracker& t, const char* reportText);

void dispatchReport(Tracker& t, std::string_view report);
void resetTracker(Tracker& t);
void advanceLetter(Tracker& t, int k);
