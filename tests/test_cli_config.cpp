// `pulsepost config show|set`: the named values with their units, and a change of one value that
// leaves every other byte of the file as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>

#include "cli_support.h"
#include "platform/files.h"
#include "test_support.h"

namespace pulsepost {
namespace {

#if defined(PULSEPOST_CLI)

using testing::CliRun;
using testing::contains;
using testing::runCli;

// A configuration directory with the default files, as the first conversion writes them.
class CliConfig : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::writeFile(dir.file("part.nc"), "G1 X1\n");
        ASSERT_EQ(runCli(dir, "convert -q part.nc").status, 0);
        machine = testing::readFile(dir.file("ZORVAN.CFG"));
        params = testing::readFile(dir.file("params.cfg"));
    }
    testing::ScratchDir dir;
    std::string machine, params;
};

TEST_F(CliConfig, ShowNamesTheValuesWithUnitsAndTheOptionBits) {
    const CliRun r = runCli(dir, "config show");
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* line :
         {"pulses-per-unit-x    10160.000000   p/u", "acceleration         15.000000      u/s2",
          "option-bits          97 (0x61)", "ignore-f-words       on", "rapids-as-feeds      on",
          "max-fillet-error     10.16          pulse"}) {
        EXPECT_TRUE(contains(r.out, line)) << line << "\n" << r.out;
    }
}

