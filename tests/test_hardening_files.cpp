// Hostile paths and configuration files through p: output names that stay beside the program,
// files that cannot be created, configuration files that are read-only, damaged or impossible,
// and machines with disabled, reversed or unusable axes and speeds.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "config/cut_params.h"
#include "hardening_fixture.h"
#include "output/output_files.h"

namespace pulsepost {
namespace {

namespace fs = std::filesystem;
using testing::expectAt;
using testing::Hardening;

TEST_F(Hardening, ProgramPathWithoutADotGetsItsExtensionsAppended) {
    quickMachine();
    ASSERT_EQ(convert("G1 X1\n", "part"), 0);
    for (const char* name : {"part.CM", "part.BRK", "part.LIM", "part.EV"}) {
        EXPECT_TRUE(exists(name)) << name;
    }
    // A "." in a directory name does not count: the files stay inside that directory.
    fs::create_directories(dir.file("jobs.v1"));
    ASSERT_EQ(convert("G1 X2\n", "jobs.v1/plate"), 0);
    EXPECT_TRUE(exists("jobs.v1/plate.CM"));
    EXPECT_FALSE(exists("jobs.CM"));
    EXPECT_FALSE(exists("jobs.EV"));
    expectAt(readBack().motion.finalPosition, 2, 0, 0);
}

// The tests run as root in CI, where permission bits do not stop a write; a directory in the
// place of an output file does.
TEST_F(Hardening, OutputFileThatCannotBeCreatedEndsTheConversionWithAReason) {
    quickMachine();
    for (const char* blocked : {"part.EV", "part.CM", "part.BRK"}) {
        fs::remove_all(dir.file("part.EV"));
        fs::remove_all(dir.file("part.CM"));
        fs::remove_all(dir.file("part.BRK"));
        fs::create_directory(dir.file(blocked));
        testing::conversionMessages().clear();
        EXPECT_EQ(convert("G1 X1\n"), -1) << blocked;
        bool reported = false;
        for (const auto& [code, text] : testing::conversionMessages()) {
            reported = reported || code == 7;
        }
        EXPECT_TRUE(reported) << blocked;
        fs::remove_all(dir.file(blocked));
    }
    // A program in a directory that does not exist cannot be read: nothing is written.
    testing::conversionMessages().clear();
    EXPECT_EQ(convertFile(dir.file("missing/part.nc")), -1);
    ASSERT_FALSE(testing::conversionMessages().empty());
    EXPECT_EQ(testing::conversionMessages().front().first, 7);
    EXPECT_FALSE(exists("missing"));
    // A missing program beside an old EV file: the path and the C library's reason; the program
    // is opened first, so nothing is written beside it.
    testing::writeFile(dir.file("gone.EV"), "stale");
    testing::conversionMessages().clear();
    EXPECT_EQ(convertFile(dir.file("gone.nc")), -1);
    EXPECT_EQ(testing::readFile(dir.file("gone.EV")), "stale");
    ASSERT_EQ(testing::conversionMessages().size(), 1u);
    EXPECT_EQ(testing::conversionMessages()[0].second,
              dir.file("gone.nc") + ": " + std::strerror(ENOENT));
}

// A program that is also one of the files the conversion writes or deletes, under any name, is
// refused before anything is touched: the program, the configuration and every other file stay.
TEST_F(Hardening, ProgramThatIsOneOfTheConversionsOwnFilesIsRefusedUntouched) {
    quickMachine();
    const std::string program = "G1 X1\n";
    const std::pair<const char*, const char*> cases[] = {
        {"job.EV", nullptr},      {"job.CM", nullptr},
        {"job.BRK", nullptr},     {"job.LIM", nullptr},
        {"timeMem.txt", nullptr}, {"FILTER.CFG", nullptr},
        {"params.cfg", nullptr},  {"ZORVAN.CFG.bak", nullptr},
        {"link.nc", "link.CM"},  // the CM name is a link to the program
    };
    for (const auto& [name, link] : cases) {
        SCOPED_TRACE(name);
        fs::remove(dir.file("ZORVAN.CFG"));  // FILTER.CFG would be consumed by a set-up
        testing::writeFile(dir.file(name), program);
        if (link != nullptr) fs::create_symlink(dir.file(name), dir.file(link));
        std::vector<std::string> before;
        for (const auto& entry : fs::directory_iterator(dir.path()))
            before.push_back(entry.path().filename().string());
        testing::conversionMessages().clear();
        EXPECT_EQ(convertFile(dir.file(name)), -1);
        EXPECT_NE(refusal().find("is also the conversion's"), std::string::npos) << refusal();
        EXPECT_EQ(testing::readFile(dir.file(name)), program);
        std::vector<std::string> after;
        for (const auto& entry : fs::directory_iterator(dir.path()))
            after.push_back(entry.path().filename().string());
        EXPECT_EQ(after.size(), before.size());
        fs::remove(dir.file(name));
        if (link != nullptr) fs::remove(dir.file(link));
    }
}

// Only a regular file is read as a program: a directory would convert as an empty program (with
// hidden ".CM" files inside it for "."), a FIFO or a link to /dev/zero would never end.
TEST_F(Hardening, ProgramsThatAreNotRegularFilesAreRefusedNamingThePath) {
    quickMachine();
    fs::create_directory(dir.file("x.nc"));
    mkfifo(dir.file("fifo.nc").c_str(), 0644);
    fs::create_symlink("/dev/zero", dir.file("zero.nc"));
    for (const std::string name : {"x.nc", ".", "fifo.nc", "zero.nc"}) {
        SCOPED_TRACE(name);
        testing::conversionMessages().clear();
        EXPECT_EQ(convertFile(dir.file(name)), -1);
        ASSERT_EQ(testing::conversionMessages().size(), 1u);
        EXPECT_EQ(testing::conversionMessages()[0],
                  std::make_pair(int32_t{7}, dir.file(name) + " is not a regular file"));
    }
    for (const char* output : {"x.EV", "x.CM", "fifo.EV", "zero.EV", ".CM", ".EV"}) {
        EXPECT_FALSE(exists(output)) << output;
    }
}

// An output that is a FIFO no process reads is refused with its path, never waited on.
TEST_F(Hardening, OutputsThatAreFifosNobodyReadsAreRefusedNotWaitedOn) {
    quickMachine();
    // The timing log is the only one a conversion goes on without.
    const struct {
        const char* output;
        bool besideProgram;
        int32_t result;
    } cases[] = {{"part.EV", true, -1},
                 {"part.CM", true, -1},
                 {"part.BRK", true, -1},
                 {"part.LIM", true, -1},
                 {"timeMem.txt", false, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.output);
        const std::string path = dir.file(c.output);
        fs::remove(path);  // timeMem.txt of the conversions before
        ASSERT_EQ(mkfifo(path.c_str(), 0644), 0);
        testing::conversionMessages().clear();
        EXPECT_EQ(convert("G1 X1\n"), c.result);
        ASSERT_FALSE(testing::conversionMessages().empty());
        const std::string named = c.besideProgram ? path : std::string(c.output);
        EXPECT_EQ(testing::conversionMessages()[0],
                  std::make_pair(int32_t{7}, named + ": a FIFO that no process reads: nothing is "
                                                     "written into it"));
        fs::remove(path);
    }
}

// A conversion that does not complete leaves no stream pair of an earlier conversion beside the
// program looking valid: the CM and BRK files are emptied.
TEST_F(Hardening, UnfinishedConversionLeavesNoEarlierStreamPair) {
    quickMachine();
    const std::function<int32_t()> ends[] = {
        [&] {
            const testing::ScriptedKeys esc({27});  // Esc at the first report of stage 0
            return convert("G1 X2\n");
        },
        [&] { return convert("G1 X1\nG1 Xnan\n"); },
        [&] {
            fs::remove(dir.file("part.nc"));
            return convertFile(dir.file("part.nc"));
        },
    };
    for (std::size_t i = 0; i < std::size(ends); ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ(convert("G1 X1\n"), 0);
        ASSERT_FALSE(testing::readBytes(dir.file("part.CM")).empty());
        EXPECT_EQ(ends[i](), -1);
        EXPECT_TRUE(testing::readBytes(dir.file("part.CM")).empty());
        EXPECT_TRUE(testing::readBytes(dir.file("part.BRK")).empty());
    }
}

// Every write and close of every file the conversion writes is checked: a disk that is full
// (/dev/full in the file's place) gives -1 and code 9 with the file's path and the C library's
// reason at the moment of the failure, never a stale one.
TEST_F(Hardening, FileThatCannotBeWrittenWholeEndsTheConversionNamingIt) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    quickMachine();
    std::string program;
    for (int i = 0; i < 2000; ++i)  // events for the EV file, motion for CM and BRK
        program += "M50 AT50 OUT1\nG1 X" + std::to_string(i % 7) + "\n";
    for (const char* name : {"part.EV", "part.CM", "part.BRK", "part.LIM", "timeMem.txt"}) {
        SCOPED_TRACE(name);
        fs::remove(dir.file(name));
        fs::create_symlink("/dev/full", dir.file(name));
        testing::conversionMessages().clear();
        EXPECT_EQ(convert(program), -1);
        std::string written;
        for (const auto& [code, text] : testing::conversionMessages()) {
            if (code == 9) written += text;
        }
        const std::string path = name == std::string(kTimingLogName) ? name : dir.file(name);
        EXPECT_EQ(written, path + " could not be written: " + std::strerror(ENOSPC));
        fs::remove(dir.file(name));
    }
}

TEST_F(Hardening, UnwritableOutputDirectoryIsReported) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only directories";
    quickMachine();
    fs::create_directories(dir.file("locked"));
    testing::writeFile(dir.file("locked/part.nc"), "G1 X1\n");
    chmod(dir.file("locked").c_str(), 0555);
    testing::conversionMessages().clear();
    EXPECT_EQ(convertFile(dir.file("locked/part.nc")), -1);
    chmod(dir.file("locked").c_str(), 0755);
    ASSERT_FALSE(testing::conversionMessages().empty());
    EXPECT_EQ(testing::conversionMessages().front().first, 7);
}

