// The regular-expression engines of this build, and the thread setup they need.
#pragma once

#include "regex/RegexEngine.h"

#include <atomic>
#include <cstddef>
#include <memory>
#include <span>

// Creates a fresh engine instance; null when the engine is missing or not creatable.
using RegexEngineFactory = std::shared_ptr<RegexEngine> (*)();

struct RegexEngineChoice {
    const char* name;
    RegexEngineFactory create;
};

// The engines in order of preference: on Windows VBScript.RegExp, then PCRE2 where VBScript
// is disabled or removed; PCRE2 elsewhere.
std::span<const RegexEngineChoice> regexEngines();

// Creates instances of the first engine of a list that can be created. An engine that once
// fails is not asked again: where VBScript is gone, every run would otherwise pay for the
// failed creation (measured under Wine: some 20 us for a missing ProgID, 30 to 45 ms for a
// class still registered whose DLL is missing).
class RegexEngineChooser {
  public:
    explicit RegexEngineChooser(std::span<const RegexEngineChoice> engines) : engines(engines) {}
    // Null when no engine is left.
    std::shared_ptr<RegexEngine> create();

  private:
    std::span<const RegexEngineChoice> engines;
    std::atomic<size_t> first{0};
};

// An instance of the first engine of regexEngines() that can be created, or null; one
// chooser for the whole process.
std::shared_ptr<RegexEngine> createRegexEngine();

// What each RegexObject holds for its thread: COM (CoInitialize(NULL) / CoUninitialize) on
// Windows, nothing elsewhere. Calls pair up like the platform's.
void initRegexThread();
void releaseRegexThread();
