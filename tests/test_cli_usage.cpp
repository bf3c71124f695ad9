// The pulsepost command's front door: usage errors exit with 2 and say what was wrong, unknown
// commands get the nearest name, help and version.
#include <gtest/gtest.h>

#include <string>

#include "cli_support.h"
#include "test_support.h"

namespace pulsepost {
namespace {

#if defined(PULSEPOST_CLI)

using testing::CliRun;
using testing::contains;
using testing::runCli;

TEST(CliUsage, ErrorsExitWithTwoAndSayWhatWasWrong) {
    struct Case {
        const char* args;
        const char* said;  // on standard error
    };
    const Case cases[] = {
        {"", "no command given; the commands are convert inspect plot"},
        {"conver plate.nc", "unknown command 'conver'; did you mean 'convert'?"},
        {"inpsect plate.nc", "did you mean 'inspect'?"},
        {"frobnicate", "unknown command 'frobnicate'; the commands are"},
        {"--bogus", "unknown option '--bogus'"},
        {"convert", "pulsepost convert: PROGRAM is required"},
        {"convert x.nc --config-dir no/such/dir", "no/such/dir"},
        {"convert -j 0 x.nc", "--jobs"},
        {"plot x.nc", "pulsepost plot: --output is required"},
        {"help convet", "pulsepost help: unknown command 'convet'; did you mean 'convert'?"},
    };
    testing::ScratchDir dir;
    for (const Case& c : cases) {
        const CliRun r = runCli(dir, c.args);
        EXPECT_EQ(r.status, 2) << c.args;
        EXPECT_TRUE(contains(r.err, c.said)) << c.args << ": " << r.err;
        EXPECT_TRUE(contains(r.err, "--help' for the usage")) << c.args << ": " << r.err;
    }
    EXPECT_FALSE(testing::fileExists(dir.file("x.CM")));
}

TEST(CliUsage, HelpAndVersion) {
    testing::ScratchDir dir;
    const CliRun version = runCli(dir, "--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("pulsepost ") + PULSEPOST_VERSION + "\n");
    const CliRun all = runCli(dir, "help");
    EXPECT_EQ(all.status, 0);
    EXPECT_TRUE(contains(all.out, "Usage: pulsepost [OPTIONS] SUBCOMMAND")) << all.out;
    const CliRun one = runCli(dir, "help plot");
    EXPECT_EQ(one.status, 0);
    EXPECT_EQ(one.out, runCli(dir, "plot --help").out);
}

#else
TEST(CliUsage, NotBuilt) {
    GTEST_SKIP() << "the pulsepost command is not built here";
}
#endif

}  // namespace
}  // namespace pulsepost
