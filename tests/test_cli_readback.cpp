// `pulsepost inspect` and `pulsepost plot` as a user runs them on converted programs: the summary
// in text and JSON, the picture, and the one-line reason and failing status for damaged streams.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "cli_support.h"
#include "test_support.h"

namespace pulsepost {
namespace {

#if defined(PULSEPOST_CLI)

using testing::CliRun;
using testing::contains;
using testing::runCli;

constexpr const char* kPlate = "M6 T2\nS9000 M3\nG1 Z-0.1\nG1 X1\nM8\nG1 X2 Y1\nG4P250\nM9\nM5\n";

void convertPlate(const testing::ScratchDir& dir) {
    testing::writeFile(dir.file("plate.nc"), kPlate);
    ASSERT_EQ(runCli(dir, "convert plate.nc").status, 0);
}

TEST(CliInspect, SummarisesAConvertedProgram) {
    testing::ScratchDir dir;
    convertPlate(dir);
    const CliRun r = runCli(dir, "inspect plate.nc");
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* part : {"streams      valid: CM", "chunks       ", "  X     ", "highest speed",
                             "tool 2", "spindle speed S9000", "spindle on",
                             "outputs on: 0 (coolant)", "dwell P250", "findings     none"}) {
        EXPECT_TRUE(contains(r.out, part)) << part << "\n" << r.out;
    }
    EXPECT_FALSE(contains(r.out, "diagnostic")) << r.out;

