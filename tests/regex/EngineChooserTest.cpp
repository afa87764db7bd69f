// The choice of engine: the first that can be created, a fresh instance per run, and an
// engine that once failed (VBScript disabled or removed) never asked again.
#include "regex/RegexEngines.h"

#include <gtest/gtest.h>

namespace {

// Stand-ins for the engines: they count how often they are asked, and hand out PCRE2
// instances (the build's last engine).
int preferredCalls = 0, fallbackCalls = 0;
bool preferredWorks = false;

std::shared_ptr<RegexEngine> pcre2Engine() {
    return regexEngines().back().create();
}
std::shared_ptr<RegexEngine> preferred() {
    ++preferredCalls;
    return preferredWorks ? pcre2Engine() : nullptr;
}
std::shared_ptr<RegexEngine> fallback() {
    ++fallbackCalls;
    return pcre2Engine();
}
std::shared_ptr<RegexEngine> missing() {
    return nullptr;
}

const RegexEngineChoice both[] = {{"preferred", preferred}, {"fallback", fallback}};

class EngineChooserTest : public ::testing::Test {
  protected:
    void SetUp() override { preferredCalls = fallbackCalls = 0; }
};

TEST_F(EngineChooserTest, AMissingEngineIsAskedOnceThenTheNextServesEveryRun) {
    preferredWorks = false;
    RegexEngineChooser chooser(both);
    auto a = chooser.create();
    auto b = chooser.create();
    ASSERT_TRUE(a && b);
    EXPECT_NE(a, b);
    EXPECT_EQ(preferredCalls, 1);
    EXPECT_EQ(fallbackCalls, 2);
}

TEST_F(EngineChooserTest, AWorkingEngineMakesEveryInstanceAndTheNextIsNeverAsked) {
    preferredWorks = true;
    RegexEngineChooser chooser(both);
    auto a = chooser.create();
    auto b = chooser.create();
    ASSERT_TRUE(a && b);
    EXPECT_NE(a, b);
    EXPECT_EQ(preferredCalls, 2);
    EXPECT_EQ(fallbackCalls, 0);
}

TEST_F(EngineChooserTest, NoEngineLeftGivesNull) {
    const RegexEngineChoice none[] = {{"missing", missing}, {"missing too", missing}};
    RegexEngineChooser chooser(none);
    EXPECT_EQ(chooser.create(), nullptr);
    EXPECT_EQ(chooser.create(), nullptr);
}

// The build's last engine is the one that is always there: PCRE2, on Windows the fallback.
TEST(RegexEngines, TheLastEngineIsPcre2) {
    EXPECT_STREQ(regexEngines().back().name, "PCRE2");
}

} // namespace
