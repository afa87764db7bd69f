// The regular-expression engines of this build, and the thread setup they need.
#pragma once

#include "regex/RegexEngine.h"

#include <memory>
#include <span>

// Creates a fresh engine instance; null when the engine is missing or not creatable.
using RegexEngineFactory = std::shared_ptr<RegexEngine> (*)();

struct RegexEngineChoice {
    const char* name;
    RegexEngineFactory create;
};

// The engines in order of preference: VBScript.RegExp on Windows, PCRE2 elsewhere.
std::span<const RegexEngineChoice> regexEngines();

// An instance of the first engine that can be created, or null.
std::shared_ptr<RegexEngine> createRegexEngine();

// What each RegexObject holds for its thread: COM (CoInitialize(NULL) / CoUninitialize) on
// Windows, nothing elsewhere. Calls pair up like the platform's.
void initRegexThread();
void releaseRegexThread();
