// RegexObject over whichever engine the build provides: the steps of a run, the byte
// positions of found texts, and the empty results of every failure.
#include "regex/RegexObject.h"

#include "regex/RegexEngines.h"

RegexObject::RegexObject() : RegexObject(createRegexEngine) {}

RegexObject::RegexObject(std::shared_ptr<RegexEngine> (*createEngine)())
    : createEngine(createEngine) {
    initRegexThread();
}

// The copy's destructor releases COM like any instance's, so the copy takes its own
// initialisation to keep the thread's count balanced.
RegexObject::RegexObject(const RegexObject& other)
    : createEngine(other.createEngine), engine(other.engine), matches(other.matches),
      subject(other.subject) {
    initRegexThread();
}

RegexObject::~RegexObject() {
    // The engine objects must be gone before COM is released.
    engine.reset();
    matches.reset();
    subject.clear();
    releaseRegexThread();
}

bool RegexObject::execute(std::string_view pattern, std::string_view subjectText,
                          OptionalBool caseSensitive, OptionalBool multiline, OptionalBool global,
                          OptionalBool quoteMarker) {
    engine.reset();
    matches.reset();
    engine = createEngine ? createEngine() : nullptr;
    if (engine) {
        engine->setIgnoreCase(caseSensitive.given ? !caseSensitive.value : true);
        engine->setMultiline(multiline.given ? multiline.value : true);
        engine->setGlobal(global.given ? global.value : true);
        bool replaceMarker = quoteMarker.given && quoteMarker.value;
        engine->setPattern(ansiToWide(replaceMarker ? replaceQuoteMarker(pattern) : Text(pattern)));
    }
    subject = ansiToWide(subjectText);
    if (engine) matches = engine->execute(subject);
    return matches != nullptr;
}

Text RegexObject::getPattern() const {
    return engine ? wideToAnsi(engine->pattern()) : Text();
}

Text RegexObject::replace(std::string_view replacement) {
    return engine ? wideToAnsi(engine->replace(subject, ansiToWide(replacement))) : Text();
}

int32_t RegexObject::matchCount() const {
    return matches ? matches->count() : 0;
}

int32_t RegexObject::subMatchCount() const {
    auto first = match(1);
    return first ? first->subMatchCount() : 0;
}

std::unique_ptr<RegexMatch> RegexObject::match(int32_t i) const {
    if (!matches || i < 1) return nullptr;
    return matches->item(i - 1);
}

Text RegexObject::matchText(int32_t i, int32_t& position, bool wantPosition) const {
    auto m = match(i);
    Text found = m ? wideToAnsi(m->value()) : Text();
    if (wantPosition) position = positionOf(found, m.get());
    return found;
}

Text RegexObject::subMatchText(int32_t i, int32_t j, int32_t& position, bool wantPosition) const {
    auto m = match(i);
    Text found = m && j >= 1 ? wideToAnsi(m->subMatch(j - 1)) : Text();
    // A group carries no offset of its own: the scan starts from its match's.
    if (wantPosition) position = positionOf(found, m.get());
    return found;
}

// The engine counts UTF-16 code units and the subject's bytes run ahead of them by one for
// each two-byte character, so FirstIndex taken as a 1-based byte position starts the scan
// at or before the match: one byte early when only single-byte characters precede it. The
// first occurrence of the text from there is reported, -2 when there is none.
int32_t RegexObject::positionOf(std::string_view found, const RegexMatch* m) const {
    Text s = wideToAnsi(subject);
    int32_t first = m ? m->firstIndex() : 0;
    bool ignoreCase = engine && engine->ignoreCase();
    return findText(s, found, first, ignoreCase) - 1;
}