TEST_F(Hardening, ReadOnlyConfigurationFilesAreReadAndLeftAlone) {
    quickMachine();
    ASSERT_EQ(convert("G1 X1\n"), 0);  // writes params.cfg
    const std::string config = testing::readFile(dir.file("ZORVAN.CFG"));
    const std::string params = testing::readFile(dir.file("params.cfg"));
    chmod(dir.file("ZORVAN.CFG").c_str(), 0444);
    chmod(dir.file("params.cfg").c_str(), 0444);
    ASSERT_EQ(convert("G1 X2\n"), 0);
    EXPECT_EQ(testing::readFile(dir.file("ZORVAN.CFG")), config);
    EXPECT_EQ(testing::readFile(dir.file("params.cfg")), params);
    expectAt(readBack().motion.finalPosition, 2, 0, 0);
}

TEST_F(Hardening, ConfigurationFilesThatCannotBeWrittenLeaveTheDefaults) {
    // Directories in the place of both files: neither reads nor can be written.
    fs::create_directory(dir.file("ZORVAN.CFG"));
    fs::create_directory(dir.file("params.cfg"));
    ASSERT_EQ(convert("G1 X1\n"), 0);
    EXPECT_DOUBLE_EQ(stepsPerUnit(0), 10160.0);
    EXPECT_DOUBLE_EQ(cutParams().maxFilletError, 10.16);
    expectAt(readBack().motion.finalPosition, 1, 0, 0, 1e-4);
}

