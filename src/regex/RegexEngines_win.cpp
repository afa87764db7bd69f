// Windows: the platform's VBScript.RegExp, which lives in COM, so each object holds COM; PCRE2
// with the same syntax where VBScript is disabled or removed.
#include "regex/RegexEngines.h"

#include "regex/Pcre2Engine.h"
#include "regex/VbscriptEngine.h"

#include <windows.h>

#include <objbase.h>

std::span<const RegexEngineChoice> regexEngines() {
    static const RegexEngineChoice engines[] = {{"VBScript.RegExp", createVbscriptEngine},
                                                {"PCRE2", createPcre2Engine}};
    return engines;
}

void initRegexThread() {
    CoInitialize(nullptr);
}

void releaseRegexThread() {
    CoUninitialize();
}
