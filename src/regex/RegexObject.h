// Regular expressions over ANSI texts, with the object model of the platform's scripting
// engine (VBScript.RegExp): the engine of the last run, its match collection and its subject.
#pragma once

#include "text/Text.h"
#include "text/WideText.h"

#include <cstdint>
#include <memory>
#include <string_view>

// An optional argument: the value travels with a flag saying whether the caller gave it.
struct OptionalBool {
    bool value = false;
    bool given = false;
};
inline OptionalBool given(bool value) {
    return {value, true};
}

class RegexEngine;
class RegexMatches;
class RegexMatch;

class RegexObject {
  public:
    // Initialises COM for the calling thread on Windows.
    RegexObject();
    // Runs on engines from `createEngine` instead of the build's first choice (tests pick
    // the engine this way). Null engines make every run fail.
    explicit RegexObject(std::shared_ptr<RegexEngine> (*createEngine)());
    ~RegexObject();
    // A copy shares the engine and the match collection and holds its own subject. It
    // initialises COM for its thread like any instance, since its destruction releases it.
    RegexObject(const RegexObject& other);
    RegexObject& operator=(const RegexObject&) = delete;

    // Defaults: caseSensitive false, multiline true, global true, replaceQuoteMarker false.
    // True when a match collection was obtained (also an empty one).
    bool execute(std::string_view pattern, std::string_view subject,
                 OptionalBool caseSensitive = {}, OptionalBool multiline = {},
                 OptionalBool global = {}, OptionalBool replaceQuoteMarker = {});
    Text getPattern() const;
    Text replace(std::string_view replacement);
    int32_t matchCount() const;
    // Match i and group j count from 1. With wantPosition, `position` gets a 0-based byte
    // offset into the subject (see positionOf in RegexObject.cpp); otherwise it is
    // left untouched.
    Text matchText(int32_t i, int32_t& position, bool wantPosition) const;
    Text subMatchText(int32_t i, int32_t j, int32_t& position, bool wantPosition) const;
    int32_t subMatchCount() const;

  private:
    std::unique_ptr<RegexMatch> match(int32_t i) const;
    int32_t positionOf(std::string_view found, const RegexMatch* m) const;

    std::shared_ptr<RegexEngine> (*createEngine)();
    std::shared_ptr<RegexEngine> engine;   // of the last execute; null when none was created
    std::shared_ptr<RegexMatches> matches; // of the last execute; null when it failed
    WideText subject;                      // of the last execute, kept even when it failed
};
