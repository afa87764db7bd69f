// Reply files: exact bytes, replacement of old files, missing folder, unsafe numbers.
#include "intercept/InterceptClient.h"
#include "intercept/ReplyFile.h"
#include "text/ProgramDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;

class ReplyTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root = fs::temp_directory_path() /
               ("tesvo-reply-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root / "data");
        folder = (root / "data").string();
    }
    void TearDown() override { fs::remove_all(root); }

    // Opened by its narrow name, so that GBK names go through the ANSI code page as in
    // CreateFileA, not through std::filesystem's own conversion.
    std::string read(const std::string& name) {
        std::ifstream in(replyPath(folder, name.substr(0, name.size() - 3)), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    size_t fileCount(const fs::path& dir) {
        return static_cast<size_t>(std::distance(fs::directory_iterator(dir), {}));
    }

    fs::path root;
    std::string folder;
};

TEST_F(ReplyTest, UnmodifiedReplyIsEightBytesAndReplacesOldFile) {
    { std::ofstream(root / "data" / "7.fd") << "an older and longer reply"; }
    InterceptClient client(folder);
    client.reply(client.parse("num{|7|}type{|recv|}html{|page|}"), false);
    EXPECT_EQ(read("7.fd"), "new{|0|}");
}

TEST_F(ReplyTest, ModifiedReplyOrderAndEmptyFields) {
    InterceptClient client(folder);
    PacketReport r{.num = "m", .url = "u", .html = "h", .post = "p", .cookie = "c"};
    client.reply(r, true);
    EXPECT_EQ(read("m.fd"), "new{|1|}cookie{|c|}html{|h|}post{|p|}url{|u|}");
    client.reply(PacketReport{.num = "e"}, true);
    EXPECT_EQ(read("e.fd"), "new{|1|}cookie{||}html{||}post{||}url{||}");
    r.replyExtra.push_back('X');
    client.reply(r, false);
    EXPECT_EQ(read("m.fd"), "new{|0|}X");
}

TEST_F(ReplyTest, EmptyNumGivesDotFd) {
    InterceptClient client(folder);
    client.reply(client.parse("num{||}"), false);
    EXPECT_EQ(read(".fd"), "new{|0|}");
}

TEST_F(ReplyTest, MissingFolderWritesNothing) {
    fs::remove_all(root / "data");
    InterceptClient client(folder);
    client.reply(client.parse("num{|1|}"), false);
    EXPECT_FALSE(fs::exists(root / "data"));
    EXPECT_EQ(fileCount(root), 0u);
}

TEST_F(ReplyTest, GbkNumIsAPlainName) {
    InterceptClient client(folder);
    client.reply(client.parse("num{|\xB5\xDA"
                              "1|}"),
                 false);
    EXPECT_EQ(read("\xB5\xDA"
                   "1.fd"),
              "new{|0|}");
}

TEST_F(ReplyTest, UnsafeNumsWriteNowhere) {
    fs::create_directories(root / "data" / "sub");
    const char* unsafe[] = {"..\\x", "../x", "sub/x", "sub\\x",  "C:x",    "a\x01",   "a\tb",
                            "a\x7F", "a<b",  "a>b",   "a\"b",    "a|b",    "a?b",     "a*b",
                            "CON",   "con",  "NUL",   "nul.txt", "PRN",    "AUX",     "COM1",
                            "com9",  "LPT1", "LPT9",  "CON ",    "CONIN$", "conout$", "\xB0\\"};
    InterceptClient client(folder);
    for (const char* num : unsafe) {
        SCOPED_TRACE(num);
        EXPECT_FALSE(isSafeReplyName(num));
        client.reply(PacketReport{.num = num}, false);
    }
    EXPECT_EQ(fileCount(root / "data"), 1u); // only "sub"
    EXPECT_EQ(fileCount(root / "data" / "sub"), 0u);
    EXPECT_EQ(fileCount(root), 1u);
}

TEST(ReplyName, PlainNamesAreSafe) {
    const char* safe[] = {"",        "0",    "12345", "COM0", "COM10", "LPT",
                          "CONSOLE", "nul1", "a.b",   "..",   "a b",   "\xB5\xDA"};
    for (const char* num : safe) {
        SCOPED_TRACE(num);
        EXPECT_TRUE(isSafeReplyName(num));
    }
}

TEST(ReplyPath, FolderNumAndSuffix) {
    EXPECT_EQ(replyPath("d", "7"), std::string("d") + pathSeparator + "7.fd");
}

TEST(ReplyDefault, GoesToDataBesideTheProgram) {
    fs::path data = fs::path(programDirectory()) / "data";
    fs::create_directories(data);
    InterceptClient client;
    client.reply(client.parse("num{|tesvo-default-folder|}"), false);
    std::ifstream in(data / "tesvo-default-folder.fd", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "new{|0|}");
    in.close();
    fs::remove(data / "tesvo-default-folder.fd");
}

} // namespace
