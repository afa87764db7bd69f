// Windows: the platform's VBScript.RegExp, which lives in COM, so each object holds COM.
#include "regex/RegexEngines.h"

#include "regex/VbscriptEngine.h"

#include <windows.h>

#include <objbase.h>

std::span<const RegexEngineChoice> regexEngines() {
    // A PCRE2 entry after this one takes over where VBScript is disabled or removed.
    static const RegexEngineChoice engines[] = {{"VBScript.RegExp", createVbscriptEngine}};
    return engines;
}

void initRegexThread() {
    CoInitialize(nullptr);
}

void releaseRegexThread() {
    CoUninitialize();
}
