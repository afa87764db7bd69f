// One JSON line per scenario step: what the boxes, the question list and the reply hold.
#pragma once

#include "text/Text.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

struct StepState {
    Text questionBox;
    std::array<Text, 5> answers;
    std::vector<Text> questions;
    std::optional<Text> reply; // the reply file's bytes after a report step, if one was written
};

// {"step":N,"action":"...","questionBox":"...","answers":[...],"questions":[...],"reply":...}
// Texts are decoded from the ANSI code page to UTF-8.
std::string transcriptLine(int step, const char* action, const StepState& state);
