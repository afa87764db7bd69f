// The engine every RegexObject uses unless told otherwise: the first that can be created.
#include "regex/RegexEngines.h"

std::shared_ptr<RegexEngine> createRegexEngine() {
    for (const auto& choice : regexEngines())
        if (auto engine = choice.create()) return engine;
    return nullptr;
}
