// The one reader of scenario files, shared by tesvo-replay and the interceptor simulator.
#include "Scenario.h"

#include "text/Utf8.h"

#include <fstream>
#include <iterator>
#include <sstream>

bool readFileBytes(const std::string& path, std::string& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    out.assign(std::istreambuf_iterator<char>(in), {});
    return !in.bad();
}

const char* stepName(ScenarioStep::Kind kind) {
    switch (kind) {
    case ScenarioStep::Kind::report:
        return "report";
    case ScenarioStep::Kind::reset:
        return "reset";
    case ScenarioStep::Kind::type:
        return "type";
    }
    return "";
}

namespace {

std::string folderOf(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

} // namespace

Scenario readScenario(const std::string& path) {
    Scenario sc;
    std::string content;
    if (!readFileBytes(path, content)) {
        sc.error = path + ": cannot read the scenario file";
        return sc;
    }
    std::istringstream lines(content);
    std::string line;
    int number = 0;
    auto fail = [&](const std::string& what) {
        sc.error = path + ":" + std::to_string(number) + ": " + what;
    };
    while (std::getline(lines, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find_first_not_of(" \t") == std::string::npos || line[0] == '#') continue;
        ScenarioStep step;
        step.line = number;
        std::string word = line.substr(0, line.find(' '));
        std::string rest = word.size() < line.size() ? line.substr(word.size() + 1) : "";
        if (word == "reset" && rest.empty()) {
            step.kind = ScenarioStep::Kind::reset;
        } else if (word == "report" && !rest.empty()) {
            step.kind = ScenarioStep::Kind::report;
            std::string file = (rest[0] == '/' ? "" : folderOf(path)) + rest;
            if (!readFileBytes(file, step.report)) {
                fail("cannot read the report file " + file);
                break;
            }
            step.report.resize(step.report.find('\0') == std::string::npos
                                   ? step.report.size()
                                   : step.report.find('\0'));
        } else if (word == "type" && rest.size() >= 1 && rest[0] >= '1' && rest[0] <= '5' &&
                   (rest.size() == 1 || rest[1] == ' ')) {
            step.kind = ScenarioStep::Kind::type;
            step.box = rest[0] - '0';
            step.typed = utf8ToAnsi(rest.size() > 2 ? rest.substr(2) : "");
        } else {
            fail("malformed step \"" + line + "\"");
            break;
        }
        sc.steps.push_back(std::move(step));
    }
    return sc;
}
