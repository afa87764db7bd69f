// Fuzz target: the answer tracker on a sequence of reports, resets and typed letters, with
// the PCRE2 engine, an in-memory display and a reply folder in a private temporary folder.
//
// Input: pieces separated by NUL bytes (a report never holds one). A piece that begins with
// byte 01 is a click of the reset button; one that begins with byte 02 and a digit types the
// rest into that answer box; every other piece is a report.
#include "exam/MemoryDisplay.h"
#include "exam/Tracker.h"
#include "intercept/ReplyFile.h"
#include "text/WideText.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr size_t maxPieces = 48;

std::vector<std::string> entries(const std::string& dir) {
    std::vector<std::string> names;
    DIR* d = opendir(dir.c_str());
    if (!d) return names;
    while (dirent* e = readdir(d)) {
        const std::string name = e->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    closedir(d);
    return names;
}

void emptyFolder(const std::string& dir) {
    for (const std::string& name : entries(dir))
        unlink((dir + "/" + name).c_str());
}

// The reply folder "data" alone in a folder of its own: a reply written anywhere else shows
// up as a second entry there.
struct Folders {
    std::string parent;
    std::string data;
};

const Folders& folders() {
    // Never destroyed: the clean-up at exit still needs the names.
    static const Folders* f = [] {
        char pattern[] = "/tmp/tesvo-fuzz-XXXXXX";
        if (!mkdtemp(pattern)) std::abort();
        auto* made = new Folders{pattern, std::string(pattern) + "/data"};
        if (mkdir(made->data.c_str(), 0755) != 0) std::abort();
        // libFuzzer ends with exit() after a timed run; a crash leaves the folders to look at.
        std::atexit([] {
            emptyFolder(folders().data);
            emptyFolder(folders().parent);
            rmdir(folders().data.c_str());
            rmdir(folders().parent.c_str());
        });
        return made;
    }();
    return *f;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

[[noreturn]] void fail(size_t piece, const char* what) {
    std::fprintf(stderr, "piece %zu: %s\n", piece, what);
    std::abort();
}

Text questionLines(const std::vector<Text>& list) {
    Text lines;
    for (const Text& stem : list)
        lines += stem + "\r\n";
    return lines;
}

struct Snapshot {
    std::vector<Text> list;
    Text questionBox;
    std::array<Text, 5> answers;
};

bool isResetState(const Tracker& t, const MemoryDisplay& display) {
    return t.questionList.empty() && display.questionBox.empty() &&
           std::all_of(display.answers.begin(), display.answers.end(),
                       [](const Text& a) { return a == "A"; });
}

// What a report may do to the tracker: capture into an empty list, advance letters of
// captured questions to one byte each, or reset everything.
void checkTracker(size_t i, const Snapshot& before, const Tracker& t, const MemoryDisplay& display,
                  std::string_view html) {
    const std::vector<Text>& list = t.questionList;
    if (display.questionBox != questionLines(list))
        fail(i, "the question box does not list the questions");
    if (list.empty()) {
        const bool unchanged = before.list.empty() && display.answers == before.answers &&
                               display.questionBox == before.questionBox;
        if (!unchanged && !isResetState(t, display)) fail(i, "emptied without a reset");
        return;
    }
    if (!before.list.empty() && list != before.list) fail(i, "captured into a non-empty list");
    if (!std::equal(before.list.begin(), before.list.end(), list.begin()))
        fail(i, "an existing question changed");
    // A captured stem is what "(.*?)" matched: one line of the page. When the page survives
    // the trip through UTF-16 unchanged, the stem's bytes stand in it.
    const bool roundTrips = wideToAnsi(ansiToWide(html)) == html;
    for (size_t k = before.list.size(); k < list.size(); ++k) {
        if (list[k].find('\n') != Text::npos) fail(i, "a captured stem spans lines");
        if (roundTrips && html.find(list[k]) == std::string_view::npos)
            fail(i, "a captured stem is not in the page");
    }
    for (size_t k = 0; k < display.answers.size(); ++k) {
        if (display.answers[k] == before.answers[k]) continue;
        if (k >= list.size()) fail(i, "the letter of a question not captured changed");
        if (display.answers[k].size() > 1) fail(i, "an advanced letter is not one byte");
    }
}

// The reply folder holds exactly the reply to this report, or nothing for a number that is
// no safe file name. A name longer than the file system allows cannot be created at all.
void checkReply(size_t i, const Text& num) {
    const std::vector<std::string> names = entries(folders().data);
    const bool expected = isSafeReplyName(num) && num.size() + 3 <= NAME_MAX;
    if (!expected) {
        if (!names.empty()) fail(i, "a reply file for an unsafe number");
        return;
    }
    if (names.size() != 1 || names[0] != num + ".fd") fail(i, "the reply file is missing");
    if (readFile(replyPath(folders().data, num)) != "new{|0|}")
        fail(i, "the reply file does not hold new{|0|}");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<Text> questionList;
    InterceptClient client(folders().data);
    RegexObject regex;
    MemoryDisplay display;
    Tracker t{questionList, client, regex, display};

    size_t begin = 0;
    for (size_t i = 0; i < maxPieces && begin <= input.size(); ++i) {
        size_t end = std::min(input.find('\0', begin), input.size());
        const std::string_view piece = input.substr(begin, end - begin);
        begin = end + 1;

        if (!piece.empty() && piece[0] == '\x01') {
            resetTracker(t);
            if (!isResetState(t, display)) fail(i, "the reset left something behind");
            continue;
        }
        if (piece.size() >= 2 && piece[0] == '\x02') {
            display.setAnswerBox(piece[1] - '0', Text(piece.substr(2)));
            continue;
        }

        // An exact-size heap copy, so that a read past the report's end is caught.
        std::unique_ptr<char[]> report(new char[piece.size()]);
        std::copy(piece.begin(), piece.end(), report.get());
        const std::string_view text(report.get(), piece.size());
        const PacketReport parsed = client.parse(text);

        const Snapshot before{questionList, display.questionBox, display.answers};
        emptyFolder(folders().data);
        dispatchReport(t, text);
        checkTracker(i, before, t, display, parsed.html);
        checkReply(i, parsed.num);
        if (entries(folders().parent).size() != 1) fail(i, "a file outside the reply folder");
    }
    return 0;
}
