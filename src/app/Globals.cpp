// Creation and release of the long-lived objects.
#include "app/Globals.h"

void createGlobals(Globals& g) {
    g.questionList = std::make_unique<std::vector<Text>>();
    g.client = std::make_unique<InterceptClient>();
    g.regex = std::make_unique<RegexObject>();
}

void releaseGlobals(Globals& g) {
    g.questionList.reset();
    g.client.reset();
    g.regex.reset();
}
