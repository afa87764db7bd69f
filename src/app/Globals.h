// The objects that live for the whole run: created before the main window, released after it.
#pragma once

#include "intercept/InterceptClient.h"
#include "regex/RegexObject.h"
#include "text/Text.h"

#include <memory>
#include <vector>

struct Globals {
    std::unique_ptr<std::vector<Text>> questionList;
    std::unique_ptr<InterceptClient> client;
    std::unique_ptr<RegexObject> regex;
};

// Creates questionList, the InterceptClient and the RegexObject, in this order.
void createGlobals(Globals& g);
// Releases them in the same order (not the reverse): the list, the client, then the regex
// object, whose destruction uninitialises COM last. Safe to call again.
void releaseGlobals(Globals& g);
