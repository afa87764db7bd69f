// The record a report text is parsed into.
#pragma once

#include "text/Text.h"

#include <string_view>

// Nine texts; an absent field is the empty text. `replyExtra` has no key in a report: it is
// appended unchanged to the reply text.
struct PacketReport {
    Text num{};
    Text type{};
    Text url{};
    Text html{};
    Text header{};
    Text post{};
    Text cookie{};
    Text replyExtra{};
    Text process{};
};

// The eight keyed fields of a report as views into its text, valid as long as the text is:
// what the report's own handling reads, without a copy of a page of megabytes.
struct PacketReportFields {
    std::string_view num, type, url, html, header, post, cookie, process;
};
