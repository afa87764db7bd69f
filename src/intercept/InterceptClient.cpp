// InterceptClient's report side: field extraction, parse and reply.
#include "intercept/InterceptClient.h"

#include "intercept/ReplyFile.h"
#include "text/ByteSearch.h"
#include "text/ProgramDirectory.h"

#include <array>
#include <utility>

namespace {

// The report's keys in parse order, each with the field it fills.
struct Field {
    std::string_view startMarker;
    std::string_view PacketReportFields::*value;
};
constexpr std::array<Field, 8> fields{{{"num{|", &PacketReportFields::num},
                                       {"type{|", &PacketReportFields::type},
                                       {"url{|", &PacketReportFields::url},
                                       {"html{|", &PacketReportFields::html},
                                       {"cookie{|", &PacketReportFields::cookie},
                                       {"post{|", &PacketReportFields::post},
                                       {"header{|", &PacketReportFields::header},
                                       {"process{|", &PacketReportFields::process}}};

constexpr std::string_view markerEnd = "{|";

// The 0-based position of each field's start marker, as findText from byte 1 finds it, or
// npos. Every start marker ends in "{|", so one pass over the occurrences of "{|" finds them
// all, where a findText per key read the whole report for each key after the html or absent.
std::array<size_t, fields.size()> startMarkers(std::string_view report) {
    std::array<size_t, fields.size()> at;
    at.fill(std::string_view::npos);
    size_t missing = fields.size();
    for (size_t end = findBytes(report, markerEnd); end != std::string_view::npos && missing > 0;
         end = findBytes(report, markerEnd, end + 1)) {
        for (size_t k = 0; k < fields.size(); ++k) {
            const std::string_view key =
                fields[k].startMarker.substr(0, fields[k].startMarker.size() - markerEnd.size());
            if (at[k] != std::string_view::npos || end < key.size()) continue;
            const size_t begin = end - key.size();
            if (report.substr(begin, key.size()) == key && startsTextCharacter(report, begin)) {
                at[k] = begin;
                --missing;
            }
        }
    }
    return at;
}

} // namespace

InterceptClient::InterceptClient() : replyFolder(programDirectory() + pathSeparator + "data") {}

InterceptClient::InterceptClient(Text folder) : replyFolder(std::move(folder)) {}

Text InterceptClient::textBetween(std::string_view subject, std::string_view startMarker,
                                  std::string_view endMarker, int32_t startPos, bool ignoreCase) {
    Text s = replaceQuoteMarker(startMarker);
    Text e = replaceQuoteMarker(endMarker);
    int begin = findText(subject, s, startPos, ignoreCase);
    if (begin == -1) return Text();
    int content = begin + static_cast<int>(s.size());
    int end = findText(subject, e, content, ignoreCase);
    if (end < content) return Text();
    return Text(subject.substr(static_cast<size_t>(content) - 1, end - content));
}

PacketReportFields InterceptClient::parseFields(std::string_view report) const {
    report = report.substr(0, findBytes(report, std::string_view("", 1)));
    // Each field as textBetween(report, marker, "|}", 0, false) gives it.
    PacketReportFields r;
    const auto at = startMarkers(report);
    for (size_t k = 0; k < fields.size(); ++k) {
        if (at[k] == std::string_view::npos) continue;
        const int content = static_cast<int>(at[k] + fields[k].startMarker.size()) + 1;
        const int end = findText(report, "|}", content);
        if (end >= content)
            r.*fields[k].value = report.substr(static_cast<size_t>(content) - 1, end - content);
    }
    return r;
}

PacketReport InterceptClient::parse(std::string_view report) const {
    const PacketReportFields f = parseFields(report);
    PacketReport r;
    r.num = f.num;
    r.type = f.type;
    r.url = f.url;
    r.html = f.html;
    r.header = f.header;
    r.post = f.post;
    r.cookie = f.cookie;
    r.process = f.process;
    return r;
}

void InterceptClient::reply(const PacketReport& report, bool modify) const {
    if (!isSafeReplyName(report.num)) return;
    writeExclusiveFile(replyPath(replyFolder, report.num), replyText(report, modify));
}
