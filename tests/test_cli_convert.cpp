// The pulsepost command as a user runs it: exit statuses, messages, summaries, worker processes.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "cli_support.h"
#include "test_support.h"

namespace pulsepost {
namespace {

#if defined(PULSEPOST_CLI)

using testing::CliRun;
using testing::contains;
using testing::runCli;

TEST(CliConvert, ConvertsAndSummarisesWithoutProgressOffATerminal) {
    testing::ScratchDir dir;
    testing::writeFile(dir.file("plate.nc"), "M6 T3\nG1 X1\nM8\nG4P1500\nM6 T7\nG1 X2 Y1\nM6 T3\n");
    const CliRun r = runCli(dir, "convert plate.nc");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.err.empty()) << r.err;  // no progress bar when standard error is a file
    for (const char* part :
         {"plate.nc: converted", ", 1 dwell 0:00:01.5 (P in ms)", "tools     T3 T7\n",
          "distance  2.414 along the path", "X 0.0000 .. 2.0000", "5 events", "plate.BRK",
          "config    ./ZORVAN.CFG: pulses/unit X 10160 Y 10160 Z 10160; u/min feed 50 plunge 25",
          "F words ignored; traverses planned as feeds", "program   7 lines read"}) {
        EXPECT_TRUE(contains(r.out, part)) << part << "\n" << r.out;
    }
    for (const char* name : {"plate.CM", "plate.BRK", "plate.LIM", "plate.EV", "ZORVAN.CFG"}) {
        EXPECT_TRUE(testing::fileExists(dir.file(name))) << name;
    }
}

TEST(CliConvert, FailuresAreNamedAndMakeTheStatusNonZero) {
    testing::ScratchDir dir;
    testing::writeFile(dir.file("good.nc"), "G1 X1\n");
    testing::writeFile(dir.file("endless.nc"), "G83 X1 Y1 Z-1 R0.1 Q0\n");  // peck of 0
    // Neither the conversion nor its summary may read these forever or wait on them.
    std::filesystem::create_symlink("/dev/zero", dir.file("zero.nc"));
    ASSERT_EQ(mkfifo(dir.file("pipe.nc").c_str(), 0644), 0);
    const CliRun r = runCli(dir, "convert good.nc endless.nc absent.nc zero.nc pipe.nc");
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(contains(r.err, "pulsepost: endless.nc: refused:")) << r.err;
    EXPECT_TRUE(contains(r.err, "pulsepost: absent.nc: cannot open file:")) << r.err;
    EXPECT_TRUE(contains(r.out, "good.nc: converted")) << r.out;
    EXPECT_TRUE(contains(r.out, "endless.nc: FAILED")) << r.out;
    EXPECT_TRUE(contains(r.out, "zero.nc: FAILED")) << r.out;
    EXPECT_TRUE(contains(r.out, "pipe.nc: FAILED")) << r.out;
    EXPECT_TRUE(contains(r.out, "1 of 5 programs converted")) << r.out;
}

TEST(CliConvert, DiagnosticsFollowTheSummaryAndStrictRefuses) {
    testing::ScratchDir dir;
    testing::writeFile(dir.file("plate.nc"), "G1 X1\nG38.2 Z-5\nG38.2 Z-6\n");
    testing::writeFile(dir.file("lower.nc"), "g1 x10\n");
    testing::writeFile(dir.file("clean.nc"), "G1 X1\n");

    const CliRun shown = runCli(dir, "convert plate.nc lower.nc clean.nc");
    EXPECT_EQ(shown.status, 0);  // warnings never fail a conversion
    EXPECT_TRUE(contains(shown.err,
                         "  warning line 2: G38.2: G code without a meaning here, "
                         "ignored (2 times)\n"))
        << shown.err;
    // The summary counts them; a clean program says it has none.
    EXPECT_TRUE(contains(shown.out, "warnings  1 kind, 2 lines not executed as written"))
        << shown.out;
    EXPECT_TRUE(contains(shown.out, "warnings  none: every line executed as written")) << shown.out;
    EXPECT_TRUE(contains(shown.out, "lower.nc: converted in")) << shown.out;
    EXPECT_TRUE(contains(shown.err, "g1: lower-case letters read as words")) << shown.err;
    EXPECT_GT(testing::readFile(dir.file("plate.CM")).size(), 0u);

    // With workers, too, a program's warnings stand under its own summary, before the next
    // program's summary, on a stream that shows both.
    const std::string both = "cd '" + dir.path() + "' && '" + PULSEPOST_CLI +
                             "' convert -j 2 plate.nc clean.nc </dev/null >both.txt 2>&1";
    EXPECT_EQ(std::system(both.c_str()), 0);
    const std::string merged = testing::readFile(dir.file("both.txt"));
    const std::size_t plate = merged.find("plate.nc: converted");
    const std::size_t warning = merged.find("  warning line 2: G38.2");
    const std::size_t clean = merged.find("clean.nc: converted");
    ASSERT_NE(plate, std::string::npos) << merged;
    ASSERT_NE(clean, std::string::npos) << merged;
    EXPECT_GT(warning, plate) << merged;
    EXPECT_TRUE(clean < plate || clean > warning) << merged;

    // Control bytes in a program's name or words reach the terminal escaped, never raw.
    const std::string name = "e\x1b[2J.nc";
    testing::writeFile(dir.file(name), "G1 X1\nG94\x1b[2J\x07\n");
    const CliRun escaped = runCli(dir, "convert '" + name + "'");
    EXPECT_TRUE(contains(escaped.out, "e\\x1B[2J.nc: converted")) << escaped.out;
    EXPECT_TRUE(contains(escaped.err, "G94\\x1B[2: G code")) << escaped.err;
    EXPECT_EQ((escaped.out + escaped.err).find('\x1b'), std::string::npos);

    const CliRun quiet = runCli(dir, "convert -q plate.nc clean.nc");
    EXPECT_EQ(quiet.status, 0);
    EXPECT_EQ(quiet.err, "plate.nc: 1 kind of diagnostics, 2 lines not executed as written\n");

    const CliRun strict = runCli(dir, "convert --strict plate.nc lower.nc clean.nc");
    EXPECT_EQ(strict.status, 1);
    EXPECT_TRUE(contains(strict.out, "plate.nc: REFUSED (--strict")) << strict.out;
    EXPECT_TRUE(contains(strict.out, "lower.nc: REFUSED (--strict")) << strict.out;
    EXPECT_TRUE(contains(strict.out, "clean.nc: converted")) << strict.out;
    EXPECT_TRUE(contains(strict.out, "1 of 3 programs converted")) << strict.out;
    for (const char* name : {"plate.CM", "plate.BRK", "lower.CM", "lower.BRK"})
        EXPECT_EQ(testing::readFile(dir.file(name)), "") << name;
}

TEST(CliConvert, ProgramsWritingTheSameFilesAreRefusedBeforeAnyConverts) {
    testing::ScratchDir dir;
    testing::writeFile(dir.file("a.nc"), "G1 X1\n");
    testing::writeFile(dir.file("a.tap"), "G1 X2\n");
    for (const char* args : {"convert a.nc a.tap", "convert -j 2 a.nc ./a.nc"}) {
        const CliRun r = runCli(dir, args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_TRUE(contains(r.err, "both write")) << r.err;
        EXPECT_FALSE(testing::fileExists(dir.file("a.CM"))) << args;
    }
}

TEST(CliConvert, WorkerProcessesWriteTheSameFilesAsOneProcess) {
    testing::ScratchDir serial, parallel;
    const char* programs[] = {"a.nc", "b.nc", "c.nc", "d.nc"};
    for (int i = 0; i < 4; ++i) {
        const std::string text = "G1 X" + std::to_string(i + 1) + " Y0.5\nM8\nG2 X" +
                                 std::to_string(i + 2) + " Y0.5 I0.5 J0\nM9\n";
        testing::writeFile(serial.file(programs[i]), text);
        testing::writeFile(parallel.file(programs[i]), text);
    }
    const CliRun one = runCli(serial, "convert a.nc b.nc c.nc d.nc");
    const CliRun four = runCli(parallel, "convert -j 3 a.nc b.nc c.nc d.nc");
    ASSERT_EQ(one.status, 0) << one.err;
    ASSERT_EQ(four.status, 0) << four.err;
    EXPECT_TRUE(contains(four.out, "4 of 4 programs converted")) << four.out;
    for (const char* p : programs) {
        EXPECT_TRUE(contains(four.out, std::string(p) + ": converted")) << four.out;
        const std::string stem = std::string(p).substr(0, 1);
        for (const char* ext : {".CM", ".BRK", ".LIM"}) {
            EXPECT_EQ(testing::readBytes(parallel.file(stem + ext)),
                      testing::readBytes(serial.file(stem + ext)))
                << stem << ext;
        }
    }
}

TEST(CliConvert, HelpSummarisesTheDialectAndTheFiles) {
    testing::ScratchDir dir;
    const CliRun help = runCli(dir, "convert --help");
    EXPECT_EQ(help.status, 0);
    for (const char* part :
         {"--config-dir", "--units", "WAITFORON", "G83", ".BRK", ".CM", "timeMem.txt"}) {
        EXPECT_TRUE(contains(help.out, part)) << part;
    }
}

TEST(CliConvert, ConfigurationDirectoryIsUsedAndFilledWithDefaults) {
    testing::ScratchDir dir;
    ASSERT_TRUE(std::filesystem::create_directory(dir.file("machine")));
    testing::writeFile(dir.file("part.nc"), "G1 X1\n");
    const CliRun r = runCli(dir, "convert --config-dir machine part.nc");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(testing::fileExists(dir.file("machine/ZORVAN.CFG")));
    EXPECT_TRUE(testing::fileExists(dir.file("machine/params.cfg")));
    EXPECT_FALSE(testing::fileExists(dir.file("ZORVAN.CFG")));
}

// --units declares the machine's unit for the run alone: G21 lengths are scaled to inches, and
// params.cfg is left as it is.
TEST(CliConvert, UnitsDeclareTheMachineUnitForOneRun) {
    testing::ScratchDir dir;
    testing::writeFile(dir.file("part.nc"), "G21 G1 X25.4\n");
    const CliRun inches = runCli(dir, "convert --units in part.nc");
    EXPECT_EQ(inches.status, 0) << inches.err;
    EXPECT_TRUE(contains(inches.out, "X 0.0000 .. 1.0000")) << inches.out;
    EXPECT_TRUE(contains(inches.err, "G21: lengths and feeds scaled")) << inches.err;
    const CliRun inspected = runCli(dir, "inspect --program --units in part.nc");
    EXPECT_TRUE(contains(inspected.out, "G21: lengths and feeds scaled")) << inspected.out;
    const CliRun undeclared = runCli(dir, "convert part.nc");
    EXPECT_TRUE(contains(undeclared.out, "X 0.0000 .. 25.4000")) << undeclared.out;
    EXPECT_TRUE(contains(undeclared.err, "G21: unit selection not honoured")) << undeclared.err;
    EXPECT_NE(runCli(dir, "convert --units ft part.nc").status, 0);
}

#else
TEST(CliConvert, NotBuilt) {
    GTEST_SKIP() << "the pulsepost command is not built here";
}
#endif

}  // namespace
}  // namespace pulsepost
