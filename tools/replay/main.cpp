// tesvo-replay: runs a scenario through the real report dispatch with an in-memory display
// and prints one JSON line per step.
#include "Scenario.h"
#include "Transcript.h"

#include "exam/MemoryDisplay.h"
#include "exam/Tracker.h"
#include "intercept/InterceptClient.h"
#include "intercept/ReplyFile.h"
#include "regex/RegexObject.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

int usage() {
    std::fputs("usage: tesvo-replay [--data DIR] SCENARIO\n", stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::string dataDir = "data";
    std::string scenarioPath;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--data" && i + 1 < argc) {
            dataDir = argv[++i];
        } else if (scenarioPath.empty() && !arg.empty() && arg[0] != '-') {
            scenarioPath = arg;
        } else {
            return usage();
        }
    }
    if (scenarioPath.empty()) return usage();

    Scenario scenario = readScenario(scenarioPath);

    std::vector<Text> questionList;
    InterceptClient client(dataDir);
    RegexObject regex;
    MemoryDisplay display;
    Tracker tracker{questionList, client, regex, display};

    int number = 0;
    for (const ScenarioStep& step : scenario.steps) {
        StepState state;
        switch (step.kind) {
        case ScenarioStep::Kind::report: {
            // A stale file of the same name must not pass for this report's reply.
            Text num = client.parse(step.report).num;
            Text path = replyPath(dataDir, num);
            bool safe = isSafeReplyName(num);
            if (safe) std::remove(path.c_str());
            handleReportMessage(tracker, step.report.c_str());
            Text bytes;
            if (safe && readFileBytes(path, bytes)) state.reply = bytes;
            break;
        }
        case ScenarioStep::Kind::reset:
            resetTracker(tracker);
            break;
        case ScenarioStep::Kind::type:
            display.setAnswerBox(step.box, step.typed);
            break;
        }
        state.questionBox = display.questionBox;
        state.answers = display.answers;
        state.questions = questionList;
        std::string line = transcriptLine(++number, stepName(step.kind), state);
        std::printf("%s\n", line.c_str());
    }
    std::fflush(stdout);
    if (!scenario.error.empty()) {
        std::fprintf(stderr, "tesvo-replay: %s\n", scenario.error.c_str());
        return 2;
    }
    return 0;
}
