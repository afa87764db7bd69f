// The record a report text is parsed into.
#pragma once

#include "text/Text.h"

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
