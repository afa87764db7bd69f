// Report parsing: field order, first occurrence, missing ends, two-byte characters, bad input.
#include "intercept/InterceptClient.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Row {
    std::string report;
    PacketReport expected;
};

// clang-format off
const Row rows[] = {
    {"num{|7|}type{|recv|}", {.num = "7", .type = "recv"}},
    {"type{|recv|}num{|7|}", {.num = "7", .type = "recv"}},
    {"num{|1|}num{|2|}", {.num = "1"}},
    {"NUM{|7|}", {}},
    {"num{||}", {}},
    {"num{|7type{|recv|}", {.num = "7type{|recv", .type = "recv"}},
    {"html{|a url{|x|}b|}url{|y|}", {.url = "x", .html = "a url{|x"}},
    {"num{|\x81|}A|}", {.num = "\x81|}A"}},
    {"num{|5", {}},                                   // no end marker anywhere after the key
    {"num{|", {}},
    {"", {}},
    {"garbage without fields", {}},
    {"num{|1|}type{|t|}url{|u|}html{|h|}cookie{|c|}post{|p|}header{|hd|}process{|pr|}",
     {.num = "1", .type = "t", .url = "u", .html = "h", .header = "hd", .post = "p",
      .cookie = "c", .process = "pr"}},
    {"num{|9|}html{|ab\x81", {.num = "9"}},           // lead byte as the last byte
    {"xnum{|1|}", {.num = "1"}},                      // text outside fields is ignored
    {"\xB0num{|1|}", {}},                             // "\xB0n" is one character
};
// clang-format on

void expectFields(const PacketReport& got, const PacketReport& want) {
    EXPECT_EQ(got.num, want.num);
    EXPECT_EQ(got.type, want.type);
    EXPECT_EQ(got.url, want.url);
    EXPECT_EQ(got.html, want.html);
    EXPECT_EQ(got.header, want.header);
    EXPECT_EQ(got.post, want.post);
    EXPECT_EQ(got.cookie, want.cookie);
    EXPECT_EQ(got.replyExtra, "");
    EXPECT_EQ(got.process, want.process);
}

TEST(Parse, Table) {
    InterceptClient client;
    for (size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        expectFields(client.parse(rows[i].report), rows[i].expected);
    }
}

TEST(Parse, StopsAtFirstNul) {
    InterceptClient client;
    PacketReport r = client.parse(std::string("num{|1|}\0type{|recv|}", 21));
    EXPECT_EQ(r.num, "1");
    EXPECT_EQ(r.type, "");
}

// The report's own handling reads the fields in place, without copying the page.
TEST(Parse, FieldsInPlaceAreViewsIntoTheReport) {
    InterceptClient client;
    const std::string report = "url{|u|}html{|<p>\xB0|}|}num{|7|}";
    const PacketReportFields f = client.parseFields(report);
    EXPECT_EQ(f.html.data(), report.data() + 14);
    EXPECT_EQ(f.html, "<p>\xB0|}");
    EXPECT_EQ(f.num, "7");
    EXPECT_EQ(f.type, "");
}

TEST(Parse, SixteenMebibyteReport) {
    std::string html(16u << 20, 'x');
    for (size_t i = 0; i < html.size(); i += 4096)
        html[i] = '\xB0';
    InterceptClient client;
    PacketReport r = client.parse("type{|recv|}html{|" + html + "|}num{|42|}");
    EXPECT_EQ(r.num, "42");
    EXPECT_EQ(r.type, "recv");
    EXPECT_EQ(r.html, html);
    // A lead byte as the html's last byte takes the "|" of the end marker with it, so the
    // value runs on to the next "|}".
    html.back() = '\xB0';
    r = client.parse("type{|recv|}html{|" + html + "|}num{|42|}");
    EXPECT_EQ(r.html, html + "|}num{|42");
    EXPECT_EQ(r.num, "42");
}

} // namespace
