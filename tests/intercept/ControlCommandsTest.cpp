// The control commands' exact bytes.
#include "intercept/ControlCommands.h"

#include <gtest/gtest.h>

namespace {

TEST(ControlCommands, Joins) {
    EXPECT_EQ(joinTexts({"a", "b"}), "a,b,");
    EXPECT_EQ(joinTexts({""}), ",");
    EXPECT_EQ(joinTexts({}), "");
    EXPECT_EQ(joinTexts({"x,y]", ""}), "x,y],,"); // not escaped
}

TEST(ControlCommands, StartCommand) {
    EXPECT_EQ(startCommand(7788, {".site.example/pages/exam"}, {""}, 9000, 6002),
              "act[csh]port[7788]arr_url[.site.example/pages/exam,]arr_pid[,]size[9000]bd[6002]");
    EXPECT_EQ(startCommand(-1, {"a", "b"}, {}, 9000, 6003),
              "act[csh]port[-1]arr_url[a,b,]arr_pid[]size[9000]bd[6003]");
    EXPECT_EQ(startCommand(0, {}, {}, 9000000000LL, 65535),
              "act[csh]port[0]arr_url[]arr_pid[]size[9000000000]bd[65535]");
    EXPECT_EQ(startCommand(0, {}, {}, -5, 6002),
              "act[csh]port[0]arr_url[]arr_pid[]size[-5]bd[6002]");
}

TEST(ControlCommands, ExitAndRestore) {
    EXPECT_EQ(exitCommand(), "act[exit]");
    EXPECT_EQ(exitCommand().size(), 9u);
    EXPECT_EQ(restoreCommand(7788), "act[huifu]port[7788]");
    EXPECT_EQ(restoreCommand(7788).size(), 20u);
    EXPECT_EQ(restoreCommand(-42), "act[huifu]port[-42]");
}

} // namespace