TEST_F(Hardening, DamagedConfigurationFilesAreReplacedOrReadAsWhatTheySay) {
    testing::writeFile(dir.file("ZORVAN.CFG"), std::string("\xFE"
                                                           "290\n\xFEgarbage\n\0\x01",
                                                           17));
    testing::writeFile(dir.file("params.cfg"), "abc\n\xFF\xFE\nx\n");
    ASSERT_EQ(convert("G1 X1\nG1 X2 Y0.01\n"), 0);
    // ZORVAN.CFG is rewritten with the defaults; params.cfg lines without a number give 0, and
    // a line the file does not have keeps its default.
    EXPECT_EQ(testing::readFile(dir.file("ZORVAN.CFG")).substr(0, 6),
              "\xFE"
              "290\r\n");
    EXPECT_DOUBLE_EQ(cutParams().minFilletAngle, 0.0);
    EXPECT_DOUBLE_EQ(cutParams().maxFilletAngle, 0.0);
    EXPECT_DOUBLE_EQ(cutParams().maxFilletError, 10.16);
    expectAt(readBack().motion.finalPosition, 2, 0.01, 0, 1e-4);
}

TEST_F(Hardening, DisabledAndReversedAxesConvert) {
    // X at 0 pulses per unit takes no part: its motion is not in the pulse stream.
    configure([](MachineConfig& c) {
        c.stepsPerUnit[0] = 0.0;
        c.stepsPerUnit[1] = 1000.0;
        c.stepsPerUnit[2] = 1000.0;
    });
    ASSERT_EQ(convert("G1 X1 Y1\n"), 0);
    Readback r = readBack();
    EXPECT_FALSE(r.motion.axes[0].enabled);
    EXPECT_NEAR(r.motion.finalPosition.y, 1.0, 1e-3);
    // A negative value reverses the axis: the pulses count down, the position still reads 1.
    configure([](MachineConfig& c) {
        c.stepsPerUnit[0] = -1000.0;
        c.stepsPerUnit[1] = 1000.0;
        c.stepsPerUnit[2] = 1000.0;
    });
    ASSERT_EQ(convert("G1 X1 Y1\n"), 0);
    r = readBack();
    EXPECT_NE(r.brk.outputByte & 0x10, 0);  // output 0 counts backwards
    expectAt(r.motion.finalPosition, 1, 1, 0);
}

