// Scenario files: the steps of an exam session, replayed offline or by the interceptor
// simulator. UTF-8 text, one step a line; blank lines and lines starting with "#" are skipped.
//   report PATH    deliver the raw report in PATH (relative to the scenario's folder)
//   reset          click the reset button
//   type K TEXT    type TEXT into answer box K (1-5), replacing its content
#pragma once

#include "text/Text.h"

#include <string>
#include <vector>

struct ScenarioStep {
    enum class Kind { report, reset, type };
    Kind kind = Kind::reset;
    Text report;  // report: the file's bytes up to the first NUL
    int box = 0;  // type: 1 to 5
    Text typed;   // type: the text in the ANSI code page
    int line = 0; // where the step stands in the scenario file
};

struct Scenario {
    std::vector<ScenarioStep> steps; // the well-formed steps before the first error
    std::string error;               // "FILE:LINE: what is wrong", or empty
};

// Reads the whole scenario. Steps after a malformed one, or after an unreadable file, are
// not read: `error` says where it stopped.
Scenario readScenario(const std::string& path);

// "report", "reset" or "type".
const char* stepName(ScenarioStep::Kind kind);

// Reads a whole file as bytes; false when it cannot be read.
bool readFileBytes(const std::string& path, std::string& out);
