// Platform layer: text files with CR LF line ends, file length, raw writes, path joins with the
// 255-character cut, output names beside the program, and the key check without a console.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/console.h"
#include "platform/files.h"
#include "test_support.h"

namespace pulsepost {
namespace {

TEST(Platform, TextFilesGetExactlyOneCrLfPerLine) {
    testing::ScratchDir dir;
    const std::string path = dir.file("t.txt");
    FILE* f = openTextForWriting(path.c_str());
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(printText(f, "%lf\n", 12.5));
    EXPECT_TRUE(writeText(f, "a\n\nb"));
    EXPECT_TRUE(writeText(f, "\n"));
    std::fclose(f);
    EXPECT_EQ(testing::readFile(path), "12.500000\r\na\r\n\r\nb\r\n");
}

TEST(Platform, FileLengthAndRawWrite) {
    testing::ScratchDir dir;
    const std::string path = dir.file("b.bin");
    FILE* f = std::fopen(path.c_str(), "wb+");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(fileLength(f), 0);
    EXPECT_EQ(rawWrite(f, "abcd", 4), 4);
    EXPECT_EQ(fileLength(f), 4);
    std::fclose(f);
    EXPECT_EQ(testing::readFile(path), "abcd");
}

TEST(Platform, CurrentDirectoryIsCutToTheLimit) {
    testing::ScratchDir dir;
    testing::WorkingDir cwd(dir.path());
    char buffer[kPathLimit + 1];
    ASSERT_TRUE(currentDirectory(buffer, kPathLimit));
    EXPECT_EQ(std::string(buffer), std::filesystem::canonical(dir.path()).string());
    char small[9];
    ASSERT_TRUE(currentDirectory(small, 8));
    EXPECT_EQ(std::string(small), std::string(buffer).substr(0, 8));
}

TEST(Platform, JoinedPathsAreCutAt255Characters) {
    char out[kPathLimit + 1];
    joinPathCut(out, "/cfg", "ZORVAN.CFG");
    EXPECT_STREQ(out, "/cfg/ZORVAN.CFG");
    const std::string dir250(250, 'd');
    joinPathCut(out, dir250.c_str(), "ZORVAN.CFG");
    EXPECT_EQ(std::string(out), dir250 + "/ZORV");
    const std::string dir300(300, 'd');
    joinPathCut(out, dir300.c_str(), "ZORVAN.CFG");
    EXPECT_EQ(std::string(out), std::string(255, 'd'));
    joinPathCut(out, "/cfg/", "params.cfg");
    EXPECT_STREQ(out, "/cfg//params.cfg");
}

TEST(Platform, OutputNamesOnlyUseTheDotOfTheFileName) {
    char out[kPathLimit + 1];
    ASSERT_TRUE(outputPath(out, "jobs/plate.nc", "CM"));
    EXPECT_STREQ(out, "jobs/plate.CM");
    ASSERT_TRUE(outputPath(out, "jobs/v1.2/plate", "EV"));
    EXPECT_STREQ(out, "jobs/v1.2/plate.EV");
    ASSERT_TRUE(outputPath(out, "a.b.c", "BRK"));
    EXPECT_STREQ(out, "a.b.BRK");
    ASSERT_TRUE(outputPath(out, "plate.", "LIM"));
    EXPECT_STREQ(out, "plate.LIM");
    const std::string longName(252, 'p');
    EXPECT_TRUE(outputPath(out, longName.c_str(), "EV"));
    EXPECT_FALSE(outputPath(out, longName.c_str(), "BRK"));
    EXPECT_STREQ(out, "");
}

TEST(Platform, KeyCheckNeverBlocksWithoutAConsole) {
    if (isatty(STDIN_FILENO)) GTEST_SKIP() << "standard input is a terminal";
    EXPECT_EQ(consoleKeyWaiting(), 0);
    EXPECT_EQ(consoleReadKey(), 0);
}

TEST(Platform, ScriptedKeysReplaceTheConsole) {
    testing::ScriptedKeys keys({'a', kEscKey});
    EXPECT_EQ(consoleKeyWaiting(), 1);
    EXPECT_EQ(consoleReadKey(), 'a');
    EXPECT_EQ(consoleKeyWaiting(), 1);
    EXPECT_EQ(consoleReadKey(), kEscKey);
    EXPECT_EQ(consoleKeyWaiting(), 0);
}

}  // namespace
}  // namespace pulsepost
