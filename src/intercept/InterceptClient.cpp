// InterceptClient's report side: field extraction, parse and reply.
#include "intercept/InterceptClient.h"

#include "intercept/ReplyFile.h"
#include "text/ProgramDirectory.h"

#include <utility>

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

PacketReport InterceptClient::parse(std::string_view report) const {
    report = report.substr(0, report.find('\0'));
    PacketReport r;
    r.num = textBetween(report, "num{|", "|}", 0, false);
    r.type = textBetween(report, "type{|", "|}", 0, false);
    r.url = textBetween(report, "url{|", "|}", 0, false);
    r.html = textBetween(report, "html{|", "|}", 0, false);
    r.cookie = textBetween(report, "cookie{|", "|}", 0, false);
    r.post = textBetween(report, "post{|", "|}", 0, false);
    r.header = textBetween(report, "header{|", "|}", 0, false);
    r.process = textBetween(report, "process{|", "|}", 0, false);
    return r;
}

void InterceptClient::reply(const PacketReport& report, bool modify) const {
    if (!isSafeReplyName(report.num)) return;
    writeExclusiveFile(replyPath(replyFolder, report.num), replyText(report, modify));
}