TEST_F(Hardening, UnusablePulsesPerUnitOrSpeedsAreRefusedBeforeAnyFile) {
    const struct {
        void (*edit)(MachineConfig&);
        const char* reason;
    } cases[] = {
        {[](MachineConfig& c) { c.feedSpeed = 0.0; }, "feed speed"},
        {[](MachineConfig& c) { c.rapidSpeed = -100.0; }, "rapid speed"},
        {[](MachineConfig& c) { c.plungeSpeed = -0.0; }, "plunge speed"},
        {[](MachineConfig& c) { c.acceleration = 0.0; }, "acceleration"},
        {[](MachineConfig& c) { c.stepsPerUnit[1] = std::numeric_limits<double>::infinity(); },
         "pulses per unit of Y"},
    };
    for (const auto& c : cases) {
        configure(c.edit);
        testing::conversionMessages().clear();
        EXPECT_EQ(convert("G1 X1\n"), -1) << c.reason;
        EXPECT_NE(refusal().find(c.reason), std::string::npos) << refusal();
        EXPECT_FALSE(exists("part.CM")) << c.reason;
        EXPECT_FALSE(exists("part.EV")) << c.reason;
    }
}

TEST_F(Hardening, PulsesPerUnitTooLargeForAnyPositionAreRefusedAtTheLine) {
    configure([](MachineConfig& c) { c.stepsPerUnit[0] = 1e300; });
    EXPECT_EQ(convert("G1 X1\n"), -1);
    EXPECT_NE(refusal().find("line 1"), std::string::npos) << refusal();
    // The streams are left empty, so that no controller plays a stream that stops mid-move.
    EXPECT_TRUE(testing::readBytes(dir.file("part.CM")).empty());
    EXPECT_TRUE(testing::readBytes(dir.file("part.BRK")).empty());
}

}  // namespace
}  // namespace pulsepost
