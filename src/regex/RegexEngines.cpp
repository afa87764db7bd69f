// The engine every RegexObject uses unless told otherwise: the first that can be created.
#include "regex/RegexEngines.h"

std::shared_ptr<RegexEngine> RegexEngineChooser::create() {
    for (size_t i = first; i < engines.size(); ++i) {
        if (auto engine = engines[i].create()) return engine;
        // Two threads may both get here; either way the index only moves forward.
        size_t failed = i;
        first.compare_exchange_strong(failed, i + 1);
    }
    return nullptr;
}

std::shared_ptr<RegexEngine> createRegexEngine() {
    static RegexEngineChooser chooser(regexEngines());
    return chooser.create();
}