    // --program reads the program too: the same diagnostics as the conversion, in text and JSON,
    // measured by the configuration's pulses (the arc ends half a tenth of a pulse off its start).
    EXPECT_TRUE(contains(runCli(dir, "inspect --program plate.nc").out, "diagnostics  none\n"));
    testing::writeFile(dir.file("plate.nc"), std::string(kPlate) + "G38.2 Z-5\nG2 Y1.000005 I1\n");
    const CliRun warned = runCli(dir, "inspect --program plate.nc --json");
    ASSERT_EQ(warned.status, 0) << warned.err;
    const nlohmann::json diagnostics = nlohmann::json::parse(warned.out)["diagnostics"];
    ASSERT_EQ(diagnostics.size(), 2u) << warned.out;
    EXPECT_EQ(diagnostics[0], "line 10: G38.2: G code without a meaning here, ignored (1 time)");
    EXPECT_TRUE(contains(diagnostics[1].get<std::string>(), "line 11: arc ending within a tenth"));
}

TEST(CliInspect, JsonCarriesTheSameSummary) {
    testing::ScratchDir dir;
    convertPlate(dir);
    const CliRun r = runCli(dir, "inspect plate.nc --json");
    ASSERT_EQ(r.status, 0) << r.err;
    const nlohmann::json j = nlohmann::json::parse(r.out);
    EXPECT_TRUE(j["valid"].get<bool>());
    EXPECT_EQ(j["schemaVersion"].get<int>(), 1);
    EXPECT_EQ(j["pulsepostVersion"], PULSEPOST_VERSION);
    EXPECT_EQ(j["units"]["time"], "s");
    EXPECT_TRUE(j["hasMotion"].get<bool>());
    EXPECT_GT(j["ticks"].get<int64_t>(), 0);
    EXPECT_NEAR(j["axes"]["X"]["final"].get<double>(), 2.0, 1e-4);
    EXPECT_NEAR(j["axes"]["Y"]["max"].get<double>(), 1.0, 1e-4);
    EXPECT_NEAR(j["axes"]["Z"]["min"].get<double>(), -0.1, 1e-4);
    EXPECT_EQ(j["outputs"].size(), 3u);
    EXPECT_EQ(j["outputs"][2]["sign"].get<int>(), -1);
    ASSERT_EQ(j["events"].size(), 7u);
    EXPECT_EQ(j["events"][0]["text"], "tool 2");
    EXPECT_EQ(j["events"][3]["kind"], "outputs");
    EXPECT_NEAR(j["events"][3]["position"][0].get<double>(), 1.0, 1e-4);
    EXPECT_EQ(j["chunks"]["count"].get<int>(), 2);
    EXPECT_TRUE(j["findings"].empty());

    // Several programs: an array of the same objects; one that does not read back fails the run.
    const CliRun two = runCli(dir, "inspect plate.nc absent.nc --json");
    EXPECT_EQ(two.status, 1);
    const nlohmann::json both = nlohmann::json::parse(two.out);
    ASSERT_EQ(both.size(), 2u);
    EXPECT_EQ(both[0], j);
    EXPECT_FALSE(both[1]["valid"].get<bool>());
}

// A damaged stream makes inspect and plot fail with one line that says where and what.
TEST(CliInspect, DamagedStreamsFailWithOneLineReason) {
    testing::ScratchDir dir;
    convertPlate(dir);
    const std::string cm = testing::readFile(dir.file("plate.CM"));
    const std::string brk = testing::readFile(dir.file("plate.BRK"));
    struct Case {
        const char* what;
        std::string cm;
        std::string brk;
        const char* reason;
    };
    const Case cases[] = {
        {"truncated CM", cm.substr(0, cm.size() - 1), brk, "CM byte"},
        {"missing terminator", cm, brk.substr(0, brk.size() - 1), "without the terminator"},
        {"chunk mismatch", cm + std::string(3, '\0'), brk, "expected the chunks to add up"},
        {"unknown entry", cm, brk.substr(0, 14) + "\x42" + brk.substr(14), "is unknown"},
    };
    for (const Case& c : cases) {
        testing::writeFile(dir.file("plate.CM"), c.cm);
        testing::writeFile(dir.file("plate.BRK"), c.brk);
        const CliRun r = runCli(dir, "inspect plate.nc");
        EXPECT_EQ(r.status, 1) << c.what;
        EXPECT_TRUE(contains(r.err, "pulsepost inspect: plate.nc: ")) << r.err;
        EXPECT_TRUE(contains(r.err, c.reason)) << c.what << ": " << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        const CliRun j = runCli(dir, "inspect plate.nc --json");
        EXPECT_EQ(j.status, 1);
        EXPECT_FALSE(nlohmann::json::parse(j.out)["valid"].get<bool>()) << c.what;
        const CliRun p = runCli(dir, "plot plate.nc -o plate.svg");
        EXPECT_EQ(p.status, 1) << c.what;
        EXPECT_TRUE(contains(p.err, c.reason)) << c.what << ": " << p.err;
    }
}

TEST(CliPlot, WritesAPictureOfTheMotion) {
    testing::ScratchDir dir;
    convertPlate(dir);
    const CliRun r = runCli(dir, "plot plate.nc -o plate.svg");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(contains(r.out, "drawn into plate.svg")) << r.out;
    const std::string svg = testing::readFile(dir.file("plate.svg"));
    EXPECT_EQ(svg.rfind("<svg xmlns=", 0), 0u);
    EXPECT_TRUE(contains(svg, "dwell P250 at X2.0000 Y1.0000")) << svg.substr(0, 400);
    EXPECT_TRUE(contains(svg, "</svg>"));
    // With the defaults traverses are planned as feeds at the rapid speed: drawn as traverses.
    EXPECT_TRUE(contains(svg, "class=\"rapid\"/>")) << svg.substr(0, 400);
    EXPECT_TRUE(contains(svg, ">T2</text>")) << svg.substr(0, 400);  // the tool change
    EXPECT_FALSE(contains(svg, "no motion"));
    EXPECT_TRUE(contains(svg, ">XY: Z</text>"));  // the view from above is a height map

    const CliRun piped = runCli(dir, "plot plate.nc -o -");
    EXPECT_EQ(piped.status, 0) << piped.err;
    EXPECT_EQ(piped.out, svg);
    const CliRun png = runCli(dir, "plot plate.nc -o plate.png");
    EXPECT_EQ(png.status, 2);
    EXPECT_TRUE(contains(png.err, "name the file .svg")) << png.err;
    EXPECT_FALSE(testing::fileExists(dir.file("plate.png")));

    testing::writeFile(dir.file("still.nc"), "M8\nM9\n");
    ASSERT_EQ(runCli(dir, "convert -q still.nc").status, 0);
    ASSERT_EQ(runCli(dir, "plot still.nc -o still.svg").status, 0);
    EXPECT_TRUE(contains(testing::readFile(dir.file("still.svg")), ">no motion</text>"));
}

// A name that is not UTF-8 still gives valid JSON and well-formed XML; the picture never takes
// the place of the program or of one of its streams, under any name.
TEST(CliPlot, HostileNamesGiveValidOutputAndNeverReplaceTheInputs) {
    testing::ScratchDir dir;
    const std::string odd = "p\xFF\x01.nc";
    testing::writeFile(dir.file(odd), kPlate);
    ASSERT_EQ(runCli(dir, "convert -q '" + odd + "'").status, 0);
    const CliRun json = runCli(dir, "inspect --json '" + odd + "'");
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_TRUE(nlohmann::json::accept(json.out)) << json.out;
    const CliRun svg = runCli(dir, "plot '" + odd + "' -o -");
    ASSERT_EQ(svg.status, 0) << svg.err;
    EXPECT_EQ(svg.out.find_first_of("\xFF\x01"), std::string::npos);

    testing::writeFile(dir.file("job.svg"), kPlate);
    ASSERT_EQ(runCli(dir, "convert -q job.svg").status, 0);
    std::filesystem::create_symlink(dir.file("job.CM"), dir.file("pulses.svg"));
    const auto cm = testing::readBytes(dir.file("job.CM"));
    for (const char* output : {"job.svg", "pulses.svg"}) {
        const CliRun r = runCli(dir, std::string("plot job.svg -o ") + output);
        EXPECT_EQ(r.status, 2) << output;
        EXPECT_TRUE(contains(r.err, "name another file")) << r.err;
    }
    EXPECT_EQ(testing::readFile(dir.file("job.svg")), kPlate);
    EXPECT_EQ(testing::readBytes(dir.file("job.CM")), cm);
}

#endif  // PULSEPOST_CLI

}  // namespace
}  // namespace pulsepost
