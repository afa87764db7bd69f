// Elsewhere: PCRE2 with the scripting engine's syntax, and no thread setup.
#include "regex/RegexEngines.h"

#include "regex/Pcre2Engine.h"

std::span<const RegexEngineChoice> regexEngines() {
    static const RegexEngineChoice engines[] = {{"PCRE2", createPcre2Engine}};
    return engines;
}

void initRegexThread() {}

void releaseRegexThread() {}
