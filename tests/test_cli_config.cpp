// `pulsepost config show|set`: the named values with their units, and a change of one value that
// leaves every other byte of the file as it was.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "cli_support.h"
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
}

TEST_F(CliConfig, SetRefusesAMissingOrDamagedFile) {
    testing::writeFile(dir.file("ZORVAN.CFG"), machine.substr(0, machine.size() / 2));
    const CliRun damaged = runCli(dir, "config set feed-speed 80");
    EXPECT_EQ(damaged.status, 1);
    EXPECT_TRUE(contains(damaged.err, "ZORVAN.CFG is damaged")) << damaged.err;
    EXPECT_TRUE(contains(runCli(dir, "config show").out, "damaged")) << damaged.err;
    std::remove(dir.file("params.cfg").c_str());
    const CliRun missing = runCli(dir, "config set max-fillet-error 5");
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(contains(missing.err, "params.cfg is missing")) << missing.err;
}

#else
TEST(CliConfig, NotBuilt) {
    GTEST_SKIP() << "the pulsepost command is not built here";
}
#endif

}  // namespace
}  // namespace pulsepost