TEST_F(CliConfig, SetRewritesOneValueAndKeepsEveryOtherByte) {
    struct Case {
        const char* args;
        int status;
        bool inParams;
        const char* before;  // the value's bytes in the file; nullptr: the file is unchanged
        const char* after;
    };
    const Case cases[] = {
        {"feed-speed 80", 0, false,
         "\xFE"
         "50.000000\r\n",
         "\xFE"
         "80.000000\r\n"},
        {"-- pulses-per-unit-z -2540.5", 0, false,
         "\xFE"
         "10160.000000\r\n\xFE"
         "0.000000",
         "\xFE"
         "-2540.500000\r\n\xFE"
         "0.000000"},
        {"ignore-f-words off", 0, false,
         "\xFE"
         "97\r\n",
         "\xFE"
         "96\r\n"},
        {"swap-xy 0x1", 0, false,
         "\xFE"
         "0\r\n\xFE"
         "97",
         "\xFE"
         "1\r\n\xFE"
         "97"},
        {"max-fillet-angle 12.5", 0, true, "15.0      //", "12.5      //"},
        // The unit is a fifth line, added in the file's own format.
        {"machine-unit mm", 0, true, "Error\r\n",
         "Error\r\nmm        //Machine unit (in or mm)\r\n"},
        {"machine-unit IN", 0, true, "Error\r\n",
         "Error\r\nin        //Machine unit (in or mm)\r\n"},
        {"machine-unit feet", 2, true, nullptr, nullptr},
        {"machine-unit none", 0, true, nullptr, nullptr},
        {"acceleration 0", 2, false, nullptr, nullptr},
        {"feed-speed fast", 2, false, nullptr, nullptr},
        {"swap-xy 70000", 2, false, nullptr, nullptr},
        {"rapids-as-feeds maybe", 2, false, nullptr, nullptr},
        {"min-fillet-angle -1", 2, true, nullptr, nullptr},
        {"spindle-speed 100", 2, false, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        testing::writeFile(dir.file("ZORVAN.CFG"), machine);
        testing::writeFile(dir.file("params.cfg"), params);
        const CliRun r = runCli(dir, std::string("config set ") + c.args);
        EXPECT_EQ(r.status, c.status) << c.args << ": " << r.err;
        std::string expected = c.inParams ? params : machine;
        if (c.before != nullptr) {
            const std::size_t at = expected.find(c.before);
            ASSERT_NE(at, std::string::npos) << c.args;
            expected.replace(at, std::string(c.before).size(), c.after);
        }
        EXPECT_EQ(testing::readFile(dir.file(c.inParams ? "params.cfg" : "ZORVAN.CFG")), expected)
            << c.args;
    }
    // The conversion reads what was written.
    ASSERT_EQ(runCli(dir, "config set feed-speed 80").status, 0);
    ASSERT_EQ(runCli(dir, "convert -q part.nc").status, 0);
    EXPECT_FALSE(testing::fileExists(dir.file("ZORVAN.CFG.bak")));
    EXPECT_TRUE(contains(runCli(dir, "config show").out, "80.000000"));
    // A declared unit is shown and changed in place; none takes the line away again.
    EXPECT_TRUE(contains(runCli(dir, "config show").out, "machine-unit         undeclared"));
    ASSERT_EQ(runCli(dir, "config set machine-unit in").status, 0);
    ASSERT_EQ(runCli(dir, "config set machine-unit mm").status, 0);
    EXPECT_TRUE(contains(runCli(dir, "config show").out, "machine-unit         mm"));
    ASSERT_EQ(runCli(dir, "config set machine-unit none").status, 0);
    EXPECT_EQ(testing::readFile(dir.file("params.cfg")), params);
    // Text after the word becomes a comment: none must not leave a unit word behind.
    testing::writeFile(dir.file("params.cfg"), params + "mm in\r\nsixth\r\n");
    ASSERT_EQ(runCli(dir, "config set machine-unit none").status, 0);
    EXPECT_EQ(testing::readFile(dir.file("params.cfg")), params + "// in\r\nsixth\r\n");
    EXPECT_TRUE(contains(runCli(dir, "config show").out, "machine-unit         undeclared"));
}

// A file set cannot safely replace is left as it is, with its reason: missing, damaged, not a
// regular file (a FIFO is never waited on, by show either), or a symbolic link, which the new
// file would replace while the file it names kept the old value.
TEST_F(CliConfig, SetRefusesAFileItCannotReplaceSafely) {
    const std::string zorvan = dir.file("ZORVAN.CFG");
    testing::writeFile(zorvan, machine.substr(0, machine.size() / 2));
    const CliRun damaged = runCli(dir, "config set feed-speed 80");
    EXPECT_EQ(damaged.status, 1);
    EXPECT_TRUE(contains(damaged.err, "ZORVAN.CFG is damaged")) << damaged.err;
    EXPECT_TRUE(contains(runCli(dir, "config show").out, "damaged"));
    std::remove(dir.file("params.cfg").c_str());
    const CliRun missing = runCli(dir, "config set max-fillet-error 5");
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(contains(missing.err, "params.cfg is missing")) << missing.err;

    std::remove(zorvan.c_str());
    ASSERT_EQ(mkfifo(zorvan.c_str(), 0644), 0);
    const CliRun fifo = runCli(dir, "config set feed-speed 80");
    EXPECT_EQ(fifo.status, 1);
    EXPECT_TRUE(contains(fifo.err, "ZORVAN.CFG: not a regular file; it is left")) << fifo.err;
    EXPECT_TRUE(contains(runCli(dir, "config show").out, "ZORVAN.CFG: not a regular file"));

    std::remove(zorvan.c_str());
    testing::writeFile(dir.file("shared.cfg"), machine);
    ASSERT_EQ(symlink("shared.cfg", zorvan.c_str()), 0);
    const CliRun link = runCli(dir, "config set feed-speed 80");
    EXPECT_EQ(link.status, 1);
    EXPECT_TRUE(contains(link.err, "ZORVAN.CFG is a symbolic link")) << link.err;
    EXPECT_TRUE(isSymbolicLink(zorvan.c_str()));
    EXPECT_EQ(testing::readFile(dir.file("shared.cfg")), machine);
}

// set takes the lock a conversion holds while it rewrites the configuration files, so that a
// conversion starting at that moment never replaces the file with what it read before.
TEST_F(CliConfig, SetWaitsForTheConfigurationDirectoryLock) {
    auto held = std::make_unique<DirectoryLock>(dir.path().c_str());
    CliRun r;
    std::thread set([&] { r = runCli(dir, "config set feed-speed 80"); });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_TRUE(testing::readFile(dir.file("ZORVAN.CFG")) == machine)
        << "ZORVAN.CFG was replaced while the lock was held";
    held.reset();
    set.join();
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(contains(testing::readFile(dir.file("ZORVAN.CFG")),
                         "\xFE"
                         "80.000000"));
}

#else
TEST(CliConfig, NotBuilt) {
    GTEST_SKIP() << "the pulsepost command is not built here";
}
#endif

}  // namespace
}  // namespace pulsepost
