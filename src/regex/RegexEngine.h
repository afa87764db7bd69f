// The seam under RegexObject: the object model of the scripting regular-expression engine
// (engine, match collection, match), implemented over VBScript.RegExp or PCRE2.
#pragma once

#include "text/WideText.h"

#include <cstdint>
#include <memory>

// One match of a run. Every accessor that fails yields the empty result of its kind.
class RegexMatch {
  public:
    virtual ~RegexMatch() = default;
    virtual WideText value() const = 0;
    // Offset of the match in the subject, in UTF-16 code units.
    virtual int32_t firstIndex() const = 0;
    virtual int32_t subMatchCount() const = 0;
    // Group index + 1, from 0. A group that took no part, or an index out of range, gives
    // the empty string.
    virtual WideText subMatch(int32_t index) const = 0;
};

// The matches of one run, left to right.
class RegexMatches {
  public:
    virtual ~RegexMatches() = default;
    virtual int32_t count() const = 0;
    // From 0; null when the index is out of range or the engine fails.
    virtual std::unique_ptr<RegexMatch> item(int32_t index) const = 0;
};

// One engine instance: its properties, and the runs that use them. A pattern is judged only
// when a run uses it.
class RegexEngine {
  public:
    virtual ~RegexEngine() = default;
    virtual void setIgnoreCase(bool on) = 0;
    virtual bool ignoreCase() const = 0;
    virtual void setMultiline(bool on) = 0;
    virtual void setGlobal(bool on) = 0;
    virtual void setPattern(const WideText& pattern) = 0;
    virtual WideText pattern() const = 0;
    // Null when the run fails: a pattern the engine rejects, or a run that hit a limit.
    virtual std::shared_ptr<RegexMatches> execute(const WideText& subject) = 0;
    // The subject with every match (or the first, without Global) replaced, in the engine's
    // replacement syntax; the empty string when the run fails.
    virtual WideText replace(const WideText& subject, const WideText& replacement) = 0;
};
