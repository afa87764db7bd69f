// Literal bytes, quote markers, conversions and the program directory.
#include "text/Text.h"
#include "text/HexBytes.h"
#include "text/ProgramDirectory.h"
#include "text/Utf8.h"
#include "text/WideText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The build must turn the sources' literals into GBK bytes on every compiler.
TEST(GbkLiterals, MatchTheCodePage) {
    struct {
        std::string_view literal;
        const char* bytes;
    } const rows[] = {
        {"没有选择", "C3 BB D3 D0 D1 A1 D4 F1"},
        {"重新考试", "D6 D8 D0 C2 BF BC CA D4"},
        {"申请证书", "C9 EA C7 EB D6 A4 CA E9"},
        {"、", "A1 A2"},
        {"·", "A1 A4"},
        {"#引号", "23 D2 FD BA C5"},
        {"信息：", "D0 C5 CF A2 A3 BA"},
        {"初始化失败，请检查原因",
         "B3 F5 CA BC BB AF CA A7 B0 DC A3 AC C7 EB BC EC B2 E9 D4 AD D2 F2"},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(hex(rows[i].literal), rows[i].bytes);
    }
}

TEST(QuoteMarker, ReplacedLeftToRightStepping) {
    EXPECT_EQ(replaceQuoteMarker("a#引号b#引号"), "a\"b\"");
    EXPECT_EQ(replaceQuoteMarker("##引号引号"), "#\"引号");
    EXPECT_EQ(replaceQuoteMarker("plain"), "plain");
    // "\xB0#" is one character, so the marker that seems to begin at its second byte is not.
    EXPECT_EQ(replaceQuoteMarker("\xB0#引号"), "\xB0#引号");
    EXPECT_EQ(replaceQuoteMarker("\xB0"), "\xB0");
}

TEST(TextFromCString, NullIsEmpty) {
    EXPECT_EQ(textFromCString(nullptr), "");
    EXPECT_EQ(textFromCString("ab"), "ab");
}

TEST(WideText, RoundTripsGbk) {
    std::string gbk = "a没有选择、·z";
    WideText w = ansiToWide(gbk);
    EXPECT_EQ(w, u"a没有选择、·z");
    EXPECT_EQ(wideToAnsi(w), gbk);
    EXPECT_EQ(ansiToWide(std::string("ab\0cd", 5)), u"ab");
    EXPECT_EQ(wideToAnsi(u"x\u00E9\U0001F600y").front(), 'x');
    EXPECT_EQ(wideToAnsi(u"").size(), 0u);
}

// A1 40 lies in a user-defined area: Windows maps it to a private-use character, iconv to
// nothing, and either way its two bytes are one character, so the "@" does not come loose.
TEST(WideText, PairWithoutACharacterIsStillOne) {
    EXPECT_EQ(ansiToWide("\xA1\x40z").size(), 2u);
    EXPECT_EQ(ansiToWide("\xA1\x40z").back(), u'z');
}

TEST(Utf8, DecodesGbkAndReplacesBadBytes) {
    EXPECT_EQ(ansiToUtf8("没有选择"), "\xE6\xB2\xA1\xE6\x9C\x89\xE9\x80\x89\xE6\x8B\xA9");
    EXPECT_EQ(ansiToUtf8("a\xFF"), "a\xEF\xBF\xBD");
    EXPECT_EQ(utf8ToAnsi("\xE6\xB2\xA1z"), "\xC3\xBBz");
}

TEST(ProgramDirectory, HoldsTheRunningProgram) {
    Text dir = programDirectory();
    ASSERT_FALSE(dir.empty());
    EXPECT_NE(dir.back(), pathSeparator);
}

} // namespace
